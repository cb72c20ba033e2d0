#include "platform/config/KWGlobalParam.h"

#include <charconv>
#include <limits>

#include "ConfigAccess.h"
#include "platform/PlatformConfiguration.h"
#include "platform/config/ConfigStatus.h"

namespace {

// The setting, or null with the reason in status.
const config::GlobalValue* findSetting(std::string_view name, int& status) {
  const PlatformConfiguration* configuration = config::detail::installedConfiguration();
  if (configuration == nullptr) {
    status = config::kNoConfiguration;
    return nullptr;
  }
  const config::GlobalParameterRecord* record = configuration->findGlobalParameter(name);
  status = record != nullptr ? config::kOk : config::kValueNotSet;
  return record != nullptr ? &record->value : nullptr;
}

bool parseWholeNumber(std::string_view text, std::int64_t& value) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

}  // namespace

int KWGlobalParam::get(std::string_view name, std::string& value) {
  int status = config::kOk;
  const config::GlobalValue* setting = findSetting(name, status);
  if (setting == nullptr) return status;
  if (const auto* text = std::get_if<std::string>(setting)) {
    value = *text;
  } else {
    value = std::to_string(std::get<std::int64_t>(*setting));
  }
  return config::kOk;
}

int KWGlobalParam::get(std::string_view name, std::int64_t& value) {
  int status = config::kOk;
  const config::GlobalValue* setting = findSetting(name, status);
  if (setting == nullptr) return status;
  if (const auto* number = std::get_if<std::int64_t>(setting)) {
    value = *number;
    return config::kOk;
  }
  std::int64_t parsed = 0;
  if (!parseWholeNumber(std::get<std::string>(*setting), parsed)) return config::kValueNotInteger;
  value = parsed;
  return config::kOk;
}

int KWGlobalParam::get(std::string_view name, int& value) {
  std::int64_t wide = 0;
  const int status = get(name, wide);
  if (status != config::kOk) return status;
  if (wide < std::numeric_limits<int>::min() || wide > std::numeric_limits<int>::max()) {
    return config::kValueNotInteger;
  }
  value = static_cast<int>(wide);
  return config::kOk;
}
