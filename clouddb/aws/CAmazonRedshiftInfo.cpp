#include "clouddb/aws/CAmazonRedshiftInfo.h"

namespace {

constexpr char kClusterListTag[] = "GetRedshiftClusterList";
constexpr char kClusterListRefreshFailed[] = "Failed to refresh redshift cluster list . Error [%s]";
constexpr char kParameterGroupSeparator[] = ";";

std::int64_t flag(bool value) { return value ? 1 : 0; }

// Every group's name followed by the separator, the last one too.
std::string parameterGroupNames(const RedshiftInfoStructs::SRedshiftClusterInfo& cluster) {
  std::string names;
  for (const RedshiftInfoStructs::SRedshiftClusterParameterGroupStatusInfo& group : cluster.parameterGroups) {
    names += group.parameterGroupName;
    names += kParameterGroupSeparator;
  }
  return names;
}

// The cluster record's members in declaration order; field 7 is not set.
App::RedshiftCluster clusterMessage(const RedshiftInfoStructs::SRedshiftClusterInfo& cluster) {
  App::RedshiftCluster message;
  message.setstring(App::RedshiftCluster::kRegion, 1, cluster.region);
  message.setstring(App::RedshiftCluster::kClusterIdentifier, 5, cluster.clusterIdentifier);
  message.setstring(3, 9, cluster.nodeType);
  message.setstring(4, 13, cluster.clusterStatus);
  message.setstring(5, 17, cluster.masterUsername);
  message.setstring(6, 21, cluster.dbName);
  message.setstring(8, 26, cluster.endpointAddress);
  message.setstring(9, 30, cluster.availabilityZone);
  message.setstring(10, 34, cluster.clusterVersion);
  message.setstring(11, 38, cluster.vpcId);
  message.setstring(12, 42, cluster.clusterNamespaceArn);
  message.setstring(13, 46, cluster.preferredMaintenanceWindow);
  message.setint64(14, cluster.numberOfNodes);
  message.setint64(15, cluster.port);
  message.setint64(16, cluster.automatedSnapshotRetentionPeriod);
  message.setint64(17, cluster.manualSnapshotRetentionPeriod);
  message.setstring(App::RedshiftCluster::kParameterGroups, 54, parameterGroupNames(cluster));
  message.setint64(19, flag(cluster.encrypted));
  return message;
}

}  // namespace

CAmazonRedshiftInfo::CAmazonRedshiftInfo() : AmazonServiceBase(AmazonSDKCppBridge::CLOUD_TYPE_REDSHIFT) {}

CAmazonRedshiftInfo::~CAmazonRedshiftInfo() = default;

bool CAmazonRedshiftInfo::GetRedshiftClusterList(std::vector<RedshiftInfoStructs::SRedshiftClusterInfo>& out,
                                                 const std::string& region, const std::string& tagKey,
                                                 const std::string& tagValue, int first, int count) {
  const int refreshed = bridge().RefreshRedshiftClusterInfoList(first, count, region, tagKey, tagValue);
  return listingSucceeded<kClusterListRefreshFailed>(refreshed, kClusterListTag,
                                        [&] { return bridge().GetRedshiftClusterInfoList(out, first, count); });
}

CLmError CAmazonRedshiftInfo::listClustersInternal(const std::string& region, const std::string& tagKey,
                                                   const std::string& tagValue,
                                                   std::vector<App::RedshiftCluster>& out) {
  std::vector<RedshiftInfoStructs::SRedshiftClusterInfo> clusters;
  if (!GetRedshiftClusterList(clusters, region, tagKey, tagValue, 0, 0)) {
    return lookupFailure<kFailedToDetermineAllClusters>(CLM_HERE, region, tagKey, tagValue);
  }
  for (const RedshiftInfoStructs::SRedshiftClusterInfo& cluster : clusters) {
    out.push_back(clusterMessage(cluster));
  }
  return CLmError();
}
