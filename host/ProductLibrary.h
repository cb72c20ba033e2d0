#pragma once
// ProductLibrary: the product's shared library, loaded the way the agent loads it.
//
// The host never links the library: it opens it with dlopen at run time and finds every entry
// point by its unmangled name with dlsym. The handle is closed when the object dies, so an entry
// point found here must not be called after that.
#include <memory>
#include <string>

#include "platform/CLmError.h"

namespace host {

class ProductLibrary {
 public:
  // Opens the library at path; the error carries dlerror()'s text.
  static CLmError open(const std::string& path, std::unique_ptr<ProductLibrary>& library);

  ~ProductLibrary();
  ProductLibrary(const ProductLibrary&) = delete;
  ProductLibrary& operator=(const ProductLibrary&) = delete;

  const std::string& path() const { return path_; }

  // The address of an exported function, or an error naming the entry point and dlerror()'s text.
  CLmError findSymbol(const std::string& name, void*& address) const;

  // Typed form: Function is the entry point's function type, e.g. void(CKwNetwork*, unsigned long long).
  template <typename Function>
  CLmError find(const std::string& name, Function*& function) const {
    void* address = nullptr;
    CLmError result = findSymbol(name, address);
    // POSIX guarantees that a function's address survives the round trip through void*.
    function = result.IsFailure() ? nullptr : reinterpret_cast<Function*>(address);
    return result;
  }

 private:
  ProductLibrary(std::string path, void* handle);

  std::string path_;
  void* handle_;
};

}  // namespace host
