#pragma once
// CommandLine: the options of one clouddb-host command.
//
// Each command declares its options once (name, whether it takes a value, help text); parsing
// checks the arguments against that declaration, so an unknown or incomplete option is refused
// with a message that names it, and --help prints the same declaration.
// Options are written "--name value" or "--name=value"; an option may be given more than once
// (values() returns them in order). Words that are not options are positionals.
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CLmError.h"

namespace host {

struct OptionSpec {
  std::string_view name;       // without the leading dashes
  std::string_view valueName;  // empty: a flag without a value
  std::string_view help;
};

class ParsedArguments {
 public:
  bool has(std::string_view name) const;
  // The last value given for the option, if any.
  std::optional<std::string> value(std::string_view name) const;
  std::string valueOr(std::string_view name, std::string fallback) const;
  std::vector<std::string> values(std::string_view name) const;
  const std::vector<std::string>& positionals() const { return positionals_; }

  void add(std::string_view name, std::string value);
  void addPositional(std::string value) { positionals_.push_back(std::move(value)); }

 private:
  std::map<std::string, std::vector<std::string>, std::less<>> options_;
  std::vector<std::string> positionals_;
};

CLmError parseArguments(std::span<const OptionSpec> specs, std::span<const std::string> arguments,
                        ParsedArguments& parsed);

// "usage" line, then one line per option with its value name and help.
std::string renderHelp(std::string_view usage, std::string_view summary, std::span<const OptionSpec> specs);

// Whole-text numbers; anything else (sign where none fits, trailing text, overflow) is refused.
CLmError parseUnsigned(std::string_view option, std::string_view text, std::uint64_t& value);
CLmError parseSigned(std::string_view option, std::string_view text, std::int64_t& value);

// An error of the command line: the message is shown to the user as is.
CLmError usageError(std::string message);

}  // namespace host
