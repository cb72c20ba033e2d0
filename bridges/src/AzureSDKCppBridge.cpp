// The Azure resource client's storage operations and proxy. The simulator does not serve them
// yet, so every call fails honestly. The sign-in and the relational listing are in
// AzureRelationalBridge.cpp.
#include "bridges/AzureSDKCppBridge.h"

#include "UnsupportedCall.h"

namespace AzureSDKCppBridge {
namespace {
constexpr CloudBridgeKind kBridge = CloudBridgeKind::Azure;
constexpr const char* kNotShown = "***NOT SHOWN***";
}  // namespace

bool CAzureSDKCppBridge::SetWebProxy(const std::string& hostAndPort, const std::string& user,
                                     const std::string& /*password*/) {
  return cloudsim::failUnsupported(kBridge, "SetWebProxy", {hostAndPort, user, kNotShown}, lastError_);
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
