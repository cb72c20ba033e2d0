#include "platform/NetworkErrors.h"

#include <system_error>

namespace kwnet {

CLmError systemCallError(const char* what, int savedErrno, CLmLocation where) {
  return networkError(savedErrno, std::string(what) + " failed: " + std::generic_category().message(savedErrno),
                      std::move(where));
}

}  // namespace kwnet
