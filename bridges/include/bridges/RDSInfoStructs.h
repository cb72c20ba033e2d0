#pragma once
// RDSInfoStructs: the Amazon RDS records the bridge fills and the filter it takes.
//
// The library copies these records into host messages member by member in declaration order,
// so the order of the members is part of the contract and must not change:
//  - SDBInstanceInfo member N (1..29) goes to message field N; member 13 is a list and is not
//    converted; member 30 (the cluster identifier) is read but not converted.
//  - SRDSClusterInfo members 1..18 go, in order, to message fields 1, 2, 3, 4, 5, 6, 8, 9, 12,
//    14, 15, 17, 18, 20, 22, 24, 25, 26 (the fields a cluster shares with an instance).
#include <cstdint>
#include <string>
#include <vector>

namespace RDSInfoStructs {

// Engine families the instance filter selects (values of the host's engine-type enumeration).
// A value names one engine family; listings of instances and of clusters use the same meaning.
enum EngineFilterType : int {
  kAnyEngine = 0,          // no engine restriction
  kPostgreSQL = 1,         // engine "postgres"
  kAuroraPostgreSQL = 2,   // engine "aurora-postgresql"
  kMySQL = 3,              // engine "mysql"
  kAuroraMySQL = 4,        // engines "aurora-mysql" and "aurora" (the MySQL 5.6 compatible one)
  kMariaDB = 5,            // engine "mariadb"
};

// Which side of the Aurora divide a listing returns (the filter's second integer).
enum AuroraScope : int {
  kAnyScope = 0,       // everything
  kAuroraOnly = 1,     // Aurora clusters / instances that are members of an Aurora cluster
  kNonAuroraOnly = 2,  // Multi-AZ DB clusters and every other cluster / instances outside Aurora
};

// Narrows an instance or cluster listing. With applyFilter false every other member is ignored.
struct SDBInstanceFilter {
  bool applyFilter = false;
  std::vector<std::string> identifiers;  // only these instance (or cluster) identifiers; empty = all
  int engineType = kAnyEngine;           // an EngineFilterType value
  int auroraScope = kAnyScope;           // an AuroraScope value
};

// One DB instance.
struct SDBInstanceInfo {
  std::string instanceArn;                        // 1
  std::string instanceIdentifier;                 // 2  the instance's name
  std::string status;                             // 3  "available", "stopped", ...
  std::string endpointAddress;                    // 4
  std::string engine;                             // 5  "mysql", "aurora-postgresql", ...
  std::string engineVersion;                      // 6
  std::string instanceClass;                      // 7  "db.m6g.large"
  bool multiAZ = false;                           // 8
  std::string region;                             // 9
  std::string availabilityZone;                   // 10
  std::string secondaryAvailabilityZone;          // 11
  std::string masterUsername;                     // 12
  std::vector<std::string> readReplicaIdentifiers;  // 13 (not converted)
  int port = 0;                                   // 14
  int allocatedStorageGiB = 0;                    // 15
  bool publiclyAccessible = false;                // 16
  int backupRetentionPeriod = 0;                  // 17 days
  std::string preferredBackupWindow;              // 18 "03:00-04:00"
  std::string storageType;                        // 19 "gp3", "io1", "aurora"
  int iops = 0;                                   // 20
  int monitoringInterval = 0;                     // 21 seconds, 0 = off
  std::int64_t createTime = 0;                    // 22 seconds since 1970, UTC
  std::string caCertificateIdentifier;            // 23
  std::string kmsKeyId;                           // 24 empty when not encrypted
  std::string databaseName;                       // 25 initial database, may be empty
  std::string parameterGroupName;                 // 26
  bool autoMinorVersionUpgrade = false;           // 27
  std::string licenseModel;                       // 28
  std::string optionGroupName;                    // 29
  std::string clusterIdentifier;                  // 30 empty when the instance is in no cluster
};

// One member of a DB cluster.
struct SRDSClusterMemberInfo {
  std::string instanceIdentifier;
  bool isClusterWriter = false;
  int promotionTier = 0;
};

// One DB cluster (Aurora or Multi-AZ).
struct SRDSClusterInfo {
  std::string clusterArn;             // 1  -> field 1
  std::string clusterIdentifier;      // 2  -> field 2, the cluster's name
  std::string status;                 // 3  -> field 3
  std::string endpointAddress;        // 4  -> field 4, the writer end point
  std::string engine;                 // 5  -> field 5
  std::string engineVersion;          // 6  -> field 6
  bool multiAZ = false;               // 7  -> field 8
  std::string region;                 // 8  -> field 9
  std::string masterUsername;         // 9  -> field 12
  int port = 0;                       // 10 -> field 14
  int allocatedStorageGiB = 0;        // 11 -> field 15
  int backupRetentionPeriod = 0;      // 12 -> field 17
  std::string preferredBackupWindow;  // 13 -> field 18
  int iops = 0;                       // 14 -> field 20
  std::int64_t createTime = 0;        // 15 -> field 22
  std::string kmsKeyId;               // 16 -> field 24
  std::string databaseName;           // 17 -> field 25
  std::string parameterGroupName;     // 18 -> field 26
  // Not converted:
  std::string readerEndpointAddress;
  std::string engineMode;             // "provisioned", "serverless"
  std::string clusterInstanceClass;   // Multi-AZ DB clusters only
  std::vector<SRDSClusterMemberInfo> members;
};

// One snapshot of a DB instance.
struct SDBSnapshotInfo {
  std::string snapshotIdentifier;
  std::string instanceIdentifier;  // the instance it was taken of
  std::string snapshotArn;
  std::string snapshotType;        // "manual" or "automated"
  std::string status;              // "available", "creating"
  std::string engine;
  std::string engineVersion;
  std::string region;
  std::string availabilityZone;
  std::int64_t createTime = 0;     // seconds since 1970, UTC
  int allocatedStorageGiB = 0;
  int port = 0;
  bool encrypted = false;
  std::string kmsKeyId;
  int percentProgress = 100;
};

// One snapshot of a DB cluster.
struct SRDSClusterSnapshotInfo {
  std::string snapshotIdentifier;
  std::string clusterIdentifier;  // the cluster it was taken of
  std::string snapshotArn;
  std::string snapshotType;       // "manual" or "automated"
  std::string status;
  std::string engine;
  std::string engineVersion;
  std::string region;
  std::int64_t createTime = 0;
  int allocatedStorageGiB = 0;
  int port = 0;
  bool encrypted = false;
  std::string kmsKeyId;
  int percentProgress = 100;
};

}  // namespace RDSInfoStructs
