#pragma once
// What every configuration object shares: the installed configuration and secret decryption.
#include <string>
#include <string_view>

class PlatformConfiguration;

namespace config::detail {

// The configuration of the current HostEnvironment, or null when none is installed.
const PlatformConfiguration* installedConfiguration();

// Decrypts a stored secret with the current host key: kOk and clear filled, or kNoHostKey /
// kSecretRefused and clear untouched.
int decryptSecret(std::string_view stored, std::string& clear);

}  // namespace config::detail
