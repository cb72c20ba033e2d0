#include "clouddb/core/AmazonServiceBase.h"

#include <string>

#include <openssl/crypto.h>

#include "clouddb/core/CloudCredentials.h"
#include "clouddb/core/GlobalProxySettings.h"
#include "clouddb/core/WildcardPattern.h"
#include "platform/HostEnvironment.h"
#include "platform/config/ApplicationId.h"
#include "platform/config/CloudAppsInstance.h"
#include "platform/config/ConfigStatus.h"
#include "platform/config/HTTPProxySettingsHelper.h"
#include "platform/config/KWPlatformInfo.h"
#include "platform/config/vsAppMgr.h"
#include "platform/messages/App.h"

namespace {


constexpr char kConstructorTag[] = "AmazonServiceBase";
constexpr char kInitTag[] = "Init";
constexpr char kConnectTag[] = "Connect";
constexpr char kDisconnectTag[] = "Disconnect";
constexpr char kFetchCredentialsTag[] = "FetchCredentials";
constexpr char kFetchClientCredentialsTag[] = "FetchClientCredentials";
constexpr char kRegionListTag[] = "GetRegionList";

constexpr char kFocusLine[] = "AmazonServiceBase Focus:[%s] App:[%s] JobId:[%lld]";
constexpr char kNoJobLine[] =
    "AmazonServiceBase Focus: Job ID is -123456 setting it to Zero before calling SetAmazonFcous";
constexpr char kFocusFailed[] = "AmazonServiceBase::SetAmazonFcous Failed";
constexpr char kConnectFailed[] = "AmazonServiceBase::Connect failed";
constexpr char kConnectThroughProxiesFailed[] = "AmazonServiceBase::Connect::Connect failed";
constexpr char kRegionListFailed[] = "Failed to refresh region list list . Error [%s]";
constexpr char kClientLookupFailed[] = "Error during client lookup.";
constexpr char kProxyForClient[] = "get http settings for clientid [%lu]";

// The bridge names no job with 0.
constexpr long long kBridgeNoJob = 0;
// SetWebProxy's last argument: a plain HTTP proxy.
constexpr int kPlainHttpProxy = 0;

// The proxy the platform answered, as the entry the connects consume. A host of exactly
// "0.0.0.0" names no reachable proxy; a user or password missing means no authentication.
void storeAnsweredProxy(EvEvent& log, const App::HTTPProxySettings& answer, std::vector<SHostCredentials>& entries) {
  const bool answered = answer.isSet(App::HTTPProxySettings::kHost) && answer.useProxy() != 0;
  const std::string site = answered ? answer.host() : std::string();
  if (!answered || proxysettings::isUnroutableSite(site)) {
    if (answered) log.Debug(proxysettings::kTag, "%s", proxysettings::kUnroutableSite);
    proxysettings::storeProxyEntry(false, site, std::string(), std::string(), std::string(), entries);
    return;
  }

  std::string user;
  std::string clearPassword;
  if (answer.useAuthentication() != 0) {
    const App::UserCredentials* credentials = answer.credentials();
    const std::string answeredUser = credentials != nullptr ? credentials->user() : std::string();
    const msg::PasswordString password = credentials != nullptr ? credentials->password() : msg::PasswordString{};
    if (!answeredUser.empty() && !password.text.empty()) {
      user = answeredUser;
      clearPassword = password.encrypted ? proxysettings::decryptProxyPassword(password.text) : password.text;
    } else {
      log.Debug(proxysettings::kTag, proxysettings::kUserOrPasswordEmpty, answeredUser.c_str());
    }
  }
  proxysettings::storeProxyEntry(true, site, std::to_string(answer.port()), user, clearPassword, entries);
  OPENSSL_cleanse(clearPassword.data(), clearPassword.size());
}

}  // namespace

AmazonServiceBase::AmazonServiceBase()
    : m_bridge(std::make_unique<AmazonSDKCppBridge::CAmazonSDKCppBridge>()) {
  m_log.DebugLvl(kConstructorTag, 2, "%s", kStart);
}

AmazonServiceBase::AmazonServiceBase(AmazonSDKCppBridge::CloudInfoCloudType cloudType)
    : m_cloudType(cloudType), m_bridge(std::make_unique<AmazonSDKCppBridge::CAmazonSDKCppBridge>()) {}

AmazonServiceBase::~AmazonServiceBase() {
  // The bridge goes first: it may still hold the connection made with the members below.
  m_bridge.reset();
  OPENSSL_cleanse(m_decryptedSecret.data(), m_decryptedSecret.size());
  OPENSSL_cleanse(m_password.data(), m_password.size());
}

int AmazonServiceBase::Init() {
  m_log.DebugLvl(kInitTag, 2, "%s", kStart);
  long long jobId = m_log.getJobId();
  const std::string focus = KWPI_Focus::getFocus();
  const std::string applicationName = m_log.getApplicationName();
  m_log.Debug(kInitTag, kFocusLine, focus.c_str(), applicationName.c_str(), jobId);
  if (jobId == HostEnvironment::kNoJobId) {
    m_log.Debug(kInitTag, "%s", kNoJobLine);
    jobId = kBridgeNoJob;
  }
  if (!m_bridge->initialize(focus, applicationName, jobId)) {
    m_log.Debug(kInitTag, "%s", kFocusFailed);
  }
  m_log.DebugLvl(kInitTag, 2, "%s", kEnd);
  return 1;
}

int AmazonServiceBase::DeInit() { return 1; }

int AmazonServiceBase::Connect() { return Connect(m_regionEndpoint, m_accessKey, m_decryptedSecret, m_proxyCredentials); }

int AmazonServiceBase::Connect(const std::string& url, const std::string& user, const std::string& password) {
  return connectWith(url, user, password, nullptr, kConnectFailed);
}

int AmazonServiceBase::Connect(const std::string& url, const std::string& user, const std::string& password,
                               const std::vector<SHostCredentials>& proxies) {
  return connectWith(url, user, password, &proxies, kConnectThroughProxiesFailed);
}

int AmazonServiceBase::connectWith(const std::string& url, const std::string& user, const std::string& password,
                                   const std::vector<SHostCredentials>* proxies, const char* failureLine) {
  m_log.DebugLvl(kConnectTag, 2, "%s", kStart);
  Init();
  m_url = url;
  m_user = user;
  m_password = password;
  m_log.Debug(kConnectTag, kConnecting, m_url.c_str(), m_user.c_str());
  bool proxyTaken = true;
  if (proxies != nullptr) {
    // Only the first usable HTTP proxy entry counts; the lone ":" stands for "no proxy".
    for (const SHostCredentials& proxy : *proxies) {
      if (proxy.kind == proxysettings::kHttpProxyKind && proxy.host != proxysettings::kNoProxyHost) {
        proxyTaken = m_bridge->SetWebProxy(proxy.host, proxy.user, proxy.password, kPlainHttpProxy);
        if (!proxyTaken) {
          cloudcredentials::logProxyRefusal(m_log, kConnectTag, proxy.host, m_bridge->GetLastErrorString(),
                                            proxy.password);
        }
        break;
      }
    }
  }
  const bool connected = proxyTaken && m_bridge->Connect(m_url, m_user, m_password, m_cloudType);
  m_log.Debug(kConnectTag, "%s", connected ? kConnected : failureLine);
  if (!connected && proxyTaken) {
    cloudcredentials::logConnectRefusal(m_log, kConnectTag, m_bridge->GetLastErrorString(), m_password);
  }
  m_log.DebugLvl(kConnectTag, 2, "%s", kEnd);
  return connected ? 1 : 0;
}

int AmazonServiceBase::Disconnect() {
  m_log.DebugLvl(kDisconnectTag, 2, "%s", kStart);
  m_bridge->Disconnect();
  m_log.DebugLvl(kDisconnectTag, 2, "%s", kEnd);
  return 1;
}

int AmazonServiceBase::FetchCredentials(unsigned long instanceId) {
  m_log.DebugLvl(kFetchCredentialsTag, 2, "%s", kStart);
  m_instanceId = instanceId;
  // Unreadable values keep what was there; a missing key or secret fails the connect later.
  const CloudAppsInstance instance(instanceId);
  instance.getAccessKey(m_accessKey);
  instance.getSecretKey(m_secretKey);
  instance.getRegionEndPoints(m_regionEndpoint);
  if (!decryptSecret({"instance", instanceId, "secretKey"})) {
    return 0;
  }

  // The instance's own host credential records (its proxy among them) replace the list.
  vsAppMgr applicationManager;
  applicationManager.resetCredentials();
  m_proxyCredentials.clear();
  if (applicationManager.querySettingsForInstance(instanceId) == config::kOk) {
    applicationManager.getCredentials(m_proxyCredentials);
  }
  proxysettings::addGlobalProxyUnlessNamed(m_log, m_proxyCredentials);
  m_log.DebugLvl(kFetchCredentialsTag, 2, "%s", kEnd);
  return 1;
}

int AmazonServiceBase::FetchClientCredentials(unsigned long clientId) {
  m_log.DebugLvl(kFetchClientCredentialsTag, 2, "%s", kStart);
  if (clientId != 0) {
    cloudcredentials::readClientKeys(clientId, m_accessKey, m_secretKey);
  }
  // Also without a client: the caller may have set the keys itself.
  const cloudcredentials::SecretSetting where = cloudcredentials::clientSecretSetting(clientId, m_instanceId);
  if (!decryptSecret(where)) {
    return 0;
  }
  GetHTTPProxySettings();
  m_log.DebugLvl(kFetchClientCredentialsTag, 2, "%s", kEnd);
  return 1;
}

std::string AmazonServiceBase::GetLastErrorString() const { return m_bridge->GetLastErrorString(); }

std::string AmazonServiceBase::prepareForRegex(const std::string& pattern) const {
  return wildcardPatternToRegex(pattern);
}

int AmazonServiceBase::GetRegionList(std::vector<VMInfoStructs::SDataCenterInfo>& out, int first, int count) {
  const auto firstRecord = static_cast<unsigned long long>(first);
  if (m_bridge->RefreshDCInfoList(firstRecord, count) > 0 && m_bridge->GetDCInfoList(out, firstRecord, count)) {
    return 1;
  }
  m_log.Error(kRegionListTag, kRegionListFailed, m_bridge->GetLastErrorString().c_str());
  return 0;
}

int AmazonServiceBase::GetHTTPProxySettings() {
  if (!proxyFromPlatform()) {
    proxysettings::lookUpGlobalProxySettings(m_log, proxysettings::kErrorFetchingHttpProxy, m_proxyCredentials);
  }
  return 1;
}

bool AmazonServiceBase::proxyFromPlatform() {
  // The request still goes out when the local client is unknown; it then names client 0.
  std::uint64_t localClientId = 0;
  if (KWClient(KWPlatformInfo::getPhysicalMachine()).getClientId(localClientId) != config::kOk) {
    m_log.Error(proxysettings::kTag, "%s", kClientLookupFailed);
    localClientId = 0;
  }
  m_log.DebugLvl(proxysettings::kTag, 2, kProxyForClient, static_cast<unsigned long>(localClientId));

  App::GetHTTPProxySettingsReq request;
  request.mutableClient().setClientId(static_cast<std::int64_t>(localClientId));
  request.setKind(0);
  request.setFlags(0);
  App::HTTPProxySettings answer;
  std::string errorText;
  if (HTTPProxySettingsHelper::GetHTTPProxySettings(request, answer, errorText) != config::kOk ||
      !errorText.empty()) {
    return false;
  }
  storeAnsweredProxy(m_log, answer, m_proxyCredentials);
  return true;
}

bool AmazonServiceBase::decryptSecret(const cloudcredentials::SecretSetting& where) {
  return cloudcredentials::openSecret(m_log, kFetchCredentialsTag, where, m_secretKey, m_decryptedSecret) ==
         config::kOk;
}

CLmError AmazonServiceBase::MakeConnection(const unsigned long& appId) {
  const ApplicationId application(ApplicationId::kSubclient, appId);
  const Instance* owner = application.getInstance();
  if (owner == nullptr) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, kAwsLookupErrorCode, kInstanceNotFoundForAppId, appId);
  }
  const std::uint64_t instanceId = owner->getInstanceId();
  if (instanceId != 0 && FetchCredentials(instanceId) != 1) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, kAwsLookupErrorCode, kFetchCredentialsFailedForInstance, instanceId);
  }
  if (FetchClientCredentials(m_clientId) != 1) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, kAwsLookupErrorCode, kFetchCredentialsFailedForClient, m_clientId);
  }
  if (Connect() != 1) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, kAwsLookupErrorCode, kAwsConnectFailedForInstance, instanceId);
  }
  return CLmError();
}
