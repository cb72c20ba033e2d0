#pragma once
// VMInfoStructs: records about the places a cloud account runs in, shared by the bridges.
#include <string>

namespace VMInfoStructs {

// One region (data center) of an account, as RefreshDCInfoList/GetDCInfoList give it.
struct SDataCenterInfo {
  std::string name;         // region name, for example "us-east-1"
  std::string identifier;   // the region's service end point, for example "rds.us-east-1.amazonaws.com"
  std::string description;  // display name, for example "US East (N. Virginia)"
};

}  // namespace VMInfoStructs
