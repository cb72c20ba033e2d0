#pragma once
// The relational inventory discovery behind DiscoverRDSInventory and DiscoverRDSInventoryLocal:
// it lists the database instances of the account that the request's client belongs to.
#include <string>
#include <vector>

#include "platform/EvEvent.h"
#include "platform/messages/App.h"

namespace clouddb::inventory {

// Appends the discovered records to instances and returns true on success; a failure leaves its
// text in errorText (never empty). The two qualifiers are handed unchanged to the provider's
// listings.
//
// The provider is the one of the client's virtual server (Amazon when the request names no
// client). An engine type in the request asks the provider for that engine alone (2 and 4:
// Aurora clusters) and its records come back as the provider made them. Otherwise the whole
// listing is asked for, up to five times while the cloud answers "Rate exceeded", one second
// apart on the host's clock (a later success leaves the last rate-limit text in errorText); an
// application type of 1 or more then filters and renames the records for the console, and each
// Aurora cluster is reported once.
bool DiscoverRDSInventoryCommon(App::BrowseRDSInventoryReq* request, std::vector<App::RDSDBInstance>& instances,
                                EvEvent& log, std::string& errorText, std::string& firstQualifier,
                                std::string& secondQualifier);

}  // namespace clouddb::inventory
