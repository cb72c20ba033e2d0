// The two Azure resource clients over the simulator: the resource manager signs in as the
// resource client does, both list the subscription's storage and database accounts and give an
// account's endpoint and key, and both need a connection, take a proxy and can be told to fail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BridgeTestSupport.h"
#include "bridges/AzureSDKCppBridge.h"
#include "bridges/CloudSDKCppBridge.h"

using namespace bridgetest;

namespace {

constexpr const char* kLogin = "sub-1\\tenant-1";
constexpr const char* kApplication = "app-1";
constexpr const char* kPassword = "azure-secret";

std::string subscriptionJson(bool directAccess) {
  return std::string(R"({
  "network": {"directAccess": )") +
         (directAccess ? "true" : "false") + R"(,
              "proxies": [{"address": "proxy.test:3128", "user": "pu", "password": "pp"}]},
  "accounts": [{
    "cloud": "azure", "subscriptionId": "sub-1", "tenantId": "tenant-1",
    "credentials": {"applicationId": "app-1", "password": "azure-secret"},
    "regions": [{"name": "eastus"}, {"name": "westeurope"}],
    "storageAccounts": [
      {"name": "tables1", "tableEndpoint": "https://tables1.table.core.windows.net/", "accessKey": "a2V5MQ==",
       "resourceGroup": "rg-data"},
      {"name": "tables2", "location": "westeurope", "kind": "Storage"},
      {"name": "tables3", "tableEndpoint": "https://tables3.table.core.windows.net/", "accessKey": "a2V5Mw=="}
    ],
    "databaseAccounts": [
      {"name": "cosmos-sql", "endpoint": "https://cosmos-sql.documents.azure.com:443/", "key": "a2V5NA==",
       "location": "westeurope", "databases": [{"name": "orders", "containers": ["lines"]}]},
      {"name": "cosmos-mongo", "endpoint": "https://cosmos-mongo.mongo.cosmos.azure.com:443/", "key": "a2V5NQ==",
       "kind": "MongoDB"},
      {"name": "cosmos-bare"}
    ]
  }]
})";
}

template <class Bridge>
void connect(Bridge& bridge) {
  ASSERT_TRUE(bridge.Connect(kLogin, kApplication, kPassword)) << bridge.GetLastErrorString();
}

TEST(AzureResourceManager, SignsInAndInitialisesAsTheResourceClientDoes) {
  InstalledSimulator simulator(subscriptionJson(true));
  struct Case {
    const char* login;
    const char* application;
    const char* password;
    const char* refusal;  // "" when accepted
  };
  const Case cases[] = {
      {kLogin, kApplication, kPassword, ""},
      {kLogin, kApplication, "enc:v1:azure-secret",
       "AADSTS7000215: Invalid client secret provided. Ensure the secret being sent in the request is the client "
       "secret value, not the client secret ID, for a secret added to app 'app-1'."},
      // The other refusals come from the same check as the resource client's (RelationalBridges).
      {"sub-2\\tenant-1", kApplication, kPassword, "The subscription 'sub-2' could not be found."},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.login + std::string(" ") + each.application);
    CloudSDKCppBridge::CCloudSDKCppBridge manager;
    EXPECT_EQ(manager.Connect(each.login, each.application, each.password), std::string(each.refusal).empty());
    EXPECT_EQ(manager.GetLastErrorString(), each.refusal);
  }
  CloudSDKCppBridge::CCloudSDKCppBridge manager;
  EXPECT_TRUE(manager.Initialize("focus", "app", 0, 402));
  EXPECT_FALSE(manager.Initialize("focus", "app", 0, 32));
  EXPECT_EQ(manager.GetLastErrorString(), "Unsupported virtual server instance type 32");
  for (const RecordedCall& call : simulator->calls()) {
    EXPECT_EQ(call.bridge, CloudBridgeKind::AzureResourceManager);
    if (call.operation == "Connect") {
      EXPECT_EQ(call.arguments.back(), "***NOT SHOWN***");
    }
  }
}

TEST(AzureStorageAccounts, ListingSelectsByNameAndRange) {
  InstalledSimulator simulator(subscriptionJson(true));
  AzureSDKCppBridge::CAzureSDKCppBridge azure;
  connect(azure);
  struct Case {
    const char* filter;
    int first;
    int count;
    Names names;
  };
  const Case cases[] = {
      {"", -1, -1, {"tables1", "tables2", "tables3"}},
      {"", 1, -1, {"tables2", "tables3"}},
      {"", 0, 2, {"tables1", "tables2"}},
      {"", 5, -1, {}},
      {"tables2", -1, -1, {"tables2"}},
      {"tables", -1, -1, {}},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(std::string(each.filter) + " " + std::to_string(each.first) + " " + std::to_string(each.count));
    std::vector<VMInfoStructs::SDatastoreInfo> accounts;
    ASSERT_TRUE(azure.GetStorageAccountInfoList(each.filter, each.first, each.count, accounts, false));
    EXPECT_EQ(valuesOf(accounts, &VMInfoStructs::SDatastoreInfo::name), each.names);
  }
  std::vector<VMInfoStructs::SDatastoreInfo> accounts;
  ASSERT_TRUE(azure.GetStorageAccountInfoList("", -1, -1, accounts, true));
  EXPECT_EQ(accounts[0].identifier,
            "/subscriptions/sub-1/resourceGroups/rg-data/providers/Microsoft.Storage/storageAccounts/tables1");
  EXPECT_EQ(valuesOf(accounts, &VMInfoStructs::SDatastoreInfo::location), (Names{"eastus", "westeurope", "eastus"}));
  EXPECT_EQ(valuesOf(accounts, &VMInfoStructs::SDatastoreInfo::kind), (Names{"StorageV2", "Storage", "StorageV2"}));
  EXPECT_EQ(valuesOf(accounts, &VMInfoStructs::SDatastoreInfo::accessKey), (Names{"a2V5MQ==", "", "a2V5Mw=="}));
  accounts.clear();
  ASSERT_TRUE(azure.GetStorageAccountInfoList("", -1, -1, accounts, false));
  EXPECT_EQ(accounts[0].accessKey, "") << "keys only when asked for";
  EXPECT_FALSE(azure.GetStorageAccountInfoList("", -2, -1, accounts, false));
  EXPECT_EQ(azure.GetLastErrorString(), "Invalid record range: first -2, count -1");
}

TEST(AzureAccounts, AuthenticationInfoOfKnownAndUnknownAccounts) {
  InstalledSimulator simulator(subscriptionJson(true));
  AzureSDKCppBridge::CAzureSDKCppBridge azure;
  CloudSDKCppBridge::CCloudSDKCppBridge manager;
  connect(azure);
  connect(manager);
  struct Case {
    bool database;  // the resource manager's database accounts, else the storage accounts
    const char* account;
    const char* address;
    const char* key;
    const char* refusal;  // "" when found
  };
  const Case cases[] = {
      {false, "tables1", "https://tables1.table.core.windows.net/", "a2V5MQ==", ""},
      {false, "tables2", "", "", ""},
      {false, "nope", "", "",
       "The Resource 'Microsoft.Storage/storageAccounts/nope' was not found in subscription 'sub-1'."},
      {true, "cosmos-sql", "https://cosmos-sql.documents.azure.com:443/", "a2V5NA==", ""},
      {true, "cosmos-bare", "", "", ""},
      {true, "tables1", "", "",
       "The Resource 'Microsoft.DocumentDB/databaseAccounts/tables1' was not found in subscription 'sub-1'."},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.account);
    std::string address = "stale";
    std::string key = "stale";
    const bool found = each.database ? manager.GetCosmosDBAuthenticationInfo(each.account, address, key)
                                     : azure.GetTableStorageAuthenticationInfo(each.account, address, key);
    EXPECT_EQ(found, std::string(each.refusal).empty());
    EXPECT_EQ(each.database ? manager.GetLastErrorString() : azure.GetLastErrorString(), each.refusal);
    EXPECT_EQ(address, each.address);
    EXPECT_EQ(key, each.key);
  }
}

TEST(AzureDatabaseAccounts, ListingNamesTheSqlAccounts) {
  InstalledSimulator simulator(subscriptionJson(true));
  CloudSDKCppBridge::CCloudSDKCppBridge manager;
  connect(manager);
  std::vector<CloudSDKCppBridge::SStorageAccountInfo> accounts{{"stale", "", "", ""}};
  ASSERT_TRUE(manager.GetDatabaseAccountInfoList("", CloudSDKCppBridge::COSMOS_DB_SQL_API, accounts));
  EXPECT_EQ(valuesOf(accounts, &CloudSDKCppBridge::SStorageAccountInfo::name), (Names{"cosmos-sql", "cosmos-bare"}));
  EXPECT_EQ(accounts[0].endpoint, "https://cosmos-sql.documents.azure.com:443/");
  EXPECT_EQ(accounts[0].location, "westeurope");
  EXPECT_EQ(accounts[1].location, "eastus");
  EXPECT_EQ(accounts[0].kind, "GlobalDocumentDB");
  ASSERT_TRUE(manager.GetDatabaseAccountInfoList("cosmos-bare", CloudSDKCppBridge::COSMOS_DB_SQL_API, accounts));
  EXPECT_EQ(valuesOf(accounts, &CloudSDKCppBridge::SStorageAccountInfo::name), (Names{"cosmos-bare"}));
  EXPECT_FALSE(manager.GetDatabaseAccountInfoList("", 2, accounts));
  EXPECT_EQ(manager.GetLastErrorString(), "Unsupported database account browse type 2");
  EXPECT_TRUE(accounts.empty());
}

TEST(AzureResourceBridges, NeedAConnectionTakeAProxyAndCanBeToldToFail) {
  InstalledSimulator simulator(subscriptionJson(false));
  CloudSDKCppBridge::CCloudSDKCppBridge manager;
  std::vector<CloudSDKCppBridge::SStorageAccountInfo> accounts;
  EXPECT_FALSE(manager.GetDatabaseAccountInfoList("", 1, accounts));
  EXPECT_EQ(manager.GetLastErrorString(), "The client is not connected; call Connect first.");
  EXPECT_FALSE(manager.Connect(kLogin, kApplication, kPassword)) << "only a proxy reaches the cloud";
  EXPECT_EQ(manager.GetLastErrorString(),
            "Failed to connect to login.microsoftonline.com port 443 after 30000 ms: Timeout was reached");
  EXPECT_FALSE(manager.SetWebProxy("proxy.test", "pu", "pp"));
  EXPECT_EQ(manager.GetLastErrorString(), "Invalid proxy address \"proxy.test\"");
  ASSERT_TRUE(manager.SetWebProxy("proxy.test:3128", "pu", "wrong"));
  EXPECT_FALSE(manager.Connect(kLogin, kApplication, kPassword));
  EXPECT_EQ(manager.GetLastErrorString(), "Received HTTP code 407 from proxy after CONNECT");
  ASSERT_TRUE(manager.SetWebProxy("proxy.test:3128", "pu", "pp"));
  connect(manager);

  AzureSDKCppBridge::CAzureSDKCppBridge azure;
  ASSERT_TRUE(azure.SetWebProxy("proxy.test:3128", "pu", "pp"));
  connect(azure);
  ASSERT_TRUE(simulator->failNext(CloudBridgeKind::Azure, "GetStorageAccountInfoList", 1, "Too many requests"));
  std::vector<VMInfoStructs::SDatastoreInfo> storage;
  EXPECT_FALSE(azure.GetStorageAccountInfoList("", -1, -1, storage, false));
  EXPECT_EQ(azure.GetLastErrorString(), "Too many requests");
  EXPECT_TRUE(azure.GetStorageAccountInfoList("", -1, -1, storage, false));
  EXPECT_EQ(storage.size(), 3u);
  EXPECT_EQ(azure.RefreshDBInstanceInfoList(0, 0, "", ""), 0) << "the relational listing goes through it too";

  const auto calls = simulator->calls();
  EXPECT_EQ(calls.back().proxy, "proxy.test:3128");
  for (const RecordedCall& call : calls) {
    if (call.operation == "SetWebProxy") {
      EXPECT_EQ(call.arguments.back(), "***NOT SHOWN***");
    }
  }
}

}  // namespace
