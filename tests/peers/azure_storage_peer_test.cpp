// The library's Table storage and Cosmos DB listings against real peers: Azurite checks every
// Shared Key signature, the Cosmos DB peer serves the REST listings over HTTPS with a certificate
// of a throw-away CA.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../support/AzurePeers.h"
#include "../support/ScratchDir.h"
#include "../support/TestPki.h"
#include "../unit/clouddb/azure/AzureTestWorld.h"
#include "clouddb/azure/CAzureCosmosSQLInfo.h"
#include "clouddb/azure/CAzureTableStorageInfo.h"

namespace {

using azuretest::AzureTestWorld;
using azuretest::RecordingEnvironment;

std::vector<std::string> namesOf(const App::CloudDBEntity& root, std::int64_t type, const std::string& parent) {
  std::vector<std::string> names;
  for (const App::CloudDBEntity& child : root.children()) {
    EXPECT_EQ(child.entityType(), type);
    EXPECT_EQ(child.region(), parent);
    EXPECT_EQ(child.identifier(), child.name());
    names.push_back(child.name());
  }
  return names;
}

TEST(TableStorageAgainstAzurite, ListsEveryTableThroughMoreThanOnePage) {
  testsupport::ScratchDir scratch;
  testsupport::AzuriteTablePeer azurite(scratch.file("azurite"));
  std::vector<std::string> created;
  for (int i = 0; i < 1003; ++i) created.push_back("t" + std::to_string(10000 + i));
  azurite.createTables(created);

  AzureTestWorld world(azuretest::cloudFixture(azurite.tableEndpoint()), azuretest::azureContents(), false);
  RecordingEnvironment environment;
  CAzureTableStorageInfo storage(environment, 32);
  ASSERT_EQ(storage.FetchCredentials(azuretest::kTableInstanceId), 1);
  ASSERT_EQ(storage.Connect(), 1);
  App::CloudDBEntity root;
  ASSERT_TRUE(storage.BrowseTables(azuretest::kDevAccount, root));

  std::vector<std::string> listed = namesOf(root, 45, azuretest::kDevAccount);
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, created);
  // Two pages: the second asked for with the marker the first announced.
  EXPECT_EQ(std::count_if(environment.lines.begin(), environment.lines.end(),
                          [](const std::string& line) { return line.rfind("executeRequest: Request method: 0 URL: ", 0) == 0; }),
            2);
}

TEST(TableStorageAgainstAzurite, AWrongKeyIsRefusedAndReported) {
  testsupport::ScratchDir scratch;
  testsupport::AzuriteTablePeer azurite(scratch.file("azurite"));
  std::string fixture = azuretest::cloudFixture(azurite.tableEndpoint());
  // Another valid key of the same length: the signature no longer matches.
  std::string wrongKey = azuretest::kDevKey;
  wrongKey[0] = wrongKey[0] == 'A' ? 'B' : 'A';
  fixture.replace(fixture.find(azuretest::kDevKey), wrongKey.size(), wrongKey);

  AzureTestWorld world(fixture, azuretest::azureContents(), false);
  RecordingEnvironment environment;
  CAzureTableStorageInfo storage(environment, 32);
  ASSERT_EQ(storage.FetchCredentials(azuretest::kTableInstanceId), 1);
  ASSERT_EQ(storage.Connect(), 1);
  App::CloudDBEntity root;
  EXPECT_FALSE(storage.BrowseTables(azuretest::kDevAccount, root));
  EXPECT_TRUE(root.children().empty());
  EXPECT_TRUE(environment.has("report: Query tables failed with 403"));
}

TEST(CosmosSqlAgainstThePeer, ListsDatabasesAndContainers) {
  testsupport::ScratchDir scratch;
  const testsupport::TestPki pki = testsupport::makeTestPki(scratch.path().string());
  testsupport::CosmosPeer cosmos(scratch.file("cosmos"), pki);
  cosmos.createDatabase("sales");
  cosmos.createContainer("sales", "orders");
  cosmos.createContainer("sales", "stock");
  cosmos.createDatabase("hr");

  AzureTestWorld world(azuretest::cloudFixture("http://unused.localhost:1/", cosmos.endpoint()),
                       azuretest::azureContents(), false, pki.caCertificateFile);
  RecordingEnvironment environment;
  CAzureCosmosSQLInfo info(environment);
  ASSERT_EQ(info.FetchCredentials(azuretest::kCosmosInstanceId), 1);
  ASSERT_EQ(info.Connect(), 1);

  App::CloudDBEntity databases;
  ASSERT_TRUE(info.BrowseDatabases("cosmos1", databases));
  std::vector<std::string> databaseNames = namesOf(databases, 44, "cosmos1");
  std::sort(databaseNames.begin(), databaseNames.end());
  EXPECT_EQ(databaseNames, (std::vector<std::string>{"hr", "sales"}));

  App::CloudDBEntity containers;
  ASSERT_TRUE(info.BrowseContainers("cosmos1", "sales", containers));
  std::vector<std::string> containerNames = namesOf(containers, 45, "cosmos1/sales");
  std::sort(containerNames.begin(), containerNames.end());
  EXPECT_EQ(containerNames, (std::vector<std::string>{"orders", "stock"}));

  // The same list through the library's own REST client.
  std::vector<std::string> queried;
  ASSERT_TRUE(info.queryContainers("sales", queried));
  std::sort(queried.begin(), queried.end());
  EXPECT_EQ(queried, containerNames);

  App::CloudDBEntity none;
  EXPECT_FALSE(info.BrowseContainers("cosmos1", "missing", none));
  EXPECT_TRUE(none.children().empty());
}

}  // namespace
