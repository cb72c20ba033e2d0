// Listings on the Amazon bridge honour every argument: the connection's regions and the region
// asked for, tags, the instance filter, and first/count.
#include <gtest/gtest.h>

#include "BridgeTestSupport.h"

using namespace bridgetest;
using AmazonSDKCppBridge::CAmazonSDKCppBridge;
using RDSInfoStructs::SDBInstanceFilter;
using RDSInfoStructs::SDBInstanceInfo;
using RDSInfoStructs::SRDSClusterInfo;

namespace {

class AmazonListing : public ::testing::Test {
 protected:
  void connect(int cloudType, const std::string& endPoint = "") {
    ASSERT_TRUE(bridge.Connect(endPoint, kAccessKey, kSecret, cloudType)) << bridge.GetLastErrorString();
  }

  Names instances(const std::string& tagKey, const std::string& tagValue, const std::string& region,
                  const SDBInstanceFilter& filter = {}) {
    const int kept = bridge.RefreshDBInstanceInfoList(0, 0, tagKey, tagValue, region, filter);
    EXPECT_GE(kept, 0) << bridge.GetLastErrorString();
    std::vector<SDBInstanceInfo> records;
    EXPECT_TRUE(bridge.GetDBInstanceInfoList(records, 0, 0));
    EXPECT_EQ(records.size(), static_cast<std::size_t>(std::max(kept, 0)));
    return valuesOf(records, &SDBInstanceInfo::instanceIdentifier);
  }

  std::vector<SRDSClusterInfo> clusterRecords(const SDBInstanceFilter& filter, const std::string& region = "") {
    EXPECT_GE(bridge.RefreshRDSClusterInfoList(0, 0, "", "", filter, region), 0) << bridge.GetLastErrorString();
    std::vector<SRDSClusterInfo> records;
    EXPECT_TRUE(bridge.GetRDSClusterInfoList(records, 0, 0));
    return records;
  }

  Names clusters(const SDBInstanceFilter& filter, const std::string& region = "") {
    return valuesOf(clusterRecords(filter, region), &SRDSClusterInfo::clusterIdentifier);
  }

  InstalledSimulator simulator;
  CAmazonSDKCppBridge bridge;
};

}  // namespace

TEST_F(AmazonListing, InstancesComeRegionByRegionInEndPointOrder) {
  connect(1, "eu-west-1,us-east-1");
  EXPECT_EQ(instances("", "", ""), (Names{"oracle-c", "mysql-a", "pg-a", "aur-1", "aur-2", "maz-1"}));
}

TEST_F(AmazonListing, RegionArgumentNarrowsWithinTheConnection) {
  connect(1, "us-east-1,us-west-2");
  EXPECT_EQ(instances("", "", "us-west-2"), (Names{"maria-b", "aurpg-1"}));
  EXPECT_EQ(instances("", "", "eu-west-1"), Names{}) << "a region the connection does not allow shows nothing";
  EXPECT_EQ(bridge.RefreshDBInstanceInfoList(0, 0, "", "", "mars-1", {}), -1);
  EXPECT_EQ(bridge.GetLastErrorString(), "Could not connect to the endpoint URL: \"https://rds.mars-1.amazonaws.com/\"");
}

TEST_F(AmazonListing, TagsSelectByKeyAndValue) {
  connect(1);
  EXPECT_EQ(instances("env", "prod", ""), (Names{"mysql-a", "aur-1", "aur-2", "maz-1", "maria-b"}));
  EXPECT_EQ(instances("team", "", ""), (Names{"mysql-a", "pg-a", "maria-b", "oracle-c"})) << "key alone: any value";
  EXPECT_EQ(instances("env", "Prod", ""), Names{}) << "values are case-sensitive";
  EXPECT_EQ(instances("", "prod", ""), instances("", "", "")) << "no key: no tag filter";
  EXPECT_EQ(instances("env", "prod", "us-west-2"), (Names{"maria-b"}));
}

TEST_F(AmazonListing, InstanceFilterSelectsEngineFamilies) {
  connect(1);
  EXPECT_EQ(instances("", "", "", filterOf(1)), (Names{"pg-a", "maz-1"}));
  EXPECT_EQ(instances("", "", "", filterOf(2)), (Names{"aurpg-1"}));
  EXPECT_EQ(instances("", "", "", filterOf(3)), (Names{"mysql-a"}));
  EXPECT_EQ(instances("", "", "", filterOf(4)), (Names{"aur-1", "aur-2"}));
  EXPECT_EQ(instances("", "", "", filterOf(5)), (Names{"maria-b"}));
  EXPECT_EQ(instances("", "", "", filterOf(0)).size(), 8u);
}

TEST_F(AmazonListing, FilterFlagOffIgnoresTheRest) {
  connect(1);
  SDBInstanceFilter ignored{false, {"pg-a"}, 5, 1};
  EXPECT_EQ(instances("", "", "", ignored).size(), 8u);
}

TEST_F(AmazonListing, InstanceFilterSelectsNamesAndAuroraScope) {
  connect(1);
  EXPECT_EQ(instances("", "", "", filterOf(0, 0, {"pg-a", "aur-2", "absent"})), (Names{"pg-a", "aur-2"}));
  EXPECT_EQ(instances("", "", "", filterOf(0, 1)), (Names{"aur-1", "aur-2", "aurpg-1"}));
  EXPECT_EQ(instances("", "", "", filterOf(0, 2)), (Names{"mysql-a", "pg-a", "maz-1", "maria-b", "oracle-c"}));
  EXPECT_EQ(instances("env", "prod", "", filterOf(3, 2)), (Names{"mysql-a"}));
}

TEST_F(AmazonListing, FilterValuesOutsideTheirRangeFail) {
  connect(1);
  EXPECT_EQ(bridge.RefreshDBInstanceInfoList(0, 0, "", "", "", filterOf(6)), -1);
  EXPECT_EQ(bridge.GetLastErrorString(), "Invalid engine type filter value: 6");
  EXPECT_EQ(bridge.RefreshRDSClusterInfoList(0, 0, "", "", filterOf(0, 3), ""), -1);
  EXPECT_EQ(bridge.GetLastErrorString(), "Invalid cluster scope filter value: 3");
}

TEST_F(AmazonListing, ClustersByEngineAndScope) {
  connect(1);
  EXPECT_EQ(clusters({}), (Names{"aur-my", "maz-pg", "aur-pg"}));
  EXPECT_EQ(clusters(filterOf(2)), (Names{"aur-pg"}));
  EXPECT_EQ(clusters(filterOf(4)), (Names{"aur-my"}));
  EXPECT_EQ(clusters(filterOf(1)), (Names{"maz-pg"})) << "a Multi-AZ PostgreSQL cluster is of the PostgreSQL family";
  EXPECT_EQ(clusters(filterOf(0, 2)), (Names{"maz-pg"}));
  EXPECT_EQ(clusters(filterOf(0, 1)), (Names{"aur-my", "aur-pg"}));
  EXPECT_EQ(clusters(filterOf(0, 0, {"aur-pg"})), (Names{"aur-pg"}));
  EXPECT_EQ(clusters({}, "us-west-2"), (Names{"aur-pg"}));
}

TEST_F(AmazonListing, ClusterRecordsListTheirMembers) {
  connect(1, "us-east-1");
  const auto records = clusterRecords(filterOf(0, 0, {"aur-my"}));
  ASSERT_EQ(records.size(), 1u);
  ASSERT_EQ(records[0].members.size(), 2u);
  EXPECT_EQ(records[0].members[0].instanceIdentifier, "aur-1");
  EXPECT_TRUE(records[0].members[0].isClusterWriter);
  EXPECT_EQ(records[0].members[1].instanceIdentifier, "aur-2");
  EXPECT_FALSE(records[0].members[1].isClusterWriter);
  EXPECT_EQ(records[0].members[1].promotionTier, 2);
  EXPECT_EQ(records[0].clusterArn, "arn:aws:rds:us-east-1:111122223333:cluster:aur-my");
}

TEST_F(AmazonListing, InstanceRecordsCarryTheirClusterIdentifierLast) {
  connect(1, "us-east-1");
  std::vector<SDBInstanceInfo> records;
  ASSERT_EQ(bridge.RefreshDBInstanceInfoList(0, 0, "", "", "", filterOf(0, 0, {"aur-1", "mysql-a"})), 2);
  ASSERT_TRUE(bridge.GetDBInstanceInfoList(records, 0, 0));
  EXPECT_EQ(records[0].clusterIdentifier, "");
  EXPECT_EQ(records[0].port, 3306);
  EXPECT_EQ(records[1].clusterIdentifier, "aur-my");
  EXPECT_EQ(records[1].engine, "aurora-mysql");
  EXPECT_EQ(records[1].region, "us-east-1");
}

TEST_F(AmazonListing, FirstAndCountSliceTheRefreshAndTheGet) {
  connect(1, "us-east-1");
  ASSERT_EQ(bridge.RefreshDBInstanceInfoList(1, 3, "", "", "", {}), 3);
  std::vector<SDBInstanceInfo> records;
  ASSERT_TRUE(bridge.GetDBInstanceInfoList(records, 0, 0));
  EXPECT_EQ(valuesOf(records, &SDBInstanceInfo::instanceIdentifier), (Names{"pg-a", "aur-1", "aur-2"}));
  ASSERT_TRUE(bridge.GetDBInstanceInfoList(records, 2, 0));
  EXPECT_EQ(records.size(), 4u) << "gets append";
  EXPECT_EQ(records.back().instanceIdentifier, "aur-2");
  EXPECT_EQ(bridge.RefreshDBInstanceInfoList(7, 0, "", "", "", {}), 0) << "past the end: nothing";
  EXPECT_EQ(bridge.RefreshDBInstanceInfoList(0, -1, "", "", "", {}), -1);
  EXPECT_EQ(bridge.GetLastErrorString(), "Invalid record count: -1");
}

TEST_F(AmazonListing, FailedRefreshLeavesNothingToGet) {
  connect(1);
  ASSERT_GT(bridge.RefreshDBInstanceInfoList(0, 0, "", "", "", {}), 0);
  ASSERT_EQ(bridge.RefreshDBInstanceInfoList(0, 0, "", "", "mars-1", {}), -1);
  std::vector<SDBInstanceInfo> records;
  EXPECT_TRUE(bridge.GetDBInstanceInfoList(records, 0, 0));
  EXPECT_TRUE(records.empty());
}

TEST_F(AmazonListing, DynamoTablesOfOneNameInTwoRegions) {
  connect(2);
  ASSERT_EQ(bridge.RefreshDynamoTableInfoList(0, 0, "", "env", "prod"), 2);
  std::vector<DynamoInfoStructs::SDynamoTableInfo> tables;
  ASSERT_TRUE(bridge.GetDynamoTableInfoList(tables, 0, 0));
  EXPECT_EQ(valuesOf(tables, &DynamoInfoStructs::SDynamoTableInfo::tableName), (Names{"sessions", "sessions"}));
  EXPECT_EQ(valuesOf(tables, &DynamoInfoStructs::SDynamoTableInfo::region), (Names{"us-east-1", "eu-west-1"}));
  EXPECT_EQ(tables[1].tableArn, "arn:aws:dynamodb:eu-west-1:111122223333:table/sessions");
  EXPECT_EQ(bridge.RefreshDynamoTableInfoList(0, 0, "us-east-1", "", ""), 2);
}

TEST_F(AmazonListing, DocumentDbClustersListOnlyTheirOwnMembers) {
  connect(3);
  ASSERT_EQ(bridge.RefreshDocDBClusterInfoList(0, 0, "", "", ""), 2);
  std::vector<DocDBInfoStructs::SDocDBClusterInfo> docdbClusters;
  ASSERT_TRUE(bridge.GetDocDBClusterInfoList(docdbClusters, 0, 0));
  ASSERT_EQ(docdbClusters[0].members.size(), 2u);
  EXPECT_EQ(docdbClusters[0].members[0].instanceIdentifier, "node-1");
  EXPECT_EQ(docdbClusters[0].members[0].isClusterWriter, 1);
  ASSERT_EQ(docdbClusters[1].members.size(), 1u);
  EXPECT_EQ(docdbClusters[1].clusterIdentifier, "cat-eu");

  ASSERT_EQ(bridge.RefreshDocDBInstanceInfoList(0, 0, "", "", ""), 3);
  std::vector<DocDBInfoStructs::SDocDBInstanceInfo> docdbInstances;
  ASSERT_TRUE(bridge.GetDocDBInstanceInfoList(docdbInstances, 0, 0));
  EXPECT_EQ(valuesOf(docdbInstances, &DocDBInfoStructs::SDocDBInstanceInfo::clusterIdentifier),
            (Names{"cat", "cat", "cat-eu"}));
  EXPECT_EQ(docdbInstances[1].instanceClass, "db.t4g.medium");
  EXPECT_EQ(bridge.RefreshDocDBClusterInfoList(0, 0, "", "env", "prod"), 1);
}

TEST_F(AmazonListing, RedshiftClustersKeepTheirParameterGroupsInOrder) {
  connect(4);
  ASSERT_EQ(bridge.RefreshRedshiftClusterInfoList(0, 0, "", "", ""), 2);
  std::vector<RedshiftInfoStructs::SRedshiftClusterInfo> redshift;
  ASSERT_TRUE(bridge.GetRedshiftClusterInfoList(redshift, 0, 0));
  ASSERT_EQ(redshift[0].parameterGroups.size(), 2u);
  EXPECT_EQ(redshift[0].parameterGroups[0].parameterGroupName, "A");
  EXPECT_EQ(redshift[0].parameterGroups[1].parameterGroupName, "B");
  EXPECT_EQ(redshift[0].parameterGroups[1].parameterApplyStatus, "pending-reboot");
  ASSERT_EQ(redshift[0].parameterGroups[1].parameters.size(), 1u);
  EXPECT_EQ(redshift[0].parameterGroups[1].parameters[0].parameterName, "wlm");
  EXPECT_TRUE(redshift[1].parameterGroups.empty());
  EXPECT_EQ(bridge.RefreshRedshiftClusterInfoList(0, 0, "us-west-2", "env", ""), 0);
}
