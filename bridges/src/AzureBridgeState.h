#pragma once
// What one CAzureSDKCppBridge object keeps between calls: its session (sign-in, proxy, last
// failure) and the kept result of the relational listing.
#include <vector>

#include "AzureClientSession.h"
#include "bridges/AzureSDKCppBridge.h"

namespace AzureSDKCppBridge {

struct CAzureSDKCppBridge::State {
  cloudbridge::AzureClientSession session{CloudBridgeKind::Azure};
  std::vector<RDSInfoStructs::SDBInstanceInfo> instances;
};

}  // namespace AzureSDKCppBridge
