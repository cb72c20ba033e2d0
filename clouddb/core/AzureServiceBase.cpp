#include "clouddb/core/AzureServiceBase.h"


#include <openssl/crypto.h>

#include "clouddb/core/AwsTexts.h"
#include "clouddb/core/AzureTexts.h"
#include "clouddb/core/CloudCredentials.h"
#include "clouddb/core/CloudDBEntityProperties.h"
#include "clouddb/core/GlobalProxySettings.h"
#include "platform/HostEnvironment.h"
#include "platform/config/ClientProperties.h"
#include "platform/config/CloudAppsInstance.h"
#include "platform/config/ConfigStatus.h"
#include "platform/config/vsAppMgr.h"

namespace {

namespace texts = clouddb::azure::texts;

constexpr char kInitTag[] = "Init";
constexpr char kFetchCredentialsTag[] = "FetchCredentials";
constexpr char kFetchClientCredentialsTag[] = "FetchClientCredentials";
constexpr char kBrowseAccountsTag[] = "BrowseAccounts";
constexpr char kAuthenticationInfoTag[] = "GetStorageAccountAuthenticationInfo";

constexpr char kDatabaseClientInitFailed[] = "Failed to initialize CloudSDKCppBridge.";
constexpr char kResourceClientInitFailed[] = "Failed to initialize AzureSDKCppBridge.";
constexpr char kNoSubscriptionId[] = "Error obtaining subscription id for instance %lu";
constexpr char kNoUserName[] = "Error obtaining user name for instance %lu";
constexpr char kNoPassword[] = "Error obtaining password for instance %lu";
constexpr char kNoTenantId[] = "Error obtaining tenant id for instance %lu";
constexpr char kNoInstanceCredentials[] = "Error obtaining credentials for instance %lu (arg %lu)";
constexpr char kClientCredentialsUnreadable[] = "Failed to read azure resource manager credentials.";
constexpr char kResourceManagerConnected[] = "Azure SDK connection successful";
constexpr char kResourceManagerConnectFailed[] = "Failed to connect to azure resource manager.";
constexpr char kAccountListFailed[] = "Failed to get Azure storage accounts list. Error [%s]";

// The clients' Initialize takes the virtual-server type of the Azure resource manager.
constexpr int kResourceManagerInstanceType = 402;
// The entity type of an account-level browse node.
constexpr std::int64_t kAccountNodeType = 52;
// The database-account listing: SQL interface accounts.
constexpr int kSqlApiAccounts = CloudSDKCppBridge::COSMOS_DB_SQL_API;

void wipe(std::string& secret) {
  OPENSSL_cleanse(secret.data(), secret.size());
  secret.clear();
}

void addAccountNode(const std::string& name, App::CloudDBEntity& parent) {
  App::CloudDBEntity node;
  node.setName(name);
  node.setIdentifier(name);
  node.setEntityType(kAccountNodeType);
  parent.addChild(node);
}

}  // namespace

AzureServiceBase::AzureServiceBase(std::int64_t instanceType) : m_instanceType(instanceType) {
  if (instanceType == kTableStorageInstanceType) {
    m_azureClient = std::make_unique<AzureSDKCppBridge::CAzureSDKCppBridge>();
  } else if (instanceType == kCosmosSqlInstanceType) {
    m_databaseClient = std::make_unique<CloudSDKCppBridge::CCloudSDKCppBridge>();
  }
}

AzureServiceBase::~AzureServiceBase() {
  // The clients go first: they may still hold the connection made with the secret.
  m_databaseClient.reset();
  m_azureClient.reset();
  wipe(m_decryptedSecret);
}

int AzureServiceBase::Init() {
  if (m_initialised) {
    return 1;
  }
  m_log.DebugLvl(kInitTag, 2, "%s", kStart);
  long long jobId = m_log.getJobId();
  if (jobId == HostEnvironment::kNoJobId) {
    jobId = 0;
  }
  const std::string focus = KWPI_Focus::getFocus();
  const std::string applicationName = m_log.getApplicationName();
  if (m_databaseClient && !m_databaseClient->Initialize(focus, applicationName, jobId, kResourceManagerInstanceType)) {
    m_log.Error(kInitTag, "%s", kDatabaseClientInitFailed);
    return 0;
  }
  if (m_azureClient && !m_azureClient->Initialize(focus, applicationName, jobId, kResourceManagerInstanceType)) {
    m_log.Error(kInitTag, "%s", kResourceClientInitFailed);
    return 0;
  }
  m_initialised = true;
  m_log.DebugLvl(kInitTag, 2, "%s", kEnd);
  return 1;
}

int AzureServiceBase::DeInit() { return 1; }

bool AzureServiceBase::openSecret(const char* tag, const char* entryKind, std::uint64_t entryId, const char* setting) {
  wipe(m_decryptedSecret);
  return cloudcredentials::openSecret(m_log, tag, {entryKind, entryId, setting}, m_secret, m_decryptedSecret) ==
         config::kOk;
}

int AzureServiceBase::FetchCredentials(unsigned long instanceId) {
  m_log.DebugLvl(kFetchCredentialsTag, 2, "%s", kStart);
  // Every way out passes the end line, a failed read's too.
  const int result = fetchInstanceCredentials(instanceId) ? 1 : 0;
  m_log.DebugLvl(kFetchCredentialsTag, 2, "%s", kEnd);
  return result;
}

bool AzureServiceBase::fetchInstanceCredentials(unsigned long instanceId) {
  m_instanceId = instanceId;
  const CloudAppsInstance instance(instanceId);
  if (instance.getAzureSubscriptionId(m_subscriptionId) != config::kOk) {
    m_log.Error(kFetchCredentialsTag, kNoSubscriptionId, instanceId);
    return false;
  }
  if (instance.getAzureUserName(m_applicationId) != config::kOk) {
    m_log.Error(kFetchCredentialsTag, kNoUserName, instanceId);
    return false;
  }
  if (instance.getAzurePassword(m_secret) != config::kOk) {
    m_log.Error(kFetchCredentialsTag, kNoPassword, instanceId);
    return false;
  }
  if (instance.getAzureTenantId(m_tenantId) != config::kOk) {
    m_log.Error(kFetchCredentialsTag, kNoTenantId, instanceId);
    return false;
  }
  if (!openSecret(kFetchCredentialsTag, "instance", instanceId, "azurePassword")) {
    return false;
  }

  vsAppMgr applicationManager;
  m_proxyCredentials.clear();
  if (applicationManager.querySettingsForInstance(instanceId) != config::kOk ||
      applicationManager.getCredentials(m_proxyCredentials) != config::kOk) {
    m_log.Error(kFetchCredentialsTag, kNoInstanceCredentials, static_cast<unsigned long>(m_instanceId), instanceId);
    return false;
  }
  proxysettings::addGlobalProxyUnlessNamed(m_log, m_proxyCredentials);
  return true;
}

int AzureServiceBase::FetchClientCredentials(unsigned long clientId) {
  m_log.DebugLvl(kFetchClientCredentialsTag, 2, "%s", kStart);
  std::string credentialsXml;
  App::CloudAppsCredentials credentials;
  if (ClientProperties(clientId).getCloudAppsCredentials(credentialsXml) != config::kOk ||
      credentials.unserialize(credentialsXml).IsFailure()) {
    m_log.Error(kFetchClientCredentialsTag, "%s", kClientCredentialsUnreadable);
    return 0;
  }
  // A member the client does not configure leaves what was there.
  if (credentials.isSet(App::CloudAppsCredentials::kSubscriptionId)) m_subscriptionId = credentials.subscriptionId();
  if (credentials.isSet(App::CloudAppsCredentials::kTenantId)) m_tenantId = credentials.tenantId();
  if (const App::AppCredentials* application = credentials.application()) {
    if (application->isSet(App::AppCredentials::kApplicationId)) m_applicationId = application->applicationId();
    if (application->isSet(App::AppCredentials::kSecret)) m_secret = application->secret().text;
  }
  if (!openSecret(kFetchClientCredentialsTag, "client", clientId, "cloudAppsCredentials.secret")) {
    return 0;
  }
  CloudDBEntityProperties().GetHTTPProxySettings(m_proxyCredentials);
  m_log.DebugLvl(kFetchClientCredentialsTag, 2, "%s", kEnd);
  return 1;
}

int AzureServiceBase::Connect() {
  return Connect(m_subscriptionId + kLoginSeparator + m_tenantId, m_applicationId, m_decryptedSecret,
                 m_proxyCredentials);
}

const SHostCredentials* AzureServiceBase::firstUsableProxy(const std::vector<SHostCredentials>& proxies) {
  for (const SHostCredentials& proxy : proxies) {
    if (proxy.kind == proxysettings::kHttpProxyKind && proxy.host != proxysettings::kNoProxyHost) {
      m_log.Debug(texts::kConnectTag, texts::kConnectingThroughProxy, proxy.host.c_str(), proxy.user.c_str());
      return &proxy;
    }
  }
  return nullptr;
}

int AzureServiceBase::Connect(const std::string& login, const std::string& user, const std::string& password,
                              const std::vector<SHostCredentials>& proxies) {
  m_log.DebugLvl(texts::kConnectTag, 2, "%s", kStart);
  if (const SHostCredentials* proxy = firstUsableProxy(proxies)) {
    if (m_databaseClient) {
      const bool taken = m_databaseClient->SetWebProxy(proxy->host, proxy->user, proxy->password);
      if (proxyRefused(taken, m_databaseClient->GetLastErrorString(), *proxy)) return 0;
    } else if (m_azureClient) {
      const bool taken = m_azureClient->SetWebProxy(proxy->host, proxy->user, proxy->password);
      if (proxyRefused(taken, m_azureClient->GetLastErrorString(), *proxy)) return 0;
    }
  }
  return Connect(login, user, password);
}

bool AzureServiceBase::proxyRefused(bool taken, const std::string& reason, const SHostCredentials& proxy) {
  if (taken) {
    return false;
  }
  cloudcredentials::logProxyRefusal(m_log, texts::kConnectTag, proxy.host, reason, proxy.password);
  m_log.Debug(texts::kConnectTag, "%s", texts::kConnectFailed);
  m_log.DebugLvl(texts::kConnectTag, 2, "%s", kEnd);
  return true;
}

void AzureServiceBase::rememberConnection(const std::string& login, const std::string& user,
                                          const std::string& password) {
  // The arguments may be the members themselves (Connect() passes its own), so copy first. The
  // login is kept apart from the subscription: folding it in would make a second Connect() on
  // this object sign in as "subscription\tenant\tenant".
  std::string clearSecret = password;
  m_login = login;
  m_applicationId = user;
  wipe(m_decryptedSecret);
  m_decryptedSecret = std::move(clearSecret);
  m_log.Debug(texts::kConnectTag, texts::kConnecting, m_login.c_str(), m_applicationId.c_str());
}

void AzureServiceBase::logRefusal(const std::string& reason) {
  cloudcredentials::logConnectRefusal(m_log, texts::kConnectTag, reason, m_decryptedSecret);
}

int AzureServiceBase::Connect(const std::string& login, const std::string& user, const std::string& password) {
  m_log.DebugLvl(texts::kConnectTag, 2, "%s", kStart);
  Init();
  rememberConnection(login, user, password);
  int result = 1;
  if (m_databaseClient) {
    if (m_databaseClient->Connect(m_login, m_applicationId, m_decryptedSecret)) {
      m_log.Debug(texts::kConnectTag, "%s", texts::kConnectionSuccessful);
    } else {
      m_log.Debug(texts::kConnectTag, "%s", texts::kConnectFailed);
      logRefusal(m_databaseClient->GetLastErrorString());
      result = 0;
    }
  }
  if (m_azureClient) {
    if (m_azureClient->Connect(m_login, m_applicationId, m_decryptedSecret)) {
      m_log.Debug(texts::kConnectTag, "%s", kResourceManagerConnected);
    } else {
      m_log.Debug(texts::kConnectTag, "%s", kResourceManagerConnectFailed);
      logRefusal(m_azureClient->GetLastErrorString());
      result = 0;
    }
  }
  m_log.DebugLvl(texts::kConnectTag, 2, "%s", kEnd);
  return result;
}

int AzureServiceBase::BrowseAccounts(bool databaseAccounts, App::CloudDBEntity& parent) {
  std::vector<std::string> names;
  bool listed = false;
  if (databaseAccounts && m_databaseClient) {
    std::vector<CloudSDKCppBridge::SStorageAccountInfo> accounts;
    listed = m_databaseClient->GetDatabaseAccountInfoList("", kSqlApiAccounts, accounts);
    for (const auto& account : accounts) names.push_back(account.name);
  } else if (!databaseAccounts && m_azureClient) {
    std::vector<VMInfoStructs::SDatastoreInfo> accounts;
    listed = m_azureClient->GetStorageAccountInfoList("", -1, -1, accounts, false);
    for (const auto& account : accounts) names.push_back(account.name);
  }
  if (!listed) {
    m_log.Error(kBrowseAccountsTag, kAccountListFailed, GetLastErrorString(databaseAccounts).c_str());
    return 0;
  }
  for (const std::string& name : names) {
    addAccountNode(name, parent);
  }
  return 1;
}

int AzureServiceBase::GetStorageAccountAuthenticationInfo(const std::string& account, std::string& first,
                                                          std::string& second) {
  if (!m_azureClient || !m_azureClient->GetTableStorageAuthenticationInfo(account, first, second)) {
    m_log.Error(kAuthenticationInfoTag, texts::kAuthenticationInfoFailed, GetLastErrorString(false).c_str());
    return 0;
  }
  if (first.empty() || second.empty()) {
    m_log.Error(kAuthenticationInfoTag, texts::kUrlOrKeyEmpty, GetLastErrorString(false).c_str());
    return 0;
  }
  return 1;
}

std::string AzureServiceBase::GetLastErrorString(bool databaseClient) const {
  if (databaseClient) {
    return m_databaseClient ? m_databaseClient->GetLastErrorString() : texts::kNoClientForAccountKind;
  }
  return m_azureClient ? m_azureClient->GetLastErrorString() : texts::kNoClientForAccountKind;
}
