#include "JsonFields.h"

#include <map>

#include "platform/HostKey.h"

namespace config::detail {

std::string elementPath(std::string_view arrayPath, std::size_t index) {
  return std::string(arrayPath) + "[" + std::to_string(index) + "]";
}

JsonFields::JsonFields(const rapidjson::Value& value, std::string path, Problem& problem)
    : value_(value), path_(std::move(path)), problem_(problem) {
  if (!failed() && !value_.IsObject()) problem_.text = path_ + ": must be an object";
}

void JsonFields::fail(std::string_view member, std::string_view what) {
  if (failed()) return;
  std::string text = path_;
  if (!member.empty()) {
    if (!text.empty()) text.push_back('.');
    text.append(member);
  }
  text.append(": ").append(what);
  problem_.text = std::move(text);
}

const rapidjson::Value* JsonFields::take(const char* name) {
  if (failed()) return nullptr;
  read_.insert(name);
  const auto member = value_.FindMember(name);
  return member == value_.MemberEnd() ? nullptr : &member->value;
}

const rapidjson::Value* JsonFields::optionalMember(const char* name) { return take(name); }

void JsonFields::requiredText(const char* name, std::string& out) {
  const rapidjson::Value* value = take(name);
  if (failed()) return;
  if (value == nullptr) return fail(name, "is required");
  if (!value->IsString()) return fail(name, "must be a text");
  out.assign(value->GetString(), value->GetStringLength());
}

void JsonFields::optionalText(const char* name, std::optional<std::string>& out) {
  const rapidjson::Value* value = take(name);
  if (value == nullptr) return;
  if (!value->IsString()) return fail(name, "must be a text");
  out.emplace(value->GetString(), value->GetStringLength());
}

void JsonFields::optionalLines(const char* name, std::optional<std::string>& out) {
  const rapidjson::Value* value = take(name);
  if (value == nullptr) return;
  if (value->IsString()) {
    out.emplace(value->GetString(), value->GetStringLength());
    return;
  }
  if (!value->IsArray()) return fail(name, "must be a text or an array of texts (lines)");
  std::string joined;
  for (rapidjson::SizeType i = 0; i < value->Size(); ++i) {
    const rapidjson::Value& line = (*value)[i];
    if (!line.IsString()) return fail(elementPath(name, i), "must be a text");
    if (i > 0) joined += '\n';
    joined.append(line.GetString(), line.GetStringLength());
  }
  out = std::move(joined);
}

void JsonFields::optionalSecret(const char* name, std::optional<std::string>& out) {
  std::optional<std::string> text;
  optionalText(name, text);
  if (failed() || !text) return;
  if (!text->empty() && !text->starts_with(HostKey::kSecretPrefix)) {
    // The clear text is not repeated in the message: it may be a real secret.
    return fail(name, kSecretMustBeEncrypted);
  }
  out = std::move(text);
}

void JsonFields::optionalSecret(const char* name, std::string& out) {
  std::optional<std::string> text;
  optionalSecret(name, text);
  if (text) out = std::move(*text);
}

void JsonFields::requiredId(const char* name, std::uint64_t& out) {
  std::optional<std::uint64_t> id;
  optionalId(name, id);
  if (failed()) return;
  if (!id) return fail(name, "is required");
  out = *id;
}

void JsonFields::optionalId(const char* name, std::optional<std::uint64_t>& out) {
  const rapidjson::Value* value = take(name);
  if (value == nullptr) return;
  if (!value->IsUint64() || value->GetUint64() == 0) return fail(name, "must be a positive whole number (an id)");
  out = value->GetUint64();
}

void JsonFields::optionalUnsigned(const char* name, std::optional<std::uint64_t>& out) {
  const rapidjson::Value* value = take(name);
  if (value == nullptr) return;
  if (!value->IsUint64()) return fail(name, "must be a whole number of 0 or more");
  out = value->GetUint64();
}

void JsonFields::optionalInteger(const char* name, std::int64_t& out) {
  const rapidjson::Value* value = take(name);
  if (value == nullptr) return;
  if (!value->IsInt64()) return fail(name, "must be a whole number");
  out = value->GetInt64();
}

void JsonFields::optionalBool(const char* name, bool& out) {
  const rapidjson::Value* value = take(name);
  if (value == nullptr) return;
  if (!value->IsBool()) return fail(name, "must be true or false");
  out = value->GetBool();
}

void JsonFields::optionalTextList(const char* name, std::optional<std::vector<std::string>>& out) {
  const rapidjson::Value* value = take(name);
  if (value == nullptr) return;
  if (!value->IsArray()) return fail(name, "must be an array of texts");
  std::vector<std::string> texts;
  for (rapidjson::SizeType i = 0; i < value->Size(); ++i) {
    const rapidjson::Value& text = (*value)[i];
    if (!text.IsString()) return fail(elementPath(name, i), "must be a text");
    texts.emplace_back(text.GetString(), text.GetStringLength());
  }
  out = std::move(texts);
}

void JsonFields::finish() {
  if (failed()) return;
  std::map<std::string_view, int> seen;
  for (auto member = value_.MemberBegin(); member != value_.MemberEnd(); ++member) {
    const std::string_view name(member->name.GetString(), member->name.GetStringLength());
    if (++seen[name] > 1) return fail(name, "is given twice");
    if (!read_.contains(name)) return fail(name, "is not a member this object can have");
  }
}

}  // namespace config::detail
