// Snapshot describes and deletes of the AWS providers: the account is chosen by the backup set,
// the two texts reach the bridge unchanged, deletes really remove, and every failure carries the
// operation's own words. The exported functions around them run in the scenario tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AwsServiceTestWorld.h"
#include "clouddb/aws/CAmazonDocumentDBInfo.h"
#include "clouddb/aws/CAmazonRDSInfo.h"
#include "clouddb/aws/CAmazonRedshiftInfo.h"

namespace {

using awstest::AwsServiceTestWorld;
using Strings = std::vector<std::string>;

constexpr std::uint64_t kRdsInstanceId = 1001;
constexpr unsigned long kRdsSubclientId = 3001;
constexpr unsigned long kDocDbSubclientId = awstest::kDocumentDbSubclientId;
constexpr unsigned long kRedshiftSubclientId = awstest::kRedshiftSubclientId;
constexpr unsigned long kUnknownAppId = 999;

// The test account of the service-base tests with snapshots of every kind; ap-south-1 is a
// region the backup instances do not serve.
constexpr char kSnapshotFixture[] = R"({
  "accounts": [{
    "cloud": "aws",
    "accountId": "111122223333",
    "credentials": {"accessKeyId": "AKIAH8TESTACCOUNT001",
                    "secretAccessKey": "h8/secret/access/key/for/the/test/account"},
    "regions": [{"name": "us-east-1"}, {"name": "eu-west-1"}, {"name": "ap-south-1"}],
    "rds": {
      "instanceSnapshots": [
        {"identifier": "orders-2024-05-01", "instance": "orders", "region": "us-east-1", "engine": "mysql"},
        {"identifier": "rds:orders-2024-05-02", "instance": "orders", "region": "us-east-1", "type": "automated"},
        {"identifier": "billing-weekly", "instance": "billing", "region": "eu-west-1", "engine": "postgres"},
        {"identifier": "hidden", "instance": "orders", "region": "ap-south-1"}
      ],
      "clusterSnapshots": [
        {"identifier": "shop-2024-05-01", "cluster": "shop", "region": "us-east-1", "engine": "aurora-mysql"},
        {"identifier": "shop-eu-2024-05-01", "cluster": "shop", "region": "eu-west-1", "engine": "aurora-mysql"}
      ]
    },
    "docdb": {"clusterSnapshots": [
      {"identifier": "catalog-2024-05-01", "cluster": "catalog", "region": "us-east-1"},
      {"identifier": "rds:catalog-2024-05-02", "cluster": "catalog", "region": "us-east-1", "type": "automated"},
      {"identifier": "ledger-2024-05-01", "cluster": "ledger", "region": "eu-west-1"}
    ]},
    "redshift": {"snapshots": [
      {"identifier": "warehouse-2024-05-01", "cluster": "warehouse", "region": "us-east-1"},
      {"identifier": "rs:warehouse-2024-05-02", "cluster": "warehouse", "region": "us-east-1", "type": "automated"}
    ]}
  }]
})";

// The service-base configuration plus an RDS instance of the same account with its subclient.
config::ConfigurationContents snapshotContents() {
  const HostKey key = AwsServiceTestWorld::testKey();
  config::ConfigurationContents contents = AwsServiceTestWorld::defaultContents(key);
  config::InstanceRecord rds;
  rds.id = kRdsInstanceId;
  rds.kind = config::InstanceKind::CloudApps;
  rds.name = "aws-rds";
  rds.instanceType = 4;
  rds.accessKey = awstest::kAccessKeyId;
  rds.secretKey = AwsServiceTestWorld::seal(key, awstest::kSecretAccessKey);
  rds.regionEndPoints = std::vector<std::string>{"us-east-1", "eu-west-1"};
  contents.instances.push_back(rds);
  contents.backupSets.push_back(config::BackupSetRecord{kRdsSubclientId + 100, "default", kRdsInstanceId});
  config::SubclientRecord subclient;
  subclient.id = kRdsSubclientId;
  subclient.name = "default";
  subclient.backupSetId = kRdsSubclientId + 100;
  contents.subclients.push_back(subclient);
  return contents;
}

template <class Record>
Strings identifiersOf(const std::vector<Record>& records) {
  Strings identifiers;
  for (const Record& record : records) identifiers.push_back(record.snapshotIdentifier);
  return identifiers;
}

// Whether the error's innermost location is MakeConnection's and the next one is operation's.
bool pushedBy(const CLmError& error, const std::string& operation) {
  return error.stack().size() == 2 && error.stack()[0].function.find("MakeConnection") != std::string::npos &&
         error.stack()[1].function.find(operation) != std::string::npos;
}

class SnapshotTest : public ::testing::Test {
 protected:
  AwsServiceTestWorld world_{snapshotContents(), kSnapshotFixture};
};

// --- The backup set decides the account ---

TEST_F(SnapshotTest, AnUnknownAppIdFailsEveryOperationWithTheLookupTextAndItsOwnLocation) {
  CAmazonRDSInfo rds;
  CAmazonDocumentDBInfo docdb;
  CAmazonRedshiftInfo redshift;
  std::vector<RDSInfoStructs::SDBSnapshotInfo> instanceSnapshots(1);
  std::vector<RDSInfoStructs::SRDSClusterSnapshotInfo> clusterSnapshots(1);
  std::vector<DocDBInfoStructs::SDocDBClusterSnapshotInfo> docdbSnapshots(1);
  std::vector<RedshiftInfoStructs::SRedshiftClusterSnapshotInfo> redshiftSnapshots(1);
  const std::pair<const char*, CLmError> outcomes[] = {
      {"DescribeDBInstanceSnapshot", rds.DescribeDBInstanceSnapshot(kUnknownAppId, "", "", instanceSnapshots)},
      {"DescribeDBClusterSnapshot", rds.DescribeDBClusterSnapshot(kUnknownAppId, "", "", clusterSnapshots)},
      {"DeleteDBInstanceSnapshot", rds.DeleteDBInstanceSnapshot(kUnknownAppId, "orders", "orders-2024-05-01")},
      {"DeleteDBClusterSnapshot", rds.DeleteDBClusterSnapshot(kUnknownAppId, "shop", "shop-2024-05-01")},
      {"DescribeDocDBClusterSnapshot", docdb.DescribeDocDBClusterSnapshot(kUnknownAppId, "", "", docdbSnapshots)},
      {"DeleteDocDBClusterSnapshot", docdb.DeleteDocDBClusterSnapshot(kUnknownAppId, "catalog", "catalog-2024-05-01")},
      {"DescribeRedshiftSnapshot", redshift.DescribeRedshiftSnapshot(kUnknownAppId, "", "", redshiftSnapshots)},
      {"DeleteRedshiftSnapshot", redshift.DeleteRedshiftSnapshot(kUnknownAppId, "warehouse", "warehouse-2024-05-01")},
  };
  for (const auto& [operation, error] : outcomes) {
    EXPECT_EQ(error.code(), -774) << operation;
    EXPECT_EQ(error.message(), "Instance not found for app id 999") << operation;
    EXPECT_TRUE(pushedBy(error, operation)) << operation;
  }
  // Nothing reached the cloud, and the callers' lists are as they were.
  EXPECT_TRUE(world_.simulator().calls().empty());
  EXPECT_EQ(instanceSnapshots.size(), 1u);
  EXPECT_EQ(clusterSnapshots.size(), 1u);
  EXPECT_EQ(docdbSnapshots.size(), 1u);
  EXPECT_EQ(redshiftSnapshots.size(), 1u);
}

// --- RDS describes ---

TEST_F(SnapshotTest, RdsDescribesPassBothTextsAndAppendInBridgeOrder) {
  CAmazonRDSInfo rds;
  std::vector<RDSInfoStructs::SDBSnapshotInfo> snapshots(1);
  snapshots[0].snapshotIdentifier = "kept";
  ASSERT_TRUE(rds.DescribeDBInstanceSnapshot(kRdsSubclientId, "orders", "", snapshots).IsSuccess());
  EXPECT_EQ(identifiersOf(snapshots), (Strings{"kept", "orders-2024-05-01", "rds:orders-2024-05-02"}));
  EXPECT_EQ(world_.callsOf("RefreshDBSnapshotInfoList").at(0).arguments, (Strings{"0", "0", "orders", ""}));
  EXPECT_EQ(world_.callsOf("GetDBSnapshotInfoList").at(0).arguments, (Strings{"0", "0"}));

  std::vector<RDSInfoStructs::SRDSClusterSnapshotInfo> clusters;
  ASSERT_TRUE(rds.DescribeDBClusterSnapshot(kRdsSubclientId, "shop", "shop-eu-2024-05-01", clusters).IsSuccess());
  EXPECT_EQ(identifiersOf(clusters), Strings{"shop-eu-2024-05-01"});
  EXPECT_EQ(world_.callsOf("RefreshRDSClusterSnapshotInfoList").at(0).arguments,
            (Strings{"0", "0", "shop", "shop-eu-2024-05-01"}));
  EXPECT_EQ(world_.callsOf("GetRDSClusterSnapshotInfoList").at(0).arguments, (Strings{"0", "0"}));
}

TEST_F(SnapshotTest, BothRdsDescribesShareTheRefreshFailureTextAndKeepTheCallersList) {
  CAmazonRDSInfo rds;
  std::vector<RDSInfoStructs::SDBSnapshotInfo> instances(1);
  const CLmError instanceFailure = rds.DescribeDBInstanceSnapshot(kRdsSubclientId, "", "nope", instances);
  EXPECT_EQ(instanceFailure.code(), -774);
  EXPECT_EQ(instanceFailure.message(),
            "Failed to refresh RDS Instance snapshot info list . Error [DBSnapshot not found: nope]");
  EXPECT_EQ(instances.size(), 1u);

  std::vector<RDSInfoStructs::SRDSClusterSnapshotInfo> clusters(1);
  const CLmError clusterFailure = rds.DescribeDBClusterSnapshot(kRdsSubclientId, "", "nope", clusters);
  EXPECT_EQ(clusterFailure.code(), -774);
  EXPECT_EQ(clusterFailure.message(),
            "Failed to refresh RDS Instance snapshot info list . Error [DBClusterSnapshot not found: nope]");
  EXPECT_EQ(clusters.size(), 1u);
  EXPECT_TRUE(world_.callsOf("GetRDSClusterSnapshotInfoList").empty()) << "no get after a failed refresh";
}

TEST_F(SnapshotTest, AGetThatFailsAfterAGoodRefreshIsNoEmptySuccess) {
  ASSERT_TRUE(world_.simulator().failNext(CloudBridgeKind::Amazon, "GetDBSnapshotInfoList", 1, "Connection reset"));
  CAmazonRDSInfo rds;
  std::vector<RDSInfoStructs::SDBSnapshotInfo> snapshots;
  const CLmError failed = rds.DescribeDBInstanceSnapshot(kRdsSubclientId, "orders", "", snapshots);
  EXPECT_EQ(failed.message(), "Failed to refresh RDS Instance snapshot info list . Error [Connection reset]");
  EXPECT_TRUE(snapshots.empty());
}

// --- Deletes ---

TEST_F(SnapshotTest, ARdsDeleteRemovesTheSnapshotFromLaterDescribes) {
  CAmazonRDSInfo rds;
  ASSERT_TRUE(rds.DeleteDBInstanceSnapshot(kRdsSubclientId, "orders", "orders-2024-05-01").IsSuccess());
  EXPECT_EQ(world_.callsOf("DeleteRDSInstanceSnapshot").at(0).arguments, (Strings{"orders", "orders-2024-05-01"}));

  CAmazonRDSInfo later;
  std::vector<RDSInfoStructs::SDBSnapshotInfo> snapshots;
  ASSERT_TRUE(later.DescribeDBInstanceSnapshot(kRdsSubclientId, "orders", "", snapshots).IsSuccess());
  EXPECT_EQ(identifiersOf(snapshots), Strings{"rds:orders-2024-05-02"});

  const CLmError again = later.DeleteDBInstanceSnapshot(kRdsSubclientId, "orders", "orders-2024-05-01");
  EXPECT_EQ(again.code(), -774);
  EXPECT_EQ(again.message(),
            "Failed to delete RDS Instance snapshot [orders][orders-2024-05-01] Error [DBSnapshot not found: "
            "orders-2024-05-01]");
}

TEST_F(SnapshotTest, ARdsClusterDeleteRemovesOnlyTheNamedSnapshot) {
  CAmazonRDSInfo rds;
  ASSERT_TRUE(rds.DeleteDBClusterSnapshot(kRdsSubclientId, "shop", "shop-2024-05-01").IsSuccess());
  std::vector<RDSInfoStructs::SRDSClusterSnapshotInfo> clusters;
  ASSERT_TRUE(rds.DescribeDBClusterSnapshot(kRdsSubclientId, "shop", "", clusters).IsSuccess());
  EXPECT_EQ(identifiersOf(clusters), Strings{"shop-eu-2024-05-01"});

  const CLmError unknown = rds.DeleteDBClusterSnapshot(kRdsSubclientId, "shop", "no-such");
  EXPECT_EQ(unknown.message(),
            "Failed to delete RDS Cluster snapshot [shop][no-such] Error [DBClusterSnapshot not found: no-such]");
}

TEST_F(SnapshotTest, ASnapshotOutsideTheConnectionsRegionsIsNeitherSeenNorDeleted) {
  CAmazonRDSInfo rds;
  std::vector<RDSInfoStructs::SDBSnapshotInfo> snapshots;
  EXPECT_TRUE(rds.DescribeDBInstanceSnapshot(kRdsSubclientId, "", "hidden", snapshots).IsFailure());
  EXPECT_TRUE(rds.DeleteDBInstanceSnapshot(kRdsSubclientId, "orders", "hidden").IsFailure());
}

// --- DocumentDB ---

TEST_F(SnapshotTest, DocDbDescribeSendsTheTwoTextsAroundTwoEmptyOnes) {
  CAmazonDocumentDBInfo docdb;
  std::vector<DocDBInfoStructs::SDocDBClusterSnapshotInfo> snapshots;
  ASSERT_TRUE(docdb.DescribeDocDBClusterSnapshot(kDocDbSubclientId, "catalog", "", snapshots).IsSuccess());
  EXPECT_EQ(identifiersOf(snapshots), (Strings{"catalog-2024-05-01", "rds:catalog-2024-05-02"}));
  EXPECT_EQ(world_.callsOf("RefreshDocDBClusterSnapshotInfoList").at(0).arguments,
            (Strings{"0", "0", "catalog", "", "", ""}));

  ASSERT_TRUE(docdb.DescribeDocDBClusterSnapshot(kDocDbSubclientId, "", "ledger-2024-05-01", snapshots).IsSuccess());
  EXPECT_EQ(world_.callsOf("RefreshDocDBClusterSnapshotInfoList").at(1).arguments,
            (Strings{"0", "0", "", "", "", "ledger-2024-05-01"}));
  EXPECT_EQ(snapshots.back().snapshotIdentifier, "ledger-2024-05-01");
}

TEST_F(SnapshotTest, DocDbDeleteRemovesAndAFailureQuotesTheBridge) {
  CAmazonDocumentDBInfo docdb;
  ASSERT_TRUE(docdb.DeleteDocDBClusterSnapshot(kDocDbSubclientId, "catalog", "catalog-2024-05-01").IsSuccess());
  std::vector<DocDBInfoStructs::SDocDBClusterSnapshotInfo> snapshots;
  ASSERT_TRUE(docdb.DescribeDocDBClusterSnapshot(kDocDbSubclientId, "catalog", "", snapshots).IsSuccess());
  EXPECT_EQ(identifiersOf(snapshots), Strings{"rds:catalog-2024-05-02"});

  const CLmError automated = docdb.DeleteDocDBClusterSnapshot(kDocDbSubclientId, "catalog", "rds:catalog-2024-05-02");
  EXPECT_EQ(automated.message(),
            "Failed to delete DocDB Cluster snapshot [catalog][rds:catalog-2024-05-02] Error [Only manual snapshots "
            "may be deleted.]");

  ASSERT_TRUE(
      world_.simulator().failNext(CloudBridgeKind::Amazon, "RefreshDocDBClusterSnapshotInfoList", 1, "Throttling"));
  EXPECT_EQ(docdb.DescribeDocDBClusterSnapshot(kDocDbSubclientId, "", "", snapshots).message(),
            "Failed to refresh DocDB snapshot info list . Error [Throttling]");
}

// --- Redshift ---

TEST_F(SnapshotTest, RedshiftDescribePassesOnlyTheTwoTexts) {
  CAmazonRedshiftInfo redshift;
  std::vector<RedshiftInfoStructs::SRedshiftClusterSnapshotInfo> snapshots;
  ASSERT_TRUE(redshift.DescribeRedshiftSnapshot(kRedshiftSubclientId, "warehouse", "", snapshots).IsSuccess());
  EXPECT_EQ(identifiersOf(snapshots), (Strings{"warehouse-2024-05-01", "rs:warehouse-2024-05-02"}));
  EXPECT_EQ(world_.callsOf("RefreshRedshiftClusterSnapshotInfoList").at(0).arguments, (Strings{"warehouse", ""}));

  const CLmError unknown = redshift.DescribeRedshiftSnapshot(kRedshiftSubclientId, "", "gone", snapshots);
  EXPECT_EQ(unknown.message(), "Failed to refresh redshift snapshot info list . Error [Snapshot gone not found.]");
  EXPECT_EQ(snapshots.size(), 2u);
}

TEST_F(SnapshotTest, ARedshiftDeleteFailureCarriesNoReason) {
  CAmazonRedshiftInfo redshift;
  const CLmError automated =
      redshift.DeleteRedshiftSnapshot(kRedshiftSubclientId, "warehouse", "rs:warehouse-2024-05-02");
  EXPECT_EQ(automated.code(), -774);
  EXPECT_EQ(automated.message(), "Snapshot deletion failed");

  ASSERT_TRUE(redshift.DeleteRedshiftSnapshot(kRedshiftSubclientId, "warehouse", "warehouse-2024-05-01").IsSuccess());
  EXPECT_EQ(redshift.DeleteRedshiftSnapshot(kRedshiftSubclientId, "warehouse", "warehouse-2024-05-01").message(),
            "Snapshot deletion failed");
}

}  // namespace
