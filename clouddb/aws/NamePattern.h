#pragma once
// A content rule's name pattern, compiled once per rule.
//
// The wildcard text becomes an anchored ECMAScript expression (prepared by the provider); an
// expression that does not compile (an unbalanced bracket, say) is reported as an errno-kind
// error 774 instead of letting the regex library's exception out.
#include <optional>
#include <regex>
#include <string>

#include "platform/CLmError.h"

namespace clouddb::aws {

inline constexpr char kInvalidNamePattern[] = "Name pattern '%s' is not a valid expression: %s";

class NamePattern {
 public:
  // Compiles expression (made from pattern); on failure error is set and the pattern matches nothing.
  static std::optional<NamePattern> compile(const std::string& pattern, const std::string& expression, CLmError& error);

  bool matches(const std::string& name) const { return std::regex_match(name, expression_); }

 private:
  explicit NamePattern(std::regex expression) : expression_(std::move(expression)) {}
  std::regex expression_;
};

}  // namespace clouddb::aws
