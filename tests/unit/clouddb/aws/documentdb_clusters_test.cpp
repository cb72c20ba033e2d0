// CAmazonDocumentDBInfo: clusters joined with their member instances.
#include <gtest/gtest.h>

#include "AwsServiceTestWorld.h"
#include "clouddb/aws/CAmazonDocumentDBInfo.h"

namespace {

using awstest::AwsServiceTestWorld;
using Strings = std::vector<std::string>;

class DocumentDBClustersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    provider_.FetchCredentials(awstest::kDocumentDbInstanceId);
    ASSERT_EQ(provider_.Connect(), 1);
  }

  AwsServiceTestWorld world_{AwsServiceTestWorld::defaultContents(AwsServiceTestWorld::testKey())};
  CAmazonDocumentDBInfo provider_;
};

TEST_F(DocumentDBClustersTest, ATagLimitsTheClustersButNotTheirInstances) {
  std::vector<App::DocumentDBCluster> clusters;
  ASSERT_TRUE(provider_.listClustersInternal("us-east-1", "team", "search", clusters).IsSuccess());
  ASSERT_EQ(clusters.size(), 1u);
  EXPECT_EQ(clusters[0].clusterIdentifier(), "catalog");
  EXPECT_EQ(clusters[0].members(), (Strings{"catalog-1/db.r6g.large", "catalog-2/db.r6g.xlarge"}));

  EXPECT_EQ(world_.callsOf("RefreshDocDBClusterInfoList").at(0).arguments,
            (Strings{"0", "0", "us-east-1", "team", "search"}));
  EXPECT_EQ(world_.callsOf("RefreshDocDBInstanceInfoList").at(0).arguments, (Strings{"0", "0", "us-east-1", "", ""}));
}

TEST_F(DocumentDBClustersTest, AnInstanceOfAnotherClusterIsNoMember) {
  std::vector<App::DocumentDBCluster> clusters;
  ASSERT_TRUE(provider_.listClustersInternal("us-east-1", "", "", clusters).IsSuccess());
  ASSERT_EQ(clusters.size(), 2u);
  // "ledger" names catalog-2 as a member, but that instance belongs to "catalog".
  EXPECT_EQ(clusters[1].clusterIdentifier(), "ledger");
  EXPECT_EQ(clusters[1].members(), (Strings{"ledger-1/db.t4g.medium"}));
}

TEST_F(DocumentDBClustersTest, SameNamedClustersInTwoRegionsKeepTheirOwnMembers) {
  std::vector<App::DocumentDBCluster> clusters;
  ASSERT_TRUE(provider_.listClustersInternal("", "team", "search", clusters).IsSuccess());
  ASSERT_EQ(clusters.size(), 2u);
  EXPECT_EQ(clusters[0].region(), "us-east-1");
  EXPECT_EQ(clusters[0].members(), (Strings{"catalog-1/db.r6g.large", "catalog-2/db.r6g.xlarge"}));
  EXPECT_EQ(clusters[1].region(), "eu-west-1");
  EXPECT_EQ(clusters[1].members(), (Strings{"catalog-1/db.t3.medium"}));
}

TEST_F(DocumentDBClustersTest, TheClusterRecordFillsTheMessageFieldByField) {
  std::vector<App::DocumentDBCluster> clusters;
  ASSERT_TRUE(provider_.listClustersInternal("us-east-1", "team", "search", clusters).IsSuccess());
  const App::DocumentDBCluster& catalog = clusters.at(0);
  EXPECT_EQ(catalog.engine(), "docdb");
  EXPECT_EQ(catalog.getstring(5), "5.0.0");
  EXPECT_EQ(catalog.getstring(7), "available");
  EXPECT_EQ(catalog.getstring(10), "arn:aws:rds:us-east-1:111122223333:cluster:catalog");
  EXPECT_EQ(catalog.getstring(11), "docdbadmin");
  EXPECT_EQ(catalog.getliststring(12), (Strings{"us-east-1a", "us-east-1b"}));
  EXPECT_EQ(catalog.getstring(13), "default.docdb5.0");
  EXPECT_EQ(catalog.getint64(14), 27018);
  EXPECT_TRUE(catalog.isSet(15));
  EXPECT_EQ(catalog.getint64(15), 0);
  EXPECT_TRUE(catalog.lastFieldFault().empty()) << catalog.lastFieldFault();
}

// Either listing's refresh, or the hand-over of what it kept, fails the lookup with its reason.
TEST_F(DocumentDBClustersTest, EitherFailedRefreshAppendsNothing) {
  const std::string clusterLine = "Failed to refresh DocumentDB cluster list . Error [Throttling]";
  const std::string instanceLine = "Failed to refresh DocumentDB Instance list . Error [Throttling]";
  const struct {
    const char* operation;
    const char* tag;
    const std::string& line;
  } cases[] = {
      {"RefreshDocDBClusterInfoList", "GetDocumentDBClusterList", clusterLine},
      {"GetDocDBClusterInfoList", "GetDocumentDBClusterList", clusterLine},
      {"RefreshDocDBInstanceInfoList", "GetDocumentDBInstancesList", instanceLine},
      {"GetDocDBInstanceInfoList", "GetDocumentDBInstancesList", instanceLine},
  };
  for (const auto& c : cases) {
    world_.capture().clear();
    ASSERT_TRUE(world_.simulator().failNext(CloudBridgeKind::Amazon, c.operation, 1, "Throttling"));
    std::vector<App::DocumentDBCluster> clusters;
    const CLmError failed = provider_.listClustersInternal("eu-west-1", "", "", clusters);
    EXPECT_EQ(failed.code(), -774) << c.operation;
    EXPECT_EQ(failed.message(), "Failed to determine all clusters for region 'eu-west-1' tagKey '' tagValue ''");
    EXPECT_TRUE(clusters.empty()) << c.operation;
    EXPECT_TRUE(world_.capture().hasLine(c.tag, c.line)) << c.operation;
  }
}

}  // namespace
