// Name patterns of content rules, written by whoever edits a backup set: any pattern compiles or
// is refused with a reason, matching takes time linear in the name whatever the pattern, and a
// plain wildcard pattern ("*" any run, "." and "+" literal) matches exactly the names it means.
//
// Input: the pattern on the first line, then names to match, one a line.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "clouddb/aws/NamePattern.h"
#include "clouddb/core/WildcardPattern.h"

namespace {

using fuzzsupport::require;

constexpr std::size_t kMaxNames = 8;
// Short wildcard patterns must always compile, whatever length limit longer ones meet.
constexpr std::size_t kAlwaysAcceptedWildcardLength = 100;

// Names every pattern is tried on besides the input's own.
const std::vector<std::string>& usualNames() {
  static const std::vector<std::string> names{"", "orders", "prod-orders-replica", "prod.orders+1",
                                              std::string(2000, 'a') + "x"};
  return names;
}

// A pattern made of name characters and wildcards only, whose meaning needs no expression.
bool isPlainWildcard(std::string_view pattern) {
  for (const char c : pattern) {
    const bool nameCharacter =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    if (!nameCharacter && c != '*' && c != '.' && c != '+') {
      return false;
    }
  }
  return true;
}

// The meaning of a plain wildcard pattern, matched the obvious way: the last "*" seen absorbs
// one more character whenever the rest fails.
bool wildcardMatches(std::string_view pattern, std::string_view name) {
  std::size_t p = 0;
  std::size_t n = 0;
  std::optional<std::size_t> star;
  std::size_t starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      starName = n;
    } else if (p < pattern.size() && pattern[p] == name[n]) {
      ++p;
      ++n;
    } else if (star) {
      p = *star + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') {
    ++p;
  }
  return p == pattern.size();
}

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty() && lines.size() <= kMaxNames) {
    const std::size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> lines = splitLines(fuzzsupport::asText(data, size));
  if (lines.empty()) {
    lines.emplace_back();
  }
  const std::string& pattern = lines.front();
  CLmError error;
  const std::optional<clouddb::aws::NamePattern> compiled =
      clouddb::aws::NamePattern::compile(pattern, wildcardPatternToRegex(pattern), error);
  const bool plain = isPlainWildcard(pattern);
  if (!compiled) {
    require(error.IsFailure(), "a refused pattern comes with a failure");
    require(!(plain && pattern.size() <= kAlwaysAcceptedWildcardLength), "a short wildcard pattern compiles");
    return 0;
  }
  std::vector<std::string> names(lines.begin() + 1, lines.end());
  names.insert(names.end(), usualNames().begin(), usualNames().end());
  for (const std::string& name : names) {
    const bool matched = compiled->matches(name);
    if (plain) {
      require(matched == wildcardMatches(pattern, name), "a wildcard pattern matches the names it means");
    }
  }
  return 0;
}
