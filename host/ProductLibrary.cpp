#include "ProductLibrary.h"

#include <dlfcn.h>

#include <utility>

namespace host {
namespace {

constexpr std::int64_t kLoadFailureCode = -2;  // ENOENT: the library or the symbol is not there

std::string lastDlError() {
  const char* text = dlerror();
  return text != nullptr ? text : "unknown dynamic loader failure";
}

}  // namespace

CLmError ProductLibrary::open(const std::string& path, std::unique_ptr<ProductLibrary>& library) {
  dlerror();
  // RTLD_NOW: a library with an unresolved symbol is refused here, not in the middle of a call.
  // RTLD_NODELETE: once loaded, the product and what it loads stay for the life of the process,
  // as in the agent. Its expression engine keeps process-wide tables that it never frees;
  // unmapping it at dlclose would turn them into leaks, and a later open would build them anew.
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (handle == nullptr) {
    return CLmError(kLoadFailureCode, "cannot load the product library " + path + ": " + lastDlError());
  }
  library.reset(new ProductLibrary(path, handle));
  return {};
}

ProductLibrary::ProductLibrary(std::string path, void* handle) : path_(std::move(path)), handle_(handle) {}

ProductLibrary::~ProductLibrary() { dlclose(handle_); }

CLmError ProductLibrary::findSymbol(const std::string& name, void*& address) const {
  dlerror();
  address = dlsym(handle_, name.c_str());
  if (address == nullptr) {
    return CLmError(kLoadFailureCode, "entry point " + name + " not found in " + path_ + ": " + lastDlError());
  }
  return {};
}

}  // namespace host
