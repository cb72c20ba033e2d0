// CAmazonRedshiftInfo: clusters and their parameter-group text.
#include <gtest/gtest.h>

#include "AwsServiceTestWorld.h"
#include "clouddb/aws/CAmazonRedshiftInfo.h"

namespace {

using awstest::AwsServiceTestWorld;

class RedshiftClustersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    provider_.FetchCredentials(awstest::kRedshiftInstanceId);
    ASSERT_EQ(provider_.Connect(), 1);
  }

  AwsServiceTestWorld world_{AwsServiceTestWorld::defaultContents(AwsServiceTestWorld::testKey())};
  CAmazonRedshiftInfo provider_;
};

TEST_F(RedshiftClustersTest, ParameterGroupsAreJoinedWithATrailingSeparator) {
  std::vector<App::RedshiftCluster> clusters;
  ASSERT_TRUE(provider_.listClustersInternal("", "", "", clusters).IsSuccess());
  ASSERT_EQ(clusters.size(), 2u);
  EXPECT_EQ(clusters[0].clusterIdentifier(), "warehouse");
  EXPECT_EQ(clusters[0].parameterGroups(), "A;B;");
  EXPECT_EQ(clusters[1].clusterIdentifier(), "sandbox");
  EXPECT_TRUE(clusters[1].isSet(App::RedshiftCluster::kParameterGroups));
  EXPECT_EQ(clusters[1].parameterGroups(), "");
}

TEST_F(RedshiftClustersTest, TheClusterRecordFillsTheMessageFieldByField) {
  std::vector<App::RedshiftCluster> clusters;
  ASSERT_TRUE(provider_.listClustersInternal("us-east-1", "env", "prod", clusters).IsSuccess());
  ASSERT_EQ(clusters.size(), 1u);
  const App::RedshiftCluster& warehouse = clusters[0];
  EXPECT_EQ(warehouse.region(), "us-east-1");
  EXPECT_EQ(warehouse.getstring(3), "ra3.xlplus");
  EXPECT_EQ(warehouse.getstring(5), "awsuser");
  EXPECT_EQ(warehouse.getstring(6), "dev");
  EXPECT_EQ(warehouse.getstring(8), "warehouse.111122223333.us-east-1.redshift.amazonaws.com");
  EXPECT_EQ(warehouse.getstring(13), "sun:05:00-sun:05:30");
  EXPECT_EQ(warehouse.getint64(14), 4);
  EXPECT_EQ(warehouse.getint64(15), 5439);
  EXPECT_EQ(warehouse.getint64(19), 1);
  EXPECT_TRUE(warehouse.lastFieldFault().empty()) << warehouse.lastFieldFault();
  EXPECT_EQ(world_.callsOf("RefreshRedshiftClusterInfoList").at(0).arguments,
            (std::vector<std::string>{"0", "0", "us-east-1", "env", "prod"}));
}

// The refresh or the hand-over of what it kept: either refusal fails the lookup with its reason.
TEST_F(RedshiftClustersTest, AFailedRefreshAppendsNothingAndNamesTheLookup) {
  for (const char* failing : {"RefreshRedshiftClusterInfoList", "GetRedshiftClusterInfoList"}) {
    world_.capture().clear();
    ASSERT_TRUE(world_.simulator().failNext(CloudBridgeKind::Amazon, failing, 1, "Rate exceeded"));
    std::vector<App::RedshiftCluster> clusters(1);
    const CLmError failed = provider_.listClustersInternal("", "env", "", clusters);
    EXPECT_EQ(failed.code(), -774) << failing;
    EXPECT_EQ(failed.message(), "Failed to determine all clusters for region '' tagKey 'env' tagValue ''");
    EXPECT_EQ(clusters.size(), 1u) << failing;
    EXPECT_TRUE(world_.capture().hasLine("GetRedshiftClusterList",
                                         "Failed to refresh redshift cluster list . Error [Rate exceeded]"))
        << failing;
  }
}

}  // namespace
