// The Azure resource client's relational listing: the subscription's database servers.
#include "AmazonBridgeState.h"  // argumentText, filterText
#include "AwsQueries.h"
#include "AzureBridgeState.h"
#include "RelationalServers.h"
#include "bridges/AzureSDKCppBridge.h"

namespace AzureSDKCppBridge {

using cloudsim::CallFailure;

int CAzureSDKCppBridge::RefreshDBInstanceInfoList(unsigned long long first, int count, const std::string& location,
                                                  const std::string& serverName) {
  return RefreshDBInstanceInfoList(first, count, location, serverName, RDSInfoStructs::SDBInstanceFilter{});
}

int CAzureSDKCppBridge::RefreshDBInstanceInfoList(unsigned long long first, int count, const std::string& location,
                                                  const std::string& serverName,
                                                  const RDSInfoStructs::SDBInstanceFilter& filter) {
  state_->instances.clear();
  std::vector<RDSInfoStructs::SDBInstanceInfo> found;
  const bool ok = state_->session.callManagement(
      "RefreshDBInstanceInfoList",
      {AmazonSDKCppBridge::argumentText(first), std::to_string(count), location, serverName,
       AmazonSDKCppBridge::filterText(filter)},
      [&](const cloudsim::AzureSubscription& subscription) -> CallFailure {
        if (auto bad = cloudsim::checkRange(first, count)) return bad;
        if (auto bad = cloudsim::checkInstanceFilter(filter)) return bad;
        const cloudsim::RelationalNaming naming{"/subscriptions/" + subscription.subscriptionId + "/servers/",
                                                ".database.azure.com"};
        found = cloudsim::selectRelationalServers(subscription.databaseServers, filter, naming);
        std::erase_if(found, [&](const RDSInfoStructs::SDBInstanceInfo& record) {
          return (!location.empty() && record.region != location) ||
                 (!serverName.empty() && record.instanceIdentifier != serverName);
        });
        return std::nullopt;
      });
  if (!ok) return -1;
  state_->instances = cloudsim::sliceOf(found, first, count);
  return static_cast<int>(state_->instances.size());
}

bool CAzureSDKCppBridge::GetDBInstanceInfoList(std::vector<RDSInfoStructs::SDBInstanceInfo>& out,
                                               unsigned long long first, int count) {
  return state_->session.call(
      "GetDBInstanceInfoList", {AmazonSDKCppBridge::argumentText(first), std::to_string(count)},
      [&](cloudsim::SimulatedClouds&, RecordedCall&) -> CallFailure {
        if (auto bad = cloudsim::checkRange(first, count)) return bad;
        const auto slice = cloudsim::sliceOf(state_->instances, first, count);
        out.insert(out.end(), slice.begin(), slice.end());
        return std::nullopt;
      });
}

}  // namespace AzureSDKCppBridge
