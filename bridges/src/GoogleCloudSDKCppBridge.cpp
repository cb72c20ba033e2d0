// The Google Cloud client's Cloud SQL listing. The simulator does not serve it yet, so these
// calls fail honestly; the fixture's "sqlInstances" are what it will serve.
#include "bridges/GoogleCloudSDKCppBridge.h"

#include "GoogleBridgeState.h"
#include "UnsupportedCall.h"

namespace GoogleCloudSDKCppBridge {
namespace {
constexpr CloudBridgeKind kBridge = CloudBridgeKind::Google;
}  // namespace

bool CGoogleCloudSDKCppBridge::RefreshDBInstanceInfoList(unsigned long long first, int count) {
  return cloudsim::failUnsupported(kBridge, "RefreshDBInstanceInfoList", {std::to_string(first), std::to_string(count)},
                                   state_->lastError);
}

bool CGoogleCloudSDKCppBridge::GetDBInstanceInfoList(std::vector<RDSInfoStructs::SDBInstanceInfo>& /*out*/,
                                                     unsigned long long first, int count) {
  return cloudsim::failUnsupported(kBridge, "GetDBInstanceInfoList", {std::to_string(first), std::to_string(count)},
                                   state_->lastError);
}

}  // namespace GoogleCloudSDKCppBridge
