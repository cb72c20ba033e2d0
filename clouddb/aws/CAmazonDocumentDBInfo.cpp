#include "clouddb/aws/CAmazonDocumentDBInfo.h"

#include "platform/FXString.h"

namespace {

constexpr char kClusterListTag[] = "GetDocumentDBClusterList";
constexpr char kClusterListRefreshFailed[] = "Failed to refresh DocumentDB cluster list . Error [%s]";
constexpr char kInstanceListTag[] = "GetDocumentDBInstancesList";
constexpr char kInstanceListRefreshFailed[] = "Failed to refresh DocumentDB Instance list . Error [%s]";
constexpr char kMemberEntry[] = "%s/%s";

// Field 15 (position 48) is always sent as 0.
constexpr std::int64_t kField15Value = 0;

// The member entries of one cluster, in the cluster's member order. An instance counts only when
// it belongs to this cluster: the same member identifier in another cluster, or in a cluster of
// the same name in another region, is someone else's instance.
std::vector<std::string> memberEntries(const DocDBInfoStructs::SDocDBClusterInfo& cluster,
                                       const std::vector<DocDBInfoStructs::SDocDBInstanceInfo>& instances) {
  std::vector<std::string> entries;
  for (const DocDBInfoStructs::SDocDBClusterMemberInfo& member : cluster.members) {
    for (const DocDBInfoStructs::SDocDBInstanceInfo& instance : instances) {
      if (instance.instanceIdentifier == member.instanceIdentifier &&
          instance.clusterIdentifier == cluster.clusterIdentifier && instance.region == cluster.region) {
        entries.push_back(
            FXString::Format(kMemberEntry, member.instanceIdentifier.c_str(), instance.instanceClass.c_str()));
      }
    }
  }
  return entries;
}

// The cluster record's members in declaration order; field 2 is not set.
App::DocumentDBCluster clusterMessage(const DocDBInfoStructs::SDocDBClusterInfo& cluster,
                                      const std::vector<DocDBInfoStructs::SDocDBInstanceInfo>& instances) {
  App::DocumentDBCluster message;
  message.setstring(App::DocumentDBCluster::kRegion, 1, cluster.region);
  message.setstring(App::DocumentDBCluster::kClusterIdentifier, 9, cluster.clusterIdentifier);
  message.setstring(App::DocumentDBCluster::kEngine, 13, cluster.engine);
  message.setstring(5, 17, cluster.engineVersion);
  message.setliststring(App::DocumentDBCluster::kMembers, memberEntries(cluster, instances));
  message.setstring(7, 22, cluster.status);
  message.setstring(8, 26, cluster.endpointAddress);
  message.setstring(9, 30, cluster.readerEndpointAddress);
  message.setstring(10, 34, cluster.clusterArn);
  message.setstring(11, 38, cluster.masterUsername);
  message.setliststring(12, cluster.availabilityZones);
  message.setstring(13, 43, cluster.parameterGroupName);
  message.setint64(14, cluster.port);
  message.setint64(15, kField15Value);
  return message;
}

}  // namespace

CAmazonDocumentDBInfo::CAmazonDocumentDBInfo() : AmazonServiceBase(AmazonSDKCppBridge::CLOUD_TYPE_DOCUMENTDB) {}

CAmazonDocumentDBInfo::~CAmazonDocumentDBInfo() = default;

bool CAmazonDocumentDBInfo::GetDocumentDBClusterList(std::vector<DocDBInfoStructs::SDocDBClusterInfo>& out,
                                                     const std::string& region, const std::string& tagKey,
                                                     const std::string& tagValue, int first, int count) {
  const int refreshed = bridge().RefreshDocDBClusterInfoList(first, count, region, tagKey, tagValue);
  return listingSucceeded<kClusterListRefreshFailed>(refreshed, kClusterListTag,
                                        [&] { return bridge().GetDocDBClusterInfoList(out, first, count); });
}

bool CAmazonDocumentDBInfo::GetDocumentDBInstancesList(std::vector<DocDBInfoStructs::SDocDBInstanceInfo>& out,
                                                       const std::string& region, const std::string& second,
                                                       const std::string& third, int first, int count) {
  const int refreshed = bridge().RefreshDocDBInstanceInfoList(first, count, region, second, third);
  return listingSucceeded<kInstanceListRefreshFailed>(refreshed, kInstanceListTag,
                                        [&] { return bridge().GetDocDBInstanceInfoList(out, first, count); });
}

CLmError CAmazonDocumentDBInfo::listClustersInternal(const std::string& region, const std::string& tagKey,
                                                     const std::string& tagValue,
                                                     std::vector<App::DocumentDBCluster>& out) {
  std::vector<DocDBInfoStructs::SDocDBClusterInfo> clusters;
  std::vector<DocDBInfoStructs::SDocDBInstanceInfo> instances;
  // Both lookups run (and log their own failure) before either result is judged.
  const bool clustersListed = GetDocumentDBClusterList(clusters, region, tagKey, tagValue, 0, 0);
  const bool instancesListed = GetDocumentDBInstancesList(instances, region, std::string(), std::string(), 0, 0);
  if (!clustersListed || !instancesListed) {
    return lookupFailure<kFailedToDetermineAllClusters>(CLM_HERE, region, tagKey, tagValue);
  }
  for (const DocDBInfoStructs::SDocDBClusterInfo& cluster : clusters) {
    out.push_back(clusterMessage(cluster, instances));
  }
  return CLmError();
}
