#pragma once
// The one path a call of the Azure, Google Cloud or Alibaba Cloud bridge takes to the installed
// simulator: recorded, open to faults, its failure text kept for the bridge's last error; and
// the checks every call on an open connection makes.
#include <optional>
#include <string>
#include <vector>

#include "SimulatorAccess.h"
#include "bridges/SimulatedConnection.h"

namespace cloudbridge {

// Runs one call; false when it failed (lastError then holds the reason, else it is emptied).
bool simulatedCall(CloudBridgeKind bridge, const char* operation, std::vector<std::string> arguments,
                   const std::optional<SimulatedConnection>& connection, const cloudsim::CloudWork& work,
                   std::string& lastError);

// The connection's account may be used: the bridge is connected, on the simulator installed now,
// and the service host is reachable directly (these clients take no proxy).
cloudsim::CallFailure checkConnection(const std::optional<SimulatedConnection>& connection,
                                      const cloudsim::SimulatedClouds& clouds, const std::string& serviceHost);

// A new connection to account, for the record of the call that opens it.
SimulatedConnection openConnection(cloudsim::SimulatedClouds& clouds, RecordedCall& record, std::size_t account);

inline constexpr const char* kNotShown = "***NOT SHOWN***";

}  // namespace cloudbridge
