// The JSON answers of Azure Table storage and Cosmos DB listings, as a peer may send them: a body
// is read without crashing or recursing, a refused answer appends nothing, and an accepted one
// appends exactly one name per array element, in order.
//
// Input: the response body.
#include <string>
#include <string_view>
#include <vector>

#include <rapidjson/document.h>

#include "FuzzSupport.h"
#include "clouddb/azure/AzureListingJson.h"

namespace {

using clouddb::azure::ListingRead;
using fuzzsupport::require;

// The number of elements of the body's list member, counted independently of the reader.
std::size_t listLength(std::string_view body, const char* member) {
  rapidjson::Document document;
  document.Parse<rapidjson::kParseIterativeFlag | rapidjson::kParseStopWhenDoneFlag>(body.data(), body.size());
  if (document.HasParseError() || !document.IsObject()) return 0;
  const auto list = document.FindMember(member);
  return list != document.MemberEnd() && list->value.IsArray() ? list->value.Size() : 0;
}

void checkRead(ListingRead read, const std::vector<std::string>& names, std::string_view body, const char* member) {
  if (read == ListingRead::kRead) {
    require(names.size() == 1 + listLength(body, member), "an accepted answer appends one name per element");
  } else {
    require(names.size() == 1, "a refused answer appends nothing");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view body = fuzzsupport::asText(data, size);
  // A name already in the list stays first: readers append.
  std::vector<std::string> tables{"kept"};
  std::string marker = "stale";
  checkRead(clouddb::azure::readTableNames(body, tables, marker), tables, body, "value");
  require(tables.front() == "kept", "a reader appends after what the list held");
  require(marker != "stale", "the body marker is always set afresh");

  std::vector<std::string> collections{"kept"};
  checkRead(clouddb::azure::readCollectionIds(body, collections), collections, body, "DocumentCollections");
  return 0;
}
