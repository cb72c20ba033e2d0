#include "clouddb/core/CloudCredentials.h"

#include "platform/HostKey.h"
#include "platform/config/ClientProperties.h"
#include "platform/config/ConfigStatus.h"
#include "platform/config/vsAppMgr.h"

namespace cloudcredentials {

void readClientKeys(std::uint64_t clientId, std::string& accessKey, std::string& secret) {
  const ClientProperties properties(clientId);
  properties.getAccessKey(accessKey, nullptr);
  properties.getSecretKey(secret, nullptr);
}

std::string decryptSecret(const std::string& stored) {
  if (!HostKey::LooksEncrypted(stored)) {
    return stored;
  }
  std::string clear;
  if (vsAppMgr::decryptPassword(stored, clear) != config::kOk) {
    clear.clear();
  }
  return clear;
}

}  // namespace cloudcredentials
