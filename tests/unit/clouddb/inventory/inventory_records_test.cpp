// Which engine families the console's application types keep, by the engine name's start and,
// for the generic Aurora engine, by its version text.
#include <gtest/gtest.h>

#include "clouddb/inventory/InventoryRecords.h"

namespace {

using clouddb::inventory::appendClustersOnce;
using clouddb::inventory::belongsToApplication;

RDSInfoStructs::SDBInstanceInfo record(const char* engine, const char* version = "") {
  RDSInfoStructs::SDBInstanceInfo info;
  info.engine = engine;
  info.engineVersion = version;
  return info;
}

RDSInfoStructs::SDBInstanceInfo member(const char* name, const char* engine, const char* cluster,
                                       const char* region = "us-east-1") {
  RDSInfoStructs::SDBInstanceInfo info = record(engine);
  info.instanceIdentifier = name;
  info.clusterIdentifier = cluster;
  info.region = region;
  return info;
}

TEST(InventoryApplicationFilter, FamiliesAreToldByEngineNameAndAuroraVersion) {
  const struct {
    RDSInfoStructs::SDBInstanceInfo record;
    bool mySql;
    bool postgreSql;
    bool oracle;
  } cases[] = {
      {record("MySQL"), true, false, false},
      {record("mariadb"), true, false, false},
      {record("aurora-mysql"), true, false, false},
      {record("aurora", "5.6.mysql_aurora.1.22"), true, false, false},
      {record("aurora", "5.6.MYSQL_AURORA.1.22"), false, false, false},  // the version text is matched exactly
      {record("aurora"), false, false, false},
      {record("postgres"), false, true, false},
      {record("POSTGRES_15"), false, true, false},
      {record("aurora-postgresql"), false, true, false},
      {record("aurora", "11.9.postgres_aurora"), false, true, false},
      {record("oracle-ee"), false, false, true},
      {record("sqlserver-se"), false, false, false},
      {record("mysq"), false, false, false},  // shorter than the prefix
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.record.engine + " " + c.record.engineVersion);
    EXPECT_EQ(belongsToApplication(c.record, 104), c.mySql);
    EXPECT_EQ(belongsToApplication(c.record, 125), c.postgreSql);
    EXPECT_EQ(belongsToApplication(c.record, 22), c.oracle);
    EXPECT_TRUE(belongsToApplication(c.record, 3)) << "other application types keep every record";
  }
}

TEST(InventoryAuroraClusters, EachClusterIsReportedOnceByEngineRegionAndIdentifier) {
  const std::vector<RDSInfoStructs::SDBInstanceInfo> records = {
      member("a", "aurora-mysql", "c1"), member("b", "aurora-mysql", "c1"),       member("c", "aurora", "c1"),
      member("d", "aurora-mysql", "c2"), member("e", "aurora-mysql", "c1", "eu"), member("f", "mysql", "c1"),
      member("g", "mysql", "c1"),        member("h", "Aurora-MySQL", "c1"),
  };
  std::vector<App::RDSDBInstance> out;
  appendClustersOnce(records, out);
  std::vector<std::string> names;
  for (const App::RDSDBInstance& instance : out) names.push_back(instance.name());
  // Non-Aurora engines are never merged; engine names are matched exactly.
  EXPECT_EQ(names, (std::vector<std::string>{"a", "c", "d", "e", "f", "g", "h"}));
}

}  // namespace
