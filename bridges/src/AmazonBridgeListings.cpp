// The Amazon bridge's listings: regions, RDS instances and clusters, DynamoDB tables,
// DocumentDB clusters and instances, Redshift clusters.
#include <string>
#include <utility>
#include <vector>

#include "AmazonBridgeState.h"
#include "AwsQueries.h"
#include "bridges/AmazonSDKCppBridge.h"
#include "bridges/simulator/CloudSimulator.h"

namespace AmazonSDKCppBridge {

using cloudsim::AwsAccount;
using cloudsim::AwsConnection;
using cloudsim::CallFailure;

namespace {

// The regions a listing covers, then the selection over them.
template <class Record, class Select>
CallFailure selectIn(const AwsAccount& account, const AwsConnection& connection, const std::string& region,
                     std::vector<Record>& found, Select select) {
  std::vector<std::string> regions;
  if (auto bad = cloudsim::listingRegions(account, connection, region, regions)) return bad;
  found = select(regions);
  return std::nullopt;
}

std::vector<std::string> listingArguments(unsigned long long first, int count, std::vector<std::string> texts) {
  texts.insert(texts.begin(), {argumentText(first), std::to_string(count)});
  return texts;
}

}  // namespace

int CAmazonSDKCppBridge::RefreshDCInfoList(unsigned long long first, int count) {
  return state_->refresh<VMInfoStructs::SDataCenterInfo>(
      "RefreshDCInfoList", listingArguments(first, count, {}), 0, first, count, state_->regions,
      [](const AwsAccount& account, const AwsConnection& connection, auto& found) -> CallFailure {
        found = cloudsim::selectRegions(account, connection.regions);
        return std::nullopt;
      });
}

bool CAmazonSDKCppBridge::GetDCInfoList(std::vector<VMInfoStructs::SDataCenterInfo>& out, unsigned long long first,
                                        int count) {
  return state_->get("GetDCInfoList", out, first, count, state_->regions);
}

int CAmazonSDKCppBridge::RefreshDBInstanceInfoList(unsigned long long first, int count, const std::string& tagKey,
                                                   const std::string& tagValue, const std::string& region,
                                                   const RDSInfoStructs::SDBInstanceFilter& filter) {
  state_->instances = {};
  State::KeptInstances found;
  const bool ok = state_->callService(
      "RefreshDBInstanceInfoList", listingArguments(first, count, {tagKey, tagValue, region, filterText(filter)}),
      CLOUD_TYPE_RDS, [&](const AwsAccount& account, const AwsConnection& connection) -> CallFailure {
        if (auto bad = cloudsim::checkRange(first, count)) return bad;
        if (auto bad = cloudsim::checkInstanceFilter(filter)) return bad;
        std::vector<std::string> regions;
        if (auto bad = cloudsim::listingRegions(account, connection, region, regions)) return bad;
        found.simulatorIdentity = CloudSimulator::installed()->identity();
        found.records = cloudsim::selectRdsInstanceRecords(account, regions, {tagKey, tagValue}, filter);
        return std::nullopt;
      });
  if (!ok) return -1;
  cloudsim::keepSlice(found.records, first, count);
  state_->instances = std::move(found);
  return static_cast<int>(state_->instances.records.size());
}

bool CAmazonSDKCppBridge::GetDBInstanceInfoList(std::vector<RDSInfoStructs::SDBInstanceInfo>& out,
                                                unsigned long long first, int count) {
  const State::KeptInstances& kept = state_->instances;
  return state_->call("GetDBInstanceInfoList", {argumentText(first), std::to_string(count)},
                      [&](cloudsim::SimulatedClouds&, RecordedCall&) -> CallFailure {
                        if (auto bad = cloudsim::checkRange(first, count)) return bad;
                        // The kept records belong to the simulator that listed them.
                        if (!kept.records.empty() && kept.simulatorIdentity != CloudSimulator::installed()->identity()) {
                          return std::string(kSimulatorChanged);
                        }
                        std::vector<const RDSInfoStructs::SDBInstanceInfo*> slice;
                        cloudsim::appendSlice(kept.records, first, count, slice);
                        out.reserve(out.size() + slice.size());
                        for (const RDSInfoStructs::SDBInstanceInfo* record : slice) {
                          out.push_back(*record);
                        }
                        return std::nullopt;
                      });
}

int CAmazonSDKCppBridge::RefreshRDSClusterInfoList(unsigned long long first, int count, const std::string& tagKey,
                                                   const std::string& tagValue,
                                                   const RDSInfoStructs::SDBInstanceFilter& filter,
                                                   const std::string& region) {
  return state_->refresh<RDSInfoStructs::SRDSClusterInfo>(
      "RefreshRDSClusterInfoList", listingArguments(first, count, {tagKey, tagValue, filterText(filter), region}),
      CLOUD_TYPE_RDS, first, count, state_->clusters,
      [&](const AwsAccount& account, const AwsConnection& connection, auto& found) -> CallFailure {
        if (auto bad = cloudsim::checkInstanceFilter(filter)) return bad;
        return selectIn(account, connection, region, found, [&](const auto& regions) {
          return cloudsim::selectRdsClusters(account, regions, {tagKey, tagValue}, filter);
        });
      });
}

bool CAmazonSDKCppBridge::GetRDSClusterInfoList(std::vector<RDSInfoStructs::SRDSClusterInfo>& out,
                                                unsigned long long first, int count) {
  return state_->get("GetRDSClusterInfoList", out, first, count, state_->clusters);
}

int CAmazonSDKCppBridge::RefreshDynamoTableInfoList(unsigned long long first, int count, const std::string& region,
                                                    const std::string& tagKey, const std::string& tagValue) {
  return state_->refresh<DynamoInfoStructs::SDynamoTableInfo>(
      "RefreshDynamoTableInfoList", listingArguments(first, count, {region, tagKey, tagValue}), CLOUD_TYPE_DYNAMODB,
      first, count, state_->tables,
      [&](const AwsAccount& account, const AwsConnection& connection, auto& found) -> CallFailure {
        return selectIn(account, connection, region, found, [&](const auto& regions) {
          return cloudsim::selectDynamoTables(account, regions, {tagKey, tagValue});
        });
      });
}

bool CAmazonSDKCppBridge::GetDynamoTableInfoList(std::vector<DynamoInfoStructs::SDynamoTableInfo>& out,
                                                 unsigned long long first, int count) {
  return state_->get("GetDynamoTableInfoList", out, first, count, state_->tables);
}

int CAmazonSDKCppBridge::RefreshDocDBClusterInfoList(unsigned long long first, int count, const std::string& region,
                                                     const std::string& tagKey, const std::string& tagValue) {
  return state_->refresh<DocDBInfoStructs::SDocDBClusterInfo>(
      "RefreshDocDBClusterInfoList", listingArguments(first, count, {region, tagKey, tagValue}),
      CLOUD_TYPE_DOCUMENTDB, first, count, state_->docdbClusters,
      [&](const AwsAccount& account, const AwsConnection& connection, auto& found) -> CallFailure {
        return selectIn(account, connection, region, found, [&](const auto& regions) {
          return cloudsim::selectDocDbClusters(account, regions, {tagKey, tagValue});
        });
      });
}

bool CAmazonSDKCppBridge::GetDocDBClusterInfoList(std::vector<DocDBInfoStructs::SDocDBClusterInfo>& out,
                                                  unsigned long long first, int count) {
  return state_->get("GetDocDBClusterInfoList", out, first, count, state_->docdbClusters);
}

int CAmazonSDKCppBridge::RefreshDocDBInstanceInfoList(unsigned long long first, int count, const std::string& region,
                                                      const std::string& tagKey, const std::string& tagValue) {
  return state_->refresh<DocDBInfoStructs::SDocDBInstanceInfo>(
      "RefreshDocDBInstanceInfoList", listingArguments(first, count, {region, tagKey, tagValue}),
      CLOUD_TYPE_DOCUMENTDB, first, count, state_->docdbInstances,
      [&](const AwsAccount& account, const AwsConnection& connection, auto& found) -> CallFailure {
        return selectIn(account, connection, region, found, [&](const auto& regions) {
          return cloudsim::selectDocDbInstances(account, regions, {tagKey, tagValue});
        });
      });
}

bool CAmazonSDKCppBridge::GetDocDBInstanceInfoList(std::vector<DocDBInfoStructs::SDocDBInstanceInfo>& out,
                                                   unsigned long long first, int count) {
  return state_->get("GetDocDBInstanceInfoList", out, first, count, state_->docdbInstances);
}

int CAmazonSDKCppBridge::RefreshRedshiftClusterInfoList(unsigned long long first, int count,
                                                        const std::string& region, const std::string& tagKey,
                                                        const std::string& tagValue) {
  return state_->refresh<RedshiftInfoStructs::SRedshiftClusterInfo>(
      "RefreshRedshiftClusterInfoList", listingArguments(first, count, {region, tagKey, tagValue}),
      CLOUD_TYPE_REDSHIFT, first, count, state_->redshiftClusters,
      [&](const AwsAccount& account, const AwsConnection& connection, auto& found) -> CallFailure {
        return selectIn(account, connection, region, found, [&](const auto& regions) {
          return cloudsim::selectRedshiftClusters(account, regions, {tagKey, tagValue});
        });
      });
}

bool CAmazonSDKCppBridge::GetRedshiftClusterInfoList(std::vector<RedshiftInfoStructs::SRedshiftClusterInfo>& out,
                                                     unsigned long long first, int count) {
  return state_->get("GetRedshiftClusterInfoList", out, first, count, state_->redshiftClusters);
}

}  // namespace AmazonSDKCppBridge
