// The Azure resource client. The simulator does not serve Azure yet, so every call fails
// honestly; the fixture's "azure" accounts are what it will serve.
#include "bridges/AzureSDKCppBridge.h"

#include "UnsupportedCall.h"

namespace AzureSDKCppBridge {
namespace {
constexpr CloudBridgeKind kBridge = CloudBridgeKind::Azure;
constexpr const char* kNotShown = "***NOT SHOWN***";
}  // namespace

bool CAzureSDKCppBridge::Initialize(const std::string& focusName, const std::string& applicationName,
                                    long long jobId, int instanceType) {
  return cloudsim::failUnsupported(kBridge, "Initialize",
                                   {focusName, applicationName, std::to_string(jobId), std::to_string(instanceType)},
                                   lastError_);
}

bool CAzureSDKCppBridge::Connect(const std::string& login, const std::string& applicationId,
                                 const std::string& /*password*/) {
  return cloudsim::failUnsupported(kBridge, "Connect", {login, applicationId, kNotShown}, lastError_);
}

bool CAzureSDKCppBridge::SetWebProxy(const std::string& hostAndPort, const std::string& user,
                                     const std::string& /*password*/) {
  return cloudsim::failUnsupported(kBridge, "SetWebProxy", {hostAndPort, user, kNotShown}, lastError_);
}

std::string CAzureSDKCppBridge::GetLastErrorString() const { return lastError_; }

int CAzureSDKCppBridge::RefreshDBInstanceInfoList(unsigned long long first, int count, const std::string& firstText,
                                                  const std::string& secondText) {
  cloudsim::failUnsupported(kBridge, "RefreshDBInstanceInfoList",
                            {std::to_string(first), std::to_string(count), firstText, secondText}, lastError_);
  return -1;
}

int CAzureSDKCppBridge::RefreshDBInstanceInfoList(unsigned long long first, int count, const std::string& firstText,
                                                  const std::string& secondText,
                                                  const RDSInfoStructs::SDBInstanceFilter& filter) {
  cloudsim::failUnsupported(
      kBridge, "RefreshDBInstanceInfoList",
      {std::to_string(first), std::to_string(count), firstText, secondText, std::to_string(filter.engineType)},
      lastError_);
  return -1;
}

bool CAzureSDKCppBridge::GetDBInstanceInfoList(std::vector<RDSInfoStructs::SDBInstanceInfo>& /*out*/,
                                               unsigned long long first, int count) {
  return cloudsim::failUnsupported(kBridge, "GetDBInstanceInfoList", {std::to_string(first), std::to_string(count)},
                                   lastError_);
}

bool CAzureSDKCppBridge::GetStorageAccountInfoList(const std::string& filter, int first, int count,
                                                   std::vector<VMInfoStructs::SDatastoreInfo>& /*out*/,
                                                   bool withKeys) {
  return cloudsim::failUnsupported(kBridge, "GetStorageAccountInfoList",
                                   {filter, std::to_string(first), std::to_string(count), withKeys ? "true" : "false"},
                                   lastError_);
}

bool CAzureSDKCppBridge::GetTableStorageAuthenticationInfo(const std::string& storageAccount,
                                                           std::string& /*serviceAddress*/,
                                                           std::string& /*accessKey*/) {
  return cloudsim::failUnsupported(kBridge, "GetTableStorageAuthenticationInfo", {storageAccount}, lastError_);
}

}  // namespace AzureSDKCppBridge
