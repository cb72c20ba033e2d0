#pragma once
// The browse inventory handler: answers a browse request (one level of an account's tree) or a
// preview request (a backup set's content expanded) with a tree of App::CloudDBEntity.
#include "platform/CNMessageBase.h"
#include "platform/EvEvent.h"
#include "platform/messages/App.h"

namespace clouddb::entry {

inline constexpr char kBrowseInventoryHandlerTag[] = "BrowseInventoryHandler";

// Fills the response for one received message. A message that is neither a browse nor a preview
// request leaves the response as it is (error code 0, no root).
void ProcessBrowseInventoryRequest(const CNMessageBase& received, App::BrowseInventoryResp& response, EvEvent& log);

}  // namespace clouddb::entry
