#pragma once
// The relational inventory discovery behind DiscoverRDSInventory and DiscoverRDSInventoryLocal:
// it lists the database instances of the account that the request's client belongs to.
#include <string>
#include <vector>

#include "platform/EvEvent.h"
#include "platform/messages/App.h"

namespace clouddb::inventory {

// Appends the discovered records to instances and returns true on success; a failure leaves its
// text in errorText. The two qualifiers are handed unchanged to the provider's listings.
bool DiscoverRDSInventoryCommon(App::BrowseRDSInventoryReq* request, std::vector<App::RDSDBInstance>& instances,
                                EvEvent& log, std::string& errorText, std::string& firstQualifier,
                                std::string& secondQualifier);

}  // namespace clouddb::inventory
