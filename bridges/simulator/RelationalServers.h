#pragma once
// The relational servers of Azure, Google Cloud SQL and Alibaba ApsaraDB RDS as the bridges list
// them: as RDS instance records, selected by the instance filter.
#include <string>
#include <vector>

#include "FixtureModel.h"
#include "bridges/RDSInfoStructs.h"

namespace cloudsim {

// How one cloud names what it lists.
struct RelationalNaming {
  std::string idPrefix;        // the record's identifier (member 1) is idPrefix + name
  std::string endpointSuffix;  // its end point is name + endpointSuffix ("" leaves it empty)
};

// The servers the filter selects, in fixture order. Engine families are told by the engine
// name's start, ignoring case: 1 "postgres", 3 "mysql", 5 "mariadb"; 0 is every engine; these
// clouds have no Aurora, so 2 and 4 select nothing. Identifiers restrict by name.
std::vector<RDSInfoStructs::SDBInstanceInfo> selectRelationalServers(const std::vector<RelationalServer>& servers,
                                                                     const RDSInfoStructs::SDBInstanceFilter& filter,
                                                                     const RelationalNaming& naming);

}  // namespace cloudsim
