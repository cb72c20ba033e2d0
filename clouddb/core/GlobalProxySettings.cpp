#include "clouddb/core/GlobalProxySettings.h"

#include <algorithm>

#include <array>
#include <cstdint>
#include <cstring>

#include <openssl/crypto.h>

#include "platform/config/ConfigStatus.h"
#include "platform/config/KWGlobalParam.h"
#include "platform/config/KWPassword.h"

namespace proxysettings {
namespace {

constexpr char kUsingProxy[] = "Using HTTP Proxy";
constexpr char kSiteUnreadable[] = "Could not get HTTP Proxy Name. Proceeding without http proxy.";
constexpr char kPortUnreadable[] = "Could not get HTTP Proxy port. Proceeding without http proxy.";
constexpr char kAuthenticationUnreadable[] = "Error fetching HTTP Proxy Authentication parameters";
constexpr char kProxySiteAndPort[] = "HTTP Proxy [%s]:[%s]";
constexpr char kUsingAuthentication[] = "Using HTTP Proxy Authentication parameters";
constexpr char kUserUnreadable[] = "Error fetching HTTP Proxy Authentication user Name";
constexpr char kPasswordUnreadable[] = "Error fetching HTTP Proxy Authentication user password";
constexpr char kPasswordDoesNotDecrypt[] = "The HTTP Proxy Authentication user password does not decrypt";
constexpr char kUnroutableAddress[] = "0.0.0.0";

constexpr std::int64_t kOff = -1;

// What one lookup has gathered so far.
struct ProxyReading {
  std::int64_t useProxy = kOff;
  std::int64_t useAuthentication = kOff;
  std::string site;
  std::string port;
  std::string user;
  std::string encryptedPassword;
  std::string clearPassword;
};

// Site, port and whether authentication is asked for; turns the proxy off when site or port
// cannot be read or the site names no reachable host.
void readSiteAndAuthentication(EvDebug& log, ProxyReading& reading) {
  bool siteAndPortRead = false;
  if (KWGlobalParam::get(SENDLOGS_HTTP_PROXY_SITE, reading.site) != config::kOk) {
    log.Debug(kTag, "%s", kSiteUnreadable);
    reading.useProxy = kOff;
  } else if (KWGlobalParam::get(SENDLOGS_HTTP_PROXY_PORT, reading.port) != config::kOk) {
    log.Debug(kTag, "%s", kPortUnreadable);
    reading.useProxy = kOff;
  } else {
    siteAndPortRead = true;
  }

  if (siteAndPortRead && isUnroutableSite(reading.site)) {
    log.Debug(kTag, "%s", kUnroutableSite);
    reading.useProxy = kOff;
  } else if (KWGlobalParam::get(HUBSERV_USE_PROXY_AUTHENTICATION, reading.useAuthentication) != config::kOk) {
    log.Debug(kTag, "%s", kAuthenticationUnreadable);
    reading.useAuthentication = kOff;
  }
  log.Debug(kTag, kProxySiteAndPort, reading.site.c_str(), reading.port.c_str());
}

// The proxy user and the clear password, kept only when both are there.
void readAuthentication(EvDebug& log, ProxyReading& reading) {
  log.Debug(kTag, "%s", kUsingAuthentication);
  if (KWGlobalParam::get(SENDLOGS_HTTP_PROXY_USER, reading.user) != config::kOk) {
    log.Debug(kTag, "%s", kUserUnreadable);
    reading.useAuthentication = kOff;
  }
  if (reading.useAuthentication > 0 &&
      KWGlobalParam::get(SENDLOGS_HTTP_PROXY_PASSWORD, reading.encryptedPassword) != config::kOk) {
    log.Debug(kTag, "%s", kPasswordUnreadable);
    reading.useAuthentication = kOff;
  }
  if (!reading.user.empty() && !reading.encryptedPassword.empty()) {
    reading.clearPassword = decryptProxyPassword(reading.encryptedPassword);
    // A password that does not open would reach the proxy as an empty one, whose refusal would
    // hide the cause.
    if (reading.clearPassword.empty()) {
      log.Error(kTag, "%s", kPasswordDoesNotDecrypt);
    }
  } else {
    log.Debug(kTag, kUserOrPasswordEmpty, reading.user.c_str());
    reading.useAuthentication = kOff;
  }
}

}  // namespace

void addGlobalProxyUnlessNamed(EvDebug& log, std::vector<SHostCredentials>& instanceEntries) {
  const bool instanceNamesAProxy =
      std::any_of(instanceEntries.begin(), instanceEntries.end(),
                  [](const SHostCredentials& entry) { return entry.kind == kHttpProxyKind; });
  if (!instanceNamesAProxy) {
    lookUpGlobalProxySettings(log, kErrorFetchingHttpProxy, instanceEntries);
  }
}

int lookUpGlobalProxySettings(EvDebug& log, const char* firstStepFailure, std::vector<SHostCredentials>& entries) {
  ProxyReading reading;
  if (KWGlobalParam::get(SENDLOGS_USE_HTTP_PROXY, reading.useProxy) != config::kOk) {
    log.Debug(kTag, "%s", firstStepFailure);
    reading.useProxy = kOff;
  } else if (reading.useProxy > 0) {
    log.Debug(kTag, "%s", kUsingProxy);
    readSiteAndAuthentication(log, reading);
    if (reading.useAuthentication > 0) {
      readAuthentication(log, reading);
    }
  }
  // A proxy used without authentication carries no user, as the connect hands both on as a pair.
  const bool authenticated = reading.useAuthentication > 0;
  storeProxyEntry(reading.useProxy > 0, reading.site, reading.port, authenticated ? reading.user : std::string(),
                  authenticated ? reading.clearPassword : std::string(), entries);
  OPENSSL_cleanse(reading.clearPassword.data(), reading.clearPassword.size());
  return 1;
}

bool isUnroutableSite(const std::string& site) { return site == kUnroutableAddress; }

std::string decryptProxyPassword(const std::string& encrypted) {
  std::array<char, KWPassword::kBufferBytes> buffer{};
  std::string clear;
  if (KWPassword::decrypt(encrypted, buffer.data(), buffer.size()) == config::kOk) {
    clear.assign(buffer.data(), ::strnlen(buffer.data(), buffer.size()));
  }
  OPENSSL_cleanse(buffer.data(), buffer.size());
  return clear;
}

void storeProxyEntry(bool useProxy, const std::string& site, const std::string& port, const std::string& user,
                     const std::string& clearPassword, std::vector<SHostCredentials>& entries) {
  SHostCredentials entry;
  entry.host = useProxy ? site + ":" + port : std::string(kNoProxyHost);
  entry.user = user;
  entry.password = clearPassword;
  entry.kind = kHttpProxyKind;
  entries.clear();
  entries.push_back(std::move(entry));
}

}  // namespace proxysettings
