#pragma once
// The four network entry points of the product and how the host calls them.
//
// Three take the connection and a 64-bit number that they accept and do not use; the
// database-service entry point takes the connection alone. The host finds them by name in the
// loaded library and hands over the connection; from then on the entry point owns the exchange.
#include <string>
#include <string_view>
#include <variant>

#include "platform/CKwNetwork.h"
#include "platform/CLmError.h"

namespace host {

class ProductLibrary;

using NetworkEntryWithArgument = void(CKwNetwork*, unsigned long long);
using NetworkEntryConnectionOnly = void(CKwNetwork*);

bool isNetworkEntryPointName(std::string_view name);
// The names, for --help and messages.
std::string networkEntryPointNames();

class NetworkEntryPoint {
 public:
  // Looks the named entry point up; an error when the name is not a network entry point or the
  // library does not export it.
  static CLmError find(const ProductLibrary& library, const std::string& name, NetworkEntryPoint& entry);

  const std::string& name() const { return name_; }
  void run(CKwNetwork& connection, unsigned long long argument) const;

 private:
  std::string name_;
  std::variant<std::monostate, NetworkEntryWithArgument*, NetworkEntryConnectionOnly*> function_;
};

}  // namespace host
