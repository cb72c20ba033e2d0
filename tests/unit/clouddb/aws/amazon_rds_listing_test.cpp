// CAmazonRDSInfo's plain listings and listInstancesInternal: Aurora members collapsed into their
// cluster, the other clusters after them, tags and regions handed on, and what a failed step
// leaves behind.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../core/RdsTestWorld.h"
#include "clouddb/aws/CAmazonRDSInfo.h"

namespace {

using rdstest::RdsTestWorld;

using NameAndEngine = std::pair<std::string, std::string>;

std::unique_ptr<CAmazonRDSInfo> connectedProvider() {
  auto provider = std::make_unique<CAmazonRDSInfo>();
  provider->setInstanceId(rdstest::kRdsInstanceId);
  EXPECT_EQ(provider->FetchCredentials(), 1);
  EXPECT_EQ(provider->Connect(), 1);
  return provider;
}

std::vector<NameAndEngine> namesAndEngines(const std::vector<App::RDSDBInstance>& records) {
  std::vector<NameAndEngine> listed;
  for (const App::RDSDBInstance& record : records) listed.emplace_back(record.name(), record.engine());
  return listed;
}

TEST(AmazonRdsLookup, AuroraMembersCollapseIntoOneRecordPerCluster) {
  RdsTestWorld world;
  auto provider = connectedProvider();
  std::vector<App::RDSDBInstance> out;
  const CLmError listed = provider->listInstancesInternal("", "", "", out);
  ASSERT_TRUE(listed.IsSuccess()) << listed.AsString();
  EXPECT_EQ(namesAndEngines(out), (std::vector<NameAndEngine>{
                                      {"orders", "aurora-postgresql"},
                                      {"shop", "aurora-mysql"},
                                      {"billing", "postgres"},
                                      {"maria", "mariadb"},
                                      // A Multi-AZ member is no Aurora member: it keeps its name.
                                      {"multiaz-1", "mysql"},
                                      // Same identifier, other region: another database.
                                      {"orders", "aurora-postgresql"},
                                      {"shop", "aurora"},
                                      {"legacy", "mysql"},
                                      // The clusters that no member stands for come last.
                                      {"multiaz", "mysql"},
                                  }));
  EXPECT_EQ(out[5].region(), "eu-west-1");
  // A collapsed cluster carries its first member's other fields.
  EXPECT_EQ(out[0].getstring(4), "orders-1.writer.example");
  EXPECT_EQ(out[0].region(), "us-east-1");
}

TEST(AmazonRdsLookup, RegionAndTagAreHandedToBothSteps) {
  RdsTestWorld world;
  auto provider = connectedProvider();
  std::vector<App::RDSDBInstance> out;
  ASSERT_TRUE(provider->listInstancesInternal("eu-west-1", "", "", out).IsSuccess());
  EXPECT_EQ(namesAndEngines(out), (std::vector<NameAndEngine>{
                                      {"orders", "aurora-postgresql"}, {"shop", "aurora"}, {"legacy", "mysql"}}));
  EXPECT_EQ(world.callsOf("RefreshDBInstanceInfoList").back().arguments,
            (std::vector<std::string>{"0", "0", "", "", "eu-west-1",
                                      "{applyFilter: false, identifiers: [], engineType: 0, auroraScope: 0}"}));
  EXPECT_EQ(world.callsOf("RefreshRDSClusterInfoList").back().arguments,
            (std::vector<std::string>{"0", "0", "", "",
                                      "{applyFilter: true, identifiers: [], engineType: 0, auroraScope: 2}",
                                      "eu-west-1"}));

  std::vector<App::RDSDBInstance> tagged;
  ASSERT_TRUE(provider->listInstancesInternal("", "env", "prod", tagged).IsSuccess());
  EXPECT_EQ(namesAndEngines(tagged),
            (std::vector<NameAndEngine>{{"shop", "aurora-mysql"}, {"legacy", "mysql"}}));
  EXPECT_EQ(world.callsOf("RefreshRDSClusterInfoList").back().arguments[2], "env");
  EXPECT_EQ(world.callsOf("RefreshRDSClusterInfoList").back().arguments[3], "prod");
}

// A step fails whether the cloud refuses its refresh or the hand-over of what it kept.
TEST(AmazonRdsLookup, FailedClusterStepKeepsTheInstanceRecords) {
  for (const char* failing : {"RefreshRDSClusterInfoList", "GetRDSClusterInfoList"}) {
    RdsTestWorld world;
    auto provider = connectedProvider();
    ASSERT_TRUE(world.simulator().failNext(CloudBridgeKind::Amazon, failing, 1, "Throttling: Rate exceeded"));
    std::vector<App::RDSDBInstance> out;
    const CLmError error = provider->listInstancesInternal("us-east-1", "", "", out);
    EXPECT_EQ(error.code(), -774) << failing;
    EXPECT_EQ(error.kind(), CLmError::Kind::ErrNo) << failing;
    EXPECT_EQ(error.message(), "Failed to determine all clusters for region 'us-east-1' tagKey '' tagValue ''");
    EXPECT_EQ(namesAndEngines(out), (std::vector<NameAndEngine>{{"orders", "aurora-postgresql"},
                                                                {"shop", "aurora-mysql"},
                                                                {"billing", "postgres"},
                                                                {"maria", "mariadb"},
                                                                {"multiaz-1", "mysql"}}))
        << failing;
  }
}

TEST(AmazonRdsLookup, FailedInstanceStepAddsNothingAndLeavesTheCloudsText) {
  for (const char* failing : {"RefreshDBInstanceInfoList", "GetDBInstanceInfoList"}) {
    RdsTestWorld world;
    auto provider = connectedProvider();
    ASSERT_TRUE(world.simulator().failNext(CloudBridgeKind::Amazon, failing, 1, "Throttling: Rate exceeded"));
    std::vector<App::RDSDBInstance> out(1);
    const CLmError error = provider->listInstancesInternal("", "env", "prod", out);
    EXPECT_EQ(error.code(), -774) << failing;
    EXPECT_EQ(error.message(), "Failed to determine all clusters for region '' tagKey 'env' tagValue 'prod'");
    EXPECT_EQ(out.size(), 1u) << failing;
    EXPECT_TRUE(world.callsOf("RefreshRDSClusterInfoList").empty()) << failing;
    EXPECT_EQ(provider->lastError(), "Throttling: Rate exceeded") << failing;
    EXPECT_TRUE(world.capture().hasLine("GetDBInstanceInfoList",
                                        "Failed to refresh VM Info list . Error [Throttling: Rate exceeded]"))
        << failing;
  }
}

TEST(AmazonRdsPlainListing, RecordsComeAsTheBridgeHasThemWithTheTagApplied) {
  RdsTestWorld world;
  auto provider = connectedProvider();
  std::vector<RDSInfoStructs::SDBInstanceInfo> records;
  ASSERT_EQ(provider->GetDBInstanceInfoList(0, 0, records, "env", "prod"), 1);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].instanceIdentifier, "shop-1");
  EXPECT_EQ(records[1].instanceIdentifier, "legacy");

  std::vector<RDSInfoStructs::SDBInstanceInfo> all;
  ASSERT_EQ(provider->GetDBInstanceInfoList(0, 0, all), 1);
  EXPECT_EQ(all.size(), 9u);
}

TEST(AmazonRdsPlainListing, UnconnectedProviderFailsAndSaysWhy) {
  RdsTestWorld world;
  CAmazonRDSInfo provider;
  std::vector<RDSInfoStructs::SDBInstanceInfo> records;
  EXPECT_EQ(provider.GetDBInstanceInfoList(0, 0, records), 0);
  EXPECT_TRUE(records.empty());
  EXPECT_FALSE(provider.lastError().empty());
}

}  // namespace
