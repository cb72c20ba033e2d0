// The platform configuration file, as an administrator might get it wrong: loading gives a
// complete configuration or a failure that says where, and a loaded one answers every lookup.
#include <memory>

#include "FuzzSupport.h"
#include "platform/PlatformConfiguration.h"

namespace {

using fuzzsupport::require;

// What the host asks of a loaded configuration: each listed object is found by its id.
void checkLookups(const PlatformConfiguration& configuration) {
  const config::ConfigurationContents& contents = configuration.contents();
  for (const auto& instance : contents.instances) {
    require(configuration.findInstance(instance.id) != nullptr, "a listed instance is found");
    (void)configuration.backupSetsOfInstance(instance.id);
    (void)configuration.findAppManagerSettings(instance.id);
  }
  for (const auto& client : contents.clients) {
    require(configuration.findClient(client.id) != nullptr, "a listed client is found");
    require(configuration.findClientByName(client.name) != nullptr, "a listed client is found by name");
  }
  for (const auto& backupSet : contents.backupSets) {
    require(configuration.findBackupSet(backupSet.id) != nullptr, "a listed backup set is found");
    (void)configuration.subclientsOfBackupSet(backupSet.id);
  }
  for (const auto& subclient : contents.subclients) {
    require(configuration.findSubclient(subclient.id) != nullptr, "a listed subclient is found");
  }
  for (const auto& parameter : contents.globalParameters) {
    require(configuration.findGlobalParameter(parameter.name) != nullptr, "a listed global parameter is found");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<const PlatformConfiguration> configuration;
  const CLmError error = PlatformConfiguration::LoadText(fuzzsupport::asText(data, size), "fuzz", configuration);
  if (error.IsFailure()) {
    require(configuration == nullptr, "a refused file gives no configuration");
    require(!error.message().empty(), "a refusal says why");
    return 0;
  }
  require(configuration != nullptr, "a loaded file gives a configuration");
  checkLookups(*configuration);
  return 0;
}
