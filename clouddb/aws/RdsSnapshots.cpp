// Describing and deleting the snapshots of RDS instances and clusters.
#include "clouddb/aws/CAmazonRDSInfo.h"
#include "clouddb/aws/SnapshotSteps.h"

namespace {

namespace snapshots = clouddb::aws::snapshots;

// Both describes, instance and cluster, report a failed refresh with this one text.
constexpr char kRefreshFailed[] = "Failed to refresh RDS Instance snapshot info list . Error [%s]";
constexpr char kDeleteInstanceSnapshotFailed[] = "Failed to delete RDS Instance snapshot [%s][%s] Error [%s]";
constexpr char kDeleteClusterSnapshotFailed[] = "Failed to delete RDS Cluster snapshot [%s][%s] Error [%s]";

}  // namespace

CLmError CAmazonRDSInfo::DescribeDBInstanceSnapshot(const unsigned long& appId, const std::string& first,
                                                    const std::string& second,
                                                    std::vector<RDSInfoStructs::SDBSnapshotInfo>& out) {
  if (CLmError connected = snapshots::connectFor(*this, appId, CLM_HERE); connected.IsFailure()) {
    return connected;
  }
  return snapshots::describeSnapshots<kRefreshFailed>(
      *this, CLM_HERE, [&] { return m_bridge->RefreshDBSnapshotInfoList(0, 0, first, second); },
      [&](std::vector<RDSInfoStructs::SDBSnapshotInfo>& records) {
        return m_bridge->GetDBSnapshotInfoList(records, 0, 0);
      },
      out);
}

CLmError CAmazonRDSInfo::DescribeDBClusterSnapshot(const unsigned long& appId, const std::string& first,
                                                   const std::string& second,
                                                   std::vector<RDSInfoStructs::SRDSClusterSnapshotInfo>& out) {
  if (CLmError connected = snapshots::connectFor(*this, appId, CLM_HERE); connected.IsFailure()) {
    return connected;
  }
  return snapshots::describeSnapshots<kRefreshFailed>(
      *this, CLM_HERE, [&] { return m_bridge->RefreshRDSClusterSnapshotInfoList(0, 0, first, second); },
      [&](std::vector<RDSInfoStructs::SRDSClusterSnapshotInfo>& records) {
        return m_bridge->GetRDSClusterSnapshotInfoList(records, 0, 0);
      },
      out);
}

CLmError CAmazonRDSInfo::DeleteDBInstanceSnapshot(const unsigned long& appId, const std::string& first,
                                                  const std::string& second) {
  if (CLmError connected = snapshots::connectFor(*this, appId, CLM_HERE); connected.IsFailure()) {
    return connected;
  }
  if (!m_bridge->DeleteRDSInstanceSnapshot(first, second)) {
    return snapshots::deleteFailure<kDeleteInstanceSnapshotFailed>(*this, CLM_HERE, first, second);
  }
  return CLmError();
}

CLmError CAmazonRDSInfo::DeleteDBClusterSnapshot(const unsigned long& appId, const std::string& first,
                                                 const std::string& second) {
  if (CLmError connected = snapshots::connectFor(*this, appId, CLM_HERE); connected.IsFailure()) {
    return connected;
  }
  if (!m_bridge->DeleteRDSClusterSnapshot(first, second)) {
    return snapshots::deleteFailure<kDeleteClusterSnapshotFailed>(*this, CLM_HERE, first, second);
  }
  return CLmError();
}
