// The fuzz programs' sanitizer settings, built in so a run by hand behaves like one in CI: every
// UBSan report stops the run, except those fuzz/ubsan.supp exempts in third-party headers.
#include "FuzzSupport.h"

extern "C" const char* __ubsan_default_options() {
  return "halt_on_error=1:print_stacktrace=1:suppressions=" CLOUDDB_SOURCE_DIR "/fuzz/ubsan.supp";
}
