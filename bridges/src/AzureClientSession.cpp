#include "AzureClientSession.h"

#include "AwsSession.h"
#include "AzureSignIn.h"
#include "SimulatedCall.h"

namespace cloudbridge {
namespace {
// The virtual-server instance type whose calls the Azure clients serve.
constexpr int kServedInstanceType = 402;
}  // namespace

bool AzureClientSession::initialize(const std::string& focusName, const std::string& applicationName,
                                    long long jobId, int instanceType) {
  return call("Initialize", {focusName, applicationName, std::to_string(jobId), std::to_string(instanceType)},
              [&](cloudsim::SimulatedClouds&, RecordedCall&) -> cloudsim::CallFailure {
                if (instanceType != kServedInstanceType) {
                  return "Unsupported virtual server instance type " + std::to_string(instanceType);
                }
                return std::nullopt;
              });
}

bool AzureClientSession::connect(const std::string& login, const std::string& applicationId,
                                 const std::string& password) {
  return signIn(
      bridge_, "Connect", {login, applicationId, kNotShown}, connection_,
      [&](const cloudsim::CloudFixture& fixture, std::size_t& account) {
        return authenticateAzure(fixture, login, applicationId, password, account);
      },
      kAzureLoginHost, lastError_, proxy_);
}

void AzureClientSession::disconnect() { signOut(bridge_, connection_, lastError_, proxy_); }

bool AzureClientSession::setWebProxy(const std::string& hostAndPort, const std::string& user,
                                     const std::string& password) {
  return call("SetWebProxy", {hostAndPort, user, kNotShown},
              [&](cloudsim::SimulatedClouds&, RecordedCall&) -> cloudsim::CallFailure {
                if (auto bad = cloudsim::checkProxyAddress(hostAndPort)) return bad;
                proxy_ = ProxyUse{hostAndPort, user, password};
                return std::nullopt;
              });
}

bool AzureClientSession::call(const char* operation, std::vector<std::string> arguments,
                              const cloudsim::CloudWork& work) {
  return simulatedCall(bridge_, operation, std::move(arguments), connection_, work, lastError_, proxy_);
}

bool AzureClientSession::callManagement(const char* operation, std::vector<std::string> arguments,
                                        const SubscriptionWork& work) {
  return call(operation, std::move(arguments),
              [&](cloudsim::SimulatedClouds& clouds, RecordedCall&) -> cloudsim::CallFailure {
                if (auto unusable = checkConnection(connection_, clouds, kAzureManagementHost, proxy_)) {
                  return unusable;
                }
                return work(clouds.fixture.azureSubscriptions[connection_->account]);
              });
}

bool AzureClientSession::callPeer(const char* operation, std::vector<std::string> arguments,
                                  const std::string& serviceHost,
                                  const std::function<cloudsim::CallFailure()>& peer) {
  return simulatedPeerCall(
      bridge_, operation, std::move(arguments), connection_, proxy_,
      [&](cloudsim::SimulatedClouds& clouds, RecordedCall&) {
        return checkConnection(connection_, clouds, serviceHost, proxy_);
      },
      peer, lastError_);
}

}  // namespace cloudbridge
