// The Azure peers answer the way the Azure tests rely on: Azurite pages Query Tables at 1000
// with its marker in a header, and the Cosmos DB peer keeps databases and containers behind a
// certificate that only the test CA vouches for.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "AzurePeers.h"
#include "ScratchDir.h"
#include "TestPki.h"

namespace testsupport {
namespace {

TEST(AzuritePeerTest, PagesQueryTablesAtAThousandWithTheNextTableNameHeader) {
  ScratchDir scratch;
  const AzuriteTablePeer azurite(scratch.path().string());
  std::vector<std::string> tables;
  for (int i = 0; i < 1001; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "t%04d", i);
    tables.push_back(name);
  }
  azurite.createTables(tables);

  const PeerReply first = azurite.tableRequest("GET", "Tables");
  ASSERT_EQ(first.status, 200) << first.body;
  EXPECT_EQ(first.listedNames("value", "TableName").size(), 1000U);
  const std::optional<std::string> marker = first.header("x-ms-continuation-NextTableName");
  ASSERT_TRUE(marker && !marker->empty());

  const PeerReply last = azurite.tableRequest("GET", "Tables?NextTableName=" + *marker);
  ASSERT_EQ(last.status, 200) << last.body;
  EXPECT_EQ(last.listedNames("value", "TableName"), std::vector<std::string>{"t1000"});
  EXPECT_FALSE(last.header("x-ms-continuation-NextTableName"));
}

TEST(CosmosPeerTest, KeepsDatabasesAndContainersBehindTheTestCa) {
  ScratchDir scratch;
  const TestPki pki = makeTestPki(scratch.path().string());
  const CosmosPeer cosmos(scratch.path().string(), pki);
  cosmos.createDatabase("sales");
  cosmos.createContainer("sales", "orders");

  const PeerReply databases = cosmos.request("GET", "dbs");
  ASSERT_EQ(databases.status, 200) << databases.body;
  EXPECT_EQ(databases.listedNames("Databases", "id"), std::vector<std::string>{"sales"});
  const PeerReply containers = cosmos.request("GET", "dbs/sales/colls");
  ASSERT_EQ(containers.status, 200) << containers.body;
  EXPECT_EQ(containers.listedNames("DocumentCollections", "id"), std::vector<std::string>{"orders"});
  EXPECT_EQ(cosmos.request("GET", "dbs/nowhere/colls").status, 404);
}

}  // namespace
}  // namespace testsupport
