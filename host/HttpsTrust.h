#pragma once
// Which extra certificate authority the platform's HTTPS client trusts besides the system's:
// the --https-ca option when given, else the configuration's global setting "https.extraCaFile"
// (a relative path there is taken from the configuration file's folder), else none. Tests and
// the demo trust their throw-away CA this way instead of switching verification off.
#include <optional>
#include <string>

class PlatformConfiguration;

namespace host {

inline constexpr char kHttpsCaOption[] = "https-ca";
inline constexpr char kHttpsCaSetting[] = "https.extraCaFile";

std::string extraCaFile(const std::optional<std::string>& option, const PlatformConfiguration& configuration,
                        const std::string& configurationFile);

}  // namespace host
