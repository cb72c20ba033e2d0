#pragma once
// What one CGoogleCloudSDKCppBridge object keeps between calls: the account it signed in to and
// the last failure text; and the one path every operation takes to the simulator.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "SimulatedCall.h"
#include "SimulatorAccess.h"
#include "bridges/GoogleCloudSDKCppBridge.h"

namespace GoogleCloudSDKCppBridge {

struct CGoogleCloudSDKCppBridge::State {
  std::optional<cloudbridge::SimulatedConnection> connection;  // the account signed in to
  std::string lastError;
  std::vector<RDSInfoStructs::SDBInstanceInfo> sqlInstances;  // the last Cloud SQL query's result

  using AccountWork = std::function<cloudsim::CallFailure(const cloudsim::GoogleAccount& account)>;

  // Runs one operation on the installed simulator (recorded, open to faults) and keeps its
  // failure text. False when it failed.
  bool call(const char* operation, std::vector<std::string> arguments, const cloudsim::CloudWork& work);

  // An operation on the signed-in account that reaches serviceHost over the network.
  bool callService(const char* operation, std::vector<std::string> arguments, const char* serviceHost,
                   const AccountWork& work);
};

}  // namespace GoogleCloudSDKCppBridge
