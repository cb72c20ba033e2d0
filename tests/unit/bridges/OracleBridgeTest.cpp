// The Oracle client over the simulator: both kinds of connection with their credential checks,
// the infrastructure hierarchy, the classic services and their life cycle, faults and records.
#include <gtest/gtest.h>

#include "BridgeTestSupport.h"
#include "bridges/OracleCloudSDKCppBridge.h"

using namespace bridgetest;
using namespace CloudDBInfoStructs;
using OracleCloudSDKCppBridge::COracleCloudSDKCppBridge;
using OracleCloudSDKCppBridge::kModeClassicServices;
using OracleCloudSDKCppBridge::kModeInfrastructure;

namespace {

const std::string kOracleJson = R"({"accounts": [
  {"cloud": "oracle",
   "credentials": {"tenancyId": "ocid1.tenancy.t", "userId": "ocid1.user.u", "fingerprint": "aa:bb",
                   "privateKeyFile": "key.pem", "passPhrase": "phrase"},
   "regions": ["us-ashburn-1", "eu-frankfurt-1"],
   "compartments": [
     {"id": "c1", "name": "Sales", "dbSystems": [
       {"id": "s1", "displayName": "db1", "availabilityDomain": "AD-2", "dbHomes": [
         {"id": "h1", "databases": [{"name": "ORCL", "id": "d1"}, {"name": "HR", "id": "d2"}]}]}]},
     {"id": "c2", "name": "sales", "dbSystems": []}]},
  {"cloud": "oracle-classic", "identityDomain": "acme", "computeNodesPerNewService": 2,
   "credentials": {"endpoint": "https://dbaas.example.com/paas/api", "user": "admin", "password": "pw"},
   "databaseServices": [{"name": "orders", "group": "g1", "version": "12.1.0.2", "edition": "SE"}],
   "javaInstances": [{"name": "shop", "group": "g1"}],
   "mysqlInstances": [{"name": "blog", "group": "g2"}]}
]})";

constexpr char kUser[] = "ocid1.user.u|aa:bb|key.pem|us-ashburn-1";

SOracleDBInstanceInfo newService(const std::string& name) {
  SOracleDBInstanceInfo service;
  service.serviceName = name;
  service.version = "12.2.0.1";
  service.edition = "EE";
  service.shape = "oc3";
  service.vmPublicKey = "ssh-rsa AAAA";
  service.adminPassword = "Secret#1";
  return service;
}

}  // namespace

TEST(OracleBridge, InfrastructureConnectChecksEveryCredential) {
  InstalledSimulator simulator(kOracleJson);
  struct Case {
    int mode;
    std::string tenancy, user, phrase, error;
  };
  const Case cases[] = {
      {kModeInfrastructure, "ocid1.tenancy.t", kUser, "phrase", ""},
      {kModeInfrastructure, "ocid1.tenancy.t", kUser, "wrong",
       "The required information to complete authentication was not provided or was incorrect."},
      {kModeInfrastructure, "ocid1.tenancy.t", kUser, "enc:v1:phrase",
       "The required information to complete authentication was not provided or was incorrect."},
      {kModeInfrastructure, "ocid1.tenancy.other", kUser, "phrase",
       "The required information to complete authentication was not provided or was incorrect."},
      {kModeInfrastructure, "ocid1.tenancy.t", "ocid1.user.u|aa:bb|key.pem", "phrase",
       "Invalid user: expected \"userId|fingerprint|privateKeyFile|region\""},
      {kModeInfrastructure, "ocid1.tenancy.t", "ocid1.user.u|aa:bb|key.pem|ap-tokyo-1", "phrase",
       "The tenancy is not subscribed to region \"ap-tokyo-1\"."},
      {kModeClassicServices, "ocid1.tenancy.t", kUser, "phrase",
       "This client was made for mode 1101; infrastructure calls need a client of mode 1102."},
  };
  for (const Case& c : cases) {
    COracleCloudSDKCppBridge bridge(c.mode);
    EXPECT_EQ(bridge.Connect(c.tenancy, c.user, c.phrase), c.error.empty()) << c.user << " " << c.phrase;
    EXPECT_EQ(bridge.GetLastErrorString(), c.error);
  }
  const auto calls = simulator->calls();
  ASSERT_EQ(calls.size(), std::size(cases));
  EXPECT_EQ(calls[0].arguments, (Names{"ocid1.tenancy.t", kUser, "***NOT SHOWN***"}));
  EXPECT_EQ(calls[0].connection, 1u);
}

TEST(OracleBridge, HierarchyListsExactlyTheNamedParentsChildren) {
  InstalledSimulator simulator(kOracleJson);
  COracleCloudSDKCppBridge bridge(kModeInfrastructure);
  std::vector<VMInfoStructs::SHostInfo> compartments;
  EXPECT_FALSE(bridge.GetHostInfoList(0, 0, "", compartments));
  EXPECT_EQ(bridge.GetLastErrorString(), "The client is not connected; call Connect first.");
  ASSERT_TRUE(bridge.Connect("ocid1.tenancy.t", kUser, "phrase"));

  ASSERT_TRUE(bridge.GetHostInfoList(0, 0, "", compartments));
  ASSERT_EQ(compartments.size(), 2u);
  EXPECT_EQ(compartments[0].name, "Sales");
  EXPECT_EQ(compartments[1].identifier, "c2");
  ASSERT_TRUE(bridge.GetHostInfoList(0, 0, "sales", compartments));
  EXPECT_EQ(compartments.size(), 1u) << "the name filter is case-sensitive";

  std::vector<SOCIDbSystemInfo> systems;
  ASSERT_TRUE(bridge.GetDbSystemList(systems, "c1"));
  ASSERT_EQ(systems.size(), 1u);
  EXPECT_EQ(systems[0].displayName, "db1");
  EXPECT_EQ(systems[0].availabilityDomain, "AD-2");
  ASSERT_TRUE(bridge.GetDbSystemList(systems, "c2"));
  EXPECT_TRUE(systems.empty()) << "a reused list holds the new parent's children only";

  std::vector<SOCIDbHomeInfo> homes;
  ASSERT_TRUE(bridge.GetDbHomeList(homes, "c1", "s1"));
  ASSERT_EQ(homes.size(), 1u);
  EXPECT_FALSE(bridge.GetDbHomeList(homes, "c2", "s1")) << "the system is not in that compartment";
  EXPECT_EQ(bridge.GetLastErrorString(), "Authorization failed or requested resource not found.");
  EXPECT_TRUE(homes.empty());

  std::vector<SOCIDatabaseInfo> databases;
  ASSERT_TRUE(bridge.GetDatabaseList(databases, "c1", "h1"));
  ASSERT_EQ(databases.size(), 2u);
  EXPECT_EQ(databases[1].dbName, "HR");
  EXPECT_EQ(databases[1].id, "d2");
  EXPECT_EQ(databases[1].dbSystemId, "s1");

  std::vector<SOracleDBInstanceInfo> services;
  EXPECT_FALSE(bridge.GetDBInstanceList(services)) << "classic calls need a classic client";
}

TEST(OracleBridge, ClassicConnectFindsTheAccountByHostAndChecksTheLogin) {
  InstalledSimulator simulator(kOracleJson);
  COracleCloudSDKCppBridge bridge(kModeClassicServices);
  EXPECT_TRUE(bridge.ConnectToPAAS("dbaas.example.com", "admin", "pw")) << bridge.GetLastErrorString();
  EXPECT_TRUE(bridge.ConnectToPAAS("https://dbaas.example.com/other/path", "admin", "pw"));
  EXPECT_FALSE(bridge.ConnectToPAAS("dbaas.example.com", "admin", "wrong"));
  EXPECT_EQ(bridge.GetLastErrorString(), "HTTP 401 Unauthorized: the user name or password is not valid");
  std::vector<SOracleDBInstanceInfo> services;
  EXPECT_FALSE(bridge.GetDBInstanceList(services)) << "a failed connect leaves none open";
  EXPECT_FALSE(bridge.ConnectToPAAS("dbaas.elsewhere.com", "admin", "pw"));
  EXPECT_EQ(bridge.GetLastErrorString(), "Could not resolve host: dbaas.elsewhere.com");
  EXPECT_EQ(simulator->calls()[0].arguments, (Names{"dbaas.example.com", "admin", "***NOT SHOWN***"}));
}

TEST(OracleBridge, ClassicServicesLiveThroughCreateStopStartScaleDelete) {
  InstalledSimulator simulator(kOracleJson);
  COracleCloudSDKCppBridge bridge(kModeClassicServices);
  ASSERT_TRUE(bridge.ConnectToPAAS("dbaas.example.com", "admin", "pw"));
  std::vector<SJavaInstanceInfo> java;
  std::vector<SMySQLInstanceInfo> mysql;
  ASSERT_TRUE(bridge.GetJavaInstanceList(java));
  ASSERT_TRUE(bridge.GetMySQLInstanceList(mysql));
  EXPECT_EQ(java.at(0).serviceName, "shop");
  EXPECT_EQ(mysql.at(0).browseGroup, "g2");

  SOracleDBInstanceInfo created = newService("sales-db");
  ASSERT_TRUE(bridge.CreateDBInstance(created)) << bridge.GetLastErrorString();
  EXPECT_EQ(created.status, "Running");
  EXPECT_EQ(created.identityDomain, "acme");
  SOracleDBInstanceInfo again = newService("sales-db");
  EXPECT_FALSE(bridge.CreateDBInstance(again));
  EXPECT_EQ(bridge.GetLastErrorString(), "Service instance sales-db already exists.");
  SOracleDBInstanceInfo keyless = newService("keyless");
  keyless.vmPublicKey.clear();
  EXPECT_FALSE(bridge.CreateDBInstance(keyless));
  SOracleDBInstanceInfo badName = newService("9lives");
  EXPECT_FALSE(bridge.CreateDBInstance(badName)) << "a name must start with a letter";

  // Another client on the same cloud sees the new service and its nodes.
  COracleCloudSDKCppBridge other(kModeClassicServices);
  ASSERT_TRUE(other.ConnectToPAAS("dbaas.example.com", "admin", "pw"));
  std::vector<SOracleDBInstanceInfo> services;
  ASSERT_TRUE(other.GetDBInstanceList(services));
  ASSERT_EQ(services.size(), 2u);
  EXPECT_EQ(services[1].serviceName, "sales-db");
  EXPECT_TRUE(services[1].adminPassword.empty()) << "the cloud never lists a password back";
  std::vector<SOracleDBComputeNode> nodes;
  ASSERT_TRUE(other.GetComputeNodeList("sales-db", nodes));
  ASSERT_EQ(nodes.size(), 2u);
  EXPECT_NE(nodes[0].hostName, nodes[1].hostName);

  EXPECT_TRUE(other.StopDBInstance(created));
  EXPECT_FALSE(other.StopDBInstance(created));
  EXPECT_EQ(other.GetLastErrorString(), "Service instance sales-db is already stopped.");
  EXPECT_FALSE(other.ScaleDBInstance(created));
  EXPECT_TRUE(other.StartDBInstance(created));
  created.shape = "oc5";
  EXPECT_TRUE(other.ScaleDBInstance(created));
  SOracleDBInstanceInfo read;
  ASSERT_TRUE(other.GetDBInstanceInfo("sales-db", read));
  EXPECT_EQ(read.shape, "oc5");
  EXPECT_TRUE(other.DeleteDBInstance(created));
  EXPECT_FALSE(other.GetDBInstanceInfo("sales-db", read));
  EXPECT_EQ(other.GetLastErrorString(), "Service instance sales-db not found.");
}

TEST(OracleBridge, FaultsFailTheNamedOperationAndAreRecorded) {
  InstalledSimulator simulator(kOracleJson);
  ASSERT_TRUE(simulator->failNext(CloudBridgeKind::Oracle, "GetDbHomeList", 1, "Too many requests"));
  COracleCloudSDKCppBridge bridge(kModeInfrastructure);
  ASSERT_TRUE(bridge.Connect("ocid1.tenancy.t", kUser, "phrase"));
  std::vector<SOCIDbHomeInfo> homes;
  EXPECT_FALSE(bridge.GetDbHomeList(homes, "c1", "s1"));
  EXPECT_EQ(bridge.GetLastErrorString(), "Too many requests");
  EXPECT_TRUE(bridge.GetDbHomeList(homes, "c1", "s1"));
  EXPECT_EQ(simulator->countCalls(CloudBridgeKind::Oracle, "GetDbHomeList"), 2u);
  EXPECT_TRUE(simulator->calls()[1].failed);
}
