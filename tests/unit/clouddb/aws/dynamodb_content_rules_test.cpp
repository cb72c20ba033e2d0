// Expanding a DynamoDB backup set's content rules into tables, previewing them and expanding a
// saved backup set: the points where tables differ from the cluster services (the all-rule flag,
// type 34 refused, unverified specific tables, a table rule for a refused region skipped up front).
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "ContentRulesTestWorld.h"
#include "clouddb/aws/CAmazonDynamoDBInfo.h"

namespace {

using contenttest::content;
using contenttest::ContentRulesTestWorld;
using Strings = std::vector<std::string>;

constexpr char kListing[] = "RefreshDynamoTableInfoList";
constexpr char kTag[] = "ExpandDynamoContent";

struct Table {
  std::string region;
  std::string name;
  bool operator==(const Table&) const = default;
};

std::ostream& operator<<(std::ostream& stream, const Table& table) {
  return stream << table.name << "[" << table.region << "]";
}

std::vector<Table> tablesOf(const std::vector<App::DynamoDBTable>& records) {
  std::vector<Table> result;
  for (const App::DynamoDBTable& record : records) result.push_back({record.region(), record.tableName()});
  return result;
}

class DynamoContentRules : public ::testing::Test {
 protected:
  CLmError expand(const std::string& rules, Strings regions = {}, bool preview = true) {
    return provider_.ExpandDynamoContent(preview, regions, content(rules), out_, allRule_, awstest::kDynamoInstanceId);
  }

  std::vector<Table> tables() const { return tablesOf(out_); }
  std::size_t lookups() const { return world_.callsOf(kListing).size(); }

  ContentRulesTestWorld world_;
  CAmazonDynamoDBInfo provider_;
  std::vector<App::DynamoDBTable> out_;
  bool allRule_ = true;  // the expansion must reset it
};

TEST_F(DynamoContentRules, TypeThirtyFourIsRefusedWhileFortySevenIsATagRule) {
  const std::string rules =
      R"(<children name="audit*" entityType="46"/><children name="env" tagValue="prod" entityType="34"/>)";
  const CLmError refused = expand(rules);
  EXPECT_EQ(refused.code(), -774);
  EXPECT_EQ(refused.kind(), CLmError::Kind::ErrNo);
  EXPECT_EQ(refused.message(), "Tag is not implemented (DynamoDB XML [34]'" + content(rules) + "')");
  // The walk stops at the refused rule; what the rules before it found stays.
  EXPECT_EQ(tables(), (std::vector<Table>{{"eu-west-1", "audit"}}));
  EXPECT_EQ(lookups(), 1u);

  out_.clear();
  ASSERT_TRUE(expand(R"(<children name="env" tagValue="prod" entityType="47"/>)").IsSuccess());
  EXPECT_EQ(tables(), (std::vector<Table>{{"us-east-1", "orders"}, {"eu-west-1", "orders"}}));
  EXPECT_EQ(world_.callsOf(kListing).back().arguments, (Strings{"0", "0", "", "env", "prod"}));
}

TEST_F(DynamoContentRules, ConstrainedTagRuleAsksEachAllowedRegionInTheCallersOrder) {
  ASSERT_TRUE(
      expand(R"(<children name="env" tagValue="prod" entityType="47"/>)", {"eu-west-1", "us-east-1"}).IsSuccess());
  EXPECT_EQ(world_.regionsAskedBy(kListing), (Strings{"eu-west-1", "us-east-1"}));
  EXPECT_EQ(tables(), (std::vector<Table>{{"eu-west-1", "orders"}, {"us-east-1", "orders"}}));
}

TEST_F(DynamoContentRules, UnconstrainedAllRuleSetsTheFlagAndEndsTheWalk) {
  ASSERT_TRUE(expand(R"(<children entityType="17"/><children name="eu-west-1" entityType="4"/>)").IsSuccess());
  EXPECT_TRUE(allRule_);
  EXPECT_EQ(world_.regionsAskedBy(kListing), (Strings{""}));
  EXPECT_EQ(out_.size(), 5u);  // every table of the connection's two regions, once
  EXPECT_EQ(world_.capture().countLines("regions are constrained to a list of size 0"), 0u);
}

TEST_F(DynamoContentRules, ConstrainedAllRuleLogsItsRegionsAndGoesOn) {
  ASSERT_TRUE(expand(R"(<children entityType="17"/><children name="audit" region="eu-west-1" entityType="45"/>)",
                     {"us-east-1", "eu-west-1"})
                  .IsSuccess());
  EXPECT_TRUE(allRule_);
  EXPECT_TRUE(world_.capture().hasLine(kTag, "regions are constrained to a list of size 2"));
  EXPECT_TRUE(world_.capture().hasLine(kTag, "expanding region 'us-east-1'"));
  EXPECT_TRUE(world_.capture().hasLine(kTag, "expanding region 'eu-west-1'"));
  EXPECT_EQ(world_.regionsAskedBy(kListing), (Strings{"us-east-1", "eu-west-1"}));
  // Five tables from the all rule, then the specific table that follows it.
  ASSERT_EQ(out_.size(), 6u);
  EXPECT_EQ(tables().back(), (Table{"eu-west-1", "audit"}));
}

TEST_F(DynamoContentRules, ContentWithoutAnAllRuleClearsTheFlag) {
  ASSERT_TRUE(expand(R"(<children name="us-east-1" entityType="4"/>)").IsSuccess());
  EXPECT_FALSE(allRule_);
  EXPECT_TRUE(world_.capture().hasLine(
      kTag, "instanceId 1002 requestXml '" + content(R"(<children name="us-east-1" entityType="4"/>)") + "'"));

  // Even content that cannot be read leaves no stale flag behind.
  allRule_ = true;
  Strings regions;
  EXPECT_TRUE(provider_.ExpandDynamoContent(true, regions, "<CloudDBEntity", out_, allRule_, 0).IsFailure());
  EXPECT_FALSE(allRule_);
}

TEST_F(DynamoContentRules, TableRuleForARefusedRegionIsSkippedBeforeAnyLookup) {
  ASSERT_TRUE(expand(R"(<children name="*" region="eu-west-1" entityType="46"/>)", {"us-east-1"}).IsSuccess());
  EXPECT_TRUE(out_.empty());
  EXPECT_EQ(lookups(), 0u);
  EXPECT_TRUE(world_.capture().hasLine(kTag, "table rule '*' will be applied"));
  EXPECT_EQ(world_.capture().countLines("region 'eu-west-1' in TableRule is ignored due to a regions constraint"), 1u);
}

TEST_F(DynamoContentRules, TableRuleWithoutRegionDropsTablesOutsideTheConstraint) {
  ASSERT_TRUE(expand(R"(<children name="orders" entityType="46"/>)", {"us-east-1"}).IsSuccess());
  // One lookup over every region of the connection, then the refused region's table dropped.
  EXPECT_EQ(world_.regionsAskedBy(kListing), (Strings{""}));
  EXPECT_EQ(tables(), (std::vector<Table>{{"us-east-1", "orders"}}));
  EXPECT_TRUE(
      world_.capture().hasLine(kTag, "region 'eu-west-1' table 'orders' in TableRule is ignored due to a regions constraint"));
  EXPECT_FALSE(world_.capture().hasLine("region '' in TableRule is ignored due to a regions constraint"));
}

TEST_F(DynamoContentRules, TableRuleInAnAllowedRegionLooksUpOnlyThatRegion) {
  ASSERT_TRUE(expand(R"(<children name="*" region="us-east-1" entityType="46"/>)", {"us-east-1"}).IsSuccess());
  EXPECT_EQ(world_.regionsAskedBy(kListing), (Strings{"us-east-1"}));
  EXPECT_EQ(out_.size(), 3u);
}

TEST_F(DynamoContentRules, NegatedTableRuleIsCaseSensitive) {
  ASSERT_TRUE(expand(R"(<children name="orders*" entityType="46" negated="1"/>)").IsSuccess());
  EXPECT_TRUE(world_.capture().hasLine(kTag, "table rule 'orders*' will be negated"));
  // "Orders-old" does not match a lower-case pattern, so the negated rule selects it.
  EXPECT_EQ(tables(), (std::vector<Table>{{"us-east-1", "Orders-old"}, {"us-east-1", "sessions"}, {"eu-west-1", "audit"}}));
}

TEST_F(DynamoContentRules, SpecificTablesAreNeverLookedUp) {
  ASSERT_TRUE(expand(R"(<children name="no-such-table" region="us-east-1" entityType="45"/>)", {}, false).IsSuccess());
  ASSERT_EQ(tables(), (std::vector<Table>{{"us-east-1", "no-such-table"}}));
  EXPECT_EQ(lookups(), 0u);
  EXPECT_TRUE(world_.capture().events().empty());
}

TEST_F(DynamoContentRules, SpecificTableOutsideTheConstraintRaisesAnEventOnlyInBackup) {
  const std::string rule = R"(<children name="orders" region="ap-south-1" entityType="45"/>)";
  ASSERT_TRUE(expand(rule, {"us-east-1"}, /*preview=*/true).IsSuccess());
  EXPECT_TRUE(world_.capture().events().empty());
  EXPECT_TRUE(world_.capture().hasLine(
      kTag, "specific region 'ap-south-1' table 'orders' is ignored due to a regions constraint"));

  ASSERT_TRUE(expand(rule, {"us-east-1"}, /*preview=*/false).IsSuccess());
  const std::vector<JobEvent> events = world_.capture().events();
  ASSERT_EQ(events.size(), 1u);
  contenttest::expectConstraintEvent(events[0], "orders[ap-south-1] will not be backed up due to an AWS regions constraint");
  EXPECT_TRUE(out_.empty());
  EXPECT_EQ(lookups(), 0u);
}

TEST_F(DynamoContentRules, UnreadableContentFailsWithTheDynamoTexts) {
  Strings regions;
  CLmError result =
      provider_.ExpandDynamoContent(true, regions, "<CloudDBEntity", out_, allRule_, awstest::kDynamoInstanceId);
  EXPECT_EQ(result.code(), -774);
  EXPECT_EQ(result.message(), "Failed to unserialize dynamic content for XML '<CloudDBEntity'");

  const std::string empty = "<CloudDBEntity entityType=\"17\"/>";
  result = provider_.ExpandDynamoContent(true, regions, empty, out_, allRule_, awstest::kDynamoInstanceId);
  EXPECT_EQ(result.message(), "Child list is missing for DynamoDB XML '" + empty + "'");

  // The cluster and instance codes of the other services mean nothing to DynamoDB.
  for (const char* rule : {R"(<children name="orders" region="us-east-1" entityType="48"/>)",
                           R"(<children name="orders*" entityType="51"/>)"}) {
    const CLmError unexpected = expand(rule);
    const std::string type = std::string(rule).find("48") != std::string::npos ? "48" : "51";
    EXPECT_EQ(unexpected.message(), "Unexpected first level type " + type + " for DynamoDB XML '" + content(rule) + "'");
    EXPECT_EQ(unexpected.systemCode(), 774);
  }
  EXPECT_EQ(lookups(), 0u);
  EXPECT_TRUE(out_.empty());
}

TEST_F(DynamoContentRules, LookupFailuresEndTheWalkWithTheirText) {
  const std::string lookupText = "Failed to determine all tables for region 'us-east-1' tagKey '' tagValue ''";
  ASSERT_TRUE(world_.simulator().failNext(CloudBridgeKind::Amazon, kListing, 1, "Rate exceeded"));
  const CLmError regionRule =
      expand(R"(<children name="us-east-1" entityType="4"/><children name="eu-west-1" entityType="4"/>)");
  EXPECT_EQ(regionRule.message(), lookupText);
  EXPECT_EQ(lookups(), 1u);  // the second rule never ran

  // An unconstrained all rule hands back the lookup's own error; other rules add their location.
  ASSERT_TRUE(world_.simulator().failNext(CloudBridgeKind::Amazon, kListing, 1, "Rate exceeded"));
  const CLmError allRule = expand(R"(<children entityType="17"/>)");
  EXPECT_EQ(allRule.message(), "Failed to determine all tables for region '' tagKey '' tagValue ''");
  EXPECT_EQ(regionRule.stack().size(), allRule.stack().size() + 1);
}

TEST_F(DynamoContentRules, UnknownInstanceFailsAtTheConnectBeforeAnyLookup) {
  Strings regions;
  const CLmError result =
      provider_.ExpandDynamoContent(true, regions, content(R"(<children entityType="17"/>)"), out_, allRule_, 4242);
  // An instance without keys reads as no keys; the connect is what refuses it.
  EXPECT_EQ(result.message(), "AWS Connect failed for instance 4242");
  EXPECT_EQ(result.code(), -774);
  EXPECT_EQ(lookups(), 0u);
}

// Previews and backup-set expansion.

constexpr char kRegionThenAll[] = R"(<children name="us-east-1" entityType="4"/><children entityType="17"/>)";

struct Node {
  std::int64_t type;
  std::string name;
  std::string region;
  bool operator==(const Node&) const = default;
};

std::ostream& operator<<(std::ostream& stream, const Node& node) {
  return stream << node.type << ":" << node.name << "[" << node.region << "]";
}

std::vector<Node> nodesOf(const App::CloudDBEntity& root) {
  std::vector<Node> nodes;
  for (const App::CloudDBEntity& child : root.children()) nodes.push_back({child.entityType(), child.name(), child.region()});
  return nodes;
}

TEST(DynamoPreview, ShowsEachTableOnceAsASpecificTableNode) {
  ContentRulesTestWorld world;
  CAmazonDynamoDBInfo provider;
  Strings regions;
  App::CloudDBEntity root;
  ASSERT_TRUE(provider.PreviewDynamoContent(awstest::kDynamoInstanceId, regions, content(kRegionThenAll), root)
                  .IsSuccess());
  // The region rule and the all rule both list us-east-1; the two "orders" tables differ by region.
  EXPECT_EQ(nodesOf(root), (std::vector<Node>{{45, "orders", "us-east-1"},
                                              {45, "Orders-old", "us-east-1"},
                                              {45, "sessions", "us-east-1"},
                                              {45, "orders", "eu-west-1"},
                                              {45, "audit", "eu-west-1"}}));
}

TEST(DynamoPreview, NeverRaisesConstraintEventsAndFailsWithoutTouchingTheEntity) {
  ContentRulesTestWorld world;
  CAmazonDynamoDBInfo provider;
  Strings regions{"us-east-1"};
  App::CloudDBEntity root;
  ASSERT_TRUE(provider
                  .PreviewDynamoContent(awstest::kDynamoInstanceId, regions,
                                        content(R"(<children name="audit" region="eu-west-1" entityType="45"/>)"), root)
                  .IsSuccess());
  EXPECT_TRUE(world.capture().events().empty());
  EXPECT_TRUE(nodesOf(root).empty());

  const CLmError failed = provider.PreviewDynamoContent(
      awstest::kDynamoInstanceId, regions, content(R"(<children name="env" entityType="34"/>)"), root);
  EXPECT_TRUE(failed.IsFailure());
  EXPECT_GE(failed.stack().size(), 2u);  // the expansion's location, then the preview's
  EXPECT_FALSE(root.isSet(App::CloudDBEntity::kChildren));
}

TEST(DynamoBackupSet, ExpandsTheSavedContentWithoutDuplicatesAndReportsTheAllRule) {
  ContentRulesTestWorld world(contenttest::contentsWith(content(kRegionThenAll)));
  CAmazonDynamoDBInfo provider;
  Strings regions;
  // Records the caller already holds are kept and not compared.
  std::vector<App::DynamoDBTable> out(1);
  out[0].setRegion("us-east-1");
  out[0].setTableName("orders");
  bool allRule = false;
  ASSERT_TRUE(provider.ExpandDynamoSubclientContent(contenttest::kDynamoSubclientId, regions, out, allRule).IsSuccess());
  EXPECT_TRUE(allRule);
  EXPECT_EQ(tablesOf(out), (std::vector<Table>{{"us-east-1", "orders"},
                                               {"us-east-1", "orders"},
                                               {"us-east-1", "Orders-old"},
                                               {"us-east-1", "sessions"},
                                               {"eu-west-1", "orders"},
                                               {"eu-west-1", "audit"}}));
  // The inner form keeps what the rules produced, duplicates included.
  std::vector<App::DynamoDBTable> inner;
  ASSERT_TRUE(
      provider.ExpandDynamoSubclientContentInternal(contenttest::kDynamoSubclientId, regions, inner, allRule).IsSuccess());
  EXPECT_EQ(inner.size(), 8u);
}

TEST(DynamoBackupSet, RunsInBackupModeSoConstraintRefusalsRaiseEvents) {
  ContentRulesTestWorld world(
      contenttest::contentsWith(content(R"(<children name="audit" region="eu-west-1" entityType="45"/>)")));
  CAmazonDynamoDBInfo provider;
  Strings regions{"us-east-1"};
  std::vector<App::DynamoDBTable> out;
  bool allRule = true;
  ASSERT_TRUE(provider.ExpandDynamoSubclientContent(contenttest::kDynamoSubclientId, regions, out, allRule).IsSuccess());
  EXPECT_FALSE(allRule);
  EXPECT_TRUE(out.empty());
  const std::vector<JobEvent> events = world.capture().events();
  ASSERT_EQ(events.size(), 1u);
  contenttest::expectConstraintEvent(events[0], "audit[eu-west-1] will not be backed up due to an AWS regions constraint");
}

TEST(DynamoBackupSet, ReportsMissingContentAndMissingInstance) {
  ContentRulesTestWorld world;
  CAmazonDynamoDBInfo provider;
  Strings regions;
  std::vector<App::DynamoDBTable> out;
  bool allRule = false;
  CLmError result = provider.ExpandDynamoSubclientContent(contenttest::kDynamoSubclientId, regions, out, allRule);
  EXPECT_EQ(result.message(), "No dynamic content found for appId 3002");
  EXPECT_EQ(result.code(), -774);
  result = provider.ExpandDynamoSubclientContent(contenttest::kUnknownSubclientId, regions, out, allRule);
  EXPECT_EQ(result.message(), "Instance not found for app id 99999");
  EXPECT_TRUE(out.empty());
  EXPECT_TRUE(world.callsOf(kListing).empty());
}

}  // namespace
