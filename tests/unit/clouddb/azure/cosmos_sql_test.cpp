// The Cosmos DB SQL provider: its connect through the database account client alone, and its
// database listing with the lines and nodes it makes, against a local HTTPS server.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../../support/LocalHttpServer.h"
#include "../../../support/ScratchDir.h"
#include "../../../support/TestPki.h"
#include "AzureTestWorld.h"
#include "clouddb/azure/CAzureCosmosSQLInfo.h"

namespace {

using azuretest::AzureTestWorld;
using testsupport::HttpReply;
using testsupport::HttpRequest;
using testsupport::LocalHttpServer;

std::size_t callCount(AzureTestWorld& world, CloudBridgeKind bridge, const std::string& operation) {
  std::size_t count = 0;
  for (const RecordedCall& call : world.simulator().calls()) {
    count += call.bridge == bridge && call.operation == operation ? 1 : 0;
  }
  return count;
}

TEST(CosmosSqlConnect, OnlyTheDatabaseAccountClientConnectsAndTakesTheProxy) {
  AzureTestWorld world;
  azuretest::RecordingEnvironment environment;
  CAzureCosmosSQLInfo cosmos(environment);
  const std::vector<SHostCredentials> proxies = {{"", ":", "", "", 3}, {"", "proxy.b:3128", "puser", "ppass", 3}};
  cosmos.Connect(std::string(azuretest::kSubscription) + "\\" + azuretest::kTenant, azuretest::kApplication,
                 azuretest::kSecret, proxies);
  EXPECT_EQ(callCount(world, CloudBridgeKind::AzureResourceManager, "SetWebProxy"), 1U);
  EXPECT_EQ(callCount(world, CloudBridgeKind::AzureResourceManager, "Connect"), 1U);
  EXPECT_EQ(callCount(world, CloudBridgeKind::Azure, "Connect"), 0U);
  EXPECT_TRUE(world.capture().hasLine("Connect", "Connecting using HTTP proxy [proxy.b:3128], user name [puser]"));

  // Without a usable entry no proxy is set and the connect goes on.
  AzureTestWorld plain;
  CAzureCosmosSQLInfo direct(environment);
  EXPECT_EQ(direct.Connect(std::string(azuretest::kSubscription) + "\\" + azuretest::kTenant, azuretest::kApplication,
                           azuretest::kSecret, {{"", ":", "", "", 3}}),
            1);
  EXPECT_EQ(callCount(plain, CloudBridgeKind::AzureResourceManager, "SetWebProxy"), 0U);
  EXPECT_TRUE(plain.capture().hasLine("Connect", "Connection successful"));
}

TEST(CosmosSqlDatabases, ListsDatabasesOrLogsTheClientsReason) {
  struct Case {
    int status;
    std::string body;
    bool listed;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {200, R"({"Databases":[],"_count":0})", true, {"Found 0 databases"}},
      {200, R"({"Databases":[{"id":"a"},{"id":"b"}],"_count":2})", true,
       {"Found 2 databases", "Found database: [a]", "Found database: [b]"}},
      {403, R"({"code":"Forbidden","message":"no"})", false, {}},
  };
  for (const Case& c : cases) {
    testsupport::ScratchDir scratch;
    const testsupport::TestPki pki = testsupport::makeTestPki(scratch.path().string());
    LocalHttpServer server([&](const HttpRequest&) { return HttpReply{c.status, "Status", {}, c.body}; },
                           LocalHttpServer::TlsFiles{pki.serverCertificateFile, pki.serverKeyFile});
    AzureTestWorld world(azuretest::cloudFixture("http://unused.localhost:1/", server.url("/")),
                         azuretest::azureContents(), true, pki.caCertificateFile);
    azuretest::RecordingEnvironment environment;
    CAzureCosmosSQLInfo cosmos(environment);
    ASSERT_EQ(cosmos.FetchCredentials(azuretest::kCosmosInstanceId), 1);
    ASSERT_EQ(cosmos.Connect(), 1);
    App::CloudDBEntity root;
    EXPECT_EQ(cosmos.BrowseDatabases("cosmos1", root), c.listed) << c.body;
    for (const std::string& line : c.lines) {
      EXPECT_TRUE(world.capture().hasLine("BrowseDatabases", line)) << line;
    }
    if (c.listed) {
      ASSERT_EQ(root.children().size(), c.lines.size() - 1);
      for (const App::CloudDBEntity& child : root.children()) {
        EXPECT_EQ(child.entityType(), 44);
        EXPECT_EQ(child.region(), "cosmos1");
      }
    } else {
      EXPECT_TRUE(root.children().empty());
      bool reported = false;
      for (const LogLine& line : world.capture().lines()) {
        reported |= line.tag == "BrowseDatabases" && line.text.rfind("Failed to get Database list. Error [", 0) == 0 &&
                    line.text.find("403") != std::string::npos;
      }
      EXPECT_TRUE(reported);
    }
  }
}

}  // namespace
