#include "clouddb/azure/CAzureCosmosSQLInfo.h"

#include "clouddb/azure/AzureListingJson.h"
#include "clouddb/core/AwsTexts.h"
#include "clouddb/core/AzureTexts.h"
#include "platform/KWLibCurl.h"

namespace {

namespace texts = clouddb::azure::texts;
using clouddb::azure::ListingRead;

constexpr char kBrowseDatabasesTag[] = "BrowseDatabases";
constexpr char kBrowseContainersTag[] = "BrowseContainers";
constexpr char kQueryContainersTag[] = "queryContainers";

constexpr char kDatabaseListFailed[] = "Failed to get Database list. Error [%s]";
constexpr char kContainerListFailed[] = "Failed to get Container list. Error [%s]";
constexpr char kFoundDatabases[] = "Found %zu databases";
constexpr char kFoundDatabase[] = "Found database: [%s]";
constexpr char kFoundContainers[] = "Found %zu containers";
constexpr char kFoundContainer[] = "Found container: [%s]";
constexpr char kQueryCollectionsFailed[] = "Query collections failed with ";
constexpr char kNotAnArray[] = "Query Collections did not return an array";
constexpr char kUnnamedCollection[] = "Query Collections returned a collection without a text id; the listing is refused";

constexpr std::int64_t kDatabaseNodeType = 44;
constexpr std::int64_t kContainerNodeType = 45;
// The listings go through the account's own endpoint, not a gateway.
constexpr bool kThroughGateway = false;

void addNode(const std::string& name, const std::string& parentName, std::int64_t type, App::CloudDBEntity& parent) {
  App::CloudDBEntity node;
  node.setName(name);
  node.setIdentifier(name);
  node.setRegion(parentName);
  node.setEntityType(type);
  parent.addChild(node);
}

}  // namespace

CAzureCosmosSQLInfo::CAzureCosmosSQLInfo(DaxEnvironment& environment)
    : CAzureTableStorageInfo(environment, kCosmosSqlInstanceType) {}

CAzureCosmosSQLInfo::CAzureCosmosSQLInfo() : CAzureTableStorageInfo(kCosmosSqlInstanceType) {}

CAzureCosmosSQLInfo::~CAzureCosmosSQLInfo() = default;

int CAzureCosmosSQLInfo::Connect(const std::string& subscription, const std::string& applicationId,
                                 const std::string& secret) {
  m_log.DebugLvl(texts::kConnectTag, 2, "%s", kStart);
  Init();
  rememberConnection(subscription, applicationId, secret);
  int result = 0;
  if (databaseClient() != nullptr &&
      databaseClient()->Connect(m_login, m_applicationId, m_decryptedSecret)) {
    m_log.Debug(texts::kConnectTag, "%s", texts::kConnectionSuccessful);
    result = 1;
  } else {
    m_log.Debug(texts::kConnectTag, "%s", texts::kConnectFailed);
    logRefusal(GetLastErrorString(true));
  }
  m_log.DebugLvl(texts::kConnectTag, 2, "%s", kEnd);
  return result;
}

int CAzureCosmosSQLInfo::Connect(const std::string& subscription, const std::string& applicationId,
                                 const std::string& secret, const std::vector<SHostCredentials>& proxies) {
  m_log.DebugLvl(texts::kConnectTag, 2, "%s", kStart);
  Init();
  if (const SHostCredentials* proxy = firstUsableProxy(proxies); proxy != nullptr && databaseClient() != nullptr) {
    const bool taken = databaseClient()->SetWebProxy(proxy->host, proxy->user, proxy->password);
    if (proxyRefused(taken, databaseClient()->GetLastErrorString(), *proxy)) return 0;
  }
  return Connect(subscription, applicationId, secret);
}

bool CAzureCosmosSQLInfo::BrowseDatabases(const std::string& account, App::CloudDBEntity& parent) {
  if (!ObtainCredentials(account, true)) {
    return false;
  }
  std::vector<CloudSDKCppBridge::SString> databases;
  if (!databaseClient()->ListCosmosDBDatabases(m_accountUrl, m_accessKey, kThroughGateway, databases)) {
    m_log.Error(kBrowseDatabasesTag, kDatabaseListFailed, GetLastErrorString(true).c_str());
    return false;
  }
  m_log.Debug(kBrowseDatabasesTag, kFoundDatabases, databases.size());
  for (const CloudSDKCppBridge::SString& database : databases) {
    m_log.Debug(kBrowseDatabasesTag, kFoundDatabase, database.value.c_str());
    addNode(database.value, account, kDatabaseNodeType, parent);
  }
  return true;
}

bool CAzureCosmosSQLInfo::BrowseContainers(const std::string& account, const std::string& database,
                                           App::CloudDBEntity& parent) {
  if (!ObtainCredentials(account, true)) {
    return false;
  }
  std::vector<CloudSDKCppBridge::SString> containers;
  if (!databaseClient()->ListCosmosDBContainers(m_accountUrl, m_accessKey, database, kThroughGateway, containers)) {
    m_log.Error(kBrowseContainersTag, kContainerListFailed, GetLastErrorString(true).c_str());
    return false;
  }
  m_log.Debug(kBrowseContainersTag, kFoundContainers, containers.size());
  const std::string parentName = account + "/" + database;
  for (const CloudSDKCppBridge::SString& container : containers) {
    m_log.Debug(kBrowseContainersTag, kFoundContainer, container.value.c_str());
    addNode(container.value, parentName, kContainerNodeType, parent);
  }
  return true;
}

bool CAzureCosmosSQLInfo::queryContainers(const std::string& database, std::vector<std::string>& containers) {
  AzureTableRequest request = baseRequest("");
  request.path = "dbs/" + KWLibCurl::EscapeUrlText(database) + "/colls";
  const AzureTableResponse response = execute(request);
  if (response.status != 200) {
    report(kQueryContainersTag, kQueryCollectionsFailed + std::to_string(response.status));
    return false;
  }
  switch (clouddb::azure::readCollectionIds(response.body, containers)) {
    case ListingRead::kNotAnArray:
      report(kQueryContainersTag, kNotAnArray);
      return false;
    case ListingRead::kUnnamedEntry:
      report(kQueryContainersTag, kUnnamedCollection);
      return false;
    case ListingRead::kRead:
      break;
  }
  return true;
}
