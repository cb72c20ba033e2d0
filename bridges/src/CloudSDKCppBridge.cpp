// The Azure resource-manager client for database (Cosmos DB) accounts: sign-in and proxy as the
// Azure resource client's, the subscription's database accounts, and the REST listings of an
// account's databases and containers.
#include "bridges/CloudSDKCppBridge.h"

#include <algorithm>

#include "AzureClientSession.h"
#include "AzureResourceNames.h"
#include "CosmosRestClient.h"
#include "SimulatedCall.h"

namespace CloudSDKCppBridge {

using cloudsim::CallFailure;

struct CCloudSDKCppBridge::State {
  cloudbridge::AzureClientSession session{CloudBridgeKind::AzureResourceManager};
};

namespace {

// The kind of database account each browse type lists.
constexpr const char* kSqlApiKind = "GlobalDocumentDB";

const char* flagText(bool flag) { return flag ? "true" : "false"; }

void replaceWithNames(std::vector<SString>& out, const std::vector<std::string>& names) {
  out.clear();
  for (const std::string& name : names) out.push_back(SString{name});
}

}  // namespace

CCloudSDKCppBridge::CCloudSDKCppBridge() : state_(std::make_unique<State>()) {}

CCloudSDKCppBridge::~CCloudSDKCppBridge() = default;

bool CCloudSDKCppBridge::Initialize(const std::string& focusName, const std::string& applicationName,
                                    long long jobId, int instanceType) {
  return state_->session.initialize(focusName, applicationName, jobId, instanceType);
}

bool CCloudSDKCppBridge::Connect(const std::string& login, const std::string& applicationId,
                                 const std::string& password) {
  return state_->session.connect(login, applicationId, password);
}

bool CCloudSDKCppBridge::SetWebProxy(const std::string& hostAndPort, const std::string& user,
                                     const std::string& password) {
  return state_->session.setWebProxy(hostAndPort, user, password);
}

std::string CCloudSDKCppBridge::GetLastErrorString() const { return state_->session.lastError(); }

bool CCloudSDKCppBridge::GetDatabaseAccountInfoList(const std::string& filter, int browseType,
                                                    std::vector<SStorageAccountInfo>& out) {
  out.clear();
  return state_->session.callManagement(
      "GetDatabaseAccountInfoList", {filter, std::to_string(browseType)},
      [&](const cloudsim::AzureSubscription& subscription) -> CallFailure {
        if (browseType != COSMOS_DB_SQL_API) {
          return "Unsupported database account browse type " + std::to_string(browseType);
        }
        for (const cloudsim::AzureDatabaseAccount& account : subscription.databaseAccounts) {
          if (account.kind != kSqlApiKind || (!filter.empty() && account.name != filter)) continue;
          out.push_back(SStorageAccountInfo{account.name, account.endpoint, account.location, account.kind});
        }
        return std::nullopt;
      });
}

bool CCloudSDKCppBridge::GetCosmosDBAuthenticationInfo(const std::string& account, std::string& accountAddress,
                                                       std::string& key) {
  accountAddress.clear();
  key.clear();
  return state_->session.callManagement(
      "GetCosmosDBAuthenticationInfo", {account},
      [&](const cloudsim::AzureSubscription& subscription) -> CallFailure {
        const auto& accounts = subscription.databaseAccounts;
        const auto found = std::find_if(accounts.begin(), accounts.end(),
                                        [&](const cloudsim::AzureDatabaseAccount& candidate) {
                                          return candidate.name == account;
                                        });
        if (found == accounts.end()) {
          return cloudbridge::azureResourceNotFound(cloudbridge::kDatabaseAccountType, account,
                                                    subscription.subscriptionId);
        }
        accountAddress = found->endpoint;
        key = found->key;
        return std::nullopt;
      });
}

bool CCloudSDKCppBridge::ListCosmosDBDatabases(const std::string& accountAddress, const std::string& key,
                                               bool useGateway, std::vector<SString>& out) {
  out.clear();
  std::vector<std::string> names;
  const bool listed = state_->session.callPeer(
      "ListCosmosDBDatabases", {accountAddress, cloudbridge::kNotShown, flagText(useGateway)},
      cloudbridge::cosmosServiceHost(accountAddress),
      [&] { return cloudbridge::listCosmosFeed(accountAddress, key, cloudbridge::databasesFeed(), names); });
  if (listed) replaceWithNames(out, names);
  return listed;
}

bool CCloudSDKCppBridge::ListCosmosDBContainers(const std::string& accountAddress, const std::string& key,
                                                const std::string& database, bool useGateway,
                                                std::vector<SString>& out) {
  out.clear();
  std::vector<std::string> names;
  const bool listed = state_->session.callPeer(
      "ListCosmosDBContainers", {accountAddress, cloudbridge::kNotShown, database, flagText(useGateway)},
      cloudbridge::cosmosServiceHost(accountAddress), [&]() -> CallFailure {
        const std::optional<cloudbridge::CosmosFeed> feed = cloudbridge::containersFeed(database);
        if (!feed) return "Invalid database name \"" + database + "\"";
        return cloudbridge::listCosmosFeed(accountAddress, key, *feed, names);
      });
  if (listed) replaceWithNames(out, names);
  return listed;
}

}  // namespace CloudSDKCppBridge
