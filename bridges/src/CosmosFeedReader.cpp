#include "CosmosFeedReader.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

namespace cloudbridge {
namespace {

// The longest piece of the service's own text quoted in an error.
constexpr std::size_t kQuotedTextLimit = 300;

// Iterative parsing: a deeply nested answer cannot exhaust the stack.
constexpr unsigned kParseFlags = rapidjson::kParseIterativeFlag | rapidjson::kParseValidateEncodingFlag;

// The service's text as one bounded line: control characters become blanks.
std::string quotable(std::string_view text) {
  std::string line;
  for (const char character : text.substr(0, kQuotedTextLimit)) {
    const auto byte = static_cast<unsigned char>(character);
    line += byte < 0x20 || byte == 0x7f ? ' ' : character;
  }
  if (text.size() > kQuotedTextLimit) line += "...";
  return line;
}

std::string stringMember(const rapidjson::Value& object, const char* name) {
  const auto found = object.FindMember(name);
  if (found == object.MemberEnd() || !found->value.IsString()) return {};
  return std::string(found->value.GetString(), found->value.GetStringLength());
}

// The element's "id" when it is a string, else null.
const rapidjson::Value* idOf(const rapidjson::Value& element) {
  if (!element.IsObject()) return nullptr;
  const auto id = element.FindMember("id");
  return id != element.MemberEnd() && id->value.IsString() ? &id->value : nullptr;
}

}  // namespace

std::optional<std::string> readCosmosFeedPage(std::string_view body, const char* arrayName, std::vector<std::string>& ids) {
  rapidjson::Document document;
  document.Parse<kParseFlags>(body.data(), body.size());
  if (document.HasParseError()) {
    return "The Cosmos DB service's answer is not JSON (" +
           std::string(rapidjson::GetParseError_En(document.GetParseError())) + " at offset " +
           std::to_string(document.GetErrorOffset()) + ")";
  }
  const rapidjson::Value* elements = nullptr;
  if (document.IsObject()) {
    const auto found = document.FindMember(arrayName);
    if (found != document.MemberEnd() && found->value.IsArray()) elements = &found->value;
  }
  if (elements == nullptr) {
    return std::string("The Cosmos DB service's answer has no \"") + arrayName + "\" array";
  }
  for (rapidjson::SizeType index = 0; index < elements->Size(); ++index) {
    const rapidjson::Value* id = idOf((*elements)[index]);
    if (id == nullptr) {
      return std::string("The Cosmos DB service's answer has an element without a string \"id\" (") + arrayName +
             "[" + std::to_string(index) + "]); the listing is refused";
    }
    ids.emplace_back(id->GetString(), id->GetStringLength());
  }
  return std::nullopt;
}

std::string cosmosStatusText(long status, std::string_view body) {
  std::string text = "HTTP status " + std::to_string(status);
  rapidjson::Document document;
  document.Parse<kParseFlags>(body.data(), body.size());
  if (document.HasParseError() || !document.IsObject()) return text;
  const std::string code = stringMember(document, "code");
  const std::string message = stringMember(document, "message");
  if (!code.empty()) text += " (" + quotable(code) + ")";
  if (!message.empty()) text += ": " + quotable(message);
  return text;
}

}  // namespace cloudbridge
