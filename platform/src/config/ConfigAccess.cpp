#include "ConfigAccess.h"

#include "platform/HostEnvironment.h"
#include "platform/HostKey.h"
#include "platform/config/ConfigStatus.h"

namespace config::detail {

const PlatformConfiguration* installedConfiguration() { return HostEnvironment::current().configuration; }

int decryptSecret(std::string_view stored, std::string& clear) {
  const HostKey* key = HostEnvironment::current().hostKey;
  if (key == nullptr) return kNoHostKey;
  std::string opened;
  if (key->decrypt(stored, opened)) return kSecretRefused;
  clear = std::move(opened);
  return kOk;
}

}  // namespace config::detail
