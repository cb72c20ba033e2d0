// The Azure resource client's sign-in, proxy and storage accounts. The relational listing is in
// AzureRelationalBridge.cpp.
#include "bridges/AzureSDKCppBridge.h"

#include <algorithm>

#include "AwsQueries.h"
#include "AzureBridgeState.h"
#include "AzureResourceNames.h"
#include "FixtureModel.h"

namespace AzureSDKCppBridge {

using cloudsim::CallFailure;

namespace {

// first: -1 or an index; count: -1, 0 (both: to the end) or a number of accounts.
CallFailure checkAccountRange(int first, int count) {
  if (first >= -1 && count >= -1) return std::nullopt;
  return "Invalid record range: first " + std::to_string(first) + ", count " + std::to_string(count);
}

std::vector<VMInfoStructs::SDatastoreInfo> storageAccountsOf(const cloudsim::AzureSubscription& subscription,
                                                             const std::string& filter, bool withKeys) {
  std::vector<VMInfoStructs::SDatastoreInfo> found;
  for (const cloudsim::AzureStorageAccount& account : subscription.storageAccounts) {
    if (!filter.empty() && account.name != filter) continue;
    found.push_back(VMInfoStructs::SDatastoreInfo{
        account.name,
        cloudbridge::azureResourceId(subscription.subscriptionId, account.resourceGroup,
                                     cloudbridge::kStorageAccountType, account.name),
        account.location, account.kind, withKeys ? account.accessKey : std::string()});
  }
  return found;
}

}  // namespace

CAzureSDKCppBridge::CAzureSDKCppBridge() : state_(std::make_unique<State>()) {}

CAzureSDKCppBridge::~CAzureSDKCppBridge() = default;

bool CAzureSDKCppBridge::Initialize(const std::string& focusName, const std::string& applicationName, long long jobId,
                                    int instanceType) {
  return state_->session.initialize(focusName, applicationName, jobId, instanceType);
}

bool CAzureSDKCppBridge::Connect(const std::string& login, const std::string& applicationId,
                                 const std::string& password) {
  state_->instances.clear();
  return state_->session.connect(login, applicationId, password);
}

void CAzureSDKCppBridge::Disconnect() {
  state_->session.disconnect();
  state_->instances.clear();
}

bool CAzureSDKCppBridge::SetWebProxy(const std::string& hostAndPort, const std::string& user,
                                     const std::string& password) {
  return state_->session.setWebProxy(hostAndPort, user, password);
}

std::string CAzureSDKCppBridge::GetLastErrorString() const { return state_->session.lastError(); }

bool CAzureSDKCppBridge::GetStorageAccountInfoList(const std::string& filter, int first, int count,
                                                   std::vector<VMInfoStructs::SDatastoreInfo>& out,
                                                   bool withKeys) {
  return state_->session.callManagement(
      "GetStorageAccountInfoList", {filter, std::to_string(first), std::to_string(count), withKeys ? "true" : "false"},
      [&](const cloudsim::AzureSubscription& subscription) -> CallFailure {
        if (auto bad = checkAccountRange(first, count)) return bad;
        const auto slice = cloudsim::sliceOf(storageAccountsOf(subscription, filter, withKeys),
                                             static_cast<unsigned long long>(std::max(first, 0)), std::max(count, 0));
        out.insert(out.end(), slice.begin(), slice.end());
        return std::nullopt;
      });
}

bool CAzureSDKCppBridge::GetTableStorageAuthenticationInfo(const std::string& storageAccount,
                                                           std::string& serviceAddress, std::string& accessKey) {
  serviceAddress.clear();
  accessKey.clear();
  return state_->session.callManagement(
      "GetTableStorageAuthenticationInfo", {storageAccount},
      [&](const cloudsim::AzureSubscription& subscription) -> CallFailure {
        const auto& accounts = subscription.storageAccounts;
        const auto account = std::find_if(accounts.begin(), accounts.end(),
                                          [&](const cloudsim::AzureStorageAccount& candidate) {
                                            return candidate.name == storageAccount;
                                          });
        if (account == accounts.end()) {
          return cloudbridge::azureResourceNotFound(cloudbridge::kStorageAccountType, storageAccount,
                                                    subscription.subscriptionId);
        }
        serviceAddress = account->tableEndpoint;
        accessKey = account->accessKey;
        return std::nullopt;
      });
}

}  // namespace AzureSDKCppBridge
