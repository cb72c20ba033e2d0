#pragma once
// PlatformConfiguration: the host's configuration of instances, clients, backup sets and
// subclients, virtual servers, global parameters and application-manager settings, loaded from
// one JSON file (docs/platform-configuration.md).
//
// Contract:
//  - Load either gives a complete configuration or a failure whose message names the file, the
//    place in it ("instances[2].secretKey", "line 4, column 7") and what is wrong. A file with
//    an unknown member, a wrong kind of value, a duplicate id, a reference to an object that is
//    not configured, or a secret that is not stored encrypted is refused as a whole.
//  - Immutable after load: every lookup is const and answers null for an id that is not
//    configured. The configuration objects of platform/config/ read it through the installed
//    HostEnvironment.
//  - Lists keep the order of the file.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CLmError.h"
#include "platform/config/ConfigurationRecords.h"

class PlatformConfiguration {
 public:
  // Every load failure carries this code.
  static constexpr std::int64_t kLoadFailureCode = -22;

  static CLmError LoadFile(const std::string& path, std::unique_ptr<const PlatformConfiguration>& out);
  // origin names the text in failure messages (a path, or "test").
  static CLmError LoadText(std::string_view json, std::string_view origin,
                           std::unique_ptr<const PlatformConfiguration>& out);

  // Checks that the contents refer only to configured objects and hold unique ids, then makes the
  // configuration. Used by the loader; tests may build contents directly.
  static CLmError FromContents(config::ConfigurationContents contents, std::string_view origin,
                               std::unique_ptr<const PlatformConfiguration>& out);

  const config::ConfigurationContents& contents() const { return contents_; }
  const std::optional<std::string>& machineName() const { return contents_.machineName; }

  const config::InstanceRecord* findInstance(std::uint64_t id) const;
  const config::ClientRecord* findClient(std::uint64_t id) const;
  // Client names compare without regard to ASCII case, as host names do.
  const config::ClientRecord* findClientByName(std::string_view name) const;
  const config::BackupSetRecord* findBackupSet(std::uint64_t id) const;
  const config::SubclientRecord* findSubclient(std::uint64_t id) const;
  const config::GlobalParameterRecord* findGlobalParameter(std::string_view name) const;
  const config::AppManagerSettingsRecord* findAppManagerSettings(std::uint64_t instanceId) const;

  // The application instances (not virtual servers) of a client configured under one
  // application type, the backup sets of an instance and the subclients of a backup set.
  std::vector<const config::InstanceRecord*> instancesOfClient(std::uint64_t clientId,
                                                               std::uint64_t applicationType) const;
  std::vector<const config::BackupSetRecord*> backupSetsOfInstance(std::uint64_t instanceId) const;
  std::vector<const config::SubclientRecord*> subclientsOfBackupSet(std::uint64_t backupSetId) const;

 private:
  explicit PlatformConfiguration(config::ConfigurationContents contents);

  config::ConfigurationContents contents_;
  std::map<std::uint64_t, std::size_t> instanceIndex_;
  std::map<std::uint64_t, std::size_t> clientIndex_;
  std::map<std::uint64_t, std::size_t> backupSetIndex_;
  std::map<std::uint64_t, std::size_t> subclientIndex_;
  std::map<std::uint64_t, std::size_t> settingsIndex_;
  std::map<std::string, std::size_t, std::less<>> globalIndex_;
};
