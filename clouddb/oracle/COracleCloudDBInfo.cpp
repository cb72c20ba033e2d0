// The provider's connection and the thin wrappers around the Oracle client bridge.
#include "clouddb/oracle/COracleCloudDBInfo.h"

#include "clouddb/oracle/OracleCredentials.h"
#include "clouddb/oracle/OracleTexts.h"

using namespace CloudDBInfoStructs;
namespace texts = clouddb::oracle::texts;

namespace {

constexpr int kLevelFlow = 2;

bool isInfrastructureService(EOracleService service) {
  return service >= ORACLE_OCI_COMPUTE && service <= ORACLE_OCI_OBJECT_STORAGE;
}

}  // namespace

COracleCloudDBInfo::COracleCloudDBInfo() : COracleCloudDBInfo(OracleCloudSDKCppBridge::kModeClassicServices) {}

COracleCloudDBInfo::COracleCloudDBInfo(int mode) {
  log_.DebugLvl("COracleCloudDBInfo", kLevelFlow, texts::kStart);
  bridge_ = std::make_unique<OracleCloudSDKCppBridge::COracleCloudSDKCppBridge>(mode);
}

COracleCloudDBInfo::~COracleCloudDBInfo() = default;

bool COracleCloudDBInfo::Connect(const std::string& endpoint, const std::string& user, const std::string& password,
                                 EOracleService service) {
  static constexpr char kTag[] = "Connect";
  log_.DebugLvl(kTag, kLevelFlow, texts::kStart);
  url_ = endpoint;
  userName_ = user;
  password_ = password;
  log_.Debug(kTag, texts::kConnecting, endpoint.c_str(), user.c_str());
  const bool connected = isInfrastructureService(service) ? bridge_->Connect(endpoint, user, password)
                                                          : bridge_->ConnectToPAAS(endpoint, user, password);
  if (connected) {
    log_.Debug(kTag, texts::kConnectionSuccessful);
  } else {
    log_.Debug(kTag, texts::kConnectFailed);
    log_.Debug(kTag, texts::kCloudReason, bridge_->GetLastErrorString().c_str());
  }
  log_.DebugLvl(kTag, kLevelFlow, texts::kEnd);
  return connected;
}

int COracleCloudDBInfo::Disconnect() {
  static constexpr char kTag[] = "Disconnect";
  log_.DebugLvl(kTag, kLevelFlow, texts::kStart);
  bridge_->Disconnect();
  log_.DebugLvl(kTag, kLevelFlow, texts::kEnd);
  return 1;
}

bool COracleCloudDBInfo::connectInfrastructure(std::uint64_t instanceId, std::string& tenancyId) {
  const clouddb::oracle::InfrastructureCredentials credentials =
      clouddb::oracle::readInfrastructureCredentials(instanceId);
  tenancyId = credentials.tenancyId;
  return Connect(credentials.tenancyId, credentials.userString, credentials.passPhrase, ORACLE_OCI_DATABASE);
}

bool COracleCloudDBInfo::connectClassic(std::uint64_t instanceId) {
  const clouddb::oracle::ClassicCredentials credentials = clouddb::oracle::readClassicCredentials(instanceId);
  return Connect(credentials.endpointUrl, credentials.userName, credentials.password, ORACLE_DATABASE_CLASSIC);
}

int COracleCloudDBInfo::failedWithReason(const char* tag) {
  log_.Debug(tag, texts::kCloudReason, bridge_->GetLastErrorString().c_str());
  return 0;
}

int COracleCloudDBInfo::GetDBInstanceInfo(const std::string& serviceName, SOracleDBInstanceInfo& out) {
  if (bridge_->GetDBInstanceInfo(serviceName, out)) return 1;
  log_.Error("GetDBInstanceInfo", texts::kDbInfoFailed, serviceName.c_str());
  return failedWithReason("GetDBInstanceInfo");
}

int COracleCloudDBInfo::GetComputeNodeList(const std::string& serviceName, std::vector<SOracleDBComputeNode>& out) {
  if (bridge_->GetComputeNodeList(serviceName, out)) return 1;
  log_.Error("GetComputeNodeList", texts::kDbInfoListFailed);
  return failedWithReason("GetComputeNodeList");
}

int COracleCloudDBInfo::GetDBInstanceList(std::vector<SOracleDBInstanceInfo>& out) {
  if (bridge_->GetDBInstanceList(out)) return 1;
  log_.Error("GetDBInstanceList", texts::kDbInfoListFailed);
  return failedWithReason("GetDBInstanceList");
}

int COracleCloudDBInfo::CreateDBInstance(SOracleDBInstanceInfo& service) {
  if (bridge_->CreateDBInstance(service)) return 1;
  log_.Error("CreateDBInstance", texts::kCreateFailed, service.serviceName.c_str());
  return failedWithReason("CreateDBInstance");
}

int COracleCloudDBInfo::DeleteDBInstance(const SOracleDBInstanceInfo& service) {
  if (bridge_->DeleteDBInstance(service)) return 1;
  log_.Error("DeleteDBInstance", texts::kDeleteFailed, service.serviceName.c_str());
  return failedWithReason("DeleteDBInstance");
}

int COracleCloudDBInfo::ScaleDBInstance(const SOracleDBInstanceInfo& service) {
  if (bridge_->ScaleDBInstance(service)) return 1;
  log_.Error("ScaleDBInstance", texts::kScaleFailed, service.serviceName.c_str());
  return failedWithReason("ScaleDBInstance");
}

int COracleCloudDBInfo::StartDBInstance(const SOracleDBInstanceInfo& service) {
  if (bridge_->StartDBInstance(service)) return 1;
  log_.Error("StartDBInstance", texts::kStartFailed, service.serviceName.c_str());
  return failedWithReason("StartDBInstance");
}

int COracleCloudDBInfo::StopDBInstance(const SOracleDBInstanceInfo& service) {
  if (bridge_->StopDBInstance(service)) return 1;
  log_.Error("StopDBInstance", texts::kStopFailed, service.serviceName.c_str());
  return failedWithReason("StopDBInstance");
}

int COracleCloudDBInfo::RestartDBInstance(const SOracleDBInstanceInfo& service) {
  if (bridge_->RestartDBInstance(service)) return 1;
  log_.Error("RestartDBInstance", texts::kRestartFailed, service.serviceName.c_str());
  return failedWithReason("RestartDBInstance");
}

int COracleCloudDBInfo::GetJavaInstanceList(std::vector<SJavaInstanceInfo>& out) {
  if (bridge_->GetJavaInstanceList(out)) return 1;
  log_.Error("GetJavaInstanceList", texts::kJavaListFailed);
  return failedWithReason("GetJavaInstanceList");
}

int COracleCloudDBInfo::GetMySQLInstanceList(std::vector<SMySQLInstanceInfo>& out) {
  if (bridge_->GetMySQLInstanceList(out)) return 1;
  log_.Error("GetMySQLInstanceList", texts::kMySQLListFailed);
  return failedWithReason("GetMySQLInstanceList");
}

int COracleCloudDBInfo::GetCompartmentList(std::vector<VMInfoStructs::SHostInfo>& out) {
  // Parent 0, depth 0 and no filter: every compartment of the tenancy.
  if (bridge_->GetHostInfoList(0, 0, "", out)) return 1;
  log_.Error("GetCompartmentList", texts::kCompartmentsFailed);
  return failedWithReason("GetCompartmentList");
}

int COracleCloudDBInfo::GetDbSystemList(std::vector<SOCIDbSystemInfo>& out, const std::string& compartmentId) {
  if (bridge_->GetDbSystemList(out, compartmentId)) return 1;
  log_.Error("GetDbSystemList", texts::kDbSystemsFailed, compartmentId.c_str());
  return failedWithReason("GetDbSystemList");
}

int COracleCloudDBInfo::GetDbHomeList(std::vector<SOCIDbHomeInfo>& out, const std::string& compartmentId,
                                      const std::string& dbSystemId) {
  if (bridge_->GetDbHomeList(out, compartmentId, dbSystemId)) return 1;
  log_.Error("GetDbHomeList", texts::kDbHomesFailed, compartmentId.c_str(), dbSystemId.c_str());
  return failedWithReason("GetDbHomeList");
}

int COracleCloudDBInfo::GetOCIDBInstanceList(std::vector<SOCIDatabaseInfo>& out, const std::string& compartmentId,
                                             const std::string& dbHomeId) {
  if (bridge_->GetDatabaseList(out, compartmentId, dbHomeId)) return 1;
  log_.Error("GetOCIDBInstanceList", texts::kDatabasesFailed, compartmentId.c_str(), dbHomeId.c_str());
  return failedWithReason("GetOCIDBInstanceList");
}
