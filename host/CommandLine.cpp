#include "CommandLine.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace host {
namespace {

constexpr std::int64_t kUsageErrorCode = -22;  // EINVAL: the user asked for something we cannot parse

const OptionSpec* findSpec(std::span<const OptionSpec> specs, std::string_view name) {
  auto found =
      std::find_if(specs.begin(), specs.end(), [&](const OptionSpec& optionSpec) { return optionSpec.name == name; });
  return found == specs.end() ? nullptr : &*found;
}

template <typename Number>
CLmError parseNumber(std::string_view option, std::string_view text, Number& value) {
  Number parsed{};
  int base = 10;
  std::string_view digits = text;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits.remove_prefix(2);
  }
  const char* end = digits.data() + digits.size();
  auto [stop, failure] = std::from_chars(digits.data(), end, parsed, base);
  if (digits.empty() || failure != std::errc{} || stop != end) {
    return usageError("--" + std::string(option) + ": '" + std::string(text) + "' is not a number");
  }
  value = parsed;
  return {};
}

}  // namespace

bool ParsedArguments::has(std::string_view name) const {
  return options_.find(name) != options_.end();
}

std::optional<std::string> ParsedArguments::value(std::string_view name) const {
  auto found = options_.find(name);
  if (found == options_.end() || found->second.empty()) {
    return std::nullopt;
  }
  return found->second.back();
}

std::string ParsedArguments::valueOr(std::string_view name, std::string fallback) const {
  return value(name).value_or(std::move(fallback));
}

std::vector<std::string> ParsedArguments::values(std::string_view name) const {
  auto found = options_.find(name);
  return found == options_.end() ? std::vector<std::string>{} : found->second;
}

void ParsedArguments::add(std::string_view name, std::string value) {
  options_[std::string(name)].push_back(std::move(value));
}

CLmError parseArguments(std::span<const OptionSpec> specs, std::span<const std::string> arguments,
                        ParsedArguments& parsed) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view word = arguments[i];
    if (word.size() < 3 || !word.starts_with("--")) {
      parsed.addPositional(std::string(word));
      continue;
    }
    word.remove_prefix(2);
    std::optional<std::string> inlineValue;
    if (auto equals = word.find('='); equals != std::string_view::npos) {
      inlineValue = std::string(word.substr(equals + 1));
      word = word.substr(0, equals);
    }
    const OptionSpec* optionSpec = findSpec(specs, word);
    if (optionSpec == nullptr) {
      return usageError("unknown option --" + std::string(word) + " (see --help)");
    }
    if (optionSpec->valueName.empty()) {
      if (inlineValue) {
        return usageError("--" + std::string(word) + " takes no value");
      }
      parsed.add(word, "");
      continue;
    }
    if (inlineValue) {
      parsed.add(word, std::move(*inlineValue));
    } else if (i + 1 < arguments.size()) {
      parsed.add(word, arguments[++i]);
    } else {
      return usageError("--" + std::string(word) + " needs a value " + std::string(optionSpec->valueName));
    }
  }
  return {};
}

std::string renderHelp(std::string_view usage, std::string_view summary, std::span<const OptionSpec> specs) {
  std::ostringstream text;
  text << "usage: " << usage << "\n";
  if (!summary.empty()) {
    text << "\n" << summary << "\n";
  }
  if (!specs.empty()) {
    text << "\noptions:\n";
  }
  for (const OptionSpec& optionSpec : specs) {
    std::string left = "  --" + std::string(optionSpec.name);
    if (!optionSpec.valueName.empty()) {
      left += " " + std::string(optionSpec.valueName);
    }
    text << left;
    constexpr std::size_t kHelpColumn = 28;
    text << (left.size() < kHelpColumn ? std::string(kHelpColumn - left.size(), ' ')
                                       : std::string("\n") + std::string(kHelpColumn, ' '));
    text << optionSpec.help << "\n";
  }
  return text.str();
}

CLmError parseUnsigned(std::string_view option, std::string_view text, std::uint64_t& value) {
  return parseNumber(option, text, value);
}

CLmError parseSigned(std::string_view option, std::string_view text, std::int64_t& value) {
  return parseNumber(option, text, value);
}

CLmError usageError(std::string message) {
  return CLmError(kUsageErrorCode, std::move(message));
}

}  // namespace host
