#include "platform/config/Subclient.h"

#include "ConfigAccess.h"
#include "platform/PlatformConfiguration.h"

Subclient::Subclient(std::uint64_t subclientId) : subclientId_(subclientId) {
  const PlatformConfiguration* configuration = config::detail::installedConfiguration();
  if (configuration == nullptr) {
    status_ = config::kNoConfiguration;
    return;
  }
  record_ = configuration->findSubclient(subclientId);
  if (record_ == nullptr) return;
  const config::BackupSetRecord* backupSet = configuration->findBackupSet(record_->backupSetId);
  if (backupSet != nullptr && backupSet->instanceId) owner_ = configuration->findInstance(*backupSet->instanceId);
  status_ = config::kOk;
}

int Subclient::getSubclientName(std::string& name, void*) const {
  if (record_ == nullptr) return status_;
  name = record_->name;
  return config::kOk;
}

int Subclient::getBackupSetId(std::uint64_t& backupSetId, void*) const {
  if (record_ == nullptr) return status_;
  backupSetId = record_->backupSetId;
  return config::kOk;
}

int Subclient::getInstanceId(std::uint64_t& instanceId, void*) const {
  if (record_ == nullptr) return status_;
  if (owner_ == nullptr) return config::kValueNotSet;
  instanceId = owner_->id;
  return config::kOk;
}

int Subclient::read(const std::optional<std::string> config::SubclientRecord::*member, std::string& out) const {
  if (record_ == nullptr) return status_;
  const std::optional<std::string>& value = record_->*member;
  if (!value) return config::kValueNotSet;
  out = *value;
  return config::kOk;
}

int CloudAppsSubclient::getDynamicContent(std::string& content, void*) const {
  return read(&config::SubclientRecord::dynamicContent, content);
}

int GoogleCloudSpannerSubclient::getSubclientInfo(std::string& info, void*) const {
  return read(&config::SubclientRecord::subclientInfo, info);
}

int OracleCloudSubclient::getContentXML(std::string& content, void*) const {
  return read(&config::SubclientRecord::contentXml, content);
}
