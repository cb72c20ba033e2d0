// The Google Cloud client's Cloud SQL listing: the instances of the signed-in service account.
#include "AmazonBridgeState.h"  // argumentText
#include "AwsQueries.h"
#include "GoogleBridgeState.h"
#include "RelationalServers.h"
#include "bridges/GoogleCloudSDKCppBridge.h"

namespace GoogleCloudSDKCppBridge {

namespace {
constexpr const char* kServiceHost = "sqladmin.googleapis.com";
const cloudsim::RelationalNaming kNaming{"https://sqladmin.googleapis.com/v1/instances/", ""};
}  // namespace

bool CGoogleCloudSDKCppBridge::RefreshDBInstanceInfoList(unsigned long long first, int count) {
  state_->sqlInstances.clear();
  std::vector<RDSInfoStructs::SDBInstanceInfo> found;
  const bool ok = state_->callService(
      "RefreshDBInstanceInfoList", {AmazonSDKCppBridge::argumentText(first), std::to_string(count)}, kServiceHost,
      [&](const cloudsim::GoogleAccount& account) -> cloudsim::CallFailure {
        if (auto bad = cloudsim::checkRange(first, count)) return bad;
        found = cloudsim::selectRelationalServers(account.sqlInstances, RDSInfoStructs::SDBInstanceFilter{}, kNaming);
        return std::nullopt;
      });
  if (ok) state_->sqlInstances = cloudsim::sliceOf(found, first, count);
  return ok;
}

bool CGoogleCloudSDKCppBridge::GetDBInstanceInfoList(std::vector<RDSInfoStructs::SDBInstanceInfo>& out,
                                                     unsigned long long first, int count) {
  return state_->call("GetDBInstanceInfoList", {AmazonSDKCppBridge::argumentText(first), std::to_string(count)},
                      [&](cloudsim::SimulatedClouds&, RecordedCall&) -> cloudsim::CallFailure {
                        if (auto bad = cloudsim::checkRange(first, count)) return bad;
                        const auto slice = cloudsim::sliceOf(state_->sqlInstances, first, count);
                        out.insert(out.end(), slice.begin(), slice.end());
                        return std::nullopt;
                      });
}

}  // namespace GoogleCloudSDKCppBridge
