#pragma once
// Every classic database service of an Oracle Cloud instance, for GetOracleCloudInstanceList.
// out is emptied first; a failure is logged and leaves it empty, or as the cloud's list call
// left it.
#include <cstdint>
#include <vector>

#include "bridges/CloudDBInfoStructs.h"
#include "platform/EvEvent.h"

namespace clouddb::oracle {

inline constexpr char kOracleInstanceListTag[] = "GetOracleCloudInstanceList";

void ListOracleCloudServices(std::uint64_t instanceId, std::vector<CloudDBInfoStructs::SOracleDBInstanceInfo>& out,
                             EvEvent& log);

}  // namespace clouddb::oracle
