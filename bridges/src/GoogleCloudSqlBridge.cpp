// The Google Cloud client's Cloud SQL listing: the instances of the signed-in service account.
#include "AmazonBridgeState.h"  // argumentText
#include "AwsQueries.h"
#include "RelationalServers.h"
#include "SimulatedCall.h"
#include "bridges/GoogleCloudSDKCppBridge.h"

namespace GoogleCloudSDKCppBridge {

using cloudsim::CallFailure;

namespace {
constexpr CloudBridgeKind kBridge = CloudBridgeKind::Google;
constexpr const char* kServiceHost = "sqladmin.googleapis.com";
const cloudsim::RelationalNaming kNaming{"https://sqladmin.googleapis.com/v1/instances/", ""};
}  // namespace

bool CGoogleCloudSDKCppBridge::RefreshDBInstanceInfoList(unsigned long long first, int count) {
  sqlInstances_.clear();
  std::vector<RDSInfoStructs::SDBInstanceInfo> found;
  const bool ok = cloudbridge::simulatedCall(
      kBridge, "RefreshDBInstanceInfoList", {AmazonSDKCppBridge::argumentText(first), std::to_string(count)},
      connection_,
      [&](cloudsim::SimulatedClouds& clouds, RecordedCall&) -> CallFailure {
        if (auto unusable = cloudbridge::checkConnection(connection_, clouds, kServiceHost)) return unusable;
        if (auto bad = cloudsim::checkRange(first, count)) return bad;
        found = cloudsim::selectRelationalServers(clouds.fixture.googleAccounts[connection_->account].sqlInstances,
                                                  RDSInfoStructs::SDBInstanceFilter{}, kNaming);
        return std::nullopt;
      },
      lastError_);
  if (ok) sqlInstances_ = cloudsim::sliceOf(found, first, count);
  return ok;
}

bool CGoogleCloudSDKCppBridge::GetDBInstanceInfoList(std::vector<RDSInfoStructs::SDBInstanceInfo>& out,
                                                     unsigned long long first, int count) {
  return cloudbridge::simulatedCall(
      kBridge, "GetDBInstanceInfoList", {AmazonSDKCppBridge::argumentText(first), std::to_string(count)}, connection_,
      [&](cloudsim::SimulatedClouds&, RecordedCall&) -> CallFailure {
        if (auto bad = cloudsim::checkRange(first, count)) return bad;
        const auto slice = cloudsim::sliceOf(sqlInstances_, first, count);
        out.insert(out.end(), slice.begin(), slice.end());
        return std::nullopt;
      },
      lastError_);
}

}  // namespace GoogleCloudSDKCppBridge
