#include "AwsQueries.h"

#include <algorithm>
#include <functional>

namespace cloudsim {
namespace {

using RDSInfoStructs::SDBInstanceFilter;

// Walks the regions in order and, inside each, the objects in fixture order.
template <class Record>
std::vector<const Record*> selectTaggedRecords(const std::vector<Tagged<Record>>& objects,
                                               const std::vector<std::string>& regions, const TagFilter& tags,
                                               const std::function<bool(const Record&)>& wanted) {
  std::vector<const Record*> selected;
  for (const std::string& region : regions) {
    for (const Tagged<Record>& object : objects) {
      if (object.record.region == region && tags.matches(object.tags) && wanted(object.record)) {
        selected.push_back(&object.record);
      }
    }
  }
  return selected;
}

template <class Record>
std::vector<Record> selectTagged(const std::vector<Tagged<Record>>& objects, const std::vector<std::string>& regions,
                                 const TagFilter& tags, const std::function<bool(const Record&)>& wanted) {
  const auto selects = [&](const Tagged<Record>& object, const std::string& region) {
    return object.record.region == region && tags.matches(object.tags) && wanted(object.record);
  };
  // Counted first: records are large, and growing the list would move each of them again.
  std::size_t count = 0;
  for (const std::string& region : regions) {
    count += static_cast<std::size_t>(
        std::count_if(objects.begin(), objects.end(), [&](const Tagged<Record>& object) { return selects(object, region); }));
  }
  std::vector<Record> selected;
  selected.reserve(count);
  for (const std::string& region : regions) {
    for (const Tagged<Record>& object : objects) {
      if (selects(object, region)) {
        selected.push_back(object.record);
      }
    }
  }
  return selected;
}

bool engineInFamily(int engineType, const std::string& engine) {
  switch (engineType) {
    case RDSInfoStructs::kAnyEngine:
      return true;
    case RDSInfoStructs::kPostgreSQL:
      return engine == "postgres";
    case RDSInfoStructs::kAuroraPostgreSQL:
      return engine == "aurora-postgresql";
    case RDSInfoStructs::kMySQL:
      return engine == "mysql";
    case RDSInfoStructs::kAuroraMySQL:
      return engine == "aurora-mysql" || engine == "aurora";
    case RDSInfoStructs::kMariaDB:
      return engine == "mariadb";
    default:
      return false;
  }
}

bool inScope(int scope, bool aurora) {
  return scope == RDSInfoStructs::kAnyScope || (scope == RDSInfoStructs::kAuroraOnly) == aurora;
}

bool namedBy(const SDBInstanceFilter& filter, const std::string& identifier) {
  return filter.identifiers.empty() ||
         std::find(filter.identifiers.begin(), filter.identifiers.end(), identifier) != filter.identifiers.end();
}

}  // namespace

bool TagFilter::matches(const Tags& tags) const {
  if (key.empty()) return true;
  return std::any_of(tags.begin(), tags.end(), [&](const std::pair<std::string, std::string>& tag) {
    return tag.first == key && (value.empty() || tag.second == value);
  });
}

bool isAuroraEngine(const std::string& engine) {
  return engine == "aurora" || engine == "aurora-mysql" || engine == "aurora-postgresql";
}

CallFailure checkInstanceFilter(const SDBInstanceFilter& filter) {
  if (!filter.applyFilter) return std::nullopt;
  if (filter.engineType < RDSInfoStructs::kAnyEngine || filter.engineType > RDSInfoStructs::kMariaDB) {
    return "Invalid engine type filter value: " + std::to_string(filter.engineType);
  }
  if (filter.auroraScope < RDSInfoStructs::kAnyScope || filter.auroraScope > RDSInfoStructs::kNonAuroraOnly) {
    return "Invalid cluster scope filter value: " + std::to_string(filter.auroraScope);
  }
  return std::nullopt;
}

CallFailure checkRange(unsigned long long /*first*/, int count) {
  if (count < 0) return "Invalid record count: " + std::to_string(count);
  return std::nullopt;
}

std::vector<const RDSInfoStructs::SDBInstanceInfo*> selectRdsInstanceRecords(const AwsAccount& account,
                                                                            const std::vector<std::string>& regions,
                                                                            const TagFilter& tags,
                                                                            const SDBInstanceFilter& filter) {
  return selectTaggedRecords<RDSInfoStructs::SDBInstanceInfo>(
      account.rdsInstances, regions, tags, [&](const RDSInfoStructs::SDBInstanceInfo& instance) {
        if (!filter.applyFilter) return true;
        return namedBy(filter, instance.instanceIdentifier) && engineInFamily(filter.engineType, instance.engine) &&
               inScope(filter.auroraScope, isAuroraEngine(instance.engine));
      });
}

std::vector<RDSInfoStructs::SRDSClusterInfo> selectRdsClusters(const AwsAccount& account,
                                                               const std::vector<std::string>& regions,
                                                               const TagFilter& tags, const SDBInstanceFilter& filter) {
  return selectTagged<RDSInfoStructs::SRDSClusterInfo>(
      account.rdsClusters, regions, tags, [&](const RDSInfoStructs::SRDSClusterInfo& cluster) {
        if (!filter.applyFilter) return true;
        return namedBy(filter, cluster.clusterIdentifier) && engineInFamily(filter.engineType, cluster.engine) &&
               inScope(filter.auroraScope, isAuroraEngine(cluster.engine));
      });
}

std::vector<DynamoInfoStructs::SDynamoTableInfo> selectDynamoTables(const AwsAccount& account,
                                                                    const std::vector<std::string>& regions,
                                                                    const TagFilter& tags) {
  return selectTagged<DynamoInfoStructs::SDynamoTableInfo>(account.dynamoTables, regions, tags,
                                                           [](const auto&) { return true; });
}

std::vector<DocDBInfoStructs::SDocDBClusterInfo> selectDocDbClusters(const AwsAccount& account,
                                                                     const std::vector<std::string>& regions,
                                                                     const TagFilter& tags) {
  return selectTagged<DocDBInfoStructs::SDocDBClusterInfo>(account.docdbClusters, regions, tags,
                                                           [](const auto&) { return true; });
}

std::vector<DocDBInfoStructs::SDocDBInstanceInfo> selectDocDbInstances(const AwsAccount& account,
                                                                       const std::vector<std::string>& regions,
                                                                       const TagFilter& tags) {
  return selectTagged<DocDBInfoStructs::SDocDBInstanceInfo>(account.docdbInstances, regions, tags,
                                                            [](const auto&) { return true; });
}

std::vector<RedshiftInfoStructs::SRedshiftClusterInfo> selectRedshiftClusters(const AwsAccount& account,
                                                                              const std::vector<std::string>& regions,
                                                                              const TagFilter& tags) {
  return selectTagged<RedshiftInfoStructs::SRedshiftClusterInfo>(account.redshiftClusters, regions, tags,
                                                                 [](const auto&) { return true; });
}

std::vector<VMInfoStructs::SDataCenterInfo> selectRegions(const AwsAccount& account,
                                                          const std::vector<std::string>& regions) {
  std::vector<VMInfoStructs::SDataCenterInfo> selected;
  for (const std::string& name : regions) {
    for (const auto& region : account.regions) {
      if (region.name == name) selected.push_back(region);
    }
  }
  return selected;
}

}  // namespace cloudsim
