#pragma once
// What the simulator knows about each bridge: its name in fixtures and records, and the
// operations that report a result and can therefore be told to fail.
#include <optional>
#include <string_view>

#include "bridges/simulator/CloudSimulator.h"

namespace cloudsim {

std::optional<CloudBridgeKind> cloudBridgeKindFromName(std::string_view name);
bool isFaultableOperation(CloudBridgeKind bridge, std::string_view operation);

}  // namespace cloudsim
