#pragma once
// The JSON answers of the Table service's Query Tables and of a Cosmos DB collection listing,
// read into names. Bodies come from the network and are not trusted: a body that does not parse
// counts as a document without members, nesting is read without recursion, and an answer whose
// list holds an entry without a text name is refused whole, so a listing is never silently short.
#include <string>
#include <string_view>
#include <vector>

namespace clouddb::azure {

enum class ListingRead {
  kRead,          // names appended
  kNotAnArray,    // the list member is absent or not an array
  kUnnamedEntry,  // an element lacks a text name member; nothing appended
};

// Query Tables: "value" (array) of {"TableName": text}; bodyMarker receives the body's
// "x-ms-continuation-NextTableName" member when it is a text, else empty.
ListingRead readTableNames(std::string_view body, std::vector<std::string>& names, std::string& bodyMarker);

// Collection listing: "DocumentCollections" (array) of {"id": text}.
ListingRead readCollectionIds(std::string_view body, std::vector<std::string>& ids);

}  // namespace clouddb::azure
