#pragma once
// RedshiftInfoStructs: the Amazon Redshift records the bridge fills.
//
// The library builds one cluster message from SRedshiftClusterInfo in member order: region,
// identifier, ten texts, four integers, the parameter group names (each group's
// parameterGroupName followed by ";"), and the encrypted flag.
#include <cstdint>
#include <string>
#include <vector>

namespace RedshiftInfoStructs {

// The state of one parameter inside a parameter group.
struct SRedshiftClusterParameterStatusInfo {
  std::string parameterName;
  std::string parameterApplyStatus;
  std::string parameterApplyErrorDescription;
};

// One parameter group a cluster uses.
struct SRedshiftClusterParameterGroupStatusInfo {
  std::string parameterApplyStatus;  // "in-sync", "pending-reboot"
  std::vector<SRedshiftClusterParameterStatusInfo> parameters;
  std::string parameterGroupName;
};

// One cluster.
struct SRedshiftClusterInfo {
  std::string region;
  std::string clusterIdentifier;
  std::string nodeType;                    // "ra3.xlplus"
  std::string clusterStatus;               // "available"
  std::string masterUsername;
  std::string dbName;
  std::string endpointAddress;
  std::string availabilityZone;
  std::string clusterVersion;
  std::string vpcId;
  std::string clusterNamespaceArn;
  std::string preferredMaintenanceWindow;  // "sun:05:00-sun:05:30"
  int numberOfNodes = 0;
  int port = 0;
  int automatedSnapshotRetentionPeriod = 0;
  int manualSnapshotRetentionPeriod = 0;
  std::vector<SRedshiftClusterParameterGroupStatusInfo> parameterGroups;
  bool encrypted = false;
};

// One snapshot of a cluster.
struct SRedshiftClusterSnapshotInfo {
  std::string snapshotIdentifier;
  std::string clusterIdentifier;
  std::string snapshotArn;
  std::string snapshotType;  // "manual" or "automated"
  std::string status;
  std::string region;
  std::string nodeType;
  int numberOfNodes = 0;
  std::string dbName;
  std::int64_t createTime = 0;  // seconds since 1970, UTC
  double totalBackupSizeMB = 0;
  bool encrypted = false;
};

}  // namespace RedshiftInfoStructs
