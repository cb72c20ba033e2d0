// Describing and deleting the snapshots of DocumentDB clusters.
#include "clouddb/aws/CAmazonDocumentDBInfo.h"
#include "clouddb/aws/SnapshotSteps.h"

namespace {

namespace snapshots = clouddb::aws::snapshots;

constexpr char kRefreshFailed[] = "Failed to refresh DocDB snapshot info list . Error [%s]";
constexpr char kDeleteFailed[] = "Failed to delete DocDB Cluster snapshot [%s][%s] Error [%s]";
// The describe asks for snapshots of every type in every region of the connection.
const std::string kAnySnapshotType;
const std::string kEveryRegion;

}  // namespace

CLmError CAmazonDocumentDBInfo::DescribeDocDBClusterSnapshot(
    const unsigned long& appId, const std::string& first, const std::string& second,
    std::vector<DocDBInfoStructs::SDocDBClusterSnapshotInfo>& out) {
  if (CLmError connected = snapshots::connectFor(*this, appId, CLM_HERE); connected.IsFailure()) {
    return connected;
  }
  return snapshots::describeSnapshots<kRefreshFailed>(
      *this, CLM_HERE,
      [&] { return bridge().RefreshDocDBClusterSnapshotInfoList(0, 0, first, kAnySnapshotType, kEveryRegion, second); },
      [&](std::vector<DocDBInfoStructs::SDocDBClusterSnapshotInfo>& records) {
        return bridge().GetDocDBClusterSnapshotInfoList(records, 0, 0);
      },
      out);
}

CLmError CAmazonDocumentDBInfo::DeleteDocDBClusterSnapshot(const unsigned long& appId, const std::string& first,
                                                           const std::string& second) {
  if (CLmError connected = snapshots::connectFor(*this, appId, CLM_HERE); connected.IsFailure()) {
    return connected;
  }
  if (!bridge().DeleteDocDBClusterSnapshot(first, second)) {
    return snapshots::deleteFailure<kDeleteFailed>(*this, CLM_HERE, first, second);
  }
  return CLmError();
}
