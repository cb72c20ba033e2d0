// COracleCloudDBInfo: the choice of connection kind, the credentials read from the configuration,
// the classic browse views and the walk over a whole tenancy.
#include <gtest/gtest.h>

#include "OracleTestWorld.h"
#include "clouddb/oracle/COracleCloudDBInfo.h"
#include "clouddb/oracle/OracleInstanceList.h"

using namespace oracletest;
using namespace CloudDBInfoStructs;

namespace {

template <class Record>
std::vector<std::string> namesOf(const std::vector<Record>& records) {
  std::vector<std::string> names;
  for (const Record& record : records) names.push_back(record.serviceName);
  return names;
}

std::vector<std::string> databaseIds(const std::vector<SOCIDatabaseInfo>& databases) {
  std::vector<std::string> ids;
  for (const SOCIDatabaseInfo& database : databases) ids.push_back(database.id);
  return ids;
}

}  // namespace

TEST(OracleProvider, ServicesThreeToSevenConnectToTheInfrastructure) {
  OracleTestWorld world;
  for (int service = 0; service <= 8; ++service) {
    world.simulator().clearCalls();
    COracleCloudDBInfo provider;
    provider.Connect("endpoint", "user", "secret-text", static_cast<EOracleService>(service));
    ASSERT_EQ(world.simulator().calls().size(), 1u);
    EXPECT_EQ(world.simulator().calls()[0].operation, service >= 3 && service <= 7 ? "Connect" : "ConnectToPAAS")
        << service;
  }
  EXPECT_TRUE(world.capture().hasLine("Connect", "Connecting to Url=[endpoint], user name[user]"));
  EXPECT_TRUE(world.capture().hasLine("Connect", "OracleCloudSDKCppBridge::ConnectToPAAS failed"));
  EXPECT_EQ(world.allText().find("secret-text"), std::string::npos);
}

TEST(OracleProvider, InfrastructureCredentialsComeFromTheConfigurationAsOneUserText) {
  OracleTestWorld world;
  COracleCloudDBInfo provider(OracleCloudSDKCppBridge::kModeInfrastructure);
  std::string tenancy;
  ASSERT_TRUE(provider.connectInfrastructure(kOciInstanceId, tenancy));
  EXPECT_EQ(tenancy, kTenancy);
  const RecordedCall connect = world.simulator().calls().at(0);
  EXPECT_EQ(connect.arguments, (std::vector<std::string>{kTenancy, kUserString, "***NOT SHOWN***"}));
  EXPECT_TRUE(world.capture().hasLine("Connect", "Connection Successful"));
  EXPECT_EQ(world.allText().find("phrase"), std::string::npos);
}

TEST(OracleProvider, ClassicBrowseViewsMatchTheLastPathSegment) {
  struct Case {
    int view;
    std::string path;
    int result;
    std::vector<std::string> services;
  };
  const Case cases[] = {
      {9, "", 1, {}},                      // no path: nothing is selected
      {17, "a/b/orders", 1, {}},           // everything-view selects nothing here
      {9, "top/x/orders", 1, {"orders"}},  // by name
      {9, "top/x/Orders", 1, {}},          // names are case-sensitive
      {1, "top/g2", 1, {"billing"}},       // by group
      {9, "/", 1, {}},                     // a path without a last segment names nothing
      {4, "top/x", 0, {}},                 // no key in that view
  };
  for (const Case& c : cases) {
    OracleTestWorld world;
    COracleCloudDBInfo provider;
    std::vector<SOracleDBInstanceInfo> out;
    const auto view = static_cast<VirtualServer::VSObjType>(c.view);
    EXPECT_EQ(provider.GetOracleDBInstanceList(kClassicInstanceId, out, c.path, view), c.result) << c.path;
    EXPECT_EQ(namesOf(out), c.services) << c.view << " " << c.path;
    EXPECT_EQ(world.capture().hasLine("Browse view [4] not supported."), c.view == 4);
  }
  OracleTestWorld world;
  COracleCloudDBInfo provider;
  std::vector<SJavaInstanceInfo> java;
  std::vector<SMySQLInstanceInfo> mysql;
  EXPECT_EQ(provider.GetJavaInstanceList(kClassicInstanceId, java, "g1", VirtualServer::VS_OBJ_GROUP), 1);
  EXPECT_EQ(provider.GetMySQLInstanceList(kClassicInstanceId, mysql, "x/blog", VirtualServer::VS_OBJ_DATABASE), 1);
  EXPECT_EQ(namesOf(java), std::vector<std::string>{"shop"});
  EXPECT_EQ(namesOf(mysql), std::vector<std::string>{"blog"});
  std::vector<SOracleDBInstanceInfo> none;
  EXPECT_EQ(provider.GetOracleDBInstanceList(0, none, "x", VirtualServer::VS_OBJ_DATABASE), 0);
  EXPECT_TRUE(world.capture().hasLine("Instance id is not set in the request [0]"));
}

TEST(OracleProvider, TenancyWalkListsEveryDatabaseAndKeepsThoseFoundBeforeAFailure) {
  {
    OracleTestWorld world;
    COracleCloudDBInfo provider;
    std::vector<SOCIDatabaseInfo> out;
    EXPECT_EQ(provider.GetOCIDBInstanceList(kOciInstanceId, out, "", VirtualServer::VS_OBJ_ALL), 1);
    EXPECT_EQ(databaseIds(out), (std::vector<std::string>{"d2", "d1", "d3", "d5", "d4"}));
  }
  // The second compartment's databases are hidden from the user.
  OracleTestWorld world(defaultContents(), withUnreadable("c2"));
  COracleCloudDBInfo provider;
  std::vector<SOCIDatabaseInfo> out;
  EXPECT_EQ(provider.GetOCIDBInstanceList(kOciInstanceId, out, "", VirtualServer::VS_OBJ_ALL), 0);
  EXPECT_EQ(databaseIds(out), (std::vector<std::string>{"d2", "d1", "d3"}));
  EXPECT_TRUE(world.capture().hasLine("Failed to get dbsystem list for compartment [c2]"));
  EXPECT_TRUE(world.capture().hasLine("Failed to fetch dbSystem Info list."));
}

TEST(OracleProvider, WrappersLogTheirOwnFailureWithTheCloudsReason) {
  OracleTestWorld world;
  COracleCloudDBInfo provider;
  ASSERT_TRUE(provider.connectClassic(kClassicInstanceId));
  SOracleDBInstanceInfo service;
  EXPECT_EQ(provider.GetDBInstanceInfo("missing", service), 0);
  EXPECT_TRUE(world.capture().hasLine("GetDBInstanceInfo", "Failed to fetch DB Info for db service [missing]"));
  EXPECT_TRUE(
      world.capture().hasLine("GetDBInstanceInfo", "Oracle Cloud reported [Service instance missing not found.]"));
  service.serviceName = "orders";
  EXPECT_EQ(provider.StartDBInstance(service), 0);
  EXPECT_TRUE(world.capture().hasLine("StartDBInstance", "Failed to start db service [orders]"));
  EXPECT_EQ(provider.StopDBInstance(service), 1);
}

TEST(OracleInstanceList, ListsTheServicesOrSaysWhereTheConnectionFailed) {
  {
    OracleTestWorld world;
    EvEvent log;
    std::vector<SOracleDBInstanceInfo> out(3);
    clouddb::oracle::ListOracleCloudServices(kClassicInstanceId, out, log);
    EXPECT_EQ(namesOf(out), (std::vector<std::string>{"orders", "billing"}));
    clouddb::oracle::ListOracleCloudServices(0, out, log);
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(world.capture().hasLine("GetOracleCloudInstanceList", "Instance id is not set in the request [0]"));
  }
  // The stored password does not open the account.
  config::ConfigurationContents contents = defaultContents();
  const std::string storedWrong = seal("not-the-password");
  contents.instances[0].userPassword = storedWrong;
  OracleTestWorld world(contents);
  EvEvent log;
  std::vector<SOracleDBInstanceInfo> out;
  clouddb::oracle::ListOracleCloudServices(kClassicInstanceId, out, log);
  EXPECT_TRUE(out.empty());
  EXPECT_TRUE(world.capture().hasLine(
      "GetOracleCloudInstanceList",
      "Failed to connect to Oracle Cloud at [https://dbaas.test.example/paas/api] as user [admin]"));
  // Neither the stored nor the clear password reaches the log.
  EXPECT_EQ(world.allText().find(storedWrong), std::string::npos);
  EXPECT_EQ(world.allText().find("not-the-password"), std::string::npos);
}
