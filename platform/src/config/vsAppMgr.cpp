#include "platform/config/vsAppMgr.h"

#include <openssl/crypto.h>

#include "ConfigAccess.h"
#include "platform/PlatformConfiguration.h"
#include "platform/config/ConfigStatus.h"

vsAppMgr::~vsAppMgr() { resetCredentials(); }

int vsAppMgr::querySettingsForInstance(std::uint64_t instanceId) {
  resetCredentials();
  const PlatformConfiguration* configuration = config::detail::installedConfiguration();
  if (configuration == nullptr) return config::kNoConfiguration;
  if (configuration->findInstance(instanceId) == nullptr) return config::kObjectNotFound;

  std::vector<SHostCredentials> loaded;
  if (const config::AppManagerSettingsRecord* settings = configuration->findAppManagerSettings(instanceId)) {
    for (const config::StoredHostCredential& stored : settings->credentials) {
      SHostCredentials record{stored.name, stored.host, stored.user, {}, stored.kind};
      if (!stored.password.empty()) {
        const int status = decryptPassword(stored.password, record.password);
        if (status != config::kOk) return status;
      }
      loaded.push_back(std::move(record));
    }
  }
  credentials_ = std::move(loaded);
  return config::kOk;
}

int vsAppMgr::getCredentials(std::vector<SHostCredentials>& credentials) const {
  if (!credentials_) return config::kNoSettingsQueried;
  credentials = *credentials_;
  return config::kOk;
}

void vsAppMgr::resetCredentials() {
  if (credentials_) {
    for (SHostCredentials& record : *credentials_) OPENSSL_cleanse(record.password.data(), record.password.size());
  }
  credentials_.reset();
}

int vsAppMgr::decryptPassword(std::string_view encrypted, std::string& clear) {
  return config::detail::decryptSecret(encrypted, clear);
}
