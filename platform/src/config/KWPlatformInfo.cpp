#include "platform/config/KWPlatformInfo.h"

#include <unistd.h>

#include <array>

#include "ConfigAccess.h"
#include "platform/PlatformConfiguration.h"
#include "platform/config/ConfigStatus.h"

std::string KWPlatformInfo::getPhysicalMachine() {
  const PlatformConfiguration* configuration = config::detail::installedConfiguration();
  if (configuration != nullptr && configuration->machineName()) return *configuration->machineName();
  std::array<char, 256> name{};
  if (::gethostname(name.data(), name.size() - 1) != 0) return {};
  return name.data();
}

KWClient::KWClient(std::string clientName) : clientName_(std::move(clientName)) {}

int KWClient::getClientId(std::uint64_t& clientId) const {
  const PlatformConfiguration* configuration = config::detail::installedConfiguration();
  if (configuration == nullptr) return config::kNoConfiguration;
  const config::ClientRecord* client = configuration->findClientByName(clientName_);
  if (client == nullptr) return config::kObjectNotFound;
  clientId = client->id;
  return config::kOk;
}
