#pragma once
// The browse handler's Azure branch: Cosmos DB SQL (23) and Table storage (32) accounts.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/EvEvent.h"
#include "platform/messages/App.h"

namespace clouddb::entry {

// Lists one level of the subscription under root, chosen by path: the accounts for an empty
// path; for 23 the databases of an account, or the containers of "account/database"; for 32 the
// tables of an account. A listing failure is only logged and leaves root as it is. Answers the
// message that ends the request (credentials, connect), or nothing when root is the answer.
std::optional<std::string> browseAzure(std::int64_t instanceType, std::uint64_t instanceId, std::uint64_t clientId,
                                       const std::string& path, App::CloudDBEntity& root, EvEvent& log);

}  // namespace clouddb::entry
