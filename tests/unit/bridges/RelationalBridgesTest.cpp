// The Alibaba, Google Cloud SQL and Azure relational bridges: each signs in the way its cloud
// does and answers refusals in the cloud's words, lists only after a connect, honours the
// instance filter, can be told to fail and records its calls.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "BridgeTestSupport.h"
#include "bridges/AliCloudSDKCppBridge.h"
#include "bridges/AzureSDKCppBridge.h"
#include "bridges/GoogleCloudSDKCppBridge.h"

using namespace bridgetest;

namespace {

const std::string kClouds = R"({
  "accounts": [{
    "cloud": "azure", "subscriptionId": "sub-1", "tenantId": "tenant-1",
    "credentials": {"applicationId": "app-1", "password": "azure-secret"},
    "regions": [{"name": "eastus"}, {"name": "westeurope"}],
    "databaseServers": [{"name": "pg-1", "engine": "postgres", "engineVersion": "16"},
                        {"name": "maria-1", "engine": "mariadb", "region": "westeurope"},
                        {"name": "my-1", "engine": "mysql", "status": "Stopped"}]
  }, {
    "cloud": "google",
    "credentials": {"serviceAccountId": "sa@p.iam", "keyFile": "p.p12", "keyPassword": "notasecret"},
    "sqlInstances": [{"name": "g-pg", "engine": "POSTGRES_15", "region": "us-central1"}]
  }, {
    "cloud": "google",
    "credentials": {"serviceAccountId": "material@p.iam", "keyPassword": "the-key-material"},
    "sqlInstances": [{"name": "g-my", "engine": "MYSQL_8_0"}]
  }, {
    "cloud": "alibaba",
    "credentials": {"accessKeyId": "LTAI0001", "accessKeySecret": "ali-secret"},
    "regions": [{"name": "cn-hangzhou"}, {"name": "ap-southeast-1"}],
    "rdsInstances": [{"name": "rm-1", "engine": "MySQL"}, {"name": "pgm-1", "engine": "PostgreSQL",
                      "region": "ap-southeast-1"}, {"name": "rm-2", "engine": "MySQL"}]
  }]
})";

struct SignIn {
  std::function<bool(std::string&)> connect;  // fills the last error text
  const char* refusal;                        // "" when the sign-in is accepted
};

TEST(RelationalBridges, EachCloudChecksItsCredentials) {
  InstalledSimulator simulator(kClouds);
  const auto alibaba = [](const char* key, const char* secret) {
    return [=](std::string& error) {
      AliCloudSDKCppBridge::CAliCloudSDKCppBridge bridge;
      const bool connected = bridge.ConnectRDS(key, secret);
      error = bridge.GetLastError();
      return connected;
    };
  };
  const auto google = [](const char* file, const char* account, const char* password) {
    return [=](std::string& error) {
      GoogleCloudSDKCppBridge::CGoogleCloudSDKCppBridge bridge;
      const bool connected = bridge.Connect(file, account, password);
      error = bridge.GetLastError();
      return connected;
    };
  };
  const auto azure = [](const char* login, const char* application, const char* password) {
    return [=](std::string& error) {
      AzureSDKCppBridge::CAzureSDKCppBridge bridge;
      const bool connected = bridge.Connect(login, application, password);
      error = bridge.GetLastErrorString();
      return connected;
    };
  };
  const SignIn cases[] = {
      {alibaba("LTAI0001", "ali-secret"), ""},
      {alibaba("LTAI0001", "wrong"), "Specified signature is not matched with our calculation."},
      {alibaba("LTAI0001", "enc:v1:ali-secret"), "Specified signature is not matched with our calculation."},
      {alibaba("LTAI9999", "ali-secret"), "Specified access key is not found."},
      {alibaba("", ""), "AccessKeyId is mandatory for this action."},
      {google("p.p12", "sa@p.iam", "notasecret"), ""},
      {google("p.p12", "sa@p.iam", "wrong"), "Could not read the key file \"p.p12\": mac verify failure"},
      {google("other.p12", "sa@p.iam", "notasecret"),
       "Could not open the key file \"other.p12\": No such file or directory"},
      {google("", "material@p.iam", "the-key-material"), ""},
      {google("", "material@p.iam", "garbage"), "invalid_grant: Invalid JWT Signature."},
      {google("", "sa@p.iam", "notasecret"), "invalid_grant: Invalid JWT Signature."},
      {google("p.p12", "nobody@p.iam", "notasecret"), "invalid_grant: Invalid grant: account not found"},
      {azure("sub-1\\tenant-1", "app-1", "azure-secret"), ""},
      {azure("sub-1\\tenant-1", "app-1", "wrong"),
       "AADSTS7000215: Invalid client secret provided. Ensure the secret being sent in the request is the client "
       "secret value, not the client secret ID, for a secret added to app 'app-1'."},
      {azure("sub-1\\tenant-1", "app-2", "azure-secret"),
       "AADSTS700016: Application with identifier 'app-2' was not found in the directory 'tenant-1'."},
      {azure("sub-1", "app-1", "azure-secret"),
       "AADSTS90002: Tenant '' not found. Check to make sure you have the correct tenant ID and are signing into the "
       "correct cloud."},
      {azure("sub-2\\tenant-1", "app-1", "azure-secret"), "The subscription 'sub-2' could not be found."},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    std::string error;
    EXPECT_EQ(cases[i].connect(error), std::string(cases[i].refusal).empty());
    EXPECT_EQ(error, cases[i].refusal);
  }
  for (const RecordedCall& call : simulator->calls()) {
    EXPECT_EQ(call.arguments.back(), "***NOT SHOWN***") << call.operation;
  }
}

TEST(RelationalBridges, ListingsHonourTheFilterAndNeedAConnection) {
  InstalledSimulator simulator(kClouds);
  AliCloudSDKCppBridge::CAliCloudSDKCppBridge alibaba;
  EXPECT_FALSE(alibaba.RefreshDBInstanceInfoList(0, 0));
  EXPECT_EQ(alibaba.GetLastError(), "The client is not connected; call Connect first.");
  ASSERT_TRUE(alibaba.ConnectRDS("LTAI0001", "ali-secret"));
  ASSERT_TRUE(alibaba.RefreshDBInstanceInfoList(0, 0, filterOf(3)));
  std::vector<RDSInfoStructs::SDBInstanceInfo> records;
  ASSERT_TRUE(alibaba.GetDBInstanceInfoList(records, 1, 1));
  EXPECT_EQ(valuesOf(records, &RDSInfoStructs::SDBInstanceInfo::instanceIdentifier), (Names{"rm-2"}));
  EXPECT_EQ(records[0].region, "cn-hangzhou") << "a server without a region is in the account's first";
  EXPECT_EQ(records[0].status, "Running");
  EXPECT_FALSE(alibaba.RefreshDBInstanceInfoList(0, 0, filterOf(9)));
  EXPECT_EQ(alibaba.GetLastError(), "Invalid engine type filter value: 9");

  AzureSDKCppBridge::CAzureSDKCppBridge azure;
  ASSERT_TRUE(azure.Connect("sub-1\\tenant-1", "app-1", "azure-secret"));
  EXPECT_EQ(azure.RefreshDBInstanceInfoList(0, 0, "", "", filterOf(0, 0, {"maria-1", "my-1"})), 2);
  EXPECT_EQ(azure.RefreshDBInstanceInfoList(0, 0, "eastus", ""), 2);
  EXPECT_EQ(azure.RefreshDBInstanceInfoList(0, 0, "", "my-1", filterOf(1)), 0);
  EXPECT_EQ(azure.RefreshDBInstanceInfoList(0, 0, "", "", filterOf(5)), 1);
  records.clear();
  ASSERT_TRUE(azure.GetDBInstanceInfoList(records, 0, 0));
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].instanceArn, "/subscriptions/sub-1/servers/maria-1");
  EXPECT_EQ(records[0].region, "westeurope");

  GoogleCloudSDKCppBridge::CGoogleCloudSDKCppBridge google;
  ASSERT_TRUE(google.Connect("p.p12", "sa@p.iam", "notasecret"));
  ASSERT_TRUE(google.RefreshDBInstanceInfoList(0, 0));
  records.clear();
  ASSERT_TRUE(google.GetDBInstanceInfoList(records, 0, 0));
  EXPECT_EQ(valuesOf(records, &RDSInfoStructs::SDBInstanceInfo::engine), (Names{"POSTGRES_15"}));
  ASSERT_TRUE(google.Disconnect());
  EXPECT_FALSE(google.RefreshDBInstanceInfoList(0, 0));
}

TEST(RelationalBridges, FaultsAreInjectedAndCallsRecordedPerConnection) {
  InstalledSimulator simulator(kClouds);
  ASSERT_TRUE(simulator->failNext(CloudBridgeKind::Azure, "RefreshDBInstanceInfoList", 2, "Rate exceeded"));
  AzureSDKCppBridge::CAzureSDKCppBridge azure;
  ASSERT_TRUE(azure.Initialize("focus", "app", 0, 402));
  EXPECT_FALSE(azure.Initialize("focus", "app", 0, 403));
  ASSERT_TRUE(azure.Connect("sub-1\\tenant-1", "app-1", "azure-secret"));
  EXPECT_EQ(azure.RefreshDBInstanceInfoList(0, 0, "", ""), -1);
  EXPECT_EQ(azure.GetLastErrorString(), "Rate exceeded");
  EXPECT_EQ(azure.RefreshDBInstanceInfoList(0, 0, "", ""), -1);
  EXPECT_EQ(azure.RefreshDBInstanceInfoList(0, 0, "", ""), 3);
  EXPECT_EQ(azure.GetLastErrorString(), "");
  const auto calls = simulator->calls();
  ASSERT_EQ(calls.size(), 6u);
  EXPECT_EQ(calls[2].connection, 1u) << "the connect is the first connection opened";
  EXPECT_EQ(calls[5].connection, 1u);
  EXPECT_EQ(calls[5].arguments,
            (Names{"0", "0", "", "", "{applyFilter: false, identifiers: [], engineType: 0, auroraScope: 0}"}));
  EXPECT_EQ(simulator->countCalls(CloudBridgeKind::Azure, "RefreshDBInstanceInfoList"), 3u);
}

}  // namespace
