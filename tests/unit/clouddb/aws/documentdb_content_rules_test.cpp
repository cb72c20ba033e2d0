// Expanding a DocumentDB backup set's content rules into clusters, previewing them and expanding
// a saved backup set: verified specific clusters (found, not found, one lookup per region), the
// cluster rule against the regions constraint, and the texts that are DocumentDB's own.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "ContentRulesTestWorld.h"
#include "clouddb/aws/CAmazonDocumentDBInfo.h"

namespace {

using contenttest::content;
using contenttest::ContentRulesTestWorld;
using Strings = std::vector<std::string>;

constexpr char kListing[] = "RefreshDocDBClusterInfoList";
constexpr char kTag[] = "ExpandDocumentDBContent";

struct Cluster {
  std::string region;
  std::string name;
  bool operator==(const Cluster&) const = default;
};

std::ostream& operator<<(std::ostream& stream, const Cluster& cluster) {
  return stream << cluster.name << "[" << cluster.region << "]";
}

std::vector<Cluster> clustersOf(const std::vector<App::DocumentDBCluster>& records) {
  std::vector<Cluster> result;
  for (const App::DocumentDBCluster& record : records) result.push_back({record.region(), record.clusterIdentifier()});
  return result;
}

class DocumentDBContentRules : public ::testing::Test {
 protected:
  CLmError expand(const std::string& rules, Strings regions = {}, bool preview = true, bool verify = false) {
    return provider_.ExpandDocumentDBContent(preview, regions, content(rules), out_, awstest::kDocumentDbInstanceId,
                                             verify);
  }

  std::vector<Cluster> clusters() const { return clustersOf(out_); }
  std::size_t lookups() const { return world_.callsOf(kListing).size(); }

  ContentRulesTestWorld world_;
  CAmazonDocumentDBInfo provider_;
  std::vector<App::DocumentDBCluster> out_;
};

TEST_F(DocumentDBContentRules, VerifiedSpecificClusterIsTheFullRecord) {
  ASSERT_TRUE(expand(R"(<children name="catalog" region="us-east-1" entityType="48"/>)", {}, false, true).IsSuccess());
  ASSERT_EQ(clusters(), (std::vector<Cluster>{{"us-east-1", "catalog"}}));
  EXPECT_EQ(out_[0].engine(), "docdb");
  EXPECT_EQ(out_[0].members(), (Strings{"catalog-1/db.r6g.large"}));
  EXPECT_EQ(world_.regionsAskedBy(kListing), (Strings{"us-east-1"}));
  EXPECT_TRUE(world_.capture().events().empty());
}

TEST_F(DocumentDBContentRules, VerifiedSpecificClusterMissingFromItsRegionRaisesAMajorEventAndTheWalkGoesOn) {
  // The third entry's name exists, but only in the region looked up first.
  ASSERT_TRUE(expand(R"(<children name="ledger" region="us-east-1" entityType="48"/>)"
                     R"(<children name="catalog" region="eu-west-1" entityType="48"/>)"
                     R"(<children name="ledger" region="eu-west-1" entityType="48"/>)"
                     R"(<children name="Catalog-v2" region="us-east-1" entityType="48"/>)",
                     {}, false, true)
                  .IsSuccess());
  EXPECT_EQ(clusters(), (std::vector<Cluster>{{"us-east-1", "ledger"}, {"eu-west-1", "catalog"}, {"us-east-1", "Catalog-v2"}}));
  // One lookup per region: the fourth entry reuses the first one's answer (until identical lookups
  // were merged, returning to us-east-1 asked the cloud a third time).
  EXPECT_EQ(world_.regionsAskedBy(kListing), (Strings{"us-east-1", "eu-west-1"}));
  const std::vector<JobEvent> events = world_.capture().events();
  ASSERT_EQ(events.size(), 1u);  // no critical event beside it
  contenttest::expectConstraintEvent(events[0], "ledger[eu-west-1] will not be backed up since cluster is not found");
}

TEST_F(DocumentDBContentRules, UnverifiedSpecificClusterIsASkeletonWithoutLookup) {
  ASSERT_TRUE(expand(R"(<children name="no-such-cluster" region="eu-west-1" entityType="48"/>)").IsSuccess());
  ASSERT_EQ(clusters(), (std::vector<Cluster>{{"eu-west-1", "no-such-cluster"}}));
  EXPECT_EQ(out_[0].engine(), "");
  EXPECT_EQ(lookups(), 0u);
}

TEST_F(DocumentDBContentRules, SpecificClusterOutsideTheConstraintIsRefusedBeforeVerification) {
  const std::string rule = R"(<children name="archive" region="ap-south-1" entityType="48"/>)";
  ASSERT_TRUE(expand(rule, {"us-east-1"}, /*preview=*/true, /*verify=*/true).IsSuccess());
  EXPECT_TRUE(world_.capture().events().empty());
  EXPECT_TRUE(world_.capture().hasLine(
      kTag, "specific region 'ap-south-1' cluster 'archive' is ignored due to a regions constraint"));

  ASSERT_TRUE(expand(rule, {"us-east-1"}, /*preview=*/false, /*verify=*/true).IsSuccess());
  const std::vector<JobEvent> events = world_.capture().events();
  ASSERT_EQ(events.size(), 1u);
  contenttest::expectConstraintEvent(events[0], "archive[ap-south-1] will not be backed up due to an AWS regions constraint");
  EXPECT_TRUE(out_.empty());
  EXPECT_EQ(lookups(), 0u);
}

TEST_F(DocumentDBContentRules, ClusterRuleWithoutRegionLooksUpTheConnectionsRegionsAndDropsTheRest) {
  ASSERT_TRUE(expand(R"(<children name="catalog" entityType="49"/>)", {"us-east-1"}).IsSuccess());
  EXPECT_EQ(world_.regionsAskedBy(kListing), (Strings{""}));
  EXPECT_EQ(clusters(), (std::vector<Cluster>{{"us-east-1", "catalog"}}));
  EXPECT_TRUE(world_.capture().hasLine(kTag, "cluster rule 'catalog' will be 'applied'"));
  EXPECT_EQ(world_.capture().countLines(
                "region 'eu-west-1' table 'catalog' in clusterRule is ignored due to a regions constraint"),
            1u);
}

TEST_F(DocumentDBContentRules, ClusterRuleForARefusedRegionStillLooksItUp) {
  // Unlike a DynamoDB table rule, the rule's own region is not refused up front: each record is.
  ASSERT_TRUE(expand(R"(<children name="*" region="eu-west-1" entityType="49"/>)", {"us-east-1"}).IsSuccess());
  EXPECT_EQ(world_.regionsAskedBy(kListing), (Strings{"eu-west-1"}));
  EXPECT_TRUE(out_.empty());
  EXPECT_TRUE(world_.capture().hasLine(
      kTag, "region 'eu-west-1' table 'catalog' in clusterRule is ignored due to a regions constraint"));
  EXPECT_FALSE(world_.capture().hasLine("region 'eu-west-1' in TableRule is ignored due to a regions constraint"));
}

TEST_F(DocumentDBContentRules, NegatedClusterRuleIsCaseSensitive) {
  ASSERT_TRUE(expand(R"(<children name="catalog*" entityType="49" negated="1"/>)").IsSuccess());
  EXPECT_TRUE(world_.capture().hasLine(kTag, "cluster rule 'catalog*' will be 'negated'"));
  EXPECT_EQ(clusters(), (std::vector<Cluster>{{"us-east-1", "ledger"}, {"us-east-1", "Catalog-v2"}}));
}

TEST_F(DocumentDBContentRules, BothTagCodesAreTagRules) {
  ASSERT_TRUE(expand(R"(<children name="team" tagValue="search" entityType="34"/>)"
                     R"(<children name="team" tagValue="search" entityType="47"/>)",
                     {"eu-west-1"})
                  .IsSuccess());
  EXPECT_EQ(world_.capture().countLines("Clusters with tag 'team' and value 'search' will be discovered."), 2u);
  EXPECT_EQ(clusters(), (std::vector<Cluster>{{"eu-west-1", "catalog"}, {"eu-west-1", "catalog"}}));
  EXPECT_EQ(world_.callsOf(kListing).at(0).arguments, (Strings{"0", "0", "eu-west-1", "team", "search"}));
}

TEST_F(DocumentDBContentRules, ConstrainedAllRuleAsksEachRegionAndGoesOn) {
  ASSERT_TRUE(expand(R"(<children entityType="17"/><children name="us-east-1" entityType="4"/>)",
                     {"eu-west-1", "us-east-1"})
                  .IsSuccess());
  // The region rule asks what the all rule already asked, so it reuses that answer (until
  // identical lookups were merged, us-east-1 was asked twice).
  EXPECT_EQ(world_.regionsAskedBy(kListing), (Strings{"eu-west-1", "us-east-1"}));
  EXPECT_EQ(out_.size(), 7u);  // one + three from the all rule, three again from the region rule
  // The all-rule lines are DynamoDB's only.
  EXPECT_FALSE(world_.capture().hasLine("regions are constrained to a list of size 2"));
}

TEST_F(DocumentDBContentRules, UnreadableContentFailsWithTheDocumentDBTexts) {
  Strings regions;
  CLmError result = provider_.ExpandDocumentDBContent(true, regions, "<CloudDBEntity", out_,
                                                      awstest::kDocumentDbInstanceId, false);
  EXPECT_EQ(result.code(), -774);
  EXPECT_EQ(result.message(), "Failed to unserialize DocumentDB content for XML '<CloudDBEntity'");

  const std::string empty = "<CloudDBEntity entityType=\"17\"/>";
  result = provider_.ExpandDocumentDBContent(true, regions, empty, out_, awstest::kDocumentDbInstanceId, false);
  EXPECT_EQ(result.message(), "Child list is missing for DocumentDB XML '" + empty + "'");

  // The table and instance codes belong to other services.
  for (const std::string type : {"45", "46", "50", "51"}) {
    const std::string rule = R"(<children name="catalog" region="us-east-1" entityType=")" + type + R"("/>)";
    EXPECT_EQ(expand(rule).message(),
              "Unexpected first level type " + type + " for DocumentDB XML '" + content(rule) + "'");
  }
  EXPECT_EQ(lookups(), 0u);
  EXPECT_TRUE(out_.empty());
}

TEST_F(DocumentDBContentRules, FailedVerificationLookupEndsTheWalk) {
  ASSERT_TRUE(world_.simulator().failNext(CloudBridgeKind::Amazon, kListing, 1, "Throttling"));
  const CLmError result = expand(R"(<children name="catalog" region="us-east-1" entityType="48"/>)"
                                 R"(<children name="us-east-1" entityType="4"/>)",
                                 {}, false, true);
  EXPECT_TRUE(result.IsFailure());
  EXPECT_EQ(result.systemCode(), 774);
  EXPECT_GE(result.stack().size(), 2u);  // the lookup's location, then the expansion's
  EXPECT_EQ(lookups(), 1u);
  EXPECT_TRUE(out_.empty());
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

TEST(DocumentDBPreview, ShowsEachClusterOnceAsASpecificClusterNode) {
  ContentRulesTestWorld world;
  CAmazonDocumentDBInfo provider;
  Strings regions;
  App::CloudDBEntity root;
  ASSERT_TRUE(
      provider.PreviewDocumentDBContent(awstest::kDocumentDbInstanceId, regions, content(kRegionThenAll), root)
          .IsSuccess());
  // Two clusters named "catalog" in two regions are two databases.
  EXPECT_EQ(nodesOf(root), (std::vector<Node>{{48, "catalog", "us-east-1"},
                                              {48, "ledger", "us-east-1"},
                                              {48, "Catalog-v2", "us-east-1"},
                                              {48, "catalog", "eu-west-1"}}));
}

TEST(DocumentDBPreview, NeverVerifiesNorRaisesEvents) {
  ContentRulesTestWorld world;
  CAmazonDocumentDBInfo provider;
  Strings regions{"us-east-1"};
  App::CloudDBEntity root;
  ASSERT_TRUE(provider
                  .PreviewDocumentDBContent(awstest::kDocumentDbInstanceId, regions,
                                            content(R"(<children name="gone" region="us-east-1" entityType="48"/>)"
                                                    R"(<children name="archive" region="ap-south-1" entityType="48"/>)"),
                                            root)
                  .IsSuccess());
  EXPECT_EQ(nodesOf(root), (std::vector<Node>{{48, "gone", "us-east-1"}}));
  EXPECT_TRUE(world.capture().events().empty());
  EXPECT_TRUE(world.callsOf(kListing).empty());
}

TEST(DocumentDBBackupSet, VerifiesAndRemovesDuplicates) {
  ContentRulesTestWorld world(contenttest::contentsWith(
      "", content(R"(<children name="catalog" region="us-east-1" entityType="48"/>)"
                  R"(<children name="catalog" region="us-east-1" entityType="48"/>)"
                  R"(<children name="gone" region="us-east-1" entityType="48"/>)")));
  CAmazonDocumentDBInfo provider;
  Strings regions;
  std::vector<App::DocumentDBCluster> out;
  ASSERT_TRUE(provider.ExpandDocumentDBSubclientContent(contenttest::kDocumentDbSubclientId, regions, out, true)
                  .IsSuccess());
  ASSERT_EQ(clustersOf(out), (std::vector<Cluster>{{"us-east-1", "catalog"}}));
  EXPECT_EQ(out[0].members(), (Strings{"catalog-1/db.r6g.large"}));
  ASSERT_EQ(world.majorEvents().size(), 1u);
  contenttest::expectConstraintEvent(world.majorEvents()[0], "gone[us-east-1] will not be backed up since cluster is not found");
  EXPECT_EQ(world.criticalEventCount(), 0u);
}

TEST(DocumentDBBackupSet, ReportsMissingContentAndMissingInstance) {
  ContentRulesTestWorld world;
  CAmazonDocumentDBInfo provider;
  Strings regions;
  std::vector<App::DocumentDBCluster> out;
  CLmError result = provider.ExpandDocumentDBSubclientContent(contenttest::kDocumentDbSubclientId, regions, out, true);
  EXPECT_EQ(result.message(), "No dynamic content found for appId 3003");
  EXPECT_EQ(result.code(), -774);
  result = provider.ExpandDocumentDBSubclientContent(contenttest::kUnknownSubclientId, regions, out, true);
  EXPECT_EQ(result.message(), "Instance not found for app id 99999");
  EXPECT_TRUE(out.empty());
}

}  // namespace
