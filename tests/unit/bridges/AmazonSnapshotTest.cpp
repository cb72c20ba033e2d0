// Snapshot calls on the Amazon bridge: describes select by source and snapshot, deletes really
// remove, and what cannot be deleted is refused with AWS's words.
#include <gtest/gtest.h>

#include "BridgeTestSupport.h"

using namespace bridgetest;
using AmazonSDKCppBridge::CAmazonSDKCppBridge;
using RDSInfoStructs::SDBSnapshotInfo;

namespace {

class AmazonSnapshots : public ::testing::Test {
 protected:
  void connect(int cloudType, const std::string& endPoint = "") {
    ASSERT_TRUE(bridge.Connect(endPoint, kAccessKey, kSecret, cloudType)) << bridge.GetLastErrorString();
  }

  Names instanceSnapshots(const std::string& source, const std::string& snapshot) {
    EXPECT_GE(bridge.RefreshDBSnapshotInfoList(0, 0, source, snapshot), 0) << bridge.GetLastErrorString();
    std::vector<SDBSnapshotInfo> records;
    EXPECT_TRUE(bridge.GetDBSnapshotInfoList(records, 0, 0));
    return valuesOf(records, &SDBSnapshotInfo::snapshotIdentifier);
  }

  InstalledSimulator simulator;
  CAmazonSDKCppBridge bridge;
};

}  // namespace

TEST_F(AmazonSnapshots, DescribeSelectsBySourceAndSnapshot) {
  connect(1);
  EXPECT_EQ(instanceSnapshots("", ""), (Names{"mysql-a-manual", "rds:mysql-a-auto", "pg-a-manual", "twin", "twin"}));
  EXPECT_EQ(instanceSnapshots("mysql-a", ""), (Names{"mysql-a-manual", "rds:mysql-a-auto", "twin"}));
  EXPECT_EQ(instanceSnapshots("", "pg-a-manual"), (Names{"pg-a-manual"}));
  EXPECT_EQ(instanceSnapshots("", "arn:aws:rds:us-east-1:111122223333:snapshot:pg-a-manual"), (Names{"pg-a-manual"}));
  EXPECT_EQ(instanceSnapshots("no-such-instance", ""), Names{});
}

TEST_F(AmazonSnapshots, DescribeOfAnUnknownSnapshotFailsAsInAws) {
  connect(1);
  EXPECT_EQ(bridge.RefreshDBSnapshotInfoList(0, 0, "", "nope"), -1);
  EXPECT_EQ(bridge.GetLastErrorString(), "DBSnapshot not found: nope");
  EXPECT_EQ(bridge.RefreshRDSClusterSnapshotInfoList(0, 0, "", "nope"), -1);
  EXPECT_EQ(bridge.GetLastErrorString(), "DBClusterSnapshot not found: nope");
}

TEST_F(AmazonSnapshots, DescribeSeesOnlyTheConnectionsRegions) {
  connect(1, "us-west-2");
  EXPECT_EQ(instanceSnapshots("", ""), (Names{"twin"}));
  EXPECT_EQ(bridge.RefreshRDSClusterSnapshotInfoList(0, 0, "aur-my", ""), 0);
}

TEST_F(AmazonSnapshots, DeleteRemovesTheSnapshotForLaterCalls) {
  connect(1);
  EXPECT_TRUE(bridge.DeleteRDSInstanceSnapshot("mysql-a", "mysql-a-manual")) << bridge.GetLastErrorString();
  EXPECT_EQ(instanceSnapshots("mysql-a", ""), (Names{"rds:mysql-a-auto", "twin"}));

  CAmazonSDKCppBridge other;  // another connection sees the same cloud
  ASSERT_TRUE(other.Connect("us-east-1", kAccessKey, kSecret, 1));
  EXPECT_EQ(other.RefreshDBSnapshotInfoList(0, 0, "", "mysql-a-manual"), -1);
  EXPECT_FALSE(bridge.DeleteRDSInstanceSnapshot("mysql-a", "mysql-a-manual"));
  EXPECT_EQ(bridge.GetLastErrorString(), "DBSnapshot not found: mysql-a-manual");
}

TEST_F(AmazonSnapshots, DeleteRefusesWhatItCannotOrMustNotDelete) {
  connect(1);
  EXPECT_FALSE(bridge.DeleteRDSInstanceSnapshot("", "unknown"));
  EXPECT_EQ(bridge.GetLastErrorString(), "DBSnapshot not found: unknown");
  EXPECT_FALSE(bridge.DeleteRDSInstanceSnapshot("pg-a", "mysql-a-manual")) << "the source must match";
  EXPECT_EQ(bridge.GetLastErrorString(), "DBSnapshot not found: mysql-a-manual");
  EXPECT_FALSE(bridge.DeleteRDSInstanceSnapshot("mysql-a", "rds:mysql-a-auto"));
  EXPECT_EQ(bridge.GetLastErrorString(), "Only manual snapshots may be deleted.");
  EXPECT_FALSE(bridge.DeleteRDSInstanceSnapshot("mysql-a", ""));
  EXPECT_EQ(bridge.GetLastErrorString(), "The parameter DBSnapshotIdentifier must be provided and must not be blank.");
  EXPECT_EQ(instanceSnapshots("", "").size(), 5u) << "nothing was deleted";
}

TEST_F(AmazonSnapshots, SnapshotOfOneNameInTwoRegionsNeedsItsArn) {
  connect(1);
  EXPECT_FALSE(bridge.DeleteRDSInstanceSnapshot("", "twin"));
  EXPECT_EQ(bridge.GetLastErrorString(),
            "Snapshot twin exists in more than one region of this connection; name it by its ARN.");
  EXPECT_TRUE(bridge.DeleteRDSInstanceSnapshot("", "arn:aws:rds:us-west-2:111122223333:snapshot:twin"));
  EXPECT_EQ(instanceSnapshots("", "twin"), (Names{"twin"}));
  std::vector<SDBSnapshotInfo> records;
  ASSERT_TRUE(bridge.GetDBSnapshotInfoList(records, 0, 0));
  EXPECT_EQ(records[0].region, "us-east-1");
}

TEST_F(AmazonSnapshots, ClusterSnapshotsDeleteAndDescribe) {
  connect(1);
  EXPECT_TRUE(bridge.DeleteRDSClusterSnapshot("aur-my", "aur-my-manual"));
  EXPECT_EQ(bridge.RefreshRDSClusterSnapshotInfoList(0, 0, "", ""), 1);
  std::vector<RDSInfoStructs::SRDSClusterSnapshotInfo> records;
  ASSERT_TRUE(bridge.GetRDSClusterSnapshotInfoList(records, 0, 0));
  EXPECT_EQ(records[0].snapshotIdentifier, "aur-pg-manual");
  EXPECT_EQ(records[0].snapshotArn, "arn:aws:rds:us-west-2:111122223333:cluster-snapshot:aur-pg-manual");
}

TEST_F(AmazonSnapshots, DocumentDbSnapshotsByTypeRegionAndDelete) {
  connect(3);
  EXPECT_EQ(bridge.RefreshDocDBClusterSnapshotInfoList(0, 0, "cat", "", "", ""), 2);
  EXPECT_EQ(bridge.RefreshDocDBClusterSnapshotInfoList(0, 0, "", "automated", "", ""), 1);
  EXPECT_EQ(bridge.RefreshDocDBClusterSnapshotInfoList(0, 0, "", "", "eu-west-1", ""), 1);
  EXPECT_EQ(bridge.RefreshDocDBClusterSnapshotInfoList(0, 0, "", "weekly", "", ""), -1);
  EXPECT_EQ(bridge.GetLastErrorString(), "Unrecognized snapshot type: weekly");
  EXPECT_TRUE(bridge.DeleteDocDBClusterSnapshot("cat", "cat-manual"));
  EXPECT_FALSE(bridge.DeleteDocDBClusterSnapshot("cat", "rds:cat-auto"));
  EXPECT_EQ(bridge.RefreshDocDBClusterSnapshotInfoList(0, 0, "cat", "", "", ""), 1);
  std::vector<DocDBInfoStructs::SDocDBClusterSnapshotInfo> records;
  ASSERT_TRUE(bridge.GetDocDBClusterSnapshotInfoList(records, 0, 0));
  EXPECT_EQ(records[0].snapshotIdentifier, "rds:cat-auto");
}

TEST_F(AmazonSnapshots, RedshiftSnapshotsDescribeAndDelete) {
  connect(4);
  EXPECT_EQ(bridge.RefreshRedshiftClusterSnapshotInfoList("dw", ""), 2);
  EXPECT_FALSE(bridge.DeleteRedshiftClusterSnapshot("dw", "gone"));
  EXPECT_EQ(bridge.GetLastErrorString(), "Snapshot gone not found.");
  EXPECT_TRUE(bridge.DeleteRedshiftClusterSnapshot("dw", "arn:aws:redshift:us-east-1:111122223333:snapshot:dw/dw-manual"));
  EXPECT_EQ(bridge.RefreshRedshiftClusterSnapshotInfoList("", "dw-manual"), -1);
  EXPECT_EQ(bridge.RefreshRedshiftClusterSnapshotInfoList("dw", ""), 1);
}

TEST_F(AmazonSnapshots, SnapshotCallsNeedTheirService) {
  connect(1);
  EXPECT_FALSE(bridge.DeleteRedshiftClusterSnapshot("dw", "dw-manual"));
  EXPECT_EQ(bridge.GetLastErrorString(),
            "DeleteRedshiftClusterSnapshot needs a connection for redshift; this one serves rds.");
}
