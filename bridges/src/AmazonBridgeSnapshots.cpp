// The Amazon bridge's snapshot calls: describe and delete for RDS instances, RDS clusters,
// DocumentDB clusters and Redshift clusters.
#include "AmazonBridgeState.h"
#include "AwsSnapshots.h"
#include "bridges/AmazonSDKCppBridge.h"

namespace AmazonSDKCppBridge {

using cloudsim::AwsAccount;
using cloudsim::AwsConnection;
using cloudsim::CallFailure;

namespace {

// Snapshot calls cover every region of the connection unless they name one.
std::vector<std::string> regionsOf(const AwsAccount& account, const AwsConnection& connection,
                                   const std::string& region, CallFailure& failure) {
  std::vector<std::string> regions;
  failure = cloudsim::listingRegions(account, connection, region, regions);
  return regions;
}

}  // namespace

int CAmazonSDKCppBridge::RefreshDBSnapshotInfoList(unsigned long long first, int count,
                                                   const std::string& instanceIdentifier,
                                                   const std::string& snapshotIdentifier) {
  return state_->refresh<RDSInfoStructs::SDBSnapshotInfo>(
      "RefreshDBSnapshotInfoList", {argumentText(first), std::to_string(count), instanceIdentifier, snapshotIdentifier},
      CLOUD_TYPE_RDS, first, count, state_->instanceSnapshots,
      [&](const AwsAccount& account, const AwsConnection& connection, auto& found) {
        return cloudsim::describeRdsInstanceSnapshots(account, connection.regions, instanceIdentifier,
                                                      snapshotIdentifier, found);
      });
}

bool CAmazonSDKCppBridge::GetDBSnapshotInfoList(std::vector<RDSInfoStructs::SDBSnapshotInfo>& out,
                                                unsigned long long first, int count) {
  return state_->get("GetDBSnapshotInfoList", out, first, count, state_->instanceSnapshots);
}

int CAmazonSDKCppBridge::RefreshRDSClusterSnapshotInfoList(unsigned long long first, int count,
                                                           const std::string& clusterIdentifier,
                                                           const std::string& snapshotIdentifier) {
  return state_->refresh<RDSInfoStructs::SRDSClusterSnapshotInfo>(
      "RefreshRDSClusterSnapshotInfoList",
      {argumentText(first), std::to_string(count), clusterIdentifier, snapshotIdentifier}, CLOUD_TYPE_RDS, first,
      count, state_->clusterSnapshots, [&](const AwsAccount& account, const AwsConnection& connection, auto& found) {
        return cloudsim::describeRdsClusterSnapshots(account, connection.regions, clusterIdentifier,
                                                     snapshotIdentifier, found);
      });
}

bool CAmazonSDKCppBridge::GetRDSClusterSnapshotInfoList(std::vector<RDSInfoStructs::SRDSClusterSnapshotInfo>& out,
                                                        unsigned long long first, int count) {
  return state_->get("GetRDSClusterSnapshotInfoList", out, first, count, state_->clusterSnapshots);
}

int CAmazonSDKCppBridge::RefreshDocDBClusterSnapshotInfoList(unsigned long long first, int count,
                                                             const std::string& clusterIdentifier,
                                                             const std::string& snapshotType,
                                                             const std::string& region,
                                                             const std::string& snapshotIdentifier) {
  return state_->refresh<DocDBInfoStructs::SDocDBClusterSnapshotInfo>(
      "RefreshDocDBClusterSnapshotInfoList",
      {argumentText(first), std::to_string(count), clusterIdentifier, snapshotType, region, snapshotIdentifier},
      CLOUD_TYPE_DOCUMENTDB, first, count, state_->docdbSnapshots,
      [&](const AwsAccount& account, const AwsConnection& connection, auto& found) {
        CallFailure failure;
        const std::vector<std::string> regions = regionsOf(account, connection, region, failure);
        if (failure) return failure;
        return cloudsim::describeDocDbClusterSnapshots(account, regions, clusterIdentifier, snapshotType,
                                                       snapshotIdentifier, found);
      });
}

bool CAmazonSDKCppBridge::GetDocDBClusterSnapshotInfoList(
    std::vector<DocDBInfoStructs::SDocDBClusterSnapshotInfo>& out, unsigned long long first, int count) {
  return state_->get("GetDocDBClusterSnapshotInfoList", out, first, count, state_->docdbSnapshots);
}

int CAmazonSDKCppBridge::RefreshRedshiftClusterSnapshotInfoList(const std::string& clusterIdentifier,
                                                                const std::string& snapshotIdentifier) {
  return state_->refresh<RedshiftInfoStructs::SRedshiftClusterSnapshotInfo>(
      "RefreshRedshiftClusterSnapshotInfoList", {clusterIdentifier, snapshotIdentifier}, CLOUD_TYPE_REDSHIFT, 0, 0,
      state_->redshiftSnapshots, [&](const AwsAccount& account, const AwsConnection& connection, auto& found) {
        return cloudsim::describeRedshiftSnapshots(account, connection.regions, clusterIdentifier,
                                                   snapshotIdentifier, found);
      });
}

bool CAmazonSDKCppBridge::GetRedshiftClusterSnapshotInfoList(
    std::vector<RedshiftInfoStructs::SRedshiftClusterSnapshotInfo>& out, unsigned long long first, int count) {
  return state_->get("GetRedshiftClusterSnapshotInfoList", out, first, count, state_->redshiftSnapshots);
}

bool CAmazonSDKCppBridge::DeleteRDSInstanceSnapshot(const std::string& instanceIdentifier,
                                                    const std::string& snapshotIdentifier) {
  return state_->callService("DeleteRDSInstanceSnapshot", {instanceIdentifier, snapshotIdentifier}, CLOUD_TYPE_RDS,
                             [&](AwsAccount& account, const AwsConnection& connection) {
                               return cloudsim::deleteRdsInstanceSnapshot(account, connection.regions,
                                                                          instanceIdentifier, snapshotIdentifier);
                             });
}

bool CAmazonSDKCppBridge::DeleteRDSClusterSnapshot(const std::string& clusterIdentifier,
                                                   const std::string& snapshotIdentifier) {
  return state_->callService("DeleteRDSClusterSnapshot", {clusterIdentifier, snapshotIdentifier}, CLOUD_TYPE_RDS,
                             [&](AwsAccount& account, const AwsConnection& connection) {
                               return cloudsim::deleteRdsClusterSnapshot(account, connection.regions,
                                                                         clusterIdentifier, snapshotIdentifier);
                             });
}

bool CAmazonSDKCppBridge::DeleteDocDBClusterSnapshot(const std::string& clusterIdentifier,
                                                     const std::string& snapshotIdentifier) {
  return state_->callService("DeleteDocDBClusterSnapshot", {clusterIdentifier, snapshotIdentifier},
                             CLOUD_TYPE_DOCUMENTDB, [&](AwsAccount& account, const AwsConnection& connection) {
                               return cloudsim::deleteDocDbClusterSnapshot(account, connection.regions,
                                                                           clusterIdentifier, snapshotIdentifier);
                             });
}

bool CAmazonSDKCppBridge::DeleteRedshiftClusterSnapshot(const std::string& clusterIdentifier,
                                                        const std::string& snapshotIdentifier) {
  return state_->callService("DeleteRedshiftClusterSnapshot", {clusterIdentifier, snapshotIdentifier},
                             CLOUD_TYPE_REDSHIFT, [&](AwsAccount& account, const AwsConnection& connection) {
                               return cloudsim::deleteRedshiftSnapshot(account, connection.regions,
                                                                       clusterIdentifier, snapshotIdentifier);
                             });
}

}  // namespace AmazonSDKCppBridge
