// The Google Cloud client's Spanner operations. The simulator does not serve them yet, so every
// call fails honestly; the fixture's "google" accounts are what it will serve. The connection is
// in GoogleCloudConnect.cpp, the Cloud SQL listing in GoogleCloudSqlBridge.cpp.
#include "bridges/GoogleCloudSDKCppBridge.h"

#include "UnsupportedCall.h"

namespace GoogleCloudSDKCppBridge {
namespace {
constexpr CloudBridgeKind kBridge = CloudBridgeKind::Google;
}  // namespace

std::string CGoogleCloudSDKCppBridge::GetLastError() const { return lastError_; }

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
