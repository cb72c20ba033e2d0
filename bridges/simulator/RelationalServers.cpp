#include "RelationalServers.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace cloudsim {

namespace {

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

bool ofEngineFamily(const std::string& engine, int engineType) {
  switch (engineType) {
    case RDSInfoStructs::kAnyEngine: return true;
    case RDSInfoStructs::kPostgreSQL: return startsWithIgnoringCase(engine, "postgres");
    case RDSInfoStructs::kMySQL: return startsWithIgnoringCase(engine, "mysql");
    case RDSInfoStructs::kMariaDB: return startsWithIgnoringCase(engine, "mariadb");
    default: return false;
  }
}

bool selected(const RelationalServer& server, const RDSInfoStructs::SDBInstanceFilter& filter) {
  if (!filter.applyFilter) return true;
  if (!filter.identifiers.empty() &&
      std::find(filter.identifiers.begin(), filter.identifiers.end(), server.name) == filter.identifiers.end()) {
    return false;
  }
  // None of these clouds has Aurora: "only Aurora" selects nothing.
  if (filter.auroraScope == RDSInfoStructs::kAuroraOnly) return false;
  return ofEngineFamily(server.engine, filter.engineType);
}

RDSInfoStructs::SDBInstanceInfo recordOf(const RelationalServer& server, const RelationalNaming& naming) {
  RDSInfoStructs::SDBInstanceInfo record;
  record.instanceArn = naming.idPrefix + server.name;
  record.instanceIdentifier = server.name;
  record.status = server.status;
  record.endpointAddress = naming.endpointSuffix.empty() ? std::string() : server.name + naming.endpointSuffix;
  record.engine = server.engine;
  record.engineVersion = server.engineVersion;
  record.region = server.region;
  return record;
}

}  // namespace

std::vector<RDSInfoStructs::SDBInstanceInfo> selectRelationalServers(const std::vector<RelationalServer>& servers,
                                                                     const RDSInfoStructs::SDBInstanceFilter& filter,
                                                                     const RelationalNaming& naming) {
  std::vector<RDSInfoStructs::SDBInstanceInfo> records;
  for (const RelationalServer& server : servers) {
    if (selected(server, filter)) records.push_back(recordOf(server, naming));
  }
  return records;
}

}  // namespace cloudsim
