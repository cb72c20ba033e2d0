#include "AzureSignIn.h"

#include <algorithm>

#include "AwsSession.h"  // kEncryptedSecretPrefix

namespace cloudbridge {

cloudsim::CallFailure authenticateAzure(const cloudsim::CloudFixture& fixture, const std::string& login,
                                        const std::string& applicationId, const std::string& password,
                                        std::size_t& account) {
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

}  // namespace cloudbridge
