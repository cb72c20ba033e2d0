#pragma once
// How a Cosmos DB request proves it holds the account's master key: the date it carries and the
// Authorization header signed over verb, resource type, resource link and that date.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace cloudbridge {

// The date as the x-ms-date header carries it, RFC 1123: "Tue, 08 Dec 2026 08:30:00 GMT".
std::string cosmosRequestDate(std::chrono::system_clock::time_point when);

// The Authorization header's value, URL-encoded: "type=master&ver=1.0&sig=" and the base64
// HMAC-SHA256, under the decoded key, of lower-case verb, resource type, resource link and
// lower-case date, each followed by a line end, and one more line end. nullopt when the key is
// empty or not base64 text.
std::optional<std::string> cosmosMasterKeyAuthorization(std::string_view verb, std::string_view resourceType,
                                                        std::string_view resourceLink, std::string_view date,
                                                        std::string_view key);


}  // namespace cloudbridge
