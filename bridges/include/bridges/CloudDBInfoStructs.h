#pragma once
// CloudDBInfoStructs: the Oracle Cloud records the Oracle bridge fills and takes.
//
// The library copies these records whole and reads fields by their position, so the order of
// the members is part of the contract. "text N" below counts the text members from 1.
#include <cstdint>
#include <string>
#include <vector>

#include "bridges/VMInfoStructs.h"

namespace CloudDBInfoStructs {

// Which service a connection is for: 3 to 7 are infrastructure (OCI) services, the others
// classic platform services.
enum EOracleService : int {
  ORACLE_SERVICE_NONE = 0,
  ORACLE_DATABASE_CLASSIC = 1,
  ORACLE_JAVA_CLASSIC = 2,
  ORACLE_OCI_COMPUTE = 3,
  ORACLE_OCI_DATABASE = 4,
  ORACLE_OCI_AUTONOMOUS_TRANSACTION = 5,
  ORACLE_OCI_AUTONOMOUS_WAREHOUSE = 6,
  ORACLE_OCI_OBJECT_STORAGE = 7,
  ORACLE_MYSQL_CLASSIC = 8,
};

// One classic database service.
struct SOracleDBInstanceInfo {
  std::string serviceName;     // text 1
  std::string version;         // text 2: "11.2.0.4", "12.1.0.2", "12.2.0.1"
  std::string status;          // text 3
  std::string description;     // text 4
  std::string identityDomain;  // text 5
  std::int64_t creationTime = 0;
  std::int64_t lastModifiedTime = 0;
  std::string browseGroup;         // text 6
  std::string createdBy;           // text 7
  std::string serviceUri;          // text 8
  std::string region;              // text 9
  std::string availabilityDomain;  // text 10
  std::string subscriptionType;    // text 11
  std::int32_t numberOfNodes = 0;
  std::string serviceLevel;  // text 12: "PAAS"
  std::string edition;       // text 13: "SE", "EE", "EE_HP", "EE_EP"
  std::string shape;         // text 14
  std::int32_t meteringFrequency = 0;  // 1 hourly, 2 monthly
  std::string computeSiteName;         // text 15
  std::int32_t listenerPort = 0;
  std::string backupDestination;      // text 16: "BOTH", "OSS", "NONE"
  std::string cloudStorageContainer;  // text 17
  bool failoverDatabase = false;           // flag 1
  bool isRac = false;                      // flag 2
  bool useHighPerformanceStorage = false;  // flag 3
  bool hybridDataGuard = false;            // flag 4
  std::string timezone;  // text 18
  std::string sid;       // text 19
  std::string pdbName;   // text 20
  std::int32_t usableStorageGB = 0;
  std::string characterSet;          // text 21
  std::string nationalCharacterSet;  // text 22
  std::string ipReservations;        // text 23
  bool bringYourOwnLicense = false;
  std::string cloudStorageUser;      // text 24
  std::string cloudStoragePassword;  // text 25
  std::string emUrl;                 // text 26
  std::string apexUrl;               // text 27
  std::string vmPublicKey;           // text 28
  std::string adminPassword;         // text 29
  std::int32_t connectPort = 0;
  std::string dbConsoleUrl;                  // text 30
  std::string glassfishUrl;                  // text 31
  std::string connectDescriptor;             // text 32
  std::string connectDescriptorPublicIp;     // text 33
  std::string ipAddress;                     // text 34
  std::string instantiateFromBackup;         // text 35: "yes" / "no"
  std::string sourceServiceName;             // text 36
  std::string sourceCloudStoragePassword;    // text 37
  std::string sourceCloudStorageUser;        // text 38
  std::string sourceCloudStorageContainer;   // text 39
  std::string sourceDatabaseId;              // text 40
  std::string useCloudStorageBackup;         // text 41: "yes" / "no"
  std::string onPremisesBackupPath;          // text 42
  std::string backupDecryptionKey;           // text 43
};

// One compute node of a classic service.
struct SOracleDBComputeNode {
  std::string name;                // text 1
  std::string status;              // text 2
  std::string shape;               // text 3
  std::string availabilityDomain;  // text 4
  std::int64_t storageGB = 0;
  std::string hostName;  // text 5
  bool reservedIp = false;
  std::int32_t port = 0;
  std::string sid;                // text 6
  std::string ipAddress;          // text 7
  std::string connectDescriptor;  // text 8
  std::string creationTime;       // text 9
  std::string createdBy;          // text 10
};

// What classic Java and MySQL instances share.
struct SJavaMySQLInfoBase {
  std::string serviceUri;          // text 1
  std::string status;              // text 2
  std::string description;         // text 3
  std::string identityDomain;      // text 4
  std::string browseGroup;         // text 5
  std::string creationTime;        // text 6
  std::string lastModifiedTime;    // text 7
  std::string createdBy;           // text 8
  std::string region;              // text 9
  std::string availabilityDomain;  // text 10
  std::string subscriptionType;    // text 11
  std::string edition;             // text 12
  std::string version;             // text 13
  std::string serviceName;         // text 14
  std::string shape;               // text 15
  std::string meteringFrequency;   // text 16
  std::string serviceLevel;        // text 17
  std::string computeSiteName;     // text 18
  std::string ipNetwork;           // text 19
  std::string tags;                // text 20
  std::int64_t numberOfNodes = 0;
};

struct SJavaInstanceInfo : SJavaMySQLInfoBase {
  std::string weblogicVersion;
  std::string domainName;
  std::string domainMode;
  std::string clusterName;
  std::string adminHostName;
  std::string adminUrl;
  std::string consoleUrl;
  std::string loadBalancerUrl;
  std::string dbServiceName;
  std::string dbConnectString;
  std::int64_t managedServerCount = 0;
  std::string backupDestination;
};

struct SMySQLInstanceInfo : SJavaMySQLInfoBase {
  std::string mysqlVersion;
  std::string mysqlPort;
  std::string mysqlUser;
  std::string mysqlDatabase;
  std::string storageVolume;
  std::string backupDestination;
  std::string connectString;
};

// One DB system of a compartment.
struct SOCIDbSystemInfo {
  std::string availabilityDomain;  // text 1: the first component of the system's browse path
  std::string compartmentId;       // text 2
  std::string databaseEdition;     // text 3
  std::string diskRedundancy;      // text 4
  std::string domain;              // text 5
  std::string hostname;            // text 6
  std::string displayName;         // text 7
  std::string licenseModel;        // text 8
  std::string lifecycleState;      // text 9
  std::string id;                  // text 10
  std::string shape;               // text 11
  std::string subnetId;            // text 12
  std::string backupSubnetId;      // text 13
  std::string clusterName;         // text 14
  std::string timeCreated;         // text 15
  std::string version;             // text 16
  std::string lifecycleDetails;    // text 17
  std::string scanDnsRecordId;     // text 18
  std::string timeZone;            // text 19
  std::vector<std::string> sshPublicKeys;
  std::vector<std::string> faultDomains;
  std::vector<std::string> scanIpIds;
  std::int32_t cpuCoreCount = 0;
  std::int64_t dataStorageSizeInGBs = 0;
  std::int32_t nodeCount = 0;
};

// One DB home of a DB system.
struct SOCIDbHomeInfo {
  std::string compartmentId;            // text 1
  std::string dbSystemId;               // text 2
  std::string dbVersion;                // text 3
  std::string displayName;              // text 4
  std::string id;                       // text 5
  std::string lifecycleState;           // text 6
  std::string timeCreated;              // text 7
  std::string lastPatchHistoryEntryId;  // text 8
};

// One database of a DB home.
struct SOCIDatabaseInfo {
  std::string compartmentId;     // text 1
  std::string dbHomeId;          // text 2
  std::string dbUniqueName;      // text 3
  std::string dbName;            // text 4
  std::string characterSet;      // text 5
  std::string ncharacterSet;     // text 6
  std::string id;                // text 7
  std::string lifecycleState;    // text 8
  std::string dbWorkload;        // text 9
  std::string pdbName;           // text 10
  std::string timeCreated;       // text 11
  std::string lifecycleDetails;  // text 12
  std::int32_t recoveryWindowInDays = 0;
  std::string autoBackupEnabled;         // text 13
  std::string backupDestinationType;     // text 14
  std::string connectionString;          // text 15
  std::string connectionStringIp;        // text 16
  std::string dbSystemId;                // text 17
  std::string vmClusterId;               // text 18
  std::string kmsKeyId;                  // text 19
  std::string lastBackupTime;            // text 20
  std::string dbDomain;                  // text 21
  std::string freeformTags;              // text 22
};

// One database resolved with its ancestry, as OCI content expansion reports it.
struct DiscoverOCIDBResponse {
  VMInfoStructs::SHostInfo compartment;
  SOCIDatabaseInfo database;
  SOCIDbSystemInfo dbSystem;
  // Filled by the platform when it protects the database; the library leaves them empty.
  std::string tenancyId;
  std::string regionName;
  std::string clientName;
  std::string instanceName;
  std::string backupSetName;
  std::string subclientName;
  std::string storagePolicyName;
  std::int64_t subclientId = 0;
  SOCIDbHomeInfo dbHome;
};

}  // namespace CloudDBInfoStructs
