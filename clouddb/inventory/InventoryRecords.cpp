#include "clouddb/inventory/InventoryRecords.h"

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <tuple>

#include "clouddb/core/RDSInfo.h"
#include "clouddb/inventory/ProviderSupport.h"

namespace clouddb::inventory {

namespace {

using inventoryprovider::startsWithIgnoringCase;

constexpr char kAuroraPrefix[] = "aurora/";
// Aurora engine names, matched exactly.
constexpr std::string_view kAuroraEngines[] = {"aurora", "aurora-mysql", "aurora-postgresql"};

// An Aurora record of the generic "aurora" engine tells its family only by its engine version.
bool auroraOfFamily(const RDSInfoStructs::SDBInstanceInfo& record, std::string_view versionMark) {
  return startsWithIgnoringCase(record.engine, "aurora") && record.engineVersion.find(versionMark) != std::string::npos;
}

bool isAuroraEngine(const std::string& engine) {
  return std::find(std::begin(kAuroraEngines), std::end(kAuroraEngines), engine) != std::end(kAuroraEngines);
}

}  // namespace

bool belongsToApplication(const RDSInfoStructs::SDBInstanceInfo& record, std::int64_t applicationType) {
  const std::string& engine = record.engine;
  switch (applicationType) {
    case kMySqlApplication:
      return startsWithIgnoringCase(engine, "mysql") || startsWithIgnoringCase(engine, "mariadb") ||
             startsWithIgnoringCase(engine, "aurora-mysql") || auroraOfFamily(record, "mysql_aurora");
    case kPostgreSqlApplication:
      return startsWithIgnoringCase(engine, "postgres") || startsWithIgnoringCase(engine, "aurora-postgres") ||
             auroraOfFamily(record, "postgres_aurora");
    case kOracleApplication: return startsWithIgnoringCase(engine, "oracle");
    default: return true;
  }
}

void filterForApplication(std::vector<RDSInfoStructs::SDBInstanceInfo>& records, std::int64_t applicationType) {
  std::erase_if(records, [&](const RDSInfoStructs::SDBInstanceInfo& record) {
    return !belongsToApplication(record, applicationType);
  });
  for (RDSInfoStructs::SDBInstanceInfo& record : records) {
    if (startsWithIgnoringCase(record.engine, "mariadb")) {
      record.instanceIdentifier = CRDSInfo::kMariaDbPrefix + record.instanceIdentifier;
    } else if (startsWithIgnoringCase(record.engine, "aurora")) {
      record.instanceIdentifier = kAuroraPrefix + record.clusterIdentifier;
    }
  }
}

void appendClustersOnce(const std::vector<RDSInfoStructs::SDBInstanceInfo>& records,
                        std::vector<App::RDSDBInstance>& out) {
  std::set<std::tuple<std::string, std::string, std::string>> reported;  // engine, region, cluster
  for (const RDSInfoStructs::SDBInstanceInfo& record : records) {
    if (isAuroraEngine(record.engine) &&
        !reported.emplace(record.engine, record.region, record.clusterIdentifier).second) {
      continue;
    }
    out.push_back(CRDSInfo::convertRecord(record));
  }
}

}  // namespace clouddb::inventory
