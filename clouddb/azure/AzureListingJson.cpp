#include "clouddb/azure/AzureListingJson.h"

#include <rapidjson/document.h>

namespace clouddb::azure {
namespace {

constexpr char kTableList[] = "value";
constexpr char kTableName[] = "TableName";
constexpr char kBodyMarker[] = "x-ms-continuation-NextTableName";
constexpr char kCollectionList[] = "DocumentCollections";
constexpr char kCollectionId[] = "id";

// The iterative parser keeps deep nesting off the stack.
rapidjson::Document parsed(std::string_view body) {
  rapidjson::Document document;
  document.Parse<rapidjson::kParseIterativeFlag | rapidjson::kParseStopWhenDoneFlag>(body.data(), body.size());
  if (document.HasParseError() || !document.IsObject()) {
    document.SetObject();
  }
  return document;
}

ListingRead readNames(const rapidjson::Document& document, const char* listMember, const char* nameMember,
                      std::vector<std::string>& names) {
  const auto list = document.FindMember(listMember);
  if (list == document.MemberEnd() || !list->value.IsArray()) {
    return ListingRead::kNotAnArray;
  }
  std::vector<std::string> found;
  found.reserve(list->value.Size());
  for (const auto& element : list->value.GetArray()) {
    if (!element.IsObject()) return ListingRead::kUnnamedEntry;
    const auto name = element.FindMember(nameMember);
    if (name == element.MemberEnd() || !name->value.IsString()) return ListingRead::kUnnamedEntry;
    found.emplace_back(name->value.GetString(), name->value.GetStringLength());
  }
  names.insert(names.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
  return ListingRead::kRead;
}

}  // namespace

ListingRead readTableNames(std::string_view body, std::vector<std::string>& names, std::string& bodyMarker) {
  const rapidjson::Document document = parsed(body);
  bodyMarker.clear();
  if (const auto marker = document.FindMember(kBodyMarker);
      marker != document.MemberEnd() && marker->value.IsString()) {
    bodyMarker.assign(marker->value.GetString(), marker->value.GetStringLength());
  }
  return readNames(document, kTableList, kTableName, names);
}

ListingRead readCollectionIds(std::string_view body, std::vector<std::string>& ids) {
  return readNames(parsed(body), kCollectionList, kCollectionId, ids);
}

}  // namespace clouddb::azure
