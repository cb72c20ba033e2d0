#include "platform/config/ClientProperties.h"

#include "ConfigAccess.h"
#include "platform/CNMessageBase.h"
#include "platform/PlatformConfiguration.h"

namespace {

// The credentials message (module 30, class 257) and the fields this object fills.
constexpr std::uint32_t kCredentialsModule = 30;
constexpr std::uint32_t kCredentialsClass = 257;
constexpr int kPrincipalField = 1;
constexpr int kPrincipalApplicationIdField = 1;
constexpr int kPrincipalSecretField = 2;
constexpr int kSubscriptionField = 3;
constexpr int kTenantField = 4;

int readText(const config::ClientRecord* record, int status,
             const std::optional<std::string> config::ClientRecord::*member, std::string& out) {
  if (record == nullptr) return status;
  const std::optional<std::string>& value = record->*member;
  if (!value) return config::kValueNotSet;
  out = *value;
  return config::kOk;
}

}  // namespace

ClientProperties::ClientProperties(std::uint64_t clientId) : clientId_(clientId) {
  const PlatformConfiguration* configuration = config::detail::installedConfiguration();
  if (configuration == nullptr) {
    status_ = config::kNoConfiguration;
    return;
  }
  record_ = configuration->findClient(clientId);
  status_ = record_ != nullptr ? config::kOk : config::kObjectNotFound;
}

int ClientProperties::getClientName(std::string& name, void*) const {
  if (record_ == nullptr) return status_;
  name = record_->name;
  return config::kOk;
}

int ClientProperties::getAccessKey(std::string& accessKey, void*) const {
  return readText(record_, status_, &config::ClientRecord::accessKey, accessKey);
}

int ClientProperties::getSecretKey(std::string& secretKey, void*) const {
  return readText(record_, status_, &config::ClientRecord::secretKey, secretKey);
}

int ClientProperties::getCloudVSInstanceID(std::int64_t& instanceId, void*) const {
  if (record_ == nullptr) return status_;
  if (!record_->cloudVirtualServerId) return config::kValueNotSet;
  instanceId = static_cast<std::int64_t>(*record_->cloudVirtualServerId);
  return config::kOk;
}

int ClientProperties::getCloudAppsCredentials(std::string& credentialsXml, void*) const {
  if (record_ == nullptr) return status_;
  if (!record_->cloudAppsCredentials) return config::kValueNotSet;
  const config::CloudAppsCredentialsRecord& credentials = *record_->cloudAppsCredentials;
  std::unique_ptr<CNMessageBase> message = CNMessageBase::create(kCredentialsModule, kCredentialsClass);
  if (!message) return config::kMessageUnavailable;
  if (credentials.subscriptionId) message->setstring(kSubscriptionField, *credentials.subscriptionId);
  if (credentials.tenantId) message->setstring(kTenantField, *credentials.tenantId);
  if (credentials.applicationId || credentials.secret) {
    CNMessageBase* principal = message->getObjectAccessor(kPrincipalField, true);
    if (principal == nullptr) return config::kMessageUnavailable;
    if (credentials.applicationId) principal->setstring(kPrincipalApplicationIdField, *credentials.applicationId);
    if (credentials.secret) principal->setpstringobject(kPrincipalSecretField, msg::PasswordString{*credentials.secret, true});
  }
  credentialsXml = message->serialize();
  return config::kOk;
}
