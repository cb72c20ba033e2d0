#include "platform/KwJson.h"

#include <rapidjson/document.h>
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace {

// Invalid UTF-8 is refused rather than passed on into texts that end up in messages. The text
// comes from peers: the iterative parser keeps deep nesting off the call stack.
constexpr unsigned kParseFlags =
    rapidjson::kParseDefaultFlags | rapidjson::kParseValidateEncodingFlag | rapidjson::kParseIterativeFlag;

// A member that is not a text is handed on as its JSON text, which is written recursively; values
// nested deeper than this are refused before anything is built.
constexpr int kMaxDepth = 64;

struct DepthCheck : rapidjson::BaseReaderHandler<rapidjson::UTF8<>, DepthCheck> {
  bool StartObject() { return ++depth <= kMaxDepth; }
  bool EndObject(rapidjson::SizeType) { return --depth, true; }
  bool StartArray() { return ++depth <= kMaxDepth; }
  bool EndArray(rapidjson::SizeType) { return --depth, true; }
  int depth = 0;
};

bool nestsWithinBound(std::string_view text) {
  rapidjson::MemoryStream stream(text.data(), text.size());
  rapidjson::Reader reader;
  DepthCheck check;
  return !reader.Parse<kParseFlags>(stream, check).IsError();
}

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
  if (text.empty() || !nestsWithinBound(text)) {
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
