// The "aws" accounts of the cloud fixture. Each object becomes the bridge record it is listed
// as; what the fixture leaves out gets the value AWS would show for a fresh default object.
#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "AwsQueries.h"
#include "FixtureJsonReader.h"
#include "FixtureParser.h"

namespace cloudsim {
namespace {

int defaultPort(const std::string& engine) {
  if (engine.rfind("postgres", 0) == 0 || engine == "aurora-postgresql") return 5432;
  if (engine.rfind("oracle", 0) == 0) return 1521;
  if (engine.rfind("sqlserver", 0) == 0) return 1433;
  return 3306;  // mysql, mariadb, aurora, aurora-mysql
}

std::string arn(const std::string& service, const std::string& region, const std::string& accountId,
                const std::string& resource) {
  return "arn:aws:" + service + ":" + region + ":" + accountId + ":" + resource;
}

std::string snapshotType(FixtureObject& object) {
  std::string type = object.optionalString("type", "manual");
  if (type != "manual" && type != "automated") object.fail("member \"type\" must be \"manual\" or \"automated\"");
  return type;
}

// Identifiers are unique per account, region and kind of object, as in AWS. The identifiers seen
// so far are kept in a set per kind, so a fixture loads in time linear in its objects.
class UniqueIds {
 public:
  void require(const FixtureObject& where, const std::string& region, const std::string& identifier) {
    if (!seen_.insert(region + '\n' + identifier).second) {
      where.fail("\"" + identifier + "\" is given twice in region " + region);
    }
  }

 private:
  std::unordered_set<std::string> seen_;
};

// Where each cluster of a list stands, by region and identifier, so that joining many instances
// to their clusters takes one lookup each.
template <class Cluster>
std::unordered_map<std::string, std::size_t> clusterIndex(const std::vector<Cluster>& clusters) {
  std::unordered_map<std::string, std::size_t> index;
  index.reserve(clusters.size());
  for (std::size_t i = 0; i < clusters.size(); ++i) {
    index.emplace(clusters[i].record.region + '\n' + clusters[i].record.clusterIdentifier, i);
  }
  return index;
}

// The region member of an object, which must be one of the account's regions.
std::string regionOf(FixtureObject& object, const AwsAccount& account) {
  std::string region = object.requiredString("region");
  requireKnownRegion(object, account.regions, region);
  return region;
}

// How an instance sits in its cluster, kept until the clusters' member lists are built.
struct MemberRole {
  bool writer = false;
  int promotionTier = 1;
};

void parseRdsInstance(FixtureObject& object, AwsAccount& account, UniqueIds& ids, std::vector<MemberRole>& roles) {
  Tagged<RDSInfoStructs::SDBInstanceInfo> tagged;
  RDSInfoStructs::SDBInstanceInfo& instance = tagged.record;
  instance.instanceIdentifier = object.requiredString("identifier");
  instance.region = regionOf(object, account);
  ids.require(object, instance.region, instance.instanceIdentifier);
  instance.engine = object.requiredString("engine");
  const bool aurora = isAuroraEngine(instance.engine);
  instance.instanceArn = object.optionalString(
      "arn", arn("rds", instance.region, account.accountId, "db:" + instance.instanceIdentifier));
  instance.status = object.optionalString("status", "available");
  instance.endpointAddress = object.optionalString(
      "endpoint", instance.instanceIdentifier + "." + account.accountId + "." + instance.region + ".rds.amazonaws.com");
  instance.engineVersion = object.optionalString("engineVersion");
  instance.instanceClass = object.optionalString("instanceClass", "db.t3.medium");
  instance.multiAZ = object.optionalBool("multiAZ", false);
  instance.availabilityZone = object.optionalString("availabilityZone", instance.region + "a");
  instance.secondaryAvailabilityZone = object.optionalString("secondaryAvailabilityZone");
  instance.masterUsername = object.optionalString("masterUsername", "admin");
  instance.readReplicaIdentifiers = object.optionalStringList("readReplicas");
  instance.port = object.optionalInt("port", defaultPort(instance.engine));
  instance.allocatedStorageGiB = object.optionalInt("allocatedStorage", aurora ? 1 : 20);
  instance.publiclyAccessible = object.optionalBool("publiclyAccessible", false);
  instance.backupRetentionPeriod = object.optionalInt("backupRetentionPeriod", 7);
  instance.preferredBackupWindow = object.optionalString("preferredBackupWindow", "03:00-04:00");
  instance.storageType = object.optionalString("storageType", aurora ? "aurora" : "gp3");
  instance.iops = object.optionalInt("iops", 0);
  instance.monitoringInterval = object.optionalInt("monitoringInterval", 0);
  instance.createTime = object.optionalTime("createTime", 0);
  instance.caCertificateIdentifier = object.optionalString("caCertificate", "rds-ca-rsa2048-g1");
  instance.kmsKeyId = object.optionalString("kmsKeyId");
  instance.databaseName = object.optionalString("databaseName");
  instance.parameterGroupName = object.optionalString("parameterGroup", "default." + instance.engine);
  instance.autoMinorVersionUpgrade = object.optionalBool("autoMinorVersionUpgrade", true);
  instance.licenseModel = object.optionalString("licenseModel");
  instance.optionGroupName = object.optionalString("optionGroup", "default:" + instance.engine);
  instance.clusterIdentifier = object.optionalString("clusterIdentifier");
  tagged.tags = object.optionalTags("tags");
  roles.push_back(MemberRole{object.optionalBool("writer", false), object.optionalInt("promotionTier", 1)});
  account.rdsInstances.push_back(std::move(tagged));
}

void parseRdsCluster(FixtureObject& object, AwsAccount& account, UniqueIds& ids) {
  Tagged<RDSInfoStructs::SRDSClusterInfo> tagged;
  RDSInfoStructs::SRDSClusterInfo& cluster = tagged.record;
  cluster.clusterIdentifier = object.requiredString("identifier");
  cluster.region = regionOf(object, account);
  ids.require(object, cluster.region, cluster.clusterIdentifier);
  cluster.engine = object.requiredString("engine");
  const std::string host = account.accountId + "." + cluster.region + ".rds.amazonaws.com";
  cluster.clusterArn =
      object.optionalString("arn", arn("rds", cluster.region, account.accountId, "cluster:" + cluster.clusterIdentifier));
  cluster.status = object.optionalString("status", "available");
  cluster.endpointAddress = object.optionalString("endpoint", cluster.clusterIdentifier + ".cluster-" + host);
  cluster.readerEndpointAddress =
      object.optionalString("readerEndpoint", cluster.clusterIdentifier + ".cluster-ro-" + host);
  cluster.engineVersion = object.optionalString("engineVersion");
  cluster.engineMode = object.optionalString("engineMode", "provisioned");
  cluster.multiAZ = object.optionalBool("multiAZ", false);
  cluster.masterUsername = object.optionalString("masterUsername", "admin");
  cluster.port = object.optionalInt("port", defaultPort(cluster.engine));
  cluster.allocatedStorageGiB = object.optionalInt("allocatedStorage", 1);
  cluster.backupRetentionPeriod = object.optionalInt("backupRetentionPeriod", 7);
  cluster.preferredBackupWindow = object.optionalString("preferredBackupWindow", "03:00-04:00");
  cluster.iops = object.optionalInt("iops", 0);
  cluster.createTime = object.optionalTime("createTime", 0);
  cluster.kmsKeyId = object.optionalString("kmsKeyId");
  cluster.databaseName = object.optionalString("databaseName");
  cluster.parameterGroupName = object.optionalString("parameterGroup", "default." + cluster.engine);
  cluster.clusterInstanceClass = object.optionalString("clusterInstanceClass");
  tagged.tags = object.optionalTags("tags");
  account.rdsClusters.push_back(std::move(tagged));
}

void parseRdsInstanceSnapshot(FixtureObject& object, AwsAccount& account, UniqueIds& ids) {
  RDSInfoStructs::SDBSnapshotInfo snapshot;
  snapshot.snapshotIdentifier = object.requiredString("identifier");
  snapshot.region = regionOf(object, account);
  ids.require(object, snapshot.region, snapshot.snapshotIdentifier);
  snapshot.instanceIdentifier = object.requiredString("instance");
  snapshot.snapshotArn = object.optionalString(
      "arn", arn("rds", snapshot.region, account.accountId, "snapshot:" + snapshot.snapshotIdentifier));
  snapshot.snapshotType = snapshotType(object);
  snapshot.status = object.optionalString("status", "available");
  snapshot.engine = object.optionalString("engine");
  snapshot.engineVersion = object.optionalString("engineVersion");
  snapshot.availabilityZone = object.optionalString("availabilityZone", snapshot.region + "a");
  snapshot.createTime = object.optionalTime("createTime", 0);
  snapshot.allocatedStorageGiB = object.optionalInt("allocatedStorage", 20);
  snapshot.port = object.optionalInt("port", defaultPort(snapshot.engine));
  snapshot.encrypted = object.optionalBool("encrypted", false);
  snapshot.kmsKeyId = object.optionalString("kmsKeyId");
  snapshot.percentProgress = object.optionalInt("percentProgress", 100);
  account.rdsInstanceSnapshots.push_back(std::move(snapshot));
}

void parseRdsClusterSnapshot(FixtureObject& object, AwsAccount& account, UniqueIds& ids) {
  RDSInfoStructs::SRDSClusterSnapshotInfo snapshot;
  snapshot.snapshotIdentifier = object.requiredString("identifier");
  snapshot.region = regionOf(object, account);
  ids.require(object, snapshot.region, snapshot.snapshotIdentifier);
  snapshot.clusterIdentifier = object.requiredString("cluster");
  snapshot.snapshotArn = object.optionalString(
      "arn", arn("rds", snapshot.region, account.accountId, "cluster-snapshot:" + snapshot.snapshotIdentifier));
  snapshot.snapshotType = snapshotType(object);
  snapshot.status = object.optionalString("status", "available");
  snapshot.engine = object.optionalString("engine");
  snapshot.engineVersion = object.optionalString("engineVersion");
  snapshot.createTime = object.optionalTime("createTime", 0);
  snapshot.allocatedStorageGiB = object.optionalInt("allocatedStorage", 1);
  snapshot.port = object.optionalInt("port", defaultPort(snapshot.engine));
  snapshot.encrypted = object.optionalBool("encrypted", false);
  snapshot.kmsKeyId = object.optionalString("kmsKeyId");
  snapshot.percentProgress = object.optionalInt("percentProgress", 100);
  account.rdsClusterSnapshots.push_back(std::move(snapshot));
}

// A cluster's members are the instances of its region that name it, in fixture order; an
// instance naming a cluster that is not there cannot exist in AWS.
void joinRdsClusterMembers(const FixtureObject& rds, AwsAccount& account, const std::vector<MemberRole>& roles) {
  const auto clusters = clusterIndex(account.rdsClusters);
  for (std::size_t index = 0; index < account.rdsInstances.size(); ++index) {
    const RDSInfoStructs::SDBInstanceInfo& instance = account.rdsInstances[index].record;
    if (instance.clusterIdentifier.empty()) continue;
    const auto found = clusters.find(instance.region + '\n' + instance.clusterIdentifier);
    const std::string path = rds.path() + ".instances[" + std::to_string(index) + "]";
    if (found == clusters.end()) {
      throw FixtureError(path + ": cluster \"" + instance.clusterIdentifier + "\" is not in region " +
                         instance.region);
    }
    const auto cluster = account.rdsClusters.begin() + static_cast<std::ptrdiff_t>(found->second);
    if (cluster->record.engine != instance.engine) {
      throw FixtureError(path + ": engine \"" + instance.engine + "\" differs from its cluster's engine \"" +
                         cluster->record.engine + "\"");
    }
    cluster->record.members.push_back(RDSInfoStructs::SRDSClusterMemberInfo{
        instance.instanceIdentifier, roles[index].writer, roles[index].promotionTier});
  }
}

void parseRds(FixtureObject& account, AwsAccount& aws) {
  std::optional<FixtureObject> rds = account.optionalObject("rds");
  if (!rds) return;
  UniqueIds clusterIds, instanceIds, instanceSnapshotIds, clusterSnapshotIds;
  rds->forEachObject("clusters", [&](FixtureObject& object) { parseRdsCluster(object, aws, clusterIds); });
  std::vector<MemberRole> roles;
  rds->forEachObject("instances", [&](FixtureObject& object) { parseRdsInstance(object, aws, instanceIds, roles); });
  rds->forEachObject("instanceSnapshots", [&](FixtureObject& object) { parseRdsInstanceSnapshot(object, aws, instanceSnapshotIds); });
  rds->forEachObject("clusterSnapshots", [&](FixtureObject& object) { parseRdsClusterSnapshot(object, aws, clusterSnapshotIds); });
  rds->finish();
  joinRdsClusterMembers(*rds, aws, roles);
}


void parseDynamoTable(FixtureObject& object, AwsAccount& account, UniqueIds& ids) {
  Tagged<DynamoInfoStructs::SDynamoTableInfo> tagged;
  DynamoInfoStructs::SDynamoTableInfo& table = tagged.record;
  table.tableName = object.requiredString("name");
  table.region = regionOf(object, account);
  ids.require(object, table.region, table.tableName);
  table.tableArn = object.optionalString("arn", arn("dynamodb", table.region, account.accountId, "table/" + table.tableName));
  table.tableStatus = object.optionalString("status", "ACTIVE");
  table.itemCount = object.optionalInt64("itemCount", 0);
  table.tableSizeBytes = object.optionalInt64("sizeBytes", 0);
  table.createTime = object.optionalTime("createTime", 0);
  tagged.tags = object.optionalTags("tags");
  account.dynamoTables.push_back(std::move(tagged));
}

void parseDynamo(FixtureObject& account, AwsAccount& aws) {
  std::optional<FixtureObject> dynamo = account.optionalObject("dynamodb");
  if (!dynamo) return;
  UniqueIds tableIds;
  dynamo->forEachObject("tables", [&](FixtureObject& object) { parseDynamoTable(object, aws, tableIds); });
  dynamo->finish();
}

void parseDocDbCluster(FixtureObject& object, AwsAccount& account, UniqueIds& ids, std::vector<bool>& explicitMembers) {
  Tagged<DocDBInfoStructs::SDocDBClusterInfo> tagged;
  DocDBInfoStructs::SDocDBClusterInfo& cluster = tagged.record;
  cluster.clusterIdentifier = object.requiredString("identifier");
  cluster.region = regionOf(object, account);
  ids.require(object, cluster.region, cluster.clusterIdentifier);
  const std::string host = account.accountId + "." + cluster.region + ".docdb.amazonaws.com";
  cluster.engine = object.optionalString("engine", "docdb");
  cluster.engineVersion = object.optionalString("engineVersion", "5.0.0");
  cluster.status = object.optionalString("status", "available");
  cluster.endpointAddress = object.optionalString("endpoint", cluster.clusterIdentifier + ".cluster-" + host);
  cluster.readerEndpointAddress =
      object.optionalString("readerEndpoint", cluster.clusterIdentifier + ".cluster-ro-" + host);
  cluster.clusterArn =
      object.optionalString("arn", arn("rds", cluster.region, account.accountId, "cluster:" + cluster.clusterIdentifier));
  cluster.masterUsername = object.optionalString("masterUsername", "docdbadmin");
  cluster.availabilityZones = object.optionalStringList("availabilityZones");
  cluster.parameterGroupName = object.optionalString("parameterGroup", "default.docdb5.0");
  cluster.port = object.optionalInt("port", 27017);
  tagged.tags = object.optionalTags("tags");
  // A member list given here is kept as written: it models a cluster whose list and whose
  // instances disagree for a while, as while an instance moves between clusters.
  explicitMembers.push_back(object.has("members"));
  object.forEachObject("members", [&](FixtureObject& member) {
    cluster.members.push_back(DocDBInfoStructs::SDocDBClusterMemberInfo{
        member.optionalString("parameterGroupStatus", "in-sync"), member.requiredString("instance"),
        member.optionalBool("writer", false) ? 1 : 0, member.optionalInt("promotionTier", 1)});
  });
  account.docdbClusters.push_back(std::move(tagged));
}

void parseDocDbInstance(FixtureObject& object, AwsAccount& account, UniqueIds& ids, std::vector<MemberRole>& roles,
                        std::vector<std::string>& parameterGroupStatus) {
  Tagged<DocDBInfoStructs::SDocDBInstanceInfo> tagged;
  DocDBInfoStructs::SDocDBInstanceInfo& instance = tagged.record;
  instance.instanceIdentifier = object.requiredString("identifier");
  instance.region = regionOf(object, account);
  ids.require(object, instance.region, instance.instanceIdentifier);
  instance.clusterIdentifier = object.requiredString("clusterIdentifier");
  instance.instanceClass = object.optionalString("instanceClass", "db.r6g.large");
  instance.engine = object.optionalString("engine", "docdb");
  instance.status = object.optionalString("status", "available");
  instance.availabilityZone = object.optionalString("availabilityZone", instance.region + "a");
  instance.endpointAddress = object.optionalString(
      "endpoint", instance.instanceIdentifier + "." + account.accountId + "." + instance.region + ".docdb.amazonaws.com");
  instance.port = object.optionalInt("port", 27017);
  instance.instanceArn =
      object.optionalString("arn", arn("rds", instance.region, account.accountId, "db:" + instance.instanceIdentifier));
  tagged.tags = object.optionalTags("tags");
  roles.push_back(MemberRole{object.optionalBool("writer", false), object.optionalInt("promotionTier", 1)});
  parameterGroupStatus.push_back(object.optionalString("parameterGroupStatus", "in-sync"));
  account.docdbInstances.push_back(std::move(tagged));
}

// Clusters without a written member list get the instances of their region that name them.
void joinDocDbClusterMembers(const FixtureObject& docdb, AwsAccount& account, const std::vector<bool>& explicitMembers,
                             const std::vector<MemberRole>& roles, const std::vector<std::string>& parameterGroupStatus) {
  const auto clusters = clusterIndex(account.docdbClusters);
  for (std::size_t index = 0; index < account.docdbInstances.size(); ++index) {
    const DocDBInfoStructs::SDocDBInstanceInfo& instance = account.docdbInstances[index].record;
    const auto found = clusters.find(instance.region + '\n' + instance.clusterIdentifier);
    if (found == clusters.end()) {
      throw FixtureError(docdb.path() + ".instances[" + std::to_string(index) + "]: cluster \"" +
                         instance.clusterIdentifier + "\" is not in region " + instance.region);
    }
    const auto cluster = account.docdbClusters.begin() + static_cast<std::ptrdiff_t>(found->second);
    if (explicitMembers[static_cast<std::size_t>(cluster - account.docdbClusters.begin())]) continue;
    cluster->record.members.push_back(DocDBInfoStructs::SDocDBClusterMemberInfo{
        parameterGroupStatus[index], instance.instanceIdentifier, roles[index].writer ? 1 : 0,
        roles[index].promotionTier});
  }
}

void parseDocDbClusterSnapshot(FixtureObject& object, AwsAccount& account, UniqueIds& ids) {
  DocDBInfoStructs::SDocDBClusterSnapshotInfo snapshot;
  snapshot.snapshotIdentifier = object.requiredString("identifier");
  snapshot.region = regionOf(object, account);
  ids.require(object, snapshot.region, snapshot.snapshotIdentifier);
  snapshot.clusterIdentifier = object.requiredString("cluster");
  snapshot.snapshotArn = object.optionalString(
      "arn", arn("rds", snapshot.region, account.accountId, "cluster-snapshot:" + snapshot.snapshotIdentifier));
  snapshot.snapshotType = snapshotType(object);
  snapshot.status = object.optionalString("status", "available");
  snapshot.engine = object.optionalString("engine", "docdb");
  snapshot.engineVersion = object.optionalString("engineVersion", "5.0.0");
  snapshot.createTime = object.optionalTime("createTime", 0);
  snapshot.port = object.optionalInt("port", 27017);
  snapshot.encrypted = object.optionalBool("encrypted", false);
  snapshot.percentProgress = object.optionalInt("percentProgress", 100);
  account.docdbClusterSnapshots.push_back(std::move(snapshot));
}

void parseDocDb(FixtureObject& account, AwsAccount& aws) {
  std::optional<FixtureObject> docdb = account.optionalObject("docdb");
  if (!docdb) return;
  std::vector<bool> explicitMembers;
  std::vector<MemberRole> roles;
  std::vector<std::string> parameterGroupStatus;
  UniqueIds clusterIds, instanceIds, snapshotIds;
  docdb->forEachObject("clusters", [&](FixtureObject& object) { parseDocDbCluster(object, aws, clusterIds, explicitMembers); });
  docdb->forEachObject("instances",
                       [&](FixtureObject& object) { parseDocDbInstance(object, aws, instanceIds, roles, parameterGroupStatus); });
  docdb->forEachObject("clusterSnapshots", [&](FixtureObject& object) { parseDocDbClusterSnapshot(object, aws, snapshotIds); });
  docdb->finish();
  joinDocDbClusterMembers(*docdb, aws, explicitMembers, roles, parameterGroupStatus);
}

RedshiftInfoStructs::SRedshiftClusterParameterGroupStatusInfo parseParameterGroup(FixtureObject& object) {
  RedshiftInfoStructs::SRedshiftClusterParameterGroupStatusInfo group;
  group.parameterGroupName = object.requiredString("name");
  group.parameterApplyStatus = object.optionalString("applyStatus", "in-sync");
  object.forEachObject("parameters", [&](FixtureObject& parameter) {
    group.parameters.push_back(RedshiftInfoStructs::SRedshiftClusterParameterStatusInfo{
        parameter.requiredString("name"), parameter.optionalString("applyStatus", "in-sync"),
        parameter.optionalString("errorDescription")});
  });
  return group;
}

void parseRedshiftCluster(FixtureObject& object, AwsAccount& account, UniqueIds& ids) {
  Tagged<RedshiftInfoStructs::SRedshiftClusterInfo> tagged;
  RedshiftInfoStructs::SRedshiftClusterInfo& cluster = tagged.record;
  cluster.clusterIdentifier = object.requiredString("identifier");
  cluster.region = regionOf(object, account);
  ids.require(object, cluster.region, cluster.clusterIdentifier);
  cluster.nodeType = object.optionalString("nodeType", "ra3.xlplus");
  cluster.clusterStatus = object.optionalString("status", "available");
  cluster.masterUsername = object.optionalString("masterUsername", "awsuser");
  cluster.dbName = object.optionalString("dbName", "dev");
  cluster.endpointAddress = object.optionalString(
      "endpoint", cluster.clusterIdentifier + "." + account.accountId + "." + cluster.region + ".redshift.amazonaws.com");
  cluster.availabilityZone = object.optionalString("availabilityZone", cluster.region + "a");
  cluster.clusterVersion = object.optionalString("clusterVersion", "1.0");
  cluster.vpcId = object.optionalString("vpcId");
  cluster.clusterNamespaceArn = object.optionalString(
      "namespaceArn", arn("redshift", cluster.region, account.accountId, "namespace:" + cluster.clusterIdentifier));
  cluster.preferredMaintenanceWindow = object.optionalString("preferredMaintenanceWindow", "sun:05:00-sun:05:30");
  cluster.numberOfNodes = object.optionalInt("numberOfNodes", 1);
  cluster.port = object.optionalInt("port", 5439);
  cluster.automatedSnapshotRetentionPeriod = object.optionalInt("automatedSnapshotRetentionPeriod", 1);
  cluster.manualSnapshotRetentionPeriod = object.optionalInt("manualSnapshotRetentionPeriod", -1);
  object.forEachObject("parameterGroups",
                       [&](FixtureObject& group) { cluster.parameterGroups.push_back(parseParameterGroup(group)); });
  cluster.encrypted = object.optionalBool("encrypted", false);
  tagged.tags = object.optionalTags("tags");
  account.redshiftClusters.push_back(std::move(tagged));
}

void parseRedshiftSnapshot(FixtureObject& object, AwsAccount& account, UniqueIds& ids) {
  RedshiftInfoStructs::SRedshiftClusterSnapshotInfo snapshot;
  snapshot.snapshotIdentifier = object.requiredString("identifier");
  snapshot.region = regionOf(object, account);
  ids.require(object, snapshot.region, snapshot.snapshotIdentifier);
  snapshot.clusterIdentifier = object.requiredString("cluster");
  snapshot.snapshotArn = object.optionalString(
      "arn", arn("redshift", snapshot.region, account.accountId,
                 "snapshot:" + snapshot.clusterIdentifier + "/" + snapshot.snapshotIdentifier));
  snapshot.snapshotType = snapshotType(object);
  snapshot.status = object.optionalString("status", "available");
  snapshot.nodeType = object.optionalString("nodeType", "ra3.xlplus");
  snapshot.numberOfNodes = object.optionalInt("numberOfNodes", 1);
  snapshot.dbName = object.optionalString("dbName", "dev");
  snapshot.createTime = object.optionalTime("createTime", 0);
  snapshot.totalBackupSizeMB = object.optionalDouble("sizeMB", 0);
  snapshot.encrypted = object.optionalBool("encrypted", false);
  account.redshiftSnapshots.push_back(std::move(snapshot));
}

void parseRedshift(FixtureObject& account, AwsAccount& aws) {
  std::optional<FixtureObject> redshift = account.optionalObject("redshift");
  if (!redshift) return;
  UniqueIds clusterIds, snapshotIds;
  redshift->forEachObject("clusters", [&](FixtureObject& object) { parseRedshiftCluster(object, aws, clusterIds); });
  redshift->forEachObject("snapshots", [&](FixtureObject& object) { parseRedshiftSnapshot(object, aws, snapshotIds); });
  redshift->finish();
}

std::string awsRegionIdentifier(const std::string& name) { return "ec2." + name + ".amazonaws.com"; }

void parseAwsCredentials(FixtureObject& account, AwsAccount& aws) {
  std::optional<FixtureObject> credentials = account.optionalObject("credentials");
  if (!credentials) account.fail("member \"credentials\" is missing");
  aws.accessKeyId = credentials->requiredString("accessKeyId");
  aws.secretAccessKey = credentials->requiredString("secretAccessKey");
  credentials->finish();
}

}  // namespace

AwsAccount parseAwsAccount(FixtureObject& account) {
  AwsAccount aws;
  account.optionalString("cloud");
  aws.name = account.optionalString("name");
  aws.accountId = account.requiredString("accountId");
  if (aws.accountId.size() != 12 || aws.accountId.find_first_not_of("0123456789") != std::string::npos) {
    account.fail("member \"accountId\" must be twelve digits");
  }
  parseAwsCredentials(account, aws);
  aws.regions = parseRegions(account, awsRegionIdentifier);
  parseRds(account, aws);
  parseDynamo(account, aws);
  parseDocDb(account, aws);
  parseRedshift(account, aws);
  return aws;
}

}  // namespace cloudsim
