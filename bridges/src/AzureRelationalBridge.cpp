// The Azure resource client's sign-in and relational listing: an application signs in to a
// subscription of its tenant; the listing names the subscription's database servers.
#include <algorithm>

#include "AmazonBridgeState.h"  // argumentText, filterText
#include "AwsQueries.h"
#include "AwsSession.h"
#include "RelationalServers.h"
#include "SimulatedCall.h"
#include "bridges/AzureSDKCppBridge.h"

namespace AzureSDKCppBridge {

using cloudsim::CallFailure;

namespace {

constexpr CloudBridgeKind kBridge = CloudBridgeKind::Azure;
constexpr const char* kLoginHost = "login.microsoftonline.com";
constexpr const char* kServiceHost = "management.azure.com";
// The virtual-server instance type whose calls this client serves.
constexpr int kServedInstanceType = 402;

// Checks an application's sign-in as Azure Active Directory would; the login is
// "SUBSCRIPTION\TENANT".
CallFailure authenticateAzure(const cloudsim::CloudFixture& fixture, const std::string& login,
                              const std::string& applicationId, const std::string& password, std::size_t& account) {
  const std::size_t backslash = login.find('\\');
  const std::string subscription = login.substr(0, std::min(backslash, login.size()));
  const std::string tenant = backslash == std::string::npos ? std::string() : login.substr(backslash + 1);
  const auto& subscriptions = fixture.azureSubscriptions;
  auto ofTenant = [&](const cloudsim::AzureSubscription& candidate) { return candidate.tenantId == tenant; };
  if (tenant.empty() || std::none_of(subscriptions.begin(), subscriptions.end(), ofTenant)) {
    return "AADSTS90002: Tenant '" + tenant +
           "' not found. Check to make sure you have the correct tenant ID and are signing into the correct cloud.";
  }
  auto ofApplication = [&](const cloudsim::AzureSubscription& candidate) {
    return ofTenant(candidate) && candidate.applicationId == applicationId;
  };
  const auto application = std::find_if(subscriptions.begin(), subscriptions.end(), ofApplication);
  if (application == subscriptions.end()) {
    return "AADSTS700016: Application with identifier '" + applicationId + "' was not found in the directory '" +
           tenant + "'.";
  }
  // A secret still in its encrypted form is just a wrong secret to the cloud.
  if (password.empty() || application->password != password ||
      password.rfind(cloudsim::kEncryptedSecretPrefix, 0) == 0) {
    return "AADSTS7000215: Invalid client secret provided. Ensure the secret being sent in the request is the "
           "client secret value, not the client secret ID, for a secret added to app '" +
           applicationId + "'.";
  }
  for (std::size_t index = 0; index < subscriptions.size(); ++index) {
    if (ofApplication(subscriptions[index]) && subscriptions[index].subscriptionId == subscription) {
      account = index;
      return std::nullopt;
    }
  }
  return "The subscription '" + subscription + "' could not be found.";
}

}  // namespace

bool CAzureSDKCppBridge::Initialize(const std::string& focusName, const std::string& applicationName, long long jobId,
                                    int instanceType) {
  return cloudbridge::simulatedCall(
      kBridge, "Initialize", {focusName, applicationName, std::to_string(jobId), std::to_string(instanceType)},
      connection_,
      [&](cloudsim::SimulatedClouds&, RecordedCall&) -> CallFailure {
        if (instanceType != kServedInstanceType) {
          return "Unsupported virtual server instance type " + std::to_string(instanceType);
        }
        return std::nullopt;
      },
      lastError_);
}

bool CAzureSDKCppBridge::Connect(const std::string& login, const std::string& applicationId,
                                 const std::string& password) {
  instances_.clear();
  return cloudbridge::signIn(
      kBridge, "Connect", {login, applicationId, cloudbridge::kNotShown}, connection_,
      [&](const cloudsim::CloudFixture& fixture, std::size_t& account) {
        return authenticateAzure(fixture, login, applicationId, password, account);
      },
      kLoginHost, lastError_);
}

void CAzureSDKCppBridge::Disconnect() {
  cloudbridge::signOut(kBridge, connection_, lastError_);
  instances_.clear();
}

std::string CAzureSDKCppBridge::GetLastErrorString() const {
  return lastError_;
}

int CAzureSDKCppBridge::RefreshDBInstanceInfoList(unsigned long long first, int count, const std::string& location,
                                                  const std::string& serverName) {
  return RefreshDBInstanceInfoList(first, count, location, serverName, RDSInfoStructs::SDBInstanceFilter{});
}

int CAzureSDKCppBridge::RefreshDBInstanceInfoList(unsigned long long first, int count, const std::string& location,
                                                  const std::string& serverName,
                                                  const RDSInfoStructs::SDBInstanceFilter& filter) {
  instances_.clear();
  std::vector<RDSInfoStructs::SDBInstanceInfo> found;
  const bool ok = cloudbridge::simulatedCall(
      kBridge, "RefreshDBInstanceInfoList",
      {AmazonSDKCppBridge::argumentText(first), std::to_string(count), location, serverName,
       AmazonSDKCppBridge::filterText(filter)},
      connection_,
      [&](cloudsim::SimulatedClouds& clouds, RecordedCall&) -> CallFailure {
        if (auto unusable = cloudbridge::checkConnection(connection_, clouds, kServiceHost)) return unusable;
        if (auto bad = cloudsim::checkRange(first, count)) return bad;
        if (auto bad = cloudsim::checkInstanceFilter(filter)) return bad;
        const cloudsim::AzureSubscription& subscription = clouds.fixture.azureSubscriptions[connection_->account];
        const cloudsim::RelationalNaming naming{"/subscriptions/" + subscription.subscriptionId + "/servers/",
                                                ".database.azure.com"};
        found = cloudsim::selectRelationalServers(subscription.databaseServers, filter, naming);
        std::erase_if(found, [&](const RDSInfoStructs::SDBInstanceInfo& record) {
          return (!location.empty() && record.region != location) ||
                 (!serverName.empty() && record.instanceIdentifier != serverName);
        });
        return std::nullopt;
      },
      lastError_);
  if (!ok) return -1;
  instances_ = cloudsim::sliceOf(found, first, count);
  return static_cast<int>(instances_.size());
}

bool CAzureSDKCppBridge::GetDBInstanceInfoList(std::vector<RDSInfoStructs::SDBInstanceInfo>& out,
                                               unsigned long long first, int count) {
  return cloudbridge::simulatedCall(
      kBridge, "GetDBInstanceInfoList", {AmazonSDKCppBridge::argumentText(first), std::to_string(count)}, connection_,
      [&](cloudsim::SimulatedClouds&, RecordedCall&) -> CallFailure {
        if (auto bad = cloudsim::checkRange(first, count)) return bad;
        const auto slice = cloudsim::sliceOf(instances_, first, count);
        out.insert(out.end(), slice.begin(), slice.end());
        return std::nullopt;
      },
      lastError_);
}

}  // namespace AzureSDKCppBridge
