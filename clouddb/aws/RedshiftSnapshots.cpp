// Describing and deleting the snapshots of Redshift clusters.
#include "clouddb/aws/CAmazonRedshiftInfo.h"
#include "clouddb/aws/SnapshotSteps.h"

namespace {

namespace snapshots = clouddb::aws::snapshots;

constexpr char kRefreshFailed[] = "Failed to refresh redshift snapshot info list . Error [%s]";
// The Redshift delete names neither the snapshot nor the cloud's reason.
constexpr char kDeleteFailed[] = "Snapshot deletion failed";

}  // namespace

CLmError CAmazonRedshiftInfo::DescribeRedshiftSnapshot(
    const unsigned long& appId, const std::string& first, const std::string& second,
    std::vector<RedshiftInfoStructs::SRedshiftClusterSnapshotInfo>& out) {
  if (CLmError connected = snapshots::connectFor(*this, appId, CLM_HERE); connected.IsFailure()) {
    return connected;
  }
  return snapshots::describeSnapshots<kRefreshFailed>(
      *this, CLM_HERE, [&] { return bridge().RefreshRedshiftClusterSnapshotInfoList(first, second); },
      [&](std::vector<RedshiftInfoStructs::SRedshiftClusterSnapshotInfo>& records) {
        return bridge().GetRedshiftClusterSnapshotInfoList(records, 0, 0);
      },
      out);
}

CLmError CAmazonRedshiftInfo::DeleteRedshiftSnapshot(const unsigned long& appId, const std::string& first,
                                                     const std::string& second) {
  if (CLmError connected = snapshots::connectFor(*this, appId, CLM_HERE); connected.IsFailure()) {
    return connected;
  }
  if (!bridge().DeleteRedshiftClusterSnapshot(first, second)) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, kAwsLookupErrorCode, "%s", kDeleteFailed);
  }
  return CLmError();
}
