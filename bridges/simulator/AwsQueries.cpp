#include "AwsQueries.h"

#include <algorithm>
#include <functional>

namespace cloudsim {
namespace {

using RDSInfoStructs::SDBInstanceFilter;

// The objects of the regions that carry the tag and are wanted: the regions in order and, inside
// each, the objects in fixture order (a region named twice is listed twice, as the cloud does).
// One pass over the objects, however many regions are asked for.
template <class Record>
std::vector<const Record*> selectTaggedRecords(const std::vector<Tagged<Record>>& objects,
                                               const std::vector<std::string>& regions, const TagFilter& tags,
                                               const std::function<bool(const Record&)>& wanted) {
  // Each region asked for, by the place it is first named at.
  std::vector<std::vector<const Record*>> byRegion(regions.size());
  for (const Tagged<Record>& object : objects) {
    const auto named = std::find(regions.begin(), regions.end(), object.record.region);
    if (named != regions.end() && tags.matches(object.tags) && wanted(object.record)) {
      byRegion[static_cast<std::size_t>(named - regions.begin())].push_back(&object.record);
    }
  }
  std::vector<const Record*> selected;
  for (const std::string& region : regions) {
    const auto first = std::find(regions.begin(), regions.end(), region);
    const std::vector<const Record*>& found = byRegion[static_cast<std::size_t>(first - regions.begin())];
    selected.insert(selected.end(), found.begin(), found.end());
  }
  return selected;
}

template <class Record>
std::vector<Record> selectTagged(const std::vector<Tagged<Record>>& objects, const std::vector<std::string>& regions,
                                 const TagFilter& tags, const std::function<bool(const Record&)>& wanted) {
  const std::vector<const Record*> found = selectTaggedRecords(objects, regions, tags, wanted);
  std::vector<Record> selected;
  selected.reserve(found.size());  // records are large: growing the list would move each again
  for (const Record* record : found) {
    selected.push_back(*record);
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
