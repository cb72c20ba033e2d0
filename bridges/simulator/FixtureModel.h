#pragma once
// The cloud fixture in memory: every simulated account of the five clouds, the network in front
// of them and the faults planned from the start. The AWS objects are kept as the bridge records
// they are listed as, together with the tags that listings filter on.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "bridges/DocDBInfoStructs.h"
#include "bridges/DynamoInfoStructs.h"
#include "bridges/RDSInfoStructs.h"
#include "bridges/RedshiftInfoStructs.h"
#include "bridges/VMInfoStructs.h"
#include "bridges/simulator/CloudSimulator.h"
#include "OracleFixtureModel.h"

namespace cloudsim {

// Tags in fixture order; keys are unique per object.
using Tags = std::vector<std::pair<std::string, std::string>>;

// An object a listing returns, with the tags it can be selected by.
template <class Record>
struct Tagged {
  Record record;
  Tags tags;
};

struct AwsAccount {
  std::string accountId;  // twelve digits, used in ARNs
  std::string name;
  std::string accessKeyId;
  std::string secretAccessKey;
  std::vector<VMInfoStructs::SDataCenterInfo> regions;

  std::vector<Tagged<RDSInfoStructs::SDBInstanceInfo>> rdsInstances;
  std::vector<Tagged<RDSInfoStructs::SRDSClusterInfo>> rdsClusters;
  std::vector<RDSInfoStructs::SDBSnapshotInfo> rdsInstanceSnapshots;
  std::vector<RDSInfoStructs::SRDSClusterSnapshotInfo> rdsClusterSnapshots;
  std::vector<Tagged<DynamoInfoStructs::SDynamoTableInfo>> dynamoTables;
  std::vector<Tagged<DocDBInfoStructs::SDocDBClusterInfo>> docdbClusters;
  std::vector<Tagged<DocDBInfoStructs::SDocDBInstanceInfo>> docdbInstances;
  std::vector<DocDBInfoStructs::SDocDBClusterSnapshotInfo> docdbClusterSnapshots;
  std::vector<Tagged<RedshiftInfoStructs::SRedshiftClusterInfo>> redshiftClusters;
  std::vector<RedshiftInfoStructs::SRedshiftClusterSnapshotInfo> redshiftSnapshots;
};

// The other clouds: parsed and kept so that their bridges can be built on them.
struct NamedItem {
  std::string name;
  std::string detail;  // the item's second text (kind, region, engine, ...), see the fixture docs
};

// A relational database server of Azure, Google Cloud SQL or Alibaba ApsaraDB RDS.
struct RelationalServer {
  std::string name;
  std::string engine;         // as the cloud names it: "postgres", "POSTGRES_15", "MySQL"
  std::string engineVersion;
  std::string region;         // "" when the fixture names none and the account has no regions
  std::string status;         // the cloud's own word for a running server by default
};

// Endpoint and key may be empty: the resource client then answers them empty, as a half
// provisioned account does.
struct AzureStorageAccount {
  std::string name;
  std::string tableEndpoint;  // may point at a local Azurite server
  std::string accessKey;
  std::string location;       // one of the subscription's regions; its first when left out
  std::string resourceGroup;  // part of the account's resource id
  std::string kind;           // "StorageV2" unless given
};

struct AzureDatabaseAccount {
  std::string name;
  std::string endpoint;  // the account's document endpoint, e.g. a local Cosmos peer
  std::string key;       // the primary master key (base64)
  std::string location;
  std::string kind;      // "GlobalDocumentDB" (the SQL interface) or "MongoDB"
  // What a peer launcher seeds into the peer at the endpoint before a run; the bridge itself
  // lists databases and containers from the live endpoint, not from here.
  std::vector<std::pair<std::string, std::vector<std::string>>> databases;  // name, containers
};

struct AzureSubscription {
  std::string subscriptionId;
  std::string tenantId;
  std::string applicationId;
  std::string password;
  std::vector<VMInfoStructs::SDataCenterInfo> regions;
  std::vector<AzureStorageAccount> storageAccounts;
  std::vector<AzureDatabaseAccount> databaseAccounts;
  std::vector<RelationalServer> databaseServers;
};

struct GoogleSpannerInstance {
  std::string name;
  std::string project;
  std::vector<std::string> databases;
  std::string displayName;  // defaults to the name
  std::string config;       // "regional-us-central1" unless given
  std::int64_t nodeCount = 1;
};

struct GoogleAccount {
  std::string serviceAccountId;
  std::string keyFile;      // a ".p12" file name, or empty when the key comes as key material
  std::string keyPassword;  // the key file's password, or the key material
  std::vector<NamedItem> projects;      // name = project id, detail = display name
  std::vector<RelationalServer> sqlInstances;  // engines "POSTGRES_15", "MYSQL_8_0"
  std::vector<GoogleSpannerInstance> spannerInstances;
};

struct AlibabaAccount {
  std::string accessKeyId;
  std::string accessKeySecret;
  std::vector<VMInfoStructs::SDataCenterInfo> regions;
  std::vector<RelationalServer> rdsInstances;
};

struct ProxyServer {
  std::string address;  // "host:port"
  std::string user;     // empty: the proxy asks for no authentication
  std::string password;
};

// What stands between the bridges and the clouds.
struct NetworkSettings {
  bool directAccess = true;  // false: calls reach the clouds only through one of the proxies
  std::vector<ProxyServer> proxies;
};

struct PlannedFault {
  CloudBridgeKind bridge = CloudBridgeKind::Amazon;
  std::string operation;
  int times = 1;
  std::string text;
};

struct CloudFixture {
  NetworkSettings network;
  std::vector<AwsAccount> awsAccounts;
  std::vector<AzureSubscription> azureSubscriptions;
  std::vector<GoogleAccount> googleAccounts;
  std::vector<AlibabaAccount> alibabaAccounts;
  std::vector<OracleTenancy> oracleTenancies;
  std::vector<OracleClassicAccount> oracleClassicAccounts;
  std::vector<PlannedFault> faults;
};

}  // namespace cloudsim
