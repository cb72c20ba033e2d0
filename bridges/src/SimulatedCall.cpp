#include "SimulatedCall.h"

#include "AwsSession.h"

namespace cloudbridge {

namespace {
constexpr const char* kNotConnected = "The client is not connected; call Connect first.";

RecordedCall recordOf(CloudBridgeKind bridge, const char* operation, std::vector<std::string> arguments,
                      const std::optional<SimulatedConnection>& connection, const ProxyUse& proxy) {
  RecordedCall record;
  record.bridge = bridge;
  record.connection = connection ? connection->serial : 0;
  record.operation = operation;
  record.arguments = std::move(arguments);
  record.proxy = proxy.address;
  return record;
}

}  // namespace

bool simulatedCall(CloudBridgeKind bridge, const char* operation, std::vector<std::string> arguments,
                   const std::optional<SimulatedConnection>& connection, const cloudsim::CloudWork& work,
                   std::string& lastError, const ProxyUse& proxy) {
  CloudSimulator* simulator = CloudSimulator::installed();
  if (simulator == nullptr) {
    lastError = cloudsim::kNoSimulatorInstalled;
    return false;
  }
  const cloudsim::CallFailure failure = cloudsim::SimulatorAccess::run(
      *simulator, recordOf(bridge, operation, std::move(arguments), connection, proxy), work);
  lastError = failure.value_or("");
  return !failure;
}

bool simulatedPeerCall(CloudBridgeKind bridge, const char* operation, std::vector<std::string> arguments,
                       const std::optional<SimulatedConnection>& connection, const ProxyUse& proxy,
                       const cloudsim::CloudWork& work, const std::function<cloudsim::CallFailure()>& peer,
                       std::string& lastError) {
  CloudSimulator* simulator = CloudSimulator::installed();
  if (simulator == nullptr) {
    lastError = cloudsim::kNoSimulatorInstalled;
    return false;
  }
  const cloudsim::CallFailure failure = cloudsim::SimulatorAccess::runWithPeer(
      *simulator, recordOf(bridge, operation, std::move(arguments), connection, proxy), work, peer);
  lastError = failure.value_or("");
  return !failure;
}

cloudsim::CallFailure checkConnection(const std::optional<SimulatedConnection>& connection,
                                      const cloudsim::SimulatedClouds& clouds, const std::string& serviceHost,
                                      const ProxyUse& proxy) {
  if (!connection) return std::string(kNotConnected);
  if (connection->simulator != CloudSimulator::installed()->identity()) return std::string(kSimulatorChanged);
  return cloudsim::reachService(clouds.fixture.network, proxy, serviceHost);
}

SimulatedConnection openConnection(cloudsim::SimulatedClouds& clouds, RecordedCall& record, std::size_t account) {
  record.connection = ++clouds.connectionsOpened;
  return SimulatedConnection{CloudSimulator::installed()->identity(), record.connection, account};
}

bool signIn(CloudBridgeKind bridge, const char* operation, std::vector<std::string> arguments,
            std::optional<SimulatedConnection>& connection, const Authenticate& authenticate,
            const std::string& loginHost, std::string& lastError, const ProxyUse& proxy) {
  connection.reset();
  return simulatedCall(
      bridge, operation, std::move(arguments), connection,
      [&](cloudsim::SimulatedClouds& clouds, RecordedCall& record) -> cloudsim::CallFailure {
        std::size_t account = 0;
        if (auto refused = authenticate(clouds.fixture, account)) return refused;
        if (auto unreachable = cloudsim::reachService(clouds.fixture.network, proxy, loginHost)) {
          return unreachable;
        }
        connection = openConnection(clouds, record, account);
        return std::nullopt;
      },
      lastError, proxy);
}

bool signOut(CloudBridgeKind bridge, std::optional<SimulatedConnection>& connection, std::string& lastError,
             const ProxyUse& proxy) {
  const bool done = simulatedCall(
      bridge, "Disconnect", {}, connection,
      [](cloudsim::SimulatedClouds&, RecordedCall&) { return cloudsim::CallFailure{}; }, lastError, proxy);
  connection.reset();
  return done;
}

}  // namespace cloudbridge
