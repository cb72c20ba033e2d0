// The Oracle Cloud client over the cloud simulator: one connection of the kind the client was
// made for, every call recorded and open to faults.
#include "bridges/OracleCloudSDKCppBridge.h"

#include <functional>
#include <optional>

#include "AwsSession.h"
#include "OracleSession.h"
#include "SimulatedCall.h"
#include "SimulatorAccess.h"

namespace OracleCloudSDKCppBridge {
namespace {

using namespace CloudDBInfoStructs;
using cloudsim::CallFailure;

constexpr const char* kNotShown = "***NOT SHOWN***";

std::string modeMismatch(int mode, const char* needed) {
  if (mode != kModeClassicServices && mode != kModeInfrastructure) return "Unknown client mode " + std::to_string(mode);
  return "This client was made for mode " + std::to_string(mode) + "; " + needed;
}

constexpr const char* kNeedsInfrastructure = "infrastructure calls need a client of mode 1102.";
constexpr const char* kNeedsClassic = "classic service calls need a client of mode 1101.";

std::string ociServiceHost(const std::string& region) {
  return "database." + region + ".oraclecloud.com";
}

}  // namespace

struct COracleCloudSDKCppBridge::State {
  struct OpenConnection {
    std::uint64_t simulatorIdentity = 0;
    std::uint64_t serial = 0;
    std::size_t account = 0;  // index into the fixture's tenancies or classic accounts, by mode
    std::string serviceHost;
  };

  int mode = 0;
  std::optional<OpenConnection> open;
  std::string lastError;

  bool call(const char* operation, std::vector<std::string> arguments, const cloudsim::CloudWork& work) {
    CloudSimulator* simulator = CloudSimulator::installed();
    if (simulator == nullptr) {
      lastError = cloudsim::kNoSimulatorInstalled;
      return false;
    }
    RecordedCall record;
    record.bridge = CloudBridgeKind::Oracle;
    record.connection = open ? open->serial : 0;
    record.operation = operation;
    record.arguments = std::move(arguments);
    const CallFailure failure = cloudsim::SimulatorAccess::run(*simulator, std::move(record), work);
    lastError = failure.value_or("");
    return !failure;
  }

  // Work on the open connection of the client's kind, once the service can be reached.
  template <class Account>
  bool callOpen(const char* operation, std::vector<std::string> arguments, int neededMode, const char* modeText,
                std::vector<Account> cloudsim::CloudFixture::*accounts,
                const std::function<CallFailure(Account&)>& work) {
    return call(operation, std::move(arguments), [&](cloudsim::SimulatedClouds& clouds, RecordedCall&) -> CallFailure {
      if (mode != neededMode) return modeMismatch(mode, modeText);
      if (!open) return std::string(cloudsim::oracletext::kNotConnected);
      if (open->simulatorIdentity != CloudSimulator::installed()->identity()) {
        return std::string(cloudbridge::kSimulatorChanged);
      }
      if (auto unreachable = cloudsim::reachService(clouds.fixture.network, {}, open->serviceHost)) return unreachable;
      return work((clouds.fixture.*accounts)[open->account]);
    });
  }

  bool callTenancy(const char* operation, std::vector<std::string> arguments,
                   const std::function<CallFailure(cloudsim::OracleTenancy&)>& work) {
    return callOpen(operation, std::move(arguments), kModeInfrastructure, kNeedsInfrastructure,
                    &cloudsim::CloudFixture::oracleTenancies, work);
  }

  bool callClassic(const char* operation, std::vector<std::string> arguments,
                   const std::function<CallFailure(cloudsim::OracleClassicAccount&)>& work) {
    return callOpen(operation, std::move(arguments), kModeClassicServices, kNeedsClassic,
                    &cloudsim::CloudFixture::oracleClassicAccounts, work);
  }

  // Opens a connection: the old one is closed whatever the outcome.
  bool connect(const char* operation, std::vector<std::string> arguments, int neededMode, const char* modeText,
               const std::function<CallFailure(const cloudsim::CloudFixture&, OpenConnection&)>& authenticate) {
    open.reset();
    return call(operation, std::move(arguments),
                [&](cloudsim::SimulatedClouds& clouds, RecordedCall& record) -> CallFailure {
                  if (mode != neededMode) return modeMismatch(mode, modeText);
                  OpenConnection opened;
                  if (auto refused = authenticate(clouds.fixture, opened)) return refused;
                  if (auto unreachable = cloudsim::reachService(clouds.fixture.network, {}, opened.serviceHost))
                    return unreachable;
                  record.connection = ++clouds.connectionsOpened;
                  opened.serial = record.connection;
                  opened.simulatorIdentity = CloudSimulator::installed()->identity();
                  open = std::move(opened);
                  return std::nullopt;
                });
  }

  // A classic service operation on an existing service.
  bool onService(
      const char* operation, const std::string& serviceName,
      const std::function<CallFailure(cloudsim::OracleClassicAccount&, cloudsim::OracleClassicService&)>& work) {
    return callClassic(operation, {serviceName}, [&](cloudsim::OracleClassicAccount& account) -> CallFailure {
      cloudsim::OracleClassicService* service = nullptr;
      if (auto missing = cloudsim::findClassicService(account, serviceName, service)) return missing;
      return work(account, *service);
    });
  }
};

COracleCloudSDKCppBridge::COracleCloudSDKCppBridge(int mode) : state_(std::make_unique<State>()) {
  state_->mode = mode;
}

COracleCloudSDKCppBridge::~COracleCloudSDKCppBridge() = default;

int COracleCloudSDKCppBridge::mode() const {
  return state_->mode;
}

bool COracleCloudSDKCppBridge::Connect(const std::string& tenancyId, const std::string& user,
                                       const std::string& passPhrase) {
  return state_->connect("Connect", {tenancyId, user, kNotShown}, kModeInfrastructure, kNeedsInfrastructure,
                         [&](const cloudsim::CloudFixture& fixture, State::OpenConnection& opened) -> CallFailure {
                           std::string region;
                           if (auto refused = cloudsim::authenticateTenancy(fixture, tenancyId, user, passPhrase,
                                                                            opened.account, region)) {
                             return refused;
                           }
                           opened.serviceHost = ociServiceHost(region);
                           return std::nullopt;
                         });
}

bool COracleCloudSDKCppBridge::ConnectToPAAS(const std::string& endPoint, const std::string& user,
                                             const std::string& password) {
  return state_->connect("ConnectToPAAS", {endPoint, user, kNotShown}, kModeClassicServices, kNeedsClassic,
                         [&](const cloudsim::CloudFixture& fixture, State::OpenConnection& opened) -> CallFailure {
                           opened.serviceHost = cloudsim::endPointHost(endPoint);
                           return cloudsim::authenticateClassic(fixture, endPoint, user, password, opened.account);
                         });
}

void COracleCloudSDKCppBridge::Disconnect() {
  state_->call("Disconnect", {}, [](cloudsim::SimulatedClouds&, RecordedCall&) { return CallFailure{}; });
  state_->open.reset();
}

std::string COracleCloudSDKCppBridge::GetLastErrorString() const {
  return state_->lastError;
}

bool COracleCloudSDKCppBridge::GetDBInstanceInfo(const std::string& serviceName, SOracleDBInstanceInfo& out) {
  return state_->onService("GetDBInstanceInfo", serviceName,
                           [&](cloudsim::OracleClassicAccount&, cloudsim::OracleClassicService& service) {
                             out = service.record;
                             return CallFailure{};
                           });
}

bool COracleCloudSDKCppBridge::GetComputeNodeList(const std::string& serviceName,
                                                  std::vector<SOracleDBComputeNode>& out) {
  out.clear();
  return state_->onService("GetComputeNodeList", serviceName,
                           [&](cloudsim::OracleClassicAccount&, cloudsim::OracleClassicService& service) {
                             out = service.computeNodes;
                             return CallFailure{};
                           });
}

bool COracleCloudSDKCppBridge::GetDBInstanceList(std::vector<SOracleDBInstanceInfo>& out) {
  out.clear();
  return state_->callClassic("GetDBInstanceList", {}, [&](cloudsim::OracleClassicAccount& account) {
    for (const cloudsim::OracleClassicService& service : account.databaseServices) out.push_back(service.record);
    return CallFailure{};
  });
}

bool COracleCloudSDKCppBridge::CreateDBInstance(SOracleDBInstanceInfo& service) {
  SOracleDBInstanceInfo created = service;
  const bool ok = state_->callClassic(
      "CreateDBInstance", {service.serviceName, service.version, service.edition, service.shape},
      [&](cloudsim::OracleClassicAccount& account) { return cloudsim::createClassicService(account, created); });
  if (ok) service = std::move(created);
  return ok;
}

bool COracleCloudSDKCppBridge::DeleteDBInstance(const SOracleDBInstanceInfo& service) {
  return state_->callClassic("DeleteDBInstance", {service.serviceName}, [&](cloudsim::OracleClassicAccount& account) {
    cloudsim::OracleClassicService* found = nullptr;
    if (auto missing = cloudsim::findClassicService(account, service.serviceName, found)) return missing;
    std::erase_if(account.databaseServices, [&](const cloudsim::OracleClassicService& existing) {
      return existing.record.serviceName == service.serviceName;
    });
    return CallFailure{};
  });
}

bool COracleCloudSDKCppBridge::ScaleDBInstance(const SOracleDBInstanceInfo& service) {
  return state_->onService(
      "ScaleDBInstance", service.serviceName,
      [&](cloudsim::OracleClassicAccount&, cloudsim::OracleClassicService& existing) -> CallFailure {
        if (service.shape.empty()) return std::string("A compute shape is required.");
        if (existing.record.status != "Running") {
          return "Service instance " + service.serviceName + " must be running to be scaled.";
        }
        existing.record.shape = service.shape;
        for (SOracleDBComputeNode& node : existing.computeNodes) node.shape = service.shape;
        return std::nullopt;
      });
}

bool COracleCloudSDKCppBridge::StartDBInstance(const SOracleDBInstanceInfo& service) {
  return state_->onService(
      "StartDBInstance", service.serviceName,
      [&](cloudsim::OracleClassicAccount&, cloudsim::OracleClassicService& existing) -> CallFailure {
        if (existing.record.status == "Running") {
          return "Service instance " + service.serviceName + " is already running.";
        }
        existing.record.status = "Running";
        return std::nullopt;
      });
}

bool COracleCloudSDKCppBridge::StopDBInstance(const SOracleDBInstanceInfo& service) {
  return state_->onService(
      "StopDBInstance", service.serviceName,
      [&](cloudsim::OracleClassicAccount&, cloudsim::OracleClassicService& existing) -> CallFailure {
        if (existing.record.status == "Stopped") {
          return "Service instance " + service.serviceName + " is already stopped.";
        }
        existing.record.status = "Stopped";
        return std::nullopt;
      });
}

bool COracleCloudSDKCppBridge::RestartDBInstance(const SOracleDBInstanceInfo& service) {
  return state_->onService(
      "RestartDBInstance", service.serviceName,
      [&](cloudsim::OracleClassicAccount&, cloudsim::OracleClassicService& existing) -> CallFailure {
        if (existing.record.status != "Running") {
          return "Service instance " + service.serviceName + " must be running to be restarted.";
        }
        return std::nullopt;
      });
}

bool COracleCloudSDKCppBridge::GetJavaInstanceList(std::vector<SJavaInstanceInfo>& out) {
  out.clear();
  return state_->callClassic("GetJavaInstanceList", {}, [&](cloudsim::OracleClassicAccount& account) {
    out = account.javaInstances;
    return CallFailure{};
  });
}

bool COracleCloudSDKCppBridge::GetMySQLInstanceList(std::vector<SMySQLInstanceInfo>& out) {
  out.clear();
  return state_->callClassic("GetMySQLInstanceList", {}, [&](cloudsim::OracleClassicAccount& account) {
    out = account.mysqlInstances;
    return CallFailure{};
  });
}

bool COracleCloudSDKCppBridge::GetDbSystemList(std::vector<SOCIDbSystemInfo>& out, const std::string& compartmentId) {
  out.clear();  // the caller reuses the list; a failure must not leave another parent's children
  return state_->callTenancy("GetDbSystemList", {compartmentId}, [&](cloudsim::OracleTenancy& tenancy) -> CallFailure {
    cloudsim::OracleCompartment* compartment = nullptr;
    if (auto missing = cloudsim::findCompartment(tenancy, compartmentId, compartment)) return missing;
    if (!compartment->databasesReadable) return std::string(cloudsim::oracletext::kNotFound);
    for (const cloudsim::OracleDbSystem& system : compartment->dbSystems) out.push_back(system.record);
    return CallFailure{};
  });
}

bool COracleCloudSDKCppBridge::GetDbHomeList(std::vector<SOCIDbHomeInfo>& out, const std::string& compartmentId,
                                             const std::string& dbSystemId) {
  out.clear();
  return state_->callTenancy("GetDbHomeList", {compartmentId, dbSystemId}, [&](cloudsim::OracleTenancy& tenancy) {
    cloudsim::OracleCompartment* compartment = nullptr;
    cloudsim::OracleDbSystem* system = nullptr;
    if (auto missing = cloudsim::findCompartment(tenancy, compartmentId, compartment)) return missing;
    if (auto missing = cloudsim::findDbSystem(*compartment, dbSystemId, system)) return missing;
    for (const cloudsim::OracleDbHome& home : system->dbHomes) out.push_back(home.record);
    return CallFailure{};
  });
}

bool COracleCloudSDKCppBridge::GetDatabaseList(std::vector<SOCIDatabaseInfo>& out, const std::string& compartmentId,
                                               const std::string& dbHomeId) {
  out.clear();
  return state_->callTenancy("GetDatabaseList", {compartmentId, dbHomeId}, [&](cloudsim::OracleTenancy& tenancy) {
    cloudsim::OracleCompartment* compartment = nullptr;
    cloudsim::OracleDbHome* home = nullptr;
    if (auto missing = cloudsim::findCompartment(tenancy, compartmentId, compartment)) return missing;
    if (auto missing = cloudsim::findDbHome(*compartment, dbHomeId, home)) return missing;
    out = home->databases;
    return CallFailure{};
  });
}

bool COracleCloudSDKCppBridge::GetHostInfoList(unsigned long long parentId, int depth, const std::string& filter,
                                               std::vector<VMInfoStructs::SHostInfo>& out) {
  out.clear();
  return state_->callTenancy(
      "GetHostInfoList", {std::to_string(parentId), std::to_string(depth), filter},
      [&](cloudsim::OracleTenancy& tenancy) -> CallFailure {
        // Compartments are listed from the tenancy's root, every level at once.
        if (parentId != 0 || depth != 0)
          return std::string("Only the tenancy's compartments can be listed (parent 0, depth 0).");
        for (const cloudsim::OracleCompartment& compartment : tenancy.compartments) {
          if (filter.empty() || compartment.record.name == filter) out.push_back(compartment.record);
        }
        return std::nullopt;
      });
}

}  // namespace OracleCloudSDKCppBridge
