#pragma once
// One record of an RDS instance lookup as the bridge gave it, before it becomes a host message:
// an instance (an Aurora cluster's first member stands under the cluster's identifier) or a
// cluster that is not collapsed from members. Content rules match and verify on these, so that
// only the records a rule keeps pay for the conversion.
#include <string>
#include <variant>

#include "bridges/RDSInfoStructs.h"
#include "clouddb/core/RDSInfo.h"
#include "platform/messages/App.h"

namespace clouddb::aws {

using RdsListedRecord = std::variant<RDSInfoStructs::SDBInstanceInfo, RDSInfoStructs::SRDSClusterInfo>;

inline const std::string& listedName(const RdsListedRecord& listed) {
  if (const auto* instance = std::get_if<RDSInfoStructs::SDBInstanceInfo>(&listed)) {
    return instance->instanceIdentifier;
  }
  return std::get<RDSInfoStructs::SRDSClusterInfo>(listed).clusterIdentifier;
}

inline const std::string& listedRegion(const RdsListedRecord& listed) {
  return std::visit([](const auto& record) -> const std::string& { return record.region; }, listed);
}

inline const std::string& listedEngine(const RdsListedRecord& listed) {
  return std::visit([](const auto& record) -> const std::string& { return record.engine; }, listed);
}

inline App::RDSDBInstance listedMessage(const RdsListedRecord& listed) {
  return std::visit([](const auto& record) { return CRDSInfo::convertRecord(record); }, listed);
}

}  // namespace clouddb::aws
