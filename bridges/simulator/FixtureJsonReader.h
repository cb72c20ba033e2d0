#pragma once
// Reading the cloud fixture's JSON objects member by member, with the place of each value in the
// document, so that a fixture written by hand fails with a reason a person can act on:
//   accounts[0] (aws demo).rds.instances[2]: member "port" must be an integer
// A failure throws FixtureError; parseCloudFixture catches it and turns it into the error text.
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <rapidjson/document.h>

#include "FixtureModel.h"

namespace cloudsim {

class FixtureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class FixtureObject {
 public:
  // Fails unless value is an object.
  FixtureObject(const rapidjson::Value& value, std::string path);

  const std::string& path() const { return path_; }
  [[noreturn]] void fail(const std::string& what) const;
  bool has(const char* name) const;

  std::string requiredString(const char* name);
  std::string optionalString(const char* name, const std::string& fallback = {});
  int optionalInt(const char* name, int fallback);
  std::int64_t optionalInt64(const char* name, std::int64_t fallback);
  double optionalDouble(const char* name, double fallback);
  bool optionalBool(const char* name, bool fallback);
  std::vector<std::string> optionalStringList(const char* name);
  // A JSON object of text values: {"env": "prod"}.
  Tags optionalTags(const char* name);
  // A UTC time written "YYYY-MM-DDTHH:MM:SSZ", as seconds since 1970.
  std::int64_t optionalTime(const char* name, std::int64_t fallback);

  std::optional<FixtureObject> optionalObject(const char* name);
  // Calls each(object) for every element of the array member; an absent member has none.
  void forEachObject(const char* name, const std::function<void(FixtureObject&)>& each);

  // Refuses members nothing asked for, so a misspelt name does not go unnoticed. Members named
  // "comment" are notes for people and always allowed.
  void finish() const;

 private:
  const rapidjson::Value* member(const char* name);
  std::string memberPath(const char* name) const;

  const rapidjson::Value& value_;
  std::string path_;
  std::set<std::string> read_;
};

// Region names of an account, for checking that objects live in one of them.
void requireKnownRegion(const FixtureObject& where, const std::vector<VMInfoStructs::SDataCenterInfo>& regions,
                        const std::string& region);

}  // namespace cloudsim
