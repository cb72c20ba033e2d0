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

// One storage account (a "datastore") of an Azure subscription.
struct SDatastoreInfo {
  std::string name;
  std::string identifier;  // the account's resource id
  std::string location;    // region name, for example "eastus"
  std::string kind;        // "StorageV2", ...
  std::string accessKey;   // only when the listing was asked for keys; a secret
};

// One host-level container of an account; Oracle Cloud uses it for compartments.
struct SHostInfo {
  std::string name;         // text 1: the compartment's name
  std::string description;  // text 2
  std::string identifier;   // text 3: the compartment's OCID
  std::string parentIdentifier;
  std::string lifecycleState;  // "ACTIVE"
};

}  // namespace VMInfoStructs
