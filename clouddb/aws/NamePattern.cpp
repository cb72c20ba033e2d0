#include "clouddb/aws/NamePattern.h"

#include "platform/FXErrorUtil.h"

namespace clouddb::aws {

std::optional<NamePattern> NamePattern::compile(const std::string& pattern, const std::string& expression,
                                                CLmError& error) {
  try {
    return NamePattern(std::regex(expression, std::regex::ECMAScript));
  } catch (const std::regex_error& failure) {
    error = FXErrorUtil::ErrorErrNo(CLM_HERE, 774, kInvalidNamePattern, pattern.c_str(), failure.what());
    return std::nullopt;
  }
}

}  // namespace clouddb::aws
