// CAmazonRDSInfo's listings by engine type: which types it serves, the filter the bridge gets,
// the "mariadb/" and "aurora/" names, and refusals that never reach the cloud.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../core/RdsTestWorld.h"
#include "clouddb/aws/CAmazonRDSInfo.h"

namespace {

using rdstest::RdsTestWorld;

std::unique_ptr<CAmazonRDSInfo> connectedProvider() {
  auto provider = std::make_unique<CAmazonRDSInfo>();
  provider->setInstanceId(rdstest::kRdsInstanceId);
  EXPECT_EQ(provider->FetchCredentials(), 1);
  EXPECT_EQ(provider->Connect(), 1);
  return provider;
}

std::vector<std::string> namesOf(const std::vector<App::RDSDBInstance>& records) {
  std::vector<std::string> names;
  for (const App::RDSDBInstance& record : records) names.push_back(record.name());
  return names;
}

void expectNotSupported(const CLmError& error, int engineType) {
  EXPECT_EQ(error.code(), -1359);
  EXPECT_EQ(error.kind(), CLmError::Kind::Win32);
  EXPECT_EQ(error.message(), "Engine type [" + std::to_string(engineType) + "] not supported.");
}

TEST(AmazonRdsInstancesByEngine, EachServedTypeSelectsItsFamily) {
  RdsTestWorld world;
  auto provider = connectedProvider();
  std::vector<App::RDSDBInstance> postgres;
  ASSERT_TRUE(provider->GetDBInstanceInfoList(App::CLOUDDB_ENGINE_POSTGRESQL, postgres, "", "").IsSuccess());
  EXPECT_EQ(namesOf(postgres), std::vector<std::string>{"billing"});
  EXPECT_EQ(world.callsOf("RefreshDBInstanceInfoList").back().arguments.back(),
            "{applyFilter: true, identifiers: [], engineType: 1, auroraScope: 0}");

  std::vector<App::RDSDBInstance> mysql;
  ASSERT_TRUE(provider->GetDBInstanceInfoList(App::CLOUDDB_ENGINE_MYSQL, mysql, "", "", "eu-west-1").IsSuccess());
  EXPECT_EQ(namesOf(mysql), std::vector<std::string>{"legacy"});
  EXPECT_EQ(world.callsOf("RefreshDBInstanceInfoList").back().arguments[4], "eu-west-1");
}

TEST(AmazonRdsInstancesByEngine, MariaDbNamesArePrefixed) {
  RdsTestWorld world;
  auto provider = connectedProvider();
  std::vector<App::RDSDBInstance> out;
  ASSERT_TRUE(provider->GetDBInstanceInfoList(App::CLOUDDB_ENGINE_MARIADB, out, "", "").IsSuccess());
  EXPECT_EQ(namesOf(out), std::vector<std::string>{"mariadb/maria"});
  EXPECT_EQ(out.front().engine(), "mariadb");
}

TEST(AmazonRdsInstancesByEngine, ClusterAndUnknownTypesAreRefusedWithoutACloudCall) {
  RdsTestWorld world;
  auto provider = connectedProvider();
  for (const int type : {0, 2, 4, 6, -1}) {
    std::vector<App::RDSDBInstance> out;
    expectNotSupported(provider->GetDBInstanceInfoList(static_cast<App::CloudDBEngineType>(type), out, "", ""), type);
    EXPECT_TRUE(out.empty());
  }
  EXPECT_TRUE(world.callsOf("RefreshDBInstanceInfoList").empty());
}

TEST(AmazonRdsInstancesByEngine, FailedRefreshQuotesTheCloud) {
  // A refused hand-over of the kept records fails as a refused refresh does.
  for (const char* failing : {"RefreshDBInstanceInfoList", "GetDBInstanceInfoList"}) {
    RdsTestWorld world;
    auto provider = connectedProvider();
    ASSERT_TRUE(world.simulator().failNext(CloudBridgeKind::Amazon, failing, 1, "boom"));
    std::vector<App::RDSDBInstance> out;
    const CLmError error = provider->GetDBInstanceInfoList(App::CLOUDDB_ENGINE_MYSQL, out, "", "");
    EXPECT_EQ(error.code(), -1359) << failing;
    EXPECT_EQ(error.message(), "Failed to refresh DB Instance Info.Error[boom]") << failing;
    EXPECT_TRUE(out.empty()) << failing;
  }
}

TEST(AmazonRdsClustersByEngine, AuroraClustersAreNamedWithThePrefix) {
  RdsTestWorld world;
  auto provider = connectedProvider();
  std::vector<App::RDSDBInstance> postgres;
  ASSERT_TRUE(provider->GetDBClusterInfoList(App::CLOUDDB_ENGINE_AURORA_POSTGRESQL, postgres, "", "").IsSuccess());
  EXPECT_EQ(namesOf(postgres), (std::vector<std::string>{"aurora/orders", "aurora/orders"}));
  EXPECT_EQ(world.callsOf("RefreshRDSClusterInfoList").back().arguments[4],
            "{applyFilter: true, identifiers: [], engineType: 2, auroraScope: 0}");

  std::vector<App::RDSDBInstance> mysql;
  ASSERT_TRUE(provider->GetDBClusterInfoList(App::CLOUDDB_ENGINE_AURORA_MYSQL, mysql, "env", "prod").IsSuccess());
  EXPECT_EQ(namesOf(mysql), std::vector<std::string>{"aurora/shop"});
  EXPECT_EQ(mysql.front().engine(), "aurora-mysql");
}

TEST(AmazonRdsClustersByEngine, RecordsTheCallerAlreadyHeldKeepTheirNames) {
  RdsTestWorld world;
  auto provider = connectedProvider();
  std::vector<App::RDSDBInstance> out;
  ASSERT_TRUE(provider->GetDBInstanceInfoList(App::CLOUDDB_ENGINE_POSTGRESQL, out, "", "").IsSuccess());
  ASSERT_TRUE(provider->GetDBClusterInfoList(App::CLOUDDB_ENGINE_AURORA_MYSQL, out, "", "").IsSuccess());
  EXPECT_EQ(namesOf(out), (std::vector<std::string>{"billing", "aurora/shop", "aurora/shop"}));
}

TEST(AmazonRdsClustersByEngine, InstanceAndUnknownTypesAreRefusedWithoutACloudCall) {
  RdsTestWorld world;
  auto provider = connectedProvider();
  for (const int type : {0, 1, 3, 5, 7}) {
    std::vector<App::RDSDBInstance> out;
    expectNotSupported(provider->GetDBClusterInfoList(static_cast<App::CloudDBEngineType>(type), out, "", ""), type);
    EXPECT_TRUE(out.empty());
  }
  EXPECT_TRUE(world.callsOf("RefreshRDSClusterInfoList").empty());
}

TEST(AmazonRdsClustersByEngine, FailedRefreshComesBackWithThisLocationPushed) {
  RdsTestWorld world;
  auto provider = connectedProvider();
  ASSERT_TRUE(world.simulator().failNext(CloudBridgeKind::Amazon, "RefreshRDSClusterInfoList", 1, "boom"));
  std::vector<App::RDSDBInstance> out;
  const CLmError error = provider->GetDBClusterInfoList(App::CLOUDDB_ENGINE_AURORA_MYSQL, out, "", "");
  EXPECT_EQ(error.code(), -1359);
  EXPECT_EQ(error.message(), "Failed to refresh DB Cluster Info.Error[boom]");
  ASSERT_EQ(error.stack().size(), 2u);
  EXPECT_NE(error.stack()[0].function, error.stack()[1].function);
  EXPECT_TRUE(out.empty());
}

}  // namespace
