// The Oracle Cloud browse tree: one level per request, its nodes, and the requests it refuses.
#include <gtest/gtest.h>

#include "OracleTestWorld.h"
#include "clouddb/oracle/OracleCloudTree.h"

using namespace oracletest;

namespace {

struct Node {
  std::string name;
  std::int64_t type;
  std::string path;
  bool operator==(const Node&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Node& node) {
  return out << "{" << node.name << ", " << node.type << ", " << node.path << "}";
}

EVGui::OracleCloudTreeReq treeRequest(std::optional<std::string> path, std::optional<std::int64_t> instance) {
  EVGui::OracleCloudTreeReq request;
  if (instance) request.mutableInstance().setInstanceId(*instance);
  if (path) request.setPath(*path);
  return request;
}

std::vector<Node> browse(const EVGui::OracleCloudTreeReq& request) {
  EvEvent log;
  EVGui::OracleCloudTreeResp response;
  clouddb::oracle::BuildOracleCloudTree(request, response, log);
  std::vector<Node> nodes;
  for (const EVGui::VMInventoryInfo& node : response.nodes()) {
    nodes.push_back(Node{node.displayName(), node.nodeType(), node.objectPath()});
  }
  return nodes;
}

const std::string t = kTenancy;

}  // namespace

TEST(OracleCloudTree, EachLevelListsItsNodes) {
  struct Case {
    std::string path;
    std::vector<Node> nodes;
  };
  const Case cases[] = {
      {"\\top", {{"Sales", 4, t + "/c1"}, {"sales", 4, t + "/c2"}, {"Sales", 4, t + "/c3"}, {"Empty", 4, t + "/c5"}}},
      // Every compartment of the name, and only of that exact name.
      {"\\top\\Sales",
       {{"Sales/db1", 7, t + "/c1/AD-1/s1"}, {"Sales/db2", 7, t + "/c1/AD-2/s2"}, {"Sales/db1", 7, t + "/c3/AD-3/s3"}}},
      {"\\top\\sales", {{"sales/db1", 7, t + "/c2/AD-1/s4"}}},
      {"\\top\\Nobody", {}},
      // The system named after the compartment, or as a level-2 node's display name.
      {"\\top\\Sales\\db1",
       {{"Sales/db1/ORCL", 9, t + "/c1/AD-1/s1/h1/d2"},
        {"Sales/db1/HR", 9, t + "/c1/AD-1/s1/h1/d1"},
        {"Sales/db1/CRM", 9, t + "/c3/AD-3/s3/h3/d4"}}},
      {"\\top\\whatever\\sales/db1", {{"sales/db1/LOW", 9, t + "/c2/AD-1/s4/h4/d5"}}},
      {"\\top\\Sales\\db3", {}},
  };
  for (const Case& c : cases) {
    OracleTestWorld world;
    EXPECT_EQ(browse(treeRequest(c.path, kOciInstanceId)), c.nodes) << c.path;
  }
}

TEST(OracleCloudTree, RefusedRequestsAnswerNoNodesAndSayWhy) {
  struct Case {
    std::optional<std::string> path;
    std::optional<std::int64_t> instance;
    std::string line;
    bool connects;
  };
  const Case cases[] = {
      {"\\top", std::nullopt, "Instance id is not set in the request", false},
      {"\\top", 0, "Instance id is not set in the request", false},
      {std::nullopt, kOciInstanceId, "Browse path is not set in the request []", false},
      {"", kOciInstanceId, "Invalid browse path [].", false},
      {"top", kOciInstanceId, "Invalid browse path [top].", false},
      {"\\top\\Sales\\db1\\HR", kOciInstanceId, "Invalid browse path [\\top\\Sales\\db1\\HR].", false},
      {"\\top", static_cast<std::int64_t>(kClassicInstanceId), "Failed to connect to OCI server.", true},
  };
  for (const Case& c : cases) {
    OracleTestWorld world;
    EXPECT_TRUE(browse(treeRequest(c.path, c.instance)).empty());
    EXPECT_TRUE(world.capture().hasLine(clouddb::oracle::kOracleCloudTreeTag, c.line)) << c.line;
    EXPECT_EQ(world.simulator().countCalls(CloudBridgeKind::Oracle, "Connect"), c.connects ? 1u : 0u) << c.line;
  }
}

TEST(OracleCloudTree, AFailedListingKeepsTheNodesGatheredBeforeIt) {
  {
    OracleTestWorld world(defaultContents(), withUnreadable("c3"));
    EXPECT_EQ(browse(treeRequest("\\top\\Sales", kOciInstanceId)).size(), 2u) << "c1's two systems stay";
    EXPECT_TRUE(world.capture().hasLine("Failed to fetch dbSystem Info list from OCI server."));
  }
  {
    OracleTestWorld world;
    ASSERT_TRUE(world.simulator().failNext(CloudBridgeKind::Oracle, "GetHostInfoList", 1, "Too many requests"));
    EXPECT_TRUE(browse(treeRequest("\\top", kOciInstanceId)).empty());
    EXPECT_TRUE(world.capture().hasLine("Failed to get compartments from OCI server."));
  }
  OracleTestWorld world;
  ASSERT_TRUE(world.simulator().failNext(CloudBridgeKind::Oracle, "GetDatabaseList", 1, "Too many requests"));
  EXPECT_TRUE(browse(treeRequest("\\top\\Sales\\db1", kOciInstanceId)).empty());
  EXPECT_TRUE(world.capture().hasLine("Failed to fetch oci database Info list from OCI server."));
  EXPECT_EQ(world.simulator().countCalls(CloudBridgeKind::Oracle, "GetDatabaseList"), 1u) << "the level stops";
  EXPECT_EQ(world.simulator().countCalls(CloudBridgeKind::Oracle, "Disconnect"), 1u);
}
