// The Amazon bridge's connection: initialise, proxy, connect, disconnect, and the one path
// every operation takes to the installed simulator.
#include "bridges/AmazonSDKCppBridge.h"

#include "AmazonBridgeState.h"
#include "AwsErrorTexts.h"

namespace AmazonSDKCppBridge {

std::string argumentText(unsigned long long number) { return std::to_string(number); }

std::string filterText(const RDSInfoStructs::SDBInstanceFilter& filter) {
  std::string names;
  for (const std::string& name : filter.identifiers) names += (names.empty() ? "" : ", ") + name;
  return std::string("{applyFilter: ") + (filter.applyFilter ? "true" : "false") + ", identifiers: [" + names +
         "], engineType: " + std::to_string(filter.engineType) + ", auroraScope: " +
         std::to_string(filter.auroraScope) + "}";
}

bool CAmazonSDKCppBridge::State::call(const char* operation, std::vector<std::string> arguments,
                                      const cloudsim::CloudWork& work) {
  CloudSimulator* simulator = CloudSimulator::installed();
  if (simulator == nullptr) {
    lastError = cloudsim::kNoSimulatorInstalled;
    return false;
  }
  RecordedCall record;
  record.bridge = CloudBridgeKind::Amazon;
  record.connection = open ? open->serial : 0;
  record.operation = operation;
  record.arguments = std::move(arguments);
  record.proxy = proxy.address;
  const cloudsim::CallFailure failure = cloudsim::SimulatorAccess::run(*simulator, std::move(record), work);
  lastError = failure.value_or("");
  return !failure;
}

bool CAmazonSDKCppBridge::State::callService(const char* operation, std::vector<std::string> arguments,
                                             int cloudType, const AccountWork& work) {
  return call(operation, std::move(arguments),
              [&](cloudsim::SimulatedClouds& clouds, RecordedCall&) -> cloudsim::CallFailure {
                if (!open) return std::string(cloudsim::awstext::kNotConnected);
                if (open->simulatorIdentity != CloudSimulator::installed()->identity()) {
                  return std::string(kSimulatorChanged);
                }
                const cloudsim::AwsConnection& connection = open->connection;
                if (cloudType != 0 && connection.cloudType != cloudType) {
                  return std::string(operation) + " needs a connection for " + cloudsim::awsServiceName(cloudType) +
                         "; this one serves " + cloudsim::awsServiceName(connection.cloudType) + ".";
                }
                const std::string host = cloudsim::awsServiceHost(connection.cloudType, connection.regions.front());
                if (auto unreachable = cloudsim::reachService(clouds.fixture.network, proxy, host)) return unreachable;
                return work(clouds.fixture.awsAccounts[connection.account], connection);
              });
}

void CAmazonSDKCppBridge::State::forgetResults() {
  regions.clear();
  instances = {};
  clusters.clear();
  tables.clear();
  docdbClusters.clear();
  docdbInstances.clear();
  redshiftClusters.clear();
  instanceSnapshots.clear();
  clusterSnapshots.clear();
  docdbSnapshots.clear();
  redshiftSnapshots.clear();
}

CAmazonSDKCppBridge::CAmazonSDKCppBridge() : state_(std::make_unique<State>()) {}

CAmazonSDKCppBridge::~CAmazonSDKCppBridge() = default;

bool CAmazonSDKCppBridge::initialize(const std::string& focusName, const std::string& applicationName,
                                     long long jobId) {
  return state_->call("initialize", {focusName, applicationName, std::to_string(jobId)},
                      [&](cloudsim::SimulatedClouds&, RecordedCall&) -> cloudsim::CallFailure {
                        state_->focusName = focusName;
                        state_->applicationName = applicationName;
                        state_->jobId = jobId;
                        return std::nullopt;
                      });
}

bool CAmazonSDKCppBridge::Connect(const std::string& endPoint, const std::string& accessKey,
                                  const std::string& secretKey, int cloudType) {
  // A connection that fails to open leaves none behind: the old one is closed either way.
  state_->open.reset();
  state_->forgetResults();
  return state_->call(
      "Connect", {endPoint, accessKey, kNotShown, std::to_string(cloudType)},
      [&](cloudsim::SimulatedClouds& clouds, RecordedCall& record) -> cloudsim::CallFailure {
        if (cloudType < CLOUD_TYPE_RDS || cloudType > CLOUD_TYPE_REDSHIFT) {
          return "Unknown cloud type " + std::to_string(cloudType);
        }
        cloudsim::AwsConnection connection;
        connection.cloudType = cloudType;
        if (auto refused = cloudsim::authenticateAws(clouds.fixture, accessKey, secretKey, connection.account)) {
          return refused;
        }
        const cloudsim::AwsAccount& account = clouds.fixture.awsAccounts[connection.account];
        if (auto bad = cloudsim::resolveEndPoint(account, endPoint, cloudType, connection.regions)) return bad;
        const std::string host = cloudsim::awsServiceHost(cloudType, connection.regions.front());
        if (auto unreachable = cloudsim::reachService(clouds.fixture.network, state_->proxy, host)) {
          return unreachable;
        }
        record.connection = ++clouds.connectionsOpened;
        state_->open = State::OpenConnection{CloudSimulator::installed()->identity(), record.connection, std::move(connection)};
        return std::nullopt;
      });
}

bool CAmazonSDKCppBridge::SetWebProxy(const std::string& hostAndPort, const std::string& user,
                                      const std::string& password, int proxyScheme) {
  return state_->call("SetWebProxy", {hostAndPort, user, kNotShown, std::to_string(proxyScheme)},
                      [&](cloudsim::SimulatedClouds&, RecordedCall&) -> cloudsim::CallFailure {
                        if (auto bad = cloudsim::checkProxyAddress(hostAndPort)) return bad;
                        if (proxyScheme != 0) return "Unsupported proxy scheme " + std::to_string(proxyScheme);
                        state_->proxy = cloudsim::ProxyUse{hostAndPort, user, password};
                        return std::nullopt;
                      });
}

void CAmazonSDKCppBridge::Disconnect() {
  state_->call("Disconnect", {}, [](cloudsim::SimulatedClouds&, RecordedCall&) { return cloudsim::CallFailure{}; });
  state_->open.reset();
  state_->forgetResults();
}

std::string CAmazonSDKCppBridge::GetLastErrorString() const { return state_->lastError; }

}  // namespace AmazonSDKCppBridge
