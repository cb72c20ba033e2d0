#include "clouddb/core/CloudCredentials.h"

#include <openssl/crypto.h>

#include "platform/HostKey.h"
#include "platform/config/ClientProperties.h"
#include "platform/config/ConfigStatus.h"
#include "platform/config/vsAppMgr.h"

namespace cloudcredentials {

namespace {

constexpr char kNotShown[] = "***NOT SHOWN***";

// text with every occurrence of the secret masked, so that a cloud echoing it cannot leak it.
std::string masked(std::string text, const std::string& secret) {
  if (!secret.empty()) {
    for (std::size_t at = text.find(secret); at != std::string::npos; at = text.find(secret, at)) {
      text.replace(at, secret.size(), kNotShown);
      at += sizeof(kNotShown) - 1;
    }
  }
  return text;
}

}  // namespace

void readClientKeys(std::uint64_t clientId, std::string& accessKey, std::string& secret) {
  const ClientProperties properties(clientId);
  properties.getAccessKey(accessKey, nullptr);
  properties.getSecretKey(secret, nullptr);
}

std::string decryptSecret(const std::string& stored) {
  std::string clear;
  if (HostKey::LooksEncrypted(stored)) {
    vsAppMgr::decryptPassword(stored, clear);
    return clear;
  }
  return stored;
}

int openSecret(EvEvent& log, const char* tag, const SecretSetting& where, const std::string& stored,
               std::string& clear) {
  OPENSSL_cleanse(clear.data(), clear.size());
  clear.clear();
  if (!HostKey::LooksEncrypted(stored)) {
    clear = stored;
    return config::kOk;
  }
  const int result = vsAppMgr::decryptPassword(stored, clear);
  if (result != config::kOk) {
    logUndecryptableSecret(log, tag, where, result);
    clear.clear();
  }
  return result;
}

SecretSetting clientSecretSetting(std::uint64_t clientId, std::uint64_t instanceId) {
  if (clientId != 0) return SecretSetting{"client", clientId, "secretKey"};
  if (instanceId != 0) return SecretSetting{"instance", instanceId, "secretKey"};
  return SecretSetting{"request", 0, "secretKey"};
}

bool secretDidNotDecrypt(int readResult) {
  return readResult == config::kSecretRefused || readResult == config::kNoHostKey;
}

void logUndecryptableSecret(EvEvent& log, const char* tag, const SecretSetting& where, int readResult) {
  log.Error(tag, kSecretDoesNotDecrypt, where.entryKind, static_cast<unsigned long long>(where.entryId), where.setting,
            config::describeStatus(readResult));
}


void logConnectRefusal(EvEvent& log, const char* tag, const std::string& reason, const std::string& secret) {
  log.Error(tag, kCloudRefusedConnect, masked(reason, secret).c_str());
}

void logProxyRefusal(EvEvent& log, const char* tag, const std::string& proxy, const std::string& reason,
                     const std::string& secret) {
  log.Error(tag, kProxyRefused, proxy.c_str(), masked(reason, secret).c_str());
}

}  // namespace cloudcredentials
