#pragma once
// One record of an RDS instance lookup as the bridge gave it, before it becomes a host message:
// an instance (an Aurora cluster's first member stands under the cluster's identifier) or a
// cluster that is not collapsed from members. Content rules match and verify on these, so that
// only the records a rule keeps pay for the conversion.
//
// A listed record views a record kept in the RdsListing of its lookup (an expansion keeps all of
// its listings in an RdsListingStore): a lookup's records are written once, where the bridge put
// them, and every rule and preview node that uses one views it there instead of copying it.
#include <deque>
#include <string>
#include <variant>
#include <vector>

#include "bridges/RDSInfoStructs.h"
#include "clouddb/core/RDSInfo.h"
#include "platform/messages/App.h"

namespace clouddb::aws {

using RdsListedRecord = std::variant<const RDSInfoStructs::SDBInstanceInfo*, const RDSInfoStructs::SRDSClusterInfo*>;

// What one lookup found, as the bridge gave it. Its vectors are filled whole before any record
// is viewed, and are not changed after.
struct RdsListing {
  std::vector<RDSInfoStructs::SDBInstanceInfo> instances;
  std::vector<RDSInfoStructs::SRDSClusterInfo> clusters;
};

// Keeps the listings of one expansion, and the named entries it makes up, in place for as long
// as the records viewing them are used.
class RdsListingStore {
 public:
  // A new, empty listing; it stays where it is while the store lives.
  RdsListing& newListing() { return listings_.emplace_back(); }
  // Keeps a record that no lookup found (an unverified named entry).
  const RDSInfoStructs::SDBInstanceInfo& keep(RDSInfoStructs::SDBInstanceInfo record) {
    return entries_.emplace_back(std::move(record));
  }

 private:
  std::deque<RdsListing> listings_;
  std::deque<RDSInfoStructs::SDBInstanceInfo> entries_;
};

inline const std::string& listedName(const RdsListedRecord& listed) {
  if (const auto* instance = std::get_if<const RDSInfoStructs::SDBInstanceInfo*>(&listed)) {
    return (*instance)->instanceIdentifier;
  }
  return std::get<const RDSInfoStructs::SRDSClusterInfo*>(listed)->clusterIdentifier;
}

inline const std::string& listedRegion(const RdsListedRecord& listed) {
  return std::visit([](const auto* record) -> const std::string& { return record->region; }, listed);
}

inline const std::string& listedEngine(const RdsListedRecord& listed) {
  return std::visit([](const auto* record) -> const std::string& { return record->engine; }, listed);
}

inline App::RDSDBInstance listedMessage(const RdsListedRecord& listed) {
  return std::visit([](const auto* record) { return CRDSInfo::convertRecord(*record); }, listed);
}

}  // namespace clouddb::aws
