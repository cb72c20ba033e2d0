// Which engine families the console's application types keep, by the engine name's start and,
// for the generic Aurora engine, by its version text.
#include <gtest/gtest.h>

#include "clouddb/inventory/InventoryRecords.h"

namespace {

using clouddb::inventory::belongsToApplication;

RDSInfoStructs::SDBInstanceInfo record(const char* engine, const char* version = "") {
  RDSInfoStructs::SDBInstanceInfo info;
  info.engine = engine;
  info.engineVersion = version;
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

}  // namespace
