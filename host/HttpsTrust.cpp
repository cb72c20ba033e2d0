#include "HttpsTrust.h"

#include <filesystem>
#include <variant>

#include "platform/PlatformConfiguration.h"

namespace host {

std::string extraCaFile(const std::optional<std::string>& option, const PlatformConfiguration& configuration,
                        const std::string& configurationFile) {
  if (option) {
    return *option;
  }
  const config::GlobalParameterRecord* setting = configuration.findGlobalParameter(kHttpsCaSetting);
  if (setting == nullptr || !std::holds_alternative<std::string>(setting->value)) {
    return {};
  }
  const std::filesystem::path path = std::get<std::string>(setting->value);
  if (path.empty() || path.is_absolute()) {
    return path.string();
  }
  return (std::filesystem::path(configurationFile).parent_path() / path).string();
}

}  // namespace host
