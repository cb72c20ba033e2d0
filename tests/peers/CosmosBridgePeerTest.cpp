// The resource manager lists the databases and containers of a real Cosmos DB peer over HTTPS,
// trusting the peer's certificate only through the host's extra CA file.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "AzurePeers.h"
#include "ScratchDir.h"
#include "TestPki.h"
#include "bridges/CloudSDKCppBridge.h"
#include "bridges/simulator/CloudSimulator.h"
#include "platform/HostEnvironment.h"

namespace {

// base64 of "cosmos-peer-master-key"; the peer checks no signature, the bridge still signs.
constexpr const char* kKey = "Y29zbW9zLXBlZXItbWFzdGVyLWtleQ==";

std::vector<std::string> namesOf(const std::vector<CloudSDKCppBridge::SString>& list) {
  std::vector<std::string> names;
  for (const auto& item : list) names.push_back(item.value);
  return names;
}

TEST(CosmosBridgePeer, ListsTheDatabasesAndContainersOfTheLivePeer) {
  testsupport::ScratchDir scratch;
  const testsupport::TestPki pki = testsupport::makeTestPki(scratch.path().string());
  const testsupport::CosmosPeer cosmos(scratch.path().string(), pki);
  cosmos.createDatabase("sales");
  cosmos.createDatabase("hr");
  cosmos.createContainer("sales", "orders");
  cosmos.createContainer("sales", "returns");

  HostEnvironment host;
  host.httpsExtraCaFile = pki.caCertificateFile;
  const HostEnvironment::Installation hostInstalled(host);
  std::string error;
  const std::unique_ptr<CloudSimulator> clouds = CloudSimulator::fromJson(
      R"({"accounts": [{"cloud": "azure", "subscriptionId": "sub-1", "tenantId": "tenant-1",
          "credentials": {"applicationId": "app-1", "password": "azure-secret"},
          "databaseAccounts": [{"name": "peer", "endpoint": ")" +
          cosmos.endpoint() + R"(", "key": ")" + kKey + R"("}]}]})",
      error);
  ASSERT_NE(clouds, nullptr) << error;
  const CloudSimulator::Installation cloudsInstalled(*clouds);

  CloudSDKCppBridge::CCloudSDKCppBridge manager;
  ASSERT_TRUE(manager.Connect("sub-1\\tenant-1", "app-1", "azure-secret")) << manager.GetLastErrorString();
  std::string address;
  std::string key;
  ASSERT_TRUE(manager.GetCosmosDBAuthenticationInfo("peer", address, key)) << manager.GetLastErrorString();
  std::vector<CloudSDKCppBridge::SString> names;
  ASSERT_TRUE(manager.ListCosmosDBDatabases(address, key, false, names)) << manager.GetLastErrorString();
  std::vector<std::string> databases = namesOf(names);
  std::sort(databases.begin(), databases.end());
  EXPECT_EQ(databases, (std::vector<std::string>{"hr", "sales"}));
  ASSERT_TRUE(manager.ListCosmosDBContainers(address, key, "sales", false, names)) << manager.GetLastErrorString();
  std::vector<std::string> containers = namesOf(names);
  std::sort(containers.begin(), containers.end());
  EXPECT_EQ(containers, (std::vector<std::string>{"orders", "returns"}));
  EXPECT_FALSE(manager.ListCosmosDBContainers(address, key, "nowhere", false, names));
  EXPECT_EQ(manager.GetLastErrorString().rfind("The Cosmos DB service refused the listing: HTTP status 404", 0), 0u)
      << manager.GetLastErrorString();
}

}  // namespace
