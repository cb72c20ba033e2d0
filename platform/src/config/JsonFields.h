#pragma once
// JsonFields: reads the members of one JSON object of the configuration file into records,
// remembering where it is ("instances[2]") so a failure can say exactly what is wrong where.
//
// The first failure wins: it is kept in the shared Problem and every later read is a no-op, so
// the loader reads a section top to bottom without checking after each member. finish() reports
// members that no read asked for (a misspelt member is an error, not silently ignored) and
// members given twice.
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <rapidjson/document.h>

namespace config::detail {

// Why a secret stored in clear is refused; the clear text is never repeated, it may be real.
inline constexpr const char* kSecretMustBeEncrypted =
    "a secret must be stored encrypted (\"enc:v1:...\", made by clouddb-secret encrypt)";

// The first failure of a load: where and what.
struct Problem {
  std::string text;
  bool found() const { return !text.empty(); }
};

class JsonFields {
 public:
  // path names the object in messages; a value that is not an object is reported at once.
  JsonFields(const rapidjson::Value& value, std::string path, Problem& problem);

  void requiredText(const char* name, std::string& out);
  void optionalText(const char* name, std::optional<std::string>& out);
  // A text, or an array of texts joined with "\n" (long XML written line by line).
  void optionalLines(const char* name, std::optional<std::string>& out);
  // A secret: empty, or the encrypted form "enc:v1:..." (never clear text).
  void optionalSecret(const char* name, std::optional<std::string>& out);
  void optionalSecret(const char* name, std::string& out);
  void requiredId(const char* name, std::uint64_t& out);
  void optionalId(const char* name, std::optional<std::uint64_t>& out);
  void optionalUnsigned(const char* name, std::optional<std::uint64_t>& out);
  void optionalInteger(const char* name, std::int64_t& out);
  void optionalBool(const char* name, bool& out);
  void optionalTextList(const char* name, std::optional<std::vector<std::string>>& out);
  // The member's value when present (marked as read), else null.
  const rapidjson::Value* optionalMember(const char* name);

  // Reports unread and repeated members; call once after every read.
  void finish();

  const std::string& path() const { return path_; }
  bool failed() const { return problem_.found(); }
  void fail(std::string_view member, std::string_view what);

 private:
  const rapidjson::Value* take(const char* name);

  const rapidjson::Value& value_;
  std::string path_;
  Problem& problem_;
  std::set<std::string, std::less<>> read_;
};

// "instances[2]"
std::string elementPath(std::string_view arrayPath, std::size_t index);

}  // namespace config::detail
