// The Azure service base: credential reads of an instance and of a client, the login it builds,
// the proxy it picks, and its connect lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AzureTestWorld.h"
#include "clouddb/azure/CAzureCosmosSQLInfo.h"
#include "clouddb/azure/CAzureTableStorageInfo.h"

namespace {

using azuretest::AzureTestWorld;

std::vector<RecordedCall> callsOf(AzureTestWorld& world, CloudBridgeKind bridge, const std::string& operation) {
  std::vector<RecordedCall> found;
  for (const RecordedCall& call : world.simulator().calls()) {
    if (call.bridge == bridge && call.operation == operation) found.push_back(call);
  }
  return found;
}

TEST(AzureServiceBaseCredentials, AnInstanceMissingAValueStopsAtTheFirstOne) {
  struct Case {
    void (*unset)(config::InstanceRecord&);
    const char* line;
  };
  const Case cases[] = {
      {[](config::InstanceRecord& r) { r.azureSubscriptionId.reset(); }, "Error obtaining subscription id for instance 3200"},
      {[](config::InstanceRecord& r) { r.azureUserName.reset(); }, "Error obtaining user name for instance 3200"},
      {[](config::InstanceRecord& r) { r.azurePassword.reset(); }, "Error obtaining password for instance 3200"},
      {[](config::InstanceRecord& r) { r.azureTenantId.reset(); r.azurePassword.reset(); },
       "Error obtaining password for instance 3200"},
      {[](config::InstanceRecord& r) { r.azureTenantId.reset(); }, "Error obtaining tenant id for instance 3200"},
  };
  for (const Case& c : cases) {
    config::ConfigurationContents contents = azuretest::azureContents();
    c.unset(contents.instances[0]);
    AzureTestWorld world(azuretest::cloudFixture("http://devstoreaccount1.localhost:1/"), contents);
    CAzureTableStorageInfo storage(32);
    EXPECT_EQ(storage.FetchCredentials(azuretest::kTableInstanceId), 0) << c.line;
    EXPECT_TRUE(world.capture().hasLine("FetchCredentials", c.line)) << c.line;
    EXPECT_EQ(world.capture().lines().back().text, "End <<<") << "a failed fetch still ends its span";
  }
}

TEST(AzureServiceBaseCredentials, InstanceAndClientCredentialsConnectWithSubscriptionBackslashTenant) {
  for (const bool byClient : {false, true}) {
    AzureTestWorld world;
    CAzureTableStorageInfo storage(32);
    ASSERT_EQ(byClient ? storage.FetchClientCredentials(azuretest::kClientId)
                       : storage.FetchCredentials(azuretest::kTableInstanceId),
              1);
    ASSERT_EQ(storage.Connect(), 1);
    ASSERT_EQ(storage.Connect(), 1);

    const auto connects = callsOf(world, CloudBridgeKind::Azure, "Connect");
    ASSERT_EQ(connects.size(), 2U);
    EXPECT_EQ(connects[0].arguments, (std::vector<std::string>{"sub-0001\\tenant-0001", "app-0001", "***NOT SHOWN***"}));
    // Initialised once, with no job named as 0.
    EXPECT_EQ(connects[1].arguments, connects[0].arguments);
    const auto initialises = callsOf(world, CloudBridgeKind::Azure, "Initialize");
    ASSERT_EQ(initialises.size(), 1U);
    EXPECT_EQ(initialises[0].arguments[2], "0");
    EXPECT_EQ(initialises[0].arguments[3], "402");
    EXPECT_TRUE(world.capture().hasLine("Connect", "Connecting to SubscriptionId: [sub-0001\\tenant-0001] and application id [app-0001]"));
    EXPECT_TRUE(world.capture().hasLine("Connect", "Azure SDK connection successful"));
    EXPECT_FALSE(world.anyLineContains(azuretest::kSecret));
  }
}

TEST(AzureServiceBaseCredentials, AClientWithoutCloudCredentialsFails) {
  config::ConfigurationContents contents = azuretest::azureContents();
  contents.clients[0].cloudAppsCredentials.reset();
  AzureTestWorld world(azuretest::cloudFixture("http://devstoreaccount1.localhost:1/"), contents);
  CAzureTableStorageInfo storage(32);
  EXPECT_EQ(storage.FetchClientCredentials(azuretest::kClientId), 0);
  EXPECT_TRUE(world.capture().hasLine("FetchClientCredentials", "Failed to read azure resource manager credentials."));
}

TEST(AzureServiceBaseConnect, ARefusedSecretFailsWithTheCloudsReason) {
  AzureTestWorld world;
  CAzureTableStorageInfo storage(32);
  EXPECT_EQ(storage.Connect(std::string(azuretest::kSubscription) + "\\" + azuretest::kTenant, azuretest::kApplication,
                            "wrong-secret"),
            0);
  EXPECT_TRUE(world.capture().hasLine("Connect", "Failed to connect to azure resource manager."));
  bool refusalLogged = false;
  for (const LogLine& line : world.capture().lines()) {
    refusalLogged |= line.text.rfind("The cloud refused the connection: [AADSTS7000215", 0) == 0;
  }
  EXPECT_TRUE(refusalLogged);
  EXPECT_FALSE(world.anyLineContains("wrong-secret"));
}

TEST(AzureServiceBaseConnect, TheFirstUsableProxyEntryIsHandedOn) {
  AzureTestWorld world;
  CAzureTableStorageInfo storage(32);
  const std::vector<SHostCredentials> proxies = {
      {"", "proxy.a:1", "", "", 1}, {"", ":", "", "", 3}, {"", "proxy.b:3128", "puser", "ppass", 3},
      {"", "proxy.c:8080", "", "", 3}};
  storage.Connect(std::string(azuretest::kSubscription) + "\\" + azuretest::kTenant, azuretest::kApplication,
                  azuretest::kSecret, proxies);
  const auto proxyCalls = callsOf(world, CloudBridgeKind::Azure, "SetWebProxy");
  ASSERT_EQ(proxyCalls.size(), 1U);
  EXPECT_EQ(proxyCalls[0].arguments[0], "proxy.b:3128");
  EXPECT_EQ(proxyCalls[0].arguments[1], "puser");
  EXPECT_TRUE(world.capture().hasLine("Connect", "Connecting using HTTP proxy [proxy.b:3128], user name [puser]"));
  EXPECT_FALSE(world.anyLineContains("ppass"));
}

// A proxy the client refuses stops the connect, of either provider: made without it, the
// connect would go around the proxy.
TEST(AzureServiceBaseConnect, ARefusedProxyStopsTheConnect) {
  AzureTestWorld world;
  CAzureTableStorageInfo storage(32);
  CAzureCosmosSQLInfo cosmos;
  const std::vector<SHostCredentials> proxies = {{"", "proxy.b:", "puser", "ppass", 3}};
  const std::string login = std::string(azuretest::kSubscription) + "\\" + azuretest::kTenant;
  EXPECT_EQ(storage.Connect(login, azuretest::kApplication, azuretest::kSecret, proxies), 0);
  EXPECT_EQ(cosmos.Connect(login, azuretest::kApplication, azuretest::kSecret, proxies), 0);
  EXPECT_TRUE(callsOf(world, CloudBridgeKind::Azure, "Connect").empty());
  EXPECT_TRUE(callsOf(world, CloudBridgeKind::AzureResourceManager, "Connect").empty());
  EXPECT_EQ(world.capture().countLines("Failed to connect to cloud."), 2u);
  EXPECT_FALSE(world.anyLineContains("ppass"));
}

}  // namespace
