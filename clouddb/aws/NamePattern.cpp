#include "clouddb/aws/NamePattern.h"

#include <re2/re2.h>

#include "platform/FXErrorUtil.h"

namespace clouddb::aws {

namespace {

// Enough for any pattern within the length limit; a compiled program never grows past it.
constexpr std::int64_t kMaxCompiledBytes = std::int64_t{8} << 20;

RE2::Options engineOptions() {
  RE2::Options options;
  options.set_encoding(RE2::Options::EncodingLatin1);  // byte for byte, as names are stored
  options.set_case_sensitive(true);
  options.set_log_errors(false);  // refusals travel as errors, never to standard error
  options.set_max_mem(kMaxCompiledBytes);
  return options;
}

}  // namespace

NamePattern::NamePattern(std::unique_ptr<re2::RE2> expression) : expression_(std::move(expression)) {}
NamePattern::NamePattern(NamePattern&&) noexcept = default;
NamePattern& NamePattern::operator=(NamePattern&&) noexcept = default;
NamePattern::~NamePattern() = default;

std::optional<NamePattern> NamePattern::compile(const std::string& pattern, const std::string& expression,
                                                CLmError& error) {
  if (pattern.size() > kMaxNamePatternLength) {
    const std::string reason = "longer than " + std::to_string(kMaxNamePatternLength) + " characters";
    error = FXErrorUtil::ErrorErrNo(CLM_HERE, 774, kInvalidNamePattern,
                                    (pattern.substr(0, 64) + "...").c_str(), reason.c_str());
    return std::nullopt;
  }
  auto compiled = std::make_unique<re2::RE2>(expression, engineOptions());
  if (!compiled->ok()) {
    error = FXErrorUtil::ErrorErrNo(CLM_HERE, 774, kInvalidNamePattern, pattern.c_str(), compiled->error().c_str());
    return std::nullopt;
  }
  return NamePattern(std::move(compiled));
}

bool NamePattern::matches(const std::string& name) const { return RE2::FullMatch(name, *expression_); }

}  // namespace clouddb::aws
