// CAmazonDynamoDBInfo: the table lookup behind DynamoDB browsing and content rules.
#include <gtest/gtest.h>

#include "AwsServiceTestWorld.h"
#include "clouddb/aws/CAmazonDynamoDBInfo.h"

namespace {

using awstest::AwsServiceTestWorld;

class DynamoDBTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    provider_.FetchCredentials(awstest::kDynamoInstanceId);
    ASSERT_EQ(provider_.Connect(), 1);
  }

  AwsServiceTestWorld world_{AwsServiceTestWorld::defaultContents(AwsServiceTestWorld::testKey())};
  CAmazonDynamoDBInfo provider_;
};

TEST_F(DynamoDBTablesTest, SameNamedTablesInTwoRegionsStayTwoRecords) {
  std::vector<App::DynamoDBTable> tables;
  ASSERT_TRUE(provider_.listTablesInternal("", "env", "prod", tables).IsSuccess());
  ASSERT_EQ(tables.size(), 2u);
  EXPECT_EQ(tables[0].tableName(), "orders");
  EXPECT_EQ(tables[0].region(), "us-east-1");
  EXPECT_EQ(tables[1].tableName(), "orders");
  EXPECT_EQ(tables[1].region(), "eu-west-1");
  // A region-wide tag lookup is one bridge question over every allowed region.
  const auto refreshes = world_.callsOf("RefreshDynamoTableInfoList");
  ASSERT_EQ(refreshes.size(), 1u);
  EXPECT_EQ(refreshes[0].arguments, (std::vector<std::string>{"0", "0", "", "env", "prod"}));
}

TEST_F(DynamoDBTablesTest, ALookupAppendsInBridgeOrder) {
  std::vector<App::DynamoDBTable> tables(1);
  ASSERT_TRUE(provider_.listTablesInternal("us-east-1", "", "", tables).IsSuccess());
  ASSERT_EQ(tables.size(), 3u);
  EXPECT_EQ(tables[1].tableName(), "orders");
  EXPECT_EQ(tables[2].tableName(), "sessions");
  EXPECT_EQ(tables[2].region(), "us-east-1");
}

// The refresh or the hand-over of what it kept: either refusal fails the lookup with its reason.
TEST_F(DynamoDBTablesTest, AFailedRefreshAppendsNothingAndNamesTheLookup) {
  for (const char* failing : {"RefreshDynamoTableInfoList", "GetDynamoTableInfoList"}) {
    world_.capture().clear();
    ASSERT_TRUE(world_.simulator().failNext(CloudBridgeKind::Amazon, failing, 1, "Rate exceeded"));
    std::vector<App::DynamoDBTable> tables(1);
    const CLmError failed = provider_.listTablesInternal("us-east-1", "env", "prod", tables);
    EXPECT_EQ(failed.code(), -774) << failing;
    EXPECT_EQ(failed.kind(), CLmError::Kind::ErrNo) << failing;
    EXPECT_EQ(failed.message(), "Failed to determine all tables for region 'us-east-1' tagKey 'env' tagValue 'prod'");
    EXPECT_EQ(tables.size(), 1u) << failing;
    EXPECT_TRUE(
        world_.capture().hasLine("GetDynamoTableList", "Failed to refresh Dynamo table list . Error [Rate exceeded]"))
        << failing;
  }
}

TEST_F(DynamoDBTablesTest, TheBridgeRecordsKeepEveryAttribute) {
  std::vector<DynamoInfoStructs::SDynamoTableInfo> records;
  ASSERT_TRUE(provider_.GetDynamoTableList(records, "us-east-1", "", "", 0, 1));
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].tableName, "orders");
  EXPECT_EQ(records[0].itemCount, 12);
}

}  // namespace
