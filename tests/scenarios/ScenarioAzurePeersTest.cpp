// The scenario member "azurePeers": how it is read, and that the driver's peers hold the seed
// and the host's copy of the cloud fixture points at them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Scenario.h"
#include "ScenarioAzurePeers.h"
#include "ScratchDir.h"

namespace scenarios {
namespace {

std::string fileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(ScenarioAzurePeersTest, ReadsTheMemberOrSaysWhatIsWrong) {
  struct Case {
    const char* members;  // of scenario.json, besides entryPoint, args and expect
    std::vector<std::string> tables;
    bool azurite = false;
    bool cosmos = false;
    const char* refusal = nullptr;  // part of the error
  };
  const std::vector<Case> cases = {
      {R"("azurePeers": {"azuriteTables": {"count": 3}})", {"t0000", "t0001", "t0002"}, true},
      {R"("azurePeers": {"azuriteTables": {"count": 2, "prefix": "sales"}, "cosmos": true})",
       {"sales0000", "sales0001"},
       true,
       true},
      {R"("azurePeers": {"azuriteTables": ["alpha", "beta"]})", {"alpha", "beta"}, true},
      {R"("azurePeers": {"cosmos": true})", {}, false, true},
      {R"("azurePeers": {"azuriteTables": {"count": -1}})", {}, false, false, "'count' from 0"},
      {R"("azurePeers": {"azuriteTables": [1]})", {}, false, false, "list of table names"},
      {R"("azurePeers": {"cosmos": false})", {}, false, false, "starts no peer"},
      {R"("azurePeers": {"cosmos": true}, "httpsPeer": {"routes": [{"target": "/k"}]})",
       {},
       false,
       false,
       "cannot be combined"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.members);
    testsupport::ScratchDir scratch;
    std::ofstream(scratch.file("scenario.json"))
        << R"({"entryPoint": "X", "args": [], "expect": {}, )" << test.members << "}";
    if (test.refusal != nullptr) {
      try {
        loadScenario(scratch.path().string(), "examples");
        ADD_FAILURE() << "accepted";
      } catch (const std::runtime_error& refused) {
        EXPECT_NE(std::string(refused.what()).find(test.refusal), std::string::npos) << refused.what();
      }
      continue;
    }
    const Scenario scenario = loadScenario(scratch.path().string(), "examples");
    ASSERT_TRUE(scenario.azurePeers);
    EXPECT_EQ(scenario.azurePeers->azuriteTables.has_value(), test.azurite);
    EXPECT_EQ(scenario.azurePeers->azuriteTables.value_or(std::vector<std::string>()), test.tables);
    EXPECT_EQ(scenario.azurePeers->cosmos, test.cosmos);
  }
}

TEST(ScenarioAzurePeersTest, SeedsThePeersAndPointsTheHostsFixtureAtThem) {
  testsupport::ScratchDir scratch;
  const std::string fixture = scratch.file("fixture.json");
  std::ofstream(fixture) << R"({"accounts": [{"cloud": "azure", "name": "a",
    "storageAccounts": [{"name": "s", "tableEndpoint": "http://devstoreaccount1.localhost:${azuritePort}/",
                         "accessKey": "k"}],
    "databaseAccounts": [{"name": "c", "endpoint": "${cosmosEndpoint}", "key": "k",
                          "databases": [{"name": "catalog", "containers": ["products", "prices"]},
                                        {"name": "telemetry"}]}]}]})";
  Scenario scenario;
  scenario.cloudFile = fixture;
  scenario.azurePeers = AzurePeersPlan{std::vector<std::string>{"alpha", "beta"}, true};

  const ScenarioAzurePeers peers(scenario, scratch);
  const std::string copy = fileText(peers.cloudFile());
  EXPECT_NE(copy.find("\"" + peers.azurite()->tableEndpoint() + "\""), std::string::npos) << copy;
  EXPECT_NE(copy.find("\"" + peers.cosmos()->endpoint() + "\""), std::string::npos) << copy;
  EXPECT_EQ(copy.find("${"), std::string::npos) << copy;
  const std::vector<std::string> options = peers.hostOptions();
  ASSERT_EQ(options.size(), 4U);
  EXPECT_EQ(options[0], "--cloud");
  EXPECT_EQ(options[1], peers.cloudFile());
  EXPECT_EQ(options[2], "--https-ca");
  EXPECT_TRUE(std::filesystem::exists(options[3]));

  EXPECT_EQ(peers.azurite()->tableRequest("GET", "Tables").listedNames("value", "TableName"),
            (std::vector<std::string>{"alpha", "beta"}));
  EXPECT_EQ(peers.cosmos()->request("GET", "dbs").listedNames("Databases", "id"),
            (std::vector<std::string>{"catalog", "telemetry"}));
  EXPECT_EQ(peers.cosmos()->request("GET", "dbs/catalog/colls").listedNames("DocumentCollections", "id"),
            (std::vector<std::string>{"products", "prices"}));
}

TEST(ScenarioAzurePeersTest, RefusesAFixtureNamingAPeerItDoesNotStart) {
  testsupport::ScratchDir scratch;
  std::ofstream(scratch.file("fixture.json")) << R"({"accounts": [{"endpoint": "${cosmosEndpoint}"}]})";
  Scenario scenario;
  scenario.cloudFile = scratch.file("fixture.json");
  scenario.azurePeers = AzurePeersPlan{std::vector<std::string>{}, false};
  EXPECT_THROW(ScenarioAzurePeers(scenario, scratch), std::runtime_error);
}

}  // namespace
}  // namespace scenarios
