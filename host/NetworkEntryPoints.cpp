#include "NetworkEntryPoints.h"

#include <algorithm>
#include <array>

#include "ProductLibrary.h"

namespace host {
namespace {

enum class Shape { WithArgument, ConnectionOnly };

struct Known {
  std::string_view name;
  Shape shape;
};

constexpr std::array kNetworkEntryPoints{
    Known{"DiscoverRDSInventory", Shape::WithArgument},
    Known{"BrowseInventoryHandler", Shape::WithArgument},
    Known{"GetOracleCloudInstanceTree", Shape::WithArgument},
    Known{"CloudDBRemoteEntryPoint", Shape::ConnectionOnly},
};

const Known* findKnown(std::string_view name) {
  auto found = std::find_if(kNetworkEntryPoints.begin(), kNetworkEntryPoints.end(),
                            [&](const Known& known) { return known.name == name; });
  return found == kNetworkEntryPoints.end() ? nullptr : &*found;
}

constexpr std::int64_t kNotNetworkEntryCode = -22;

}  // namespace

bool isNetworkEntryPointName(std::string_view name) { return findKnown(name) != nullptr; }

std::string networkEntryPointNames() {
  std::string names;
  for (const Known& known : kNetworkEntryPoints) {
    names += (names.empty() ? "" : ", ") + std::string(known.name);
  }
  return names;
}

CLmError NetworkEntryPoint::find(const ProductLibrary& library, const std::string& name, NetworkEntryPoint& entry) {
  const Known* known = findKnown(name);
  if (known == nullptr) {
    return CLmError(kNotNetworkEntryCode,
                    "'" + name + "' is not a network entry point (" + networkEntryPointNames() + ")");
  }
  CLmError result;
  if (known->shape == Shape::WithArgument) {
    NetworkEntryWithArgument* function = nullptr;
    result = library.find(name, function);
    entry.function_ = function;
  } else {
    NetworkEntryConnectionOnly* function = nullptr;
    result = library.find(name, function);
    entry.function_ = function;
  }
  entry.name_ = result.IsFailure() ? std::string() : name;
  if (result.IsFailure()) {
    entry.function_ = std::monostate{};
  }
  return result;
}

void NetworkEntryPoint::run(CKwNetwork& connection, unsigned long long argument) const {
  if (auto* withArgument = std::get_if<NetworkEntryWithArgument*>(&function_)) {
    (*withArgument)(&connection, argument);
  } else if (auto* connectionOnly = std::get_if<NetworkEntryConnectionOnly*>(&function_)) {
    (*connectionOnly)(&connection);
  }
}

}  // namespace host
