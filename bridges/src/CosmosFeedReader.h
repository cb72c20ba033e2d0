#pragma once
// Reading one page of a Cosmos DB listing, as the service answers it:
//   {"_rid": "", "Databases": [{"id": "orders", ...}, ...], "_count": 2}
// and the service's own words when it refuses a request: {"code": "NotFound", "message": "..."}.
// The answer is outside input: a page that does not have this shape is refused whole, never
// read as a shorter list.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cloudbridge {

// Appends the ids of the page's arrayName elements to ids; nullopt on success, else why it failed
// (ids may then hold part of the page and must be dropped).
std::optional<std::string> readCosmosFeedPage(std::string_view body, const char* arrayName, std::vector<std::string>& ids);

// "HTTP status 404 (NotFound): Resource Not Found": the status with the code and message of an
// error answer when it has them, made safe to quote in a log line.
std::string cosmosStatusText(long status, std::string_view body);

}  // namespace cloudbridge
