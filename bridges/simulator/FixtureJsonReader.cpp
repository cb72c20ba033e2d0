#include "FixtureJsonReader.h"

#include <chrono>
#include <cstdio>

namespace cloudsim {

FixtureObject::FixtureObject(const rapidjson::Value& value, std::string path) : value_(value), path_(std::move(path)) {
  if (!value_.IsObject()) fail("must be a JSON object");
}

void FixtureObject::fail(const std::string& what) const {
  throw FixtureError(path_.empty() ? what : path_ + ": " + what);
}

bool FixtureObject::has(const char* name) const { return value_.HasMember(name); }

const rapidjson::Value* FixtureObject::member(const char* name) {
  read_.insert(name);
  auto found = value_.FindMember(name);
  return found == value_.MemberEnd() ? nullptr : &found->value;
}

std::string FixtureObject::memberPath(const char* name) const {
  return path_.empty() ? std::string(name) : path_ + "." + name;
}

std::string FixtureObject::requiredString(const char* name) {
  if (!has(name)) fail(std::string("member \"") + name + "\" is missing");
  std::string text = optionalString(name);
  if (text.empty()) fail(std::string("member \"") + name + "\" must not be empty");
  return text;
}

std::string FixtureObject::optionalString(const char* name, const std::string& fallback) {
  const rapidjson::Value* value = member(name);
  if (value == nullptr) return fallback;
  if (!value->IsString()) fail(std::string("member \"") + name + "\" must be a string");
  return std::string(value->GetString(), value->GetStringLength());
}

int FixtureObject::optionalInt(const char* name, int fallback) {
  const rapidjson::Value* value = member(name);
  if (value == nullptr) return fallback;
  if (!value->IsInt()) fail(std::string("member \"") + name + "\" must be an integer");
  return value->GetInt();
}

std::int64_t FixtureObject::optionalInt64(const char* name, std::int64_t fallback) {
  const rapidjson::Value* value = member(name);
  if (value == nullptr) return fallback;
  if (!value->IsInt64()) fail(std::string("member \"") + name + "\" must be an integer");
  return value->GetInt64();
}

double FixtureObject::optionalDouble(const char* name, double fallback) {
  const rapidjson::Value* value = member(name);
  if (value == nullptr) return fallback;
  if (!value->IsNumber()) fail(std::string("member \"") + name + "\" must be a number");
  return value->GetDouble();
}

bool FixtureObject::optionalBool(const char* name, bool fallback) {
  const rapidjson::Value* value = member(name);
  if (value == nullptr) return fallback;
  if (!value->IsBool()) fail(std::string("member \"") + name + "\" must be true or false");
  return value->GetBool();
}

std::vector<std::string> FixtureObject::optionalStringList(const char* name) {
  std::vector<std::string> texts;
  const rapidjson::Value* value = member(name);
  if (value == nullptr) return texts;
  if (!value->IsArray()) fail(std::string("member \"") + name + "\" must be an array of strings");
  for (const auto& element : value->GetArray()) {
    if (!element.IsString()) fail(std::string("member \"") + name + "\" must be an array of strings");
    texts.emplace_back(element.GetString(), element.GetStringLength());
  }
  return texts;
}

Tags FixtureObject::optionalTags(const char* name) {
  Tags tags;
  const rapidjson::Value* value = member(name);
  if (value == nullptr) return tags;
  if (!value->IsObject()) fail(std::string("member \"") + name + "\" must be an object of texts");
  for (const auto& tag : value->GetObject()) {
    std::string key(tag.name.GetString(), tag.name.GetStringLength());
    if (key.empty()) fail(std::string("member \"") + name + "\" holds a tag with an empty key");
    if (!tag.value.IsString()) fail(std::string("tag \"") + key + "\" must have a string value");
    for (const auto& earlier : tags) {
      if (earlier.first == key) fail(std::string("tag \"") + key + "\" is given twice");
    }
    tags.emplace_back(std::move(key), std::string(tag.value.GetString(), tag.value.GetStringLength()));
  }
  return tags;
}

std::int64_t FixtureObject::optionalTime(const char* name, std::int64_t fallback) {
  if (!has(name)) {
    read_.insert(name);
    return fallback;
  }
  const std::string text = optionalString(name);
  int year = 0;
  unsigned month = 0, day = 0, hour = 0, minute = 0, second = 0;
  char zone = 0;
  int consumed = 0;
  const bool shaped = std::sscanf(text.c_str(), "%4d-%2u-%2uT%2u:%2u:%2u%c%n", &year, &month, &day, &hour, &minute,
                                  &second, &zone, &consumed) == 7 &&
                      zone == 'Z' && static_cast<std::size_t>(consumed) == text.size();
  const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}};
  if (!shaped || !date.ok() || hour > 23 || minute > 59 || second > 59) {
    fail(std::string("member \"") + name + "\" must be a UTC time like 2024-05-01T03:00:00Z, not \"" + text + "\"");
  }
  const auto midnight = std::chrono::sys_days{date}.time_since_epoch();
  return std::chrono::duration_cast<std::chrono::seconds>(midnight).count() + hour * 3600 + minute * 60 + second;
}

std::optional<FixtureObject> FixtureObject::optionalObject(const char* name) {
  const rapidjson::Value* value = member(name);
  if (value == nullptr) return std::nullopt;
  return FixtureObject(*value, memberPath(name));
}

void FixtureObject::forEachObject(const char* name, const std::function<void(FixtureObject&)>& each) {
  const rapidjson::Value* value = member(name);
  if (value == nullptr) return;
  if (!value->IsArray()) fail(std::string("member \"") + name + "\" must be an array of objects");
  std::size_t index = 0;
  for (const auto& element : value->GetArray()) {
    FixtureObject object(element, memberPath(name) + "[" + std::to_string(index++) + "]");
    each(object);
    object.finish();
  }
}

void FixtureObject::finish() const {
  for (const auto& entry : value_.GetObject()) {
    std::string name(entry.name.GetString(), entry.name.GetStringLength());
    if (name != "comment" && read_.count(name) == 0) fail("unknown member \"" + name + "\"");
  }
}

void requireKnownRegion(const FixtureObject& where, const std::vector<VMInfoStructs::SDataCenterInfo>& regions,
                        const std::string& region) {
  for (const auto& known : regions) {
    if (known.name == region) return;
  }
  where.fail("region \"" + region + "\" is not one of the account's regions");
}

}  // namespace cloudsim
