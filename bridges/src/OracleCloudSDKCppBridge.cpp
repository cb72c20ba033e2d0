// The Oracle Cloud client. The simulator does not serve Oracle Cloud yet, so every call fails
// honestly; the fixture's "oracle" and "oracle-classic" accounts are what it will serve.
#include "bridges/OracleCloudSDKCppBridge.h"

#include "UnsupportedCall.h"

namespace OracleCloudSDKCppBridge {
namespace {
constexpr CloudBridgeKind kBridge = CloudBridgeKind::Oracle;
constexpr const char* kNotShown = "***NOT SHOWN***";
}  // namespace

using namespace CloudDBInfoStructs;

bool COracleCloudSDKCppBridge::Connect(const std::string& tenancyId, const std::string& user,
                                       const std::string& /*passPhrase*/) {
  return cloudsim::failUnsupported(kBridge, "Connect", {tenancyId, user, kNotShown}, lastError_);
}

bool COracleCloudSDKCppBridge::ConnectToPAAS(const std::string& endPoint, const std::string& user,
                                             const std::string& /*password*/) {
  return cloudsim::failUnsupported(kBridge, "ConnectToPAAS", {endPoint, user, kNotShown}, lastError_);
}

void COracleCloudSDKCppBridge::Disconnect() { cloudsim::failUnsupported(kBridge, "Disconnect", {}, lastError_); }

std::string COracleCloudSDKCppBridge::GetLastErrorString() const { return lastError_; }

bool COracleCloudSDKCppBridge::GetDBInstanceInfo(const std::string& serviceName, SOracleDBInstanceInfo& /*out*/) {
  return cloudsim::failUnsupported(kBridge, "GetDBInstanceInfo", {serviceName}, lastError_);
}

bool COracleCloudSDKCppBridge::GetComputeNodeList(const std::string& serviceName,
                                                  std::vector<SOracleDBComputeNode>& /*out*/) {
  return cloudsim::failUnsupported(kBridge, "GetComputeNodeList", {serviceName}, lastError_);
}

bool COracleCloudSDKCppBridge::GetDBInstanceList(std::vector<SOracleDBInstanceInfo>& /*out*/) {
  return cloudsim::failUnsupported(kBridge, "GetDBInstanceList", {}, lastError_);
}

bool COracleCloudSDKCppBridge::CreateDBInstance(SOracleDBInstanceInfo& service) {
  return cloudsim::failUnsupported(kBridge, "CreateDBInstance", {service.serviceName}, lastError_);
}

bool COracleCloudSDKCppBridge::DeleteDBInstance(const SOracleDBInstanceInfo& service) {
  return cloudsim::failUnsupported(kBridge, "DeleteDBInstance", {service.serviceName}, lastError_);
}

bool COracleCloudSDKCppBridge::ScaleDBInstance(const SOracleDBInstanceInfo& service) {
  return cloudsim::failUnsupported(kBridge, "ScaleDBInstance", {service.serviceName}, lastError_);
}

bool COracleCloudSDKCppBridge::StartDBInstance(const SOracleDBInstanceInfo& service) {
  return cloudsim::failUnsupported(kBridge, "StartDBInstance", {service.serviceName}, lastError_);
}

bool COracleCloudSDKCppBridge::StopDBInstance(const SOracleDBInstanceInfo& service) {
  return cloudsim::failUnsupported(kBridge, "StopDBInstance", {service.serviceName}, lastError_);
}

bool COracleCloudSDKCppBridge::RestartDBInstance(const SOracleDBInstanceInfo& service) {
  return cloudsim::failUnsupported(kBridge, "RestartDBInstance", {service.serviceName}, lastError_);
}

bool COracleCloudSDKCppBridge::GetJavaInstanceList(std::vector<SJavaInstanceInfo>& /*out*/) {
  return cloudsim::failUnsupported(kBridge, "GetJavaInstanceList", {}, lastError_);
}

bool COracleCloudSDKCppBridge::GetMySQLInstanceList(std::vector<SMySQLInstanceInfo>& /*out*/) {
  return cloudsim::failUnsupported(kBridge, "GetMySQLInstanceList", {}, lastError_);
}

bool COracleCloudSDKCppBridge::GetDbSystemList(std::vector<SOCIDbSystemInfo>& out, const std::string& compartmentId) {
  out.clear();  // the caller reuses the list; a failure must not leave another parent's children
  return cloudsim::failUnsupported(kBridge, "GetDbSystemList", {compartmentId}, lastError_);
}

bool COracleCloudSDKCppBridge::GetDbHomeList(std::vector<SOCIDbHomeInfo>& out, const std::string& compartmentId,
                                             const std::string& dbSystemId) {
  out.clear();
  return cloudsim::failUnsupported(kBridge, "GetDbHomeList", {compartmentId, dbSystemId}, lastError_);
}

bool COracleCloudSDKCppBridge::GetDatabaseList(std::vector<SOCIDatabaseInfo>& out, const std::string& compartmentId,
                                               const std::string& dbHomeId) {
  out.clear();
  return cloudsim::failUnsupported(kBridge, "GetDatabaseList", {compartmentId, dbHomeId}, lastError_);
}

bool COracleCloudSDKCppBridge::GetHostInfoList(unsigned long long parentId, int depth, const std::string& filter,
                                               std::vector<VMInfoStructs::SHostInfo>& /*out*/) {
  return cloudsim::failUnsupported(kBridge, "GetHostInfoList", {std::to_string(parentId), std::to_string(depth), filter},
                                   lastError_);
}

}  // namespace OracleCloudSDKCppBridge
