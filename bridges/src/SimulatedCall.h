#pragma once
// The one path a call of the Azure, Google Cloud or Alibaba Cloud bridge takes to the installed
// simulator: recorded, open to faults, its failure text kept for the bridge's last error; and
// the checks every call on an open connection makes.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "SimulatorAccess.h"
#include "bridges/SimulatedConnection.h"

namespace cloudbridge {

// A call on a connection made with a simulator that has since been replaced.
inline constexpr const char* kSimulatorChanged = "The cloud simulator was replaced since Connect; connect again.";

// Runs one call; false when it failed (lastError then holds the reason, else it is emptied).
// proxy is the one the bridge's calls go through, named in the call's record.
bool simulatedCall(CloudBridgeKind bridge, const char* operation, std::vector<std::string> arguments,
                   const std::optional<SimulatedConnection>& connection, const cloudsim::CloudWork& work,
                   std::string& lastError, const ProxyUse& proxy = {});

// As simulatedCall, for a call that goes on to a real peer once work has let it through: peer
// runs outside the simulator's lock, and its failure is the call's.
bool simulatedPeerCall(CloudBridgeKind bridge, const char* operation, std::vector<std::string> arguments,
                       const std::optional<SimulatedConnection>& connection, const ProxyUse& proxy,
                       const cloudsim::CloudWork& work, const std::function<cloudsim::CallFailure()>& peer,
                       std::string& lastError);

// The connection's account may be used: the bridge is connected, on the simulator installed now,
// and the service host is reachable through proxy (directly when it is empty).
cloudsim::CallFailure checkConnection(const std::optional<SimulatedConnection>& connection,
                                      const cloudsim::SimulatedClouds& clouds, const std::string& serviceHost,
                                      const ProxyUse& proxy = {});

// A new connection to account, for the record of the call that opens it.
SimulatedConnection openConnection(cloudsim::SimulatedClouds& clouds, RecordedCall& record, std::size_t account);

// Checks a sign-in against the fixture; on success sets the index of the account it reaches.
using Authenticate = std::function<cloudsim::CallFailure(const cloudsim::CloudFixture& fixture, std::size_t& account)>;

// Connects: the previous connection ends first, then the credentials are checked, then the
// login host must be reachable through proxy (directly when it is empty); only then is
// connection set. A failed sign-in leaves no connection behind.
bool signIn(CloudBridgeKind bridge, const char* operation, std::vector<std::string> arguments,
            std::optional<SimulatedConnection>& connection, const Authenticate& authenticate,
            const std::string& loginHost, std::string& lastError, const ProxyUse& proxy = {});

// Disconnects: the call is recorded, and the connection ends whatever it answered. False when a
// fault was planned for it.
bool signOut(CloudBridgeKind bridge, std::optional<SimulatedConnection>& connection, std::string& lastError,
             const ProxyUse& proxy = {});

inline constexpr const char* kNotShown = "***NOT SHOWN***";

}  // namespace cloudbridge
