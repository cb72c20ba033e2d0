#pragma once
// The level-0 failure lines of the in-process entry points, written once.
namespace clouddb::entry::texts {

inline constexpr char kRdsExpansionFailed[] = " Failed to expand RDS subclient content. Error : [%s].";
inline constexpr char kDocumentDBExpansionFailed[] = " Failed to expand DocumentDB subclient content. Error : [%s].";
inline constexpr char kRedshiftExpansionFailed[] = " Failed to expand Redshift subclient content. Error : [%s].";

inline constexpr char kDescribeRdsInstanceSnapshotFailed[] =
    " Failed to retrieve snapshot information [%s][%s]. Error : [%s].";
inline constexpr char kDescribeRdsClusterSnapshotFailed[] =
    " Failed to retrieve RDS Cluster Snapshot inforamtion [%s][%sw]. Error : [%s].";
inline constexpr char kDeleteRdsInstanceSnapshotFailed[] = " Failed to delete RDS Instance Snapshot [%s][%s]. Error : [%s].";
inline constexpr char kDeleteRdsClusterSnapshotFailed[] = " Failed to delete RDS Cluster Snapshot [%s][%s]. Error : [%s].";
inline constexpr char kDescribeDocDBSnapshotFailed[] = " Failed to retrieve DocDB snapshot information [%s][%s]. Error : [%s].";
inline constexpr char kDeleteDocDBSnapshotFailed[] = " Failed to delete DocDB snapshot [%s][%s]. Error : [%s].";
inline constexpr char kDeleteRedshiftSnapshotFailed[] = " Failed to expand Redshift snapshot [%s]";

inline constexpr char kNullInventoryRequest[] = "Unable to read the request to GetBrowseInventoryReq";

}  // namespace clouddb::entry::texts
