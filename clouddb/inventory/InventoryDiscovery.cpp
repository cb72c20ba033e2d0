#include "clouddb/inventory/InventoryDiscovery.h"

#include "clouddb/entry/Unavailable.h"

namespace clouddb::inventory {

bool DiscoverRDSInventoryCommon(App::BrowseRDSInventoryReq* /*request*/, std::vector<App::RDSDBInstance>& /*instances*/,
                                EvEvent& log, std::string& errorText, std::string& /*firstQualifier*/,
                                std::string& /*secondQualifier*/) {
  // The providers of the four clouds are not wired in yet: answer with an honest failure.
  errorText = entry::unavailable::kInventoryDiscovery;
  log.Error("DiscoverRDSInventoryCommon", "%s", errorText.c_str());
  return false;
}

}  // namespace clouddb::inventory
