#include "platform/config/ClientApplicationList.h"

#include "ConfigAccess.h"
#include "platform/PlatformConfiguration.h"

namespace {

template <typename Record>
void fillLists(const std::vector<const Record*>& records, std::vector<std::uint64_t>& ids,
               std::vector<std::string>& names) {
  std::vector<std::uint64_t> foundIds;
  std::vector<std::string> foundNames;
  for (const Record* record : records) {
    foundIds.push_back(record->id);
    foundNames.push_back(record->name);
  }
  ids = std::move(foundIds);
  names = std::move(foundNames);
}

}  // namespace

ClientApplicationList::ClientApplicationList(std::uint64_t clientId, std::uint64_t applicationType)
    : clientId_(clientId), applicationType_(applicationType) {
  configuration_ = config::detail::installedConfiguration();
  if (configuration_ == nullptr) {
    status_ = config::kNoConfiguration;
  } else if (configuration_->findClient(clientId) != nullptr) {
    status_ = config::kOk;
  }
}

bool ClientApplicationList::ownsInstance(std::uint64_t instanceId) const {
  const config::InstanceRecord* instance = configuration_->findInstance(instanceId);
  return instance != nullptr && instance->clientId == clientId_ && instance->applicationType == applicationType_;
}

int ClientApplicationList::getInstanceList(std::vector<std::uint64_t>& ids, std::vector<std::string>& names) const {
  if (status_ != config::kOk) return status_;
  fillLists(configuration_->instancesOfClient(clientId_, applicationType_), ids, names);
  return config::kOk;
}

int ClientApplicationList::getBackupSetList(std::uint64_t instanceId, std::vector<std::uint64_t>& ids,
                                            std::vector<std::string>& names) const {
  if (status_ != config::kOk) return status_;
  if (!ownsInstance(instanceId)) return config::kObjectNotFound;
  fillLists(configuration_->backupSetsOfInstance(instanceId), ids, names);
  return config::kOk;
}

int ClientApplicationList::getSubclientList(std::uint64_t backupSetId, std::vector<std::uint64_t>& ids,
                                            std::vector<std::string>& names) const {
  if (status_ != config::kOk) return status_;
  const config::BackupSetRecord* backupSet = configuration_->findBackupSet(backupSetId);
  if (backupSet == nullptr || !backupSet->instanceId || !ownsInstance(*backupSet->instanceId)) {
    return config::kObjectNotFound;
  }
  fillLists(configuration_->subclientsOfBackupSet(backupSetId), ids, names);
  return config::kOk;
}
