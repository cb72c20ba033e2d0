#pragma once
// What an Azure client object (the resource client or the resource manager for database
// accounts) keeps between calls: its sign-in, the proxy its calls go through and the last
// failure text; and the operations both clients share.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "FixtureModel.h"
#include "SimulatorAccess.h"
#include "bridges/SimulatedConnection.h"

namespace cloudbridge {

class AzureClientSession {
 public:
  explicit AzureClientSession(CloudBridgeKind bridge) : bridge_(bridge) {}

  // Records the job it serves; refuses an instance type other than the virtual server's 402.
  bool initialize(const std::string& focusName, const std::string& applicationName, long long jobId,
                  int instanceType);
  // Signs in (login "SUBSCRIPTION\TENANT") through the proxy set before; the previous sign-in
  // ends first, so a refused one leaves none.
  bool connect(const std::string& login, const std::string& applicationId, const std::string& password);
  void disconnect();
  // "host:port" with a decimal port; it applies to every later call of the client.
  bool setWebProxy(const std::string& hostAndPort, const std::string& user, const std::string& password);

  // Any call of the client: recorded with the proxy, open to faults. False when it failed.
  bool call(const char* operation, std::vector<std::string> arguments, const cloudsim::CloudWork& work);

  using SubscriptionWork = std::function<cloudsim::CallFailure(const cloudsim::AzureSubscription&)>;
  // A call on the signed-in subscription through the resource manager.
  bool callManagement(const char* operation, std::vector<std::string> arguments, const SubscriptionWork& work);

  // A call that needs the sign-in and a network path to serviceHost, and then speaks to a real
  // peer (outside the simulator's lock); the peer's failure is the call's.
  bool callPeer(const char* operation, std::vector<std::string> arguments, const std::string& serviceHost,
                const std::function<cloudsim::CallFailure()>& peer);

  const std::string& lastError() const { return lastError_; }

 private:
  CloudBridgeKind bridge_;
  std::optional<SimulatedConnection> connection_;
  ProxyUse proxy_;
  std::string lastError_;
};

}  // namespace cloudbridge
