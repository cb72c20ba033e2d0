// The Google Cloud client. The simulator does not serve Google Cloud yet, so every call fails
// honestly; the fixture's "google" accounts are what it will serve.
#include "bridges/GoogleCloudSDKCppBridge.h"

#include "UnsupportedCall.h"

namespace GoogleCloudSDKCppBridge {
namespace {
constexpr CloudBridgeKind kBridge = CloudBridgeKind::Google;
}  // namespace

bool CGoogleCloudSDKCppBridge::Connect(const std::string& keyFile, const std::string& serviceAccountId,
                                       const std::string& /*keyPassword*/) {
  return cloudsim::failUnsupported(kBridge, "Connect", {keyFile, serviceAccountId, "***NOT SHOWN***"}, lastError_);
}

bool CGoogleCloudSDKCppBridge::Disconnect() {
  return cloudsim::failUnsupported(kBridge, "Disconnect", {}, lastError_);
}

std::string CGoogleCloudSDKCppBridge::GetLastError() const { return lastError_; }

bool CGoogleCloudSDKCppBridge::RefreshDBInstanceInfoList(unsigned long long first, int count) {
  return cloudsim::failUnsupported(kBridge, "RefreshDBInstanceInfoList", {std::to_string(first), std::to_string(count)},
                                   lastError_);
}

bool CGoogleCloudSDKCppBridge::GetDBInstanceInfoList(std::vector<RDSInfoStructs::SDBInstanceInfo>& /*out*/,
                                                     unsigned long long first, int count) {
  return cloudsim::failUnsupported(kBridge, "GetDBInstanceInfoList", {std::to_string(first), std::to_string(count)},
                                   lastError_);
}

bool CGoogleCloudSDKCppBridge::ListProjects(std::vector<GoogleCloudSDKWrapper::SProjectInfoLib>& /*out*/) {
  return cloudsim::failUnsupported(kBridge, "ListProjects", {}, lastError_);
}

bool CGoogleCloudSDKCppBridge::GetSpannerInstancesList(
    const std::string& project, std::vector<GoogleCloudSDKWrapper::SSpannerInstanceInfoLib>& /*out*/) {
  return cloudsim::failUnsupported(kBridge, "GetSpannerInstancesList", {project}, lastError_);
}

bool CGoogleCloudSDKCppBridge::GetSpannerDatabasesList(
    const std::string& project, const std::string& instance,
    std::vector<GoogleCloudSDKWrapper::SSpannerDatabaseInfoLib>& /*out*/) {
  return cloudsim::failUnsupported(kBridge, "GetSpannerDatabasesList", {project, instance}, lastError_);
}

}  // namespace GoogleCloudSDKCppBridge
