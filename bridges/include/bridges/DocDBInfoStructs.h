#pragma once
// DocDBInfoStructs: the Amazon DocumentDB records the bridge fills.
//
// The library builds one cluster message from SDocDBClusterInfo in member order: region, the
// field it leaves unset, cluster identifier, engine, engine version, the member list (joined
// with SDocDBInstanceInfo), then status .. masterUsername, availabilityZones,
// parameterGroupName and port. A member entry is "<instance identifier>/<instance class>":
// the instance class is the further text of SDocDBInstanceInfo meant for it.
#include <cstdint>
#include <string>
#include <vector>

namespace DocDBInfoStructs {

// One member of a cluster, as the cluster lists it.
struct SDocDBClusterMemberInfo {
  std::string parameterGroupStatus;  // "in-sync", "pending-reboot"
  std::string instanceIdentifier;
  int isClusterWriter = 0;           // 1 for the writer
  int promotionTier = 0;
};

// One cluster.
struct SDocDBClusterInfo {
  std::string region;
  std::string clusterIdentifier;
  std::string engine;                // "docdb"
  std::string engineVersion;
  std::vector<SDocDBClusterMemberInfo> members;
  std::string status;
  std::string endpointAddress;
  std::string readerEndpointAddress;
  std::string clusterArn;
  std::string masterUsername;
  std::vector<std::string> availabilityZones;
  std::string parameterGroupName;
  int port = 0;
};

// One DB instance of a cluster.
struct SDocDBInstanceInfo {
  std::string region;
  std::string instanceIdentifier;
  std::string clusterIdentifier;  // the cluster the instance belongs to
  std::string instanceClass;      // "db.r6g.large"; the text a member entry carries
  std::string engine;
  std::string status;
  std::string availabilityZone;
  std::string endpointAddress;
  int port = 0;
  std::string instanceArn;
};

// One snapshot of a cluster.
struct SDocDBClusterSnapshotInfo {
  std::string snapshotIdentifier;
  std::string clusterIdentifier;
  std::string snapshotArn;
  std::string snapshotType;  // "manual" or "automated"
  std::string status;
  std::string engine;
  std::string engineVersion;
  std::string region;
  std::int64_t createTime = 0;  // seconds since 1970, UTC
  int port = 0;
  bool encrypted = false;
  int percentProgress = 100;
};

}  // namespace DocDBInfoStructs
