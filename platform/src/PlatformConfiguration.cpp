#include "platform/PlatformConfiguration.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

using config::InstanceKind;

CLmError loadFailure(std::string_view origin, const std::string& what) {
  return CLmError(PlatformConfiguration::kLoadFailureCode, std::string(origin) + ": " + what);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

// Builds the id index of one table; the first duplicate id is reported.
template <typename Record, typename Key>
bool indexRecords(const std::vector<Record>& records, Key key, std::map<std::uint64_t, std::size_t>& index,
                  std::uint64_t& duplicate) {
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (!index.emplace(key(records[i]), i).second) {
      duplicate = key(records[i]);
      return false;
    }
  }
  return true;
}

template <typename Record>
const Record* lookup(const std::vector<Record>& records, const std::map<std::uint64_t, std::size_t>& index,
                     std::uint64_t id) {
  const auto found = index.find(id);
  return found == index.end() ? nullptr : &records[found->second];
}

}  // namespace

PlatformConfiguration::PlatformConfiguration(config::ConfigurationContents contents) : contents_(std::move(contents)) {}

CLmError PlatformConfiguration::LoadFile(const std::string& path, std::unique_ptr<const PlatformConfiguration>& out) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return loadFailure(path, std::string("cannot be read: ") + std::strerror(errno));
  std::ostringstream text;
  text << file.rdbuf();
  return LoadText(text.str(), path, out);
}

CLmError PlatformConfiguration::FromContents(config::ConfigurationContents contents, std::string_view origin,
                                             std::unique_ptr<const PlatformConfiguration>& out) {
  std::unique_ptr<PlatformConfiguration> made(new PlatformConfiguration(std::move(contents)));
  const config::ConfigurationContents& c = made->contents_;
  std::uint64_t duplicate = 0;
  if (!indexRecords(c.instances, [](const auto& r) { return r.id; }, made->instanceIndex_, duplicate)) {
    return loadFailure(origin, "instance id " + std::to_string(duplicate) + " is configured twice");
  }
  if (!indexRecords(c.clients, [](const auto& r) { return r.id; }, made->clientIndex_, duplicate)) {
    return loadFailure(origin, "client id " + std::to_string(duplicate) + " is configured twice");
  }
  if (!indexRecords(c.backupSets, [](const auto& r) { return r.id; }, made->backupSetIndex_, duplicate)) {
    return loadFailure(origin, "backup set id " + std::to_string(duplicate) + " is configured twice");
  }
  if (!indexRecords(c.subclients, [](const auto& r) { return r.id; }, made->subclientIndex_, duplicate)) {
    return loadFailure(origin, "subclient id " + std::to_string(duplicate) + " is configured twice");
  }
  if (!indexRecords(c.appManagerSettings, [](const auto& r) { return r.instanceId; }, made->settingsIndex_,
                    duplicate)) {
    return loadFailure(origin, "application-manager settings of instance " + std::to_string(duplicate) +
                                   " are configured twice");
  }
  for (std::size_t i = 0; i < c.globalParameters.size(); ++i) {
    if (!made->globalIndex_.emplace(c.globalParameters[i].name, i).second) {
      return loadFailure(origin, "global parameter '" + c.globalParameters[i].name + "' is configured twice");
    }
  }

  for (const auto& instance : c.instances) {
    if (instance.clientId && made->findClient(*instance.clientId) == nullptr) {
      return loadFailure(origin, "instance " + std::to_string(instance.id) + ": clientId " +
                                     std::to_string(*instance.clientId) + " is not a configured client");
    }
  }
  for (const auto& client : c.clients) {
    const config::InstanceRecord* server =
        client.cloudVirtualServerId ? made->findInstance(*client.cloudVirtualServerId) : nullptr;
    if (client.cloudVirtualServerId && (server == nullptr || server->kind != InstanceKind::VirtualServer)) {
      return loadFailure(origin, "client " + std::to_string(client.id) + ": cloudVirtualServerId " +
                                     std::to_string(*client.cloudVirtualServerId) + " is not a configured virtual server");
    }
  }
  for (const auto& backupSet : c.backupSets) {
    const config::InstanceRecord* owner = backupSet.instanceId ? made->findInstance(*backupSet.instanceId) : nullptr;
    if (backupSet.instanceId && owner == nullptr) {
      return loadFailure(origin, "backup set " + std::to_string(backupSet.id) + ": instanceId " +
                                     std::to_string(*backupSet.instanceId) + " is not a configured instance");
    }
  }
  for (const auto& subclient : c.subclients) {
    if (made->findBackupSet(subclient.backupSetId) == nullptr) {
      return loadFailure(origin, "subclient " + std::to_string(subclient.id) + ": backupSetId " +
                                     std::to_string(subclient.backupSetId) + " is not a configured backup set");
    }
  }
  for (const auto& settings : c.appManagerSettings) {
    if (made->findInstance(settings.instanceId) == nullptr) {
      return loadFailure(origin, "application-manager settings name instance " + std::to_string(settings.instanceId) +
                                     ", which is not configured");
    }
  }
  out = std::move(made);
  return {};
}

const config::InstanceRecord* PlatformConfiguration::findInstance(std::uint64_t id) const {
  return lookup(contents_.instances, instanceIndex_, id);
}

const config::ClientRecord* PlatformConfiguration::findClient(std::uint64_t id) const {
  return lookup(contents_.clients, clientIndex_, id);
}

const config::ClientRecord* PlatformConfiguration::findClientByName(std::string_view name) const {
  for (const auto& client : contents_.clients) {
    if (equalsIgnoringCase(client.name, name)) return &client;
  }
  return nullptr;
}

const config::BackupSetRecord* PlatformConfiguration::findBackupSet(std::uint64_t id) const {
  return lookup(contents_.backupSets, backupSetIndex_, id);
}

const config::SubclientRecord* PlatformConfiguration::findSubclient(std::uint64_t id) const {
  return lookup(contents_.subclients, subclientIndex_, id);
}

const config::GlobalParameterRecord* PlatformConfiguration::findGlobalParameter(std::string_view name) const {
  const auto found = globalIndex_.find(name);
  return found == globalIndex_.end() ? nullptr : &contents_.globalParameters[found->second];
}

const config::AppManagerSettingsRecord* PlatformConfiguration::findAppManagerSettings(std::uint64_t instanceId) const {
  return lookup(contents_.appManagerSettings, settingsIndex_, instanceId);
}

std::vector<const config::InstanceRecord*> PlatformConfiguration::instancesOfClient(
    std::uint64_t clientId, std::uint64_t applicationType) const {
  std::vector<const config::InstanceRecord*> found;
  for (const auto& instance : contents_.instances) {
    if (instance.kind != InstanceKind::VirtualServer && instance.clientId == clientId &&
        instance.applicationType == applicationType) {
      found.push_back(&instance);
    }
  }
  return found;
}

std::vector<const config::BackupSetRecord*> PlatformConfiguration::backupSetsOfInstance(std::uint64_t instanceId) const {
  std::vector<const config::BackupSetRecord*> found;
  for (const auto& backupSet : contents_.backupSets) {
    if (backupSet.instanceId == instanceId) found.push_back(&backupSet);
  }
  return found;
}

std::vector<const config::SubclientRecord*> PlatformConfiguration::subclientsOfBackupSet(std::uint64_t backupSetId) const {
  std::vector<const config::SubclientRecord*> found;
  for (const auto& subclient : contents_.subclients) {
    if (subclient.backupSetId == backupSetId) found.push_back(&subclient);
  }
  return found;
}
