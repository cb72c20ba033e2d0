// The relational provider interface: the answers of slots a provider leaves alone, wildcard
// patterns, the cluster-engine set and the conversion of bridge records into host records.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "BareRdsProvider.h"
#include "clouddb/core/RDSInfo.h"
#include "platform/CLmError.h"

namespace {

using BareProvider = rdstest::BareRdsProvider;

void expectApiNotImplemented(const CLmError& error, const std::string& signature) {
  EXPECT_TRUE(error.IsFailure());
  EXPECT_EQ(error.code(), -1359);
  EXPECT_EQ(error.systemCode(), 1359);
  EXPECT_EQ(error.kind(), CLmError::Kind::Win32);
  EXPECT_EQ(error.message(), "API not implemented");
  ASSERT_EQ(error.stack().size(), 1u);
  EXPECT_EQ(error.stack().front().file, "RDSInfo.h");
  EXPECT_EQ(error.stack().front().function, signature);
}

TEST(RdsInfoUnsupportedSlots, ListingsByEngineTypeAnswerApiNotImplemented) {
  BareProvider provider;
  CRDSInfo& table = provider;
  std::vector<App::RDSDBInstance> out;
  expectApiNotImplemented(table.GetDBInstanceInfoList(App::CLOUDDB_ENGINE_MYSQL, out, "", ""),
                          "virtual CLmError CRDSInfo::GetDBInstanceInfoList(App::CloudDBEngineType, "
                          "std::vector<App::RDSDBInstance>&, const string&, const string&)");
  expectApiNotImplemented(table.GetDBInstanceInfoList(App::CLOUDDB_ENGINE_MYSQL, out, "", "", "us-east-1"),
                          "virtual CLmError CRDSInfo::GetDBInstanceInfoList(App::CloudDBEngineType, "
                          "std::vector<App::RDSDBInstance>&, const string&, const string&, const string&)");
  expectApiNotImplemented(table.GetDBClusterInfoList(App::CLOUDDB_ENGINE_AURORA_MYSQL, out, "", ""),
                          "virtual CLmError CRDSInfo::GetDBClusterInfoList(App::CloudDBEngineType, "
                          "std::vector<App::RDSDBInstance>&, const string&, const string&)");
  EXPECT_TRUE(out.empty());
}

TEST(RdsInfoUnsupportedSlots, ClientCredentialsAndRegionsAnswerMinusOne) {
  BareProvider provider;
  CRDSInfo& table = provider;
  std::vector<VMInfoStructs::SDataCenterInfo> regions;
  EXPECT_EQ(table.FetchClientCredentials(7), -1);
  EXPECT_EQ(table.GetRegionList(regions, 0, 0), -1);
  EXPECT_TRUE(regions.empty());
}

TEST(RdsInfoPatterns, WildcardsBecomeAnchoredExpressions) {
  BareProvider provider;
  EXPECT_EQ(provider.prepareForRegex("db.*"), "^db\\..*$");
  EXPECT_EQ(provider.prepareForRegex("a+b"), "^a\\+b$");
  EXPECT_EQ(provider.prepareForRegex(""), "^$");
  EXPECT_EQ(provider.prepareForRegex("prod*"), "^prod.*$");
  // Only "." and "+" are escaped; other characters keep their meaning.
  EXPECT_EQ(provider.prepareForRegex("db?[0-9]"), "^db?[0-9]$");
}

TEST(RdsInfoPatterns, PreparedPatternsMatchWholeNamesLiterally) {
  BareProvider provider;
  const std::regex dotted(provider.prepareForRegex("db.prod*"), std::regex::ECMAScript);
  EXPECT_TRUE(std::regex_match("db.prod-eu", dotted));
  EXPECT_FALSE(std::regex_match("dbxprod-eu", dotted));  // the full stop is literal
  EXPECT_FALSE(std::regex_match("my-db.prod", dotted));  // anchored at the start
  const std::regex plus(provider.prepareForRegex("a+b"), std::regex::ECMAScript);
  EXPECT_TRUE(std::regex_match("a+b", plus));
  EXPECT_FALSE(std::regex_match("aab", plus));
  EXPECT_FALSE(std::regex_match("a+bc", plus));  // anchored at the end
}

TEST(RdsInfoClusterEngines, AuroraEnginesOnly) {
  BareProvider provider;
  EXPECT_TRUE(provider.isClusterEngine("aurora"));
  EXPECT_TRUE(provider.isClusterEngine("aurora-mysql"));
  EXPECT_TRUE(provider.isClusterEngine("aurora-postgresql"));
  EXPECT_FALSE(provider.isClusterEngine("postgres"));
  EXPECT_FALSE(provider.isClusterEngine("Aurora-MySQL"));
  EXPECT_FALSE(provider.isClusterEngine(""));
  EXPECT_EQ(provider.clusterEngines().size(), 3u);
}

RDSInfoStructs::SDBInstanceInfo sampleInstance() {
  RDSInfoStructs::SDBInstanceInfo record;
  record.instanceArn = "arn:aws:rds:us-east-1:1:db:billing";
  record.instanceIdentifier = "billing";
  record.status = "available";
  record.endpointAddress = "billing.example";
  record.engine = "postgres";
  record.engineVersion = "16.2";
  record.instanceClass = "db.m6g.large";
  record.multiAZ = true;
  record.region = "us-east-1";
  record.availabilityZone = "us-east-1a";
  record.secondaryAvailabilityZone = "us-east-1b";
  record.masterUsername = "admin";
  record.readReplicaIdentifiers = {"billing-replica"};
  record.port = 5432;
  record.allocatedStorageGiB = 100;
  record.publiclyAccessible = false;
  record.backupRetentionPeriod = 7;
  record.preferredBackupWindow = "03:00-04:00";
  record.storageType = "gp3";
  record.iops = 3000;
  record.monitoringInterval = 60;
  record.createTime = 1700000000;
  record.caCertificateIdentifier = "rds-ca";
  record.kmsKeyId = "kms-1";
  record.databaseName = "ledger";
  record.parameterGroupName = "default.postgres16";
  record.autoMinorVersionUpgrade = true;
  record.licenseModel = "postgresql-license";
  record.optionGroupName = "default:postgres-16";
  record.clusterIdentifier = "not-converted";
  return record;
}

TEST(RdsInfoConversion, InstanceMembersFillFieldsInDeclarationOrder) {
  std::vector<App::RDSDBInstance> out;
  CRDSInfo::ConvertObject(std::vector<RDSInfoStructs::SDBInstanceInfo>{sampleInstance()}, out);
  ASSERT_EQ(out.size(), 1u);
  const App::RDSDBInstance& message = out.front();
  // Every member went to a declared field of the right kind.
  EXPECT_TRUE(message.lastFieldFault().empty()) << message.lastFieldFault();
  EXPECT_EQ(message.getstring(1), "arn:aws:rds:us-east-1:1:db:billing");
  EXPECT_EQ(message.name(), "billing");
  EXPECT_EQ(message.getstring(4), "billing.example");
  EXPECT_EQ(message.engine(), "postgres");
  EXPECT_EQ(message.engineVersion(), "16.2");
  EXPECT_EQ(message.getstring(7), "db.m6g.large");
  EXPECT_EQ(message.getint64(8), 1);
  EXPECT_EQ(message.region(), "us-east-1");
  EXPECT_EQ(message.getstring(11), "us-east-1b");
  EXPECT_EQ(message.getstring(12), "admin");
  EXPECT_EQ(message.getint64(14), 5432);
  EXPECT_EQ(message.getint64(15), 100);
  EXPECT_TRUE(message.isSet(16));
  EXPECT_EQ(message.getint64(16), 0);
  EXPECT_EQ(message.getint64(17), 7);
  EXPECT_EQ(message.getstring(19), "gp3");
  EXPECT_EQ(message.getint64(21), 60);
  EXPECT_EQ(message.getint64(22), 1700000000);
  EXPECT_EQ(message.getstring(23), "rds-ca");
  EXPECT_EQ(message.getstring(26), "default.postgres16");
  EXPECT_EQ(message.getint64(27), 1);
  EXPECT_EQ(message.getstring(29), "default:postgres-16");
}

TEST(RdsInfoConversion, ClusterLeavesInstanceOnlyFieldsUnset) {
  RDSInfoStructs::SRDSClusterInfo cluster;
  cluster.clusterArn = "arn:aws:rds:eu-west-1:1:cluster:orders";
  cluster.clusterIdentifier = "orders";
  cluster.engine = "aurora-postgresql";
  cluster.multiAZ = true;
  cluster.region = "eu-west-1";
  cluster.masterUsername = "admin";
  cluster.port = 5432;
  cluster.iops = 12;
  cluster.createTime = 1600000000;
  cluster.parameterGroupName = "default.aurora-postgresql16";
  std::vector<App::RDSDBInstance> out;
  CRDSInfo::ConvertObject(std::vector<RDSInfoStructs::SRDSClusterInfo>{cluster}, out);
  ASSERT_EQ(out.size(), 1u);
  const App::RDSDBInstance& message = out.front();
  EXPECT_EQ(message.getstring(1), cluster.clusterArn);
  EXPECT_EQ(message.name(), "orders");
  EXPECT_EQ(message.engine(), "aurora-postgresql");
  EXPECT_EQ(message.getint64(8), 1);
  EXPECT_EQ(message.region(), "eu-west-1");
  EXPECT_EQ(message.getstring(12), "admin");
  EXPECT_EQ(message.getint64(14), 5432);
  EXPECT_EQ(message.getint64(20), 12);
  EXPECT_EQ(message.getint64(22), 1600000000);
  EXPECT_EQ(message.getstring(26), "default.aurora-postgresql16");
  for (int field : {7, 10, 11, 16, 19, 21, 23, 27, 28, 29}) {
    EXPECT_FALSE(message.isSet(field)) << "field " << field;
  }
}

TEST(RdsInfoConversion, AppendsWithoutClearingAndEmptyInputAddsNothing) {
  std::vector<App::RDSDBInstance> out(1);
  out.front().setName("already-there");
  CRDSInfo::ConvertObject(std::vector<RDSInfoStructs::SDBInstanceInfo>{}, out);
  CRDSInfo::ConvertObject(std::vector<RDSInfoStructs::SRDSClusterInfo>{}, out);
  ASSERT_EQ(out.size(), 1u);

  RDSInfoStructs::SDBInstanceInfo second = sampleInstance();
  second.instanceIdentifier = "billing-2";
  CRDSInfo::ConvertObject(std::vector<RDSInfoStructs::SDBInstanceInfo>{sampleInstance(), second}, out);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0].name(), "already-there");
  EXPECT_EQ(out[1].name(), "billing");
  EXPECT_EQ(out[2].name(), "billing-2");
}

}  // namespace
