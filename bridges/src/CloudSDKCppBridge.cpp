// The Azure resource-manager client for database accounts. The simulator does not serve it
// yet, so every call fails honestly.
#include "bridges/CloudSDKCppBridge.h"

#include "UnsupportedCall.h"

namespace CloudSDKCppBridge {
namespace {
constexpr CloudBridgeKind kBridge = CloudBridgeKind::AzureResourceManager;
constexpr const char* kNotShown = "***NOT SHOWN***";
}  // namespace

bool CCloudSDKCppBridge::Initialize(const std::string& focusName, const std::string& applicationName,
                                    long long jobId, int instanceType) {
  return cloudsim::failUnsupported(kBridge, "Initialize",
                                   {focusName, applicationName, std::to_string(jobId), std::to_string(instanceType)},
                                   lastError_);
}

bool CCloudSDKCppBridge::Connect(const std::string& login, const std::string& applicationId,
                                 const std::string& /*password*/) {
  return cloudsim::failUnsupported(kBridge, "Connect", {login, applicationId, kNotShown}, lastError_);
}

bool CCloudSDKCppBridge::SetWebProxy(const std::string& hostAndPort, const std::string& user,
                                     const std::string& /*password*/) {
  return cloudsim::failUnsupported(kBridge, "SetWebProxy", {hostAndPort, user, kNotShown}, lastError_);
}

std::string CCloudSDKCppBridge::GetLastErrorString() const { return lastError_; }

bool CCloudSDKCppBridge::GetDatabaseAccountInfoList(const std::string& filter, int browseType,
                                                    std::vector<SStorageAccountInfo>& /*out*/) {
  return cloudsim::failUnsupported(kBridge, "GetDatabaseAccountInfoList", {filter, std::to_string(browseType)},
                                   lastError_);
}

bool CCloudSDKCppBridge::GetCosmosDBAuthenticationInfo(const std::string& account, std::string& /*accountAddress*/,
                                                       std::string& /*key*/) {
  return cloudsim::failUnsupported(kBridge, "GetCosmosDBAuthenticationInfo", {account}, lastError_);
}

bool CCloudSDKCppBridge::ListCosmosDBDatabases(const std::string& accountAddress, const std::string& /*key*/,
                                               bool useGateway, std::vector<SString>& /*out*/) {
  return cloudsim::failUnsupported(kBridge, "ListCosmosDBDatabases",
                                   {accountAddress, kNotShown, useGateway ? "true" : "false"}, lastError_);
}

bool CCloudSDKCppBridge::ListCosmosDBContainers(const std::string& accountAddress, const std::string& /*key*/,
                                                const std::string& database, bool useGateway,
                                                std::vector<SString>& /*out*/) {
  return cloudsim::failUnsupported(kBridge, "ListCosmosDBContainers",
                                   {accountAddress, kNotShown, database, useGateway ? "true" : "false"}, lastError_);
}

}  // namespace CloudSDKCppBridge
