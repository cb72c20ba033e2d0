// An OCI backup set's content resolved against the tenancy's whole database inventory.
#include <gtest/gtest.h>

#include "OracleTestWorld.h"
#include "clouddb/oracle/COracleCloudDBInfo.h"

using namespace oracletest;
using CloudDBInfoStructs::DiscoverOCIDBResponse;

namespace {

std::string entry(int type, const std::string& path) {
  return "<entry entryType=\"" + std::to_string(type) + "\" path=\"" + path + "\"/>";
}

std::string content(std::initializer_list<std::string> entries) {
  std::string xml = "<OCIDatabaseContent>";
  for (const std::string& item : entries) xml += item;
  return xml + "</OCIDatabaseContent>";
}

struct Expansion {
  CLmError error;
  std::vector<std::string> ids;
};

// Runs the expansion in the world installed by the caller.
Expansion expand(unsigned long subclient = kOciSubclientId, unsigned long instance = kOciInstanceId,
                 std::vector<DiscoverOCIDBResponse> out = {}) {
  COracleCloudDBInfo provider(OracleCloudSDKCppBridge::kModeInfrastructure);
  Expansion expansion;
  expansion.error = provider.ExpandOCIDatabaseSubclientContent(subclient, instance, out);
  for (const DiscoverOCIDBResponse& resolved : out) expansion.ids.push_back(resolved.database.id);
  return expansion;
}

const std::string d1 = "t/c1/AD-1/s1/h1/d1";  // a database path as the tree gives it

}  // namespace

TEST(OCIContentExpansion, EntriesSelectDatabasesInOrder) {
  struct Case {
    std::string content;
    std::vector<std::string> ids;
  };
  const Case cases[] = {
      {content({entry(17, "")}), {"d1", "d2", "d3", "d4", "d5"}},
      {content({entry(9, d1), entry(9, "t/c1/AD-1/s1/h1/d9")}), {"d1"}},
      {content({entry(4, "t/c1"), entry(9, d1)}), {"d1", "d2", "d3", "d1"}},  // overlaps are kept
      {content({entry(7, "t/c3/AD-3/s3"), entry(4, "t/c5")}), {"d4"}},        // an empty compartment adds nothing
      {content({entry(9, "t/c1/AD-1/s1/h1"), entry(4, "t"), entry(7, "t/c1/AD")}), {}},  // short paths
      {content({entry(9, d1), entry(17, ""), entry(9, "bad")}), {"d1", "d2", "d3", "d4", "d5"}},
      {content({entry(3, "t/c1"), entry(9, "t/c2/AD-1/s4/h4/d5")}), {"d5"}},  // an unknown type is skipped
  };
  for (const Case& c : cases) {
    OracleTestWorld world(defaultContents(c.content));
    const Expansion expansion = expand();
    EXPECT_TRUE(expansion.error.IsSuccess()) << expansion.error.AsString();
    EXPECT_EQ(expansion.ids, c.ids) << c.content;
  }
  OracleTestWorld world(defaultContents(content({entry(9, "t/c1/AD-1/s1/h1"), entry(5, d1)})));
  expand();
  EXPECT_TRUE(world.capture().hasLine("DB discover path not set."));
  EXPECT_TRUE(world.capture().hasLine("Subclent browse level not supported"));
  EXPECT_TRUE(world.capture().hasLine("Path for discover [" + d1 + "]"));
}

TEST(OCIContentExpansion, EverythingReplacesWhatTheCallerHeld) {
  OracleTestWorld world(defaultContents(content({entry(17, "")})));
  std::vector<DiscoverOCIDBResponse> held(2);
  const Expansion expansion = expand(kOciSubclientId, kOciInstanceId, held);
  EXPECT_EQ(expansion.ids.size(), 5u);
  COracleCloudDBInfo provider;
  std::vector<DiscoverOCIDBResponse> out;
  ASSERT_TRUE(provider.ExpandOCIDatabaseSubclientContent(kOciSubclientId, kOciInstanceId, out).IsSuccess());
  EXPECT_EQ(out[0].compartment.identifier, "c1");
  EXPECT_EQ(out[0].dbSystem.id, "s1");
  EXPECT_EQ(out[0].dbHome.id, "h1");
  EXPECT_EQ(out[0].database.dbName, "HR");
  EXPECT_TRUE(out[0].tenancyId.empty());
}

TEST(OCIContentExpansion, FailuresStopWithTheirText) {
  struct Case {
    std::optional<std::string> content;
    unsigned long subclient;
    unsigned long instance;
    std::string fixture;
    std::string error;
  };
  const std::string good = content({entry(17, "")});
  const Case cases[] = {
      {good, 0, 0, kCloudFixture, "Instance Id is invalid."},  // checked before the subclient
      {good, 0, kOciInstanceId, kCloudFixture, "Subclient Id is invalid."},
      {std::nullopt, kOciSubclientId, kOciInstanceId, kCloudFixture, "Subclient Content is empty"},
      {"<OCIDatabaseContent>", kOciSubclientId, kOciInstanceId, kCloudFixture,
       "Error parsing Subclient Content. Verify if the subclient content is set correctly."},
      {"<CloudDBEntity/>", kOciSubclientId, kOciInstanceId, kCloudFixture,
       "Error parsing Subclient Content. Verify if the subclient content is set correctly."},
      {good, kOciSubclientId, kClassicInstanceId, kCloudFixture, "Connection to Oracle Cloud Failed"},
      {content({entry(9, d1), entry(9, "")}), kOciSubclientId, kOciInstanceId, kCloudFixture,
       "Empty path for subcleint content."},
  };
  for (const Case& c : cases) {
    OracleTestWorld world(defaultContents(c.content), c.fixture);
    const Expansion expansion = expand(c.subclient, c.instance);
    EXPECT_TRUE(expansion.error.IsFailure());
    EXPECT_EQ(expansion.error.message(), c.error);
    EXPECT_EQ(expansion.error.code(), -774);
    EXPECT_TRUE(world.capture().hasLine(c.error)) << c.error;
  }
}

TEST(OCIContentExpansion, AnUnreadableCompartmentIsSkippedButOtherListingFailuresStop) {
  {
    OracleTestWorld world(defaultContents(content({entry(17, "")})), withUnreadable("c1"));
    const Expansion expansion = expand();
    EXPECT_TRUE(expansion.error.IsSuccess());
    EXPECT_EQ(expansion.ids, (std::vector<std::string>{"d4", "d5"}));
    EXPECT_TRUE(world.capture().hasLine("Failed to fetch dbSystem Info list."));
  }
  OracleTestWorld world(defaultContents(content({entry(17, "")})));
  ASSERT_TRUE(world.simulator().failNext(CloudBridgeKind::Oracle, "GetDbHomeList", 1, "Too many requests"));
  const Expansion expansion = expand();
  EXPECT_EQ(expansion.error.message(), "Failed to fetch dbHome Info list.");
  EXPECT_TRUE(expansion.ids.empty());
  EXPECT_EQ(world.simulator().countCalls(CloudBridgeKind::Oracle, "Disconnect"), 1u);
}
