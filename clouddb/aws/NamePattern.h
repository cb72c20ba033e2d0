#pragma once
// A content rule's name pattern, compiled once per rule.
//
// The wildcard text becomes an anchored expression (prepared by the provider) that runs on a
// linear-time engine: matching costs time linear in the name's length and bounded memory,
// whatever the user wrote, so no stored rule can stall a backup. The engine has no
// back-references or look-arounds; such expressions, expressions that do not compile (an
// unbalanced bracket, say) and patterns longer than kMaxNamePatternLength are refused with an
// errno-kind error 774 before any cloud call. Names are compared byte for byte, case-sensitively.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "platform/CLmError.h"

namespace re2 {
class RE2;
}

namespace clouddb::aws {

inline constexpr char kInvalidNamePattern[] = "Name pattern '%s' is not a valid expression: %s";
// Cloud object names are at most a few hundred characters; a longer pattern is a mistake or an attack.
inline constexpr std::size_t kMaxNamePatternLength = 1024;

class NamePattern {
 public:
  // Compiles expression (made from pattern); on failure error is set and nothing is returned.
  static std::optional<NamePattern> compile(const std::string& pattern, const std::string& expression, CLmError& error);

  NamePattern(NamePattern&&) noexcept;
  NamePattern& operator=(NamePattern&&) noexcept;
  ~NamePattern();

  // Whether the whole name matches.
  bool matches(const std::string& name) const;

 private:
  explicit NamePattern(std::unique_ptr<re2::RE2> expression);
  std::unique_ptr<re2::RE2> expression_;
};

}  // namespace clouddb::aws
