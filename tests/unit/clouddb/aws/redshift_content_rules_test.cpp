// Expanding a Redshift backup set's content rules into clusters, previewing them and expanding a
// saved backup set. Redshift walks the rules as DocumentDB does; these tests pin what is its own
// (texts, the record's name field) and the verified and constrained paths through its lookup.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "ContentRulesTestWorld.h"
#include "clouddb/aws/CAmazonRedshiftInfo.h"

namespace {

using contenttest::content;
using contenttest::ContentRulesTestWorld;
using Strings = std::vector<std::string>;

constexpr char kListing[] = "RefreshRedshiftClusterInfoList";
constexpr char kTag[] = "ExpandRedshiftContent";

struct Cluster {
  std::string region;
  std::string name;
  bool operator==(const Cluster&) const = default;
};

std::ostream& operator<<(std::ostream& stream, const Cluster& cluster) {
  return stream << cluster.name << "[" << cluster.region << "]";
}

std::vector<Cluster> clustersOf(const std::vector<App::RedshiftCluster>& records) {
  std::vector<Cluster> result;
  for (const App::RedshiftCluster& record : records) result.push_back({record.region(), record.clusterIdentifier()});
  return result;
}

class RedshiftContentRules : public ::testing::Test {
 protected:
  CLmError expand(const std::string& rules, Strings regions = {}, bool preview = true, bool verify = false) {
    return provider_.ExpandRedshiftContent(preview, regions, content(rules), out_, awstest::kRedshiftInstanceId,
                                           verify);
  }

  std::vector<Cluster> clusters() const { return clustersOf(out_); }
  std::size_t lookups() const { return world_.callsOf(kListing).size(); }

  ContentRulesTestWorld world_;
  CAmazonRedshiftInfo provider_;
  std::vector<App::RedshiftCluster> out_;
};

TEST_F(RedshiftContentRules, VerifiedSpecificClustersFoundAndNotFound) {
  ASSERT_TRUE(expand(R"(<children name="warehouse" region="eu-west-1" entityType="48"/>)"
                     R"(<children name="sandbox" region="eu-west-1" entityType="48"/>)"
                     R"(<children name="Warehouse-dev" region="eu-west-1" entityType="48"/>)",
                     {}, false, true)
                  .IsSuccess());
  EXPECT_EQ(clusters(), (std::vector<Cluster>{{"eu-west-1", "warehouse"}, {"eu-west-1", "sandbox"}}));
  // The full record: the lookup's fields, not just the rule's name and region.
  EXPECT_EQ(out_[0].getstring(8), "warehouse.111122223333.eu-west-1.redshift.amazonaws.com");
  EXPECT_EQ(world_.regionsAskedBy(kListing), (Strings{"eu-west-1"}));
  const std::vector<JobEvent> events = world_.capture().events();
  ASSERT_EQ(events.size(), 1u);
  contenttest::expectConstraintEvent(events[0], "Warehouse-dev[eu-west-1] will not be backed up since cluster is not found");
}

TEST_F(RedshiftContentRules, UnverifiedSpecificClusterCarriesItsNameInTheRedshiftField) {
  ASSERT_TRUE(expand(R"(<children name="no-such-cluster" region="us-east-1" entityType="48"/>)").IsSuccess());
  ASSERT_EQ(out_.size(), 1u);
  EXPECT_EQ(out_[0].getstring(App::RedshiftCluster::kClusterIdentifier), "no-such-cluster");
  EXPECT_EQ(out_[0].getstring(App::RedshiftCluster::kRegion), "us-east-1");
  EXPECT_EQ(lookups(), 0u);
}

TEST_F(RedshiftContentRules, SpecificClusterOutsideTheConstraintRaisesAnEventOnlyInBackup) {
  const std::string rule = R"(<children name="archive" region="ap-south-1" entityType="48"/>)";
  ASSERT_TRUE(expand(rule, {"us-east-1", "eu-west-1"}, /*preview=*/true).IsSuccess());
  EXPECT_TRUE(world_.capture().events().empty());
  ASSERT_TRUE(expand(rule, {"us-east-1", "eu-west-1"}, /*preview=*/false, /*verify=*/true).IsSuccess());
  EXPECT_EQ(world_.capture().countLines(
                "specific region 'ap-south-1' cluster 'archive' is ignored due to a regions constraint"),
            2u);
  ASSERT_EQ(world_.capture().events().size(), 1u);
  contenttest::expectConstraintEvent(world_.capture().events()[0],
                                     "archive[ap-south-1] will not be backed up due to an AWS regions constraint");
  EXPECT_TRUE(out_.empty());
  EXPECT_EQ(lookups(), 0u);
}

TEST_F(RedshiftContentRules, ClusterRuleWithoutRegionDropsClustersOutsideTheConstraint) {
  ASSERT_TRUE(expand(R"(<children name="*" entityType="49"/>)", {"eu-west-1"}).IsSuccess());
  EXPECT_EQ(world_.regionsAskedBy(kListing), (Strings{""}));
  EXPECT_EQ(clusters(), (std::vector<Cluster>{{"eu-west-1", "warehouse"}, {"eu-west-1", "sandbox"}}));
  EXPECT_TRUE(world_.capture().hasLine(kTag, "cluster rule '*' will be 'applied'"));
  EXPECT_TRUE(world_.capture().hasLine(
      kTag, "region 'us-east-1' table 'warehouse' in clusterRule is ignored due to a regions constraint"));
  EXPECT_TRUE(world_.capture().hasLine(
      kTag, "region 'us-east-1' table 'Warehouse-dev' in clusterRule is ignored due to a regions constraint"));
}

TEST_F(RedshiftContentRules, PatternsAreCaseSensitiveAndAnchored) {
  ASSERT_TRUE(expand(R"(<children name="warehouse" region="us-east-1" entityType="49"/>)"
                     R"(<children name="ware*" region="us-east-1" entityType="49" negated="1"/>)")
                  .IsSuccess());
  EXPECT_EQ(clusters(), (std::vector<Cluster>{{"us-east-1", "warehouse"}, {"us-east-1", "Warehouse-dev"}}));
  EXPECT_TRUE(world_.capture().hasLine(kTag, "cluster rule 'ware*' will be 'negated'"));
}

TEST_F(RedshiftContentRules, TagRulesOfBothCodesUseTheRedshiftLine) {
  ASSERT_TRUE(expand(R"(<children name="env" tagValue="prod" entityType="34"/>)"
                     R"(<children name="env" tagValue="test" entityType="47"/>)")
                  .IsSuccess());
  EXPECT_TRUE(world_.capture().hasLine(kTag, "Clusters with tag : 'env' and value 'prod' will be discovered."));
  EXPECT_TRUE(world_.capture().hasLine(kTag, "Clusters with tag : 'env' and value 'test' will be discovered."));
  EXPECT_EQ(clusters(),
            (std::vector<Cluster>{{"us-east-1", "warehouse"}, {"eu-west-1", "warehouse"}, {"eu-west-1", "sandbox"}}));
}

TEST_F(RedshiftContentRules, UnconstrainedAllRuleEndsTheWalk) {
  ASSERT_TRUE(expand(R"(<children entityType="17"/><children name="gone" region="us-east-1" entityType="48"/>)", {},
                     false, true)
                  .IsSuccess());
  EXPECT_EQ(out_.size(), 4u);
  EXPECT_EQ(lookups(), 1u);
  EXPECT_TRUE(world_.capture().events().empty());  // the specific entry after it never ran
}

TEST_F(RedshiftContentRules, UnreadableContentFailsWithTheRedshiftTexts) {
  Strings regions;
  CLmError result =
      provider_.ExpandRedshiftContent(true, regions, "<CloudDBEntity", out_, awstest::kRedshiftInstanceId, false);
  EXPECT_EQ(result.code(), -774);
  EXPECT_EQ(result.message(), "Failed to unserialize dynamic content for XML '<CloudDBEntity'");

  const std::string empty = "<CloudDBEntity entityType=\"17\"/>";
  result = provider_.ExpandRedshiftContent(true, regions, empty, out_, awstest::kRedshiftInstanceId, false);
  EXPECT_EQ(result.message(), "Child list is missing for Redshift XML '" + empty + "'");

  for (const std::string type : {"45", "46", "50", "51", "3"}) {
    const std::string rule = R"(<children name="warehouse" region="us-east-1" entityType=")" + type + R"("/>)";
    EXPECT_EQ(expand(rule).message(),
              "Unexpected first level type " + type + " for Redshift XML '" + content(rule) + "'");
  }
  EXPECT_EQ(lookups(), 0u);
}

TEST_F(RedshiftContentRules, LookupFailureOfAConstrainedAllRuleKeepsWhatEarlierRegionsFound) {
  // A region the account does not have fails its lookup as AWS would.
  const CLmError result =
      expand(R"(<children entityType="17"/><children name="us-east-1" entityType="4"/>)", {"eu-west-1", "mars-north-9"});
  EXPECT_TRUE(result.IsFailure());
  EXPECT_EQ(result.message(), "Failed to determine all clusters for region 'mars-north-9' tagKey '' tagValue ''");
  EXPECT_GE(result.stack().size(), 2u);  // the lookup's location, then the expansion's
  EXPECT_EQ(world_.regionsAskedBy(kListing), (Strings{"eu-west-1", "mars-north-9"}));
  EXPECT_EQ(clusters(), (std::vector<Cluster>{{"eu-west-1", "warehouse"}, {"eu-west-1", "sandbox"}}));
}

// Previews and backup-set expansion.

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

TEST(RedshiftPreview, ShowsEachClusterOnceAsASpecificClusterNode) {
  ContentRulesTestWorld world;
  CAmazonRedshiftInfo provider;
  Strings regions;
  App::CloudDBEntity root;
  // The tag rule lists both "warehouse" clusters; the all rule lists them again.
  ASSERT_TRUE(provider
                  .PreviewRedshiftContent(awstest::kRedshiftInstanceId, regions,
                                          content(R"(<children name="env" tagValue="prod" entityType="47"/>)"
                                                  R"(<children entityType="17"/>)"),
                                          root)
                  .IsSuccess());
  EXPECT_EQ(nodesOf(root), (std::vector<Node>{{48, "warehouse", "us-east-1"},
                                              {48, "warehouse", "eu-west-1"},
                                              {48, "Warehouse-dev", "us-east-1"},
                                              {48, "sandbox", "eu-west-1"}}));
}

TEST(RedshiftPreview, FailureLeavesTheEntityUnchanged) {
  ContentRulesTestWorld world;
  CAmazonRedshiftInfo provider;
  Strings regions;
  App::CloudDBEntity root;
  const CLmError failed = provider.PreviewRedshiftContent(awstest::kRedshiftInstanceId, regions,
                                                          content(R"(<children name="x" entityType="46"/>)"), root);
  EXPECT_EQ(failed.message(),
            "Unexpected first level type 46 for Redshift XML '" + content(R"(<children name="x" entityType="46"/>)") + "'");
  EXPECT_GE(failed.stack().size(), 2u);
  EXPECT_FALSE(root.isSet(App::CloudDBEntity::kChildren));
}

TEST(RedshiftBackupSet, ExpandsTheSavedContentWithVerificationWhenAsked) {
  const std::string rules = content(R"(<children name="sandbox" region="eu-west-1" entityType="48"/>)"
                                    R"(<children name="gone" region="eu-west-1" entityType="48"/>)"
                                    R"(<children name="eu-west-1" entityType="4"/>)");
  ContentRulesTestWorld world(contenttest::contentsWith("", "", rules));
  CAmazonRedshiftInfo provider;
  Strings regions;
  std::vector<App::RedshiftCluster> out;
  ASSERT_TRUE(provider.ExpandRedshiftSubclientContent(contenttest::kRedshiftSubclientId, regions, out, true).IsSuccess());
  EXPECT_EQ(clustersOf(out), (std::vector<Cluster>{{"eu-west-1", "sandbox"}, {"eu-west-1", "warehouse"}}));
  EXPECT_EQ(world.majorEvents().size(), 1u);

  // Without verification the unknown cluster is taken at its word.
  out.clear();
  ASSERT_TRUE(
      provider.ExpandRedshiftSubclientContent(contenttest::kRedshiftSubclientId, regions, out, false).IsSuccess());
  EXPECT_EQ(clustersOf(out),
            (std::vector<Cluster>{{"eu-west-1", "sandbox"}, {"eu-west-1", "gone"}, {"eu-west-1", "warehouse"}}));
  EXPECT_EQ(world.majorEvents().size(), 1u);
}

TEST(RedshiftBackupSet, FailureLeavesTheCallersRecordsAlone) {
  ContentRulesTestWorld world(contenttest::contentsWith("", "", content(R"(<children name="x" entityType="45"/>)")));
  CAmazonRedshiftInfo provider;
  Strings regions;
  std::vector<App::RedshiftCluster> out(2);
  const CLmError result = provider.ExpandRedshiftSubclientContent(contenttest::kRedshiftSubclientId, regions, out, true);
  EXPECT_TRUE(result.IsFailure());
  EXPECT_EQ(out.size(), 2u);

  EXPECT_EQ(provider.ExpandRedshiftSubclientContent(contenttest::kDynamoSubclientId, regions, out, true).message(),
            "No dynamic content found for appId 3002");
  EXPECT_EQ(provider.ExpandRedshiftSubclientContent(contenttest::kUnknownSubclientId, regions, out, true).message(),
            "Instance not found for app id 99999");
}

}  // namespace
