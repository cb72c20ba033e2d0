#include "platform/KwJson.h"

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace {

// Invalid UTF-8 is refused rather than passed on into texts that end up in messages.
constexpr unsigned kParseFlags = rapidjson::kParseDefaultFlags | rapidjson::kParseValidateEncodingFlag;

std::string memberText(const rapidjson::Value& value) {
  if (value.IsString()) {
    return std::string(value.GetString(), value.GetStringLength());
  }
  rapidjson::StringBuffer buffer;
  rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
  value.Accept(writer);
  return std::string(buffer.GetString(), buffer.GetSize());
}

}  // namespace

namespace KwJson {

bool Unserialize(std::string_view text, Map& members) {
  members.clear();
  if (text.empty()) {
    return false;
  }
  rapidjson::Document document;
  document.Parse<kParseFlags>(text.data(), text.size());
  if (document.HasParseError() || !document.IsObject()) {
    return false;
  }
  for (const auto& member : document.GetObject()) {
    members[std::string(member.name.GetString(), member.name.GetStringLength())] = memberText(member.value);
  }
  return true;
}

std::string GetStringValue(const Map& members, const std::string& name) {
  const auto found = members.find(name);
  return found != members.end() ? found->second : std::string();
}

}  // namespace KwJson
