// The Google Cloud client's connection: a service account signs in with its ".p12" key file and
// the file's password, or with the key material itself.
#include "AwsSession.h"
#include "SimulatedCall.h"
#include "bridges/GoogleCloudSDKCppBridge.h"

namespace GoogleCloudSDKCppBridge {

using cloudsim::CallFailure;

namespace {

constexpr CloudBridgeKind kBridge = CloudBridgeKind::Google;
constexpr const char* kTokenHost = "oauth2.googleapis.com";

// Worded as Google's client libraries report them.
constexpr const char* kAccountNotFound = "invalid_grant: Invalid grant: account not found";
constexpr const char* kInvalidSignature = "invalid_grant: Invalid JWT Signature.";

CallFailure authenticateGoogle(const cloudsim::CloudFixture& fixture, const std::string& keyFile,
                               const std::string& serviceAccountId, const std::string& keyPassword,
                               std::size_t& account) {
  for (std::size_t index = 0; index < fixture.googleAccounts.size(); ++index) {
    const cloudsim::GoogleAccount& candidate = fixture.googleAccounts[index];
    if (serviceAccountId.empty() || candidate.serviceAccountId != serviceAccountId) continue;
    if (!keyFile.empty()) {
      if (candidate.keyFile != keyFile)
        return "Could not open the key file \"" + keyFile + "\": No such file or directory";
      if (candidate.keyPassword != keyPassword)
        return "Could not read the key file \"" + keyFile + "\": mac verify failure";
    } else if (!candidate.keyFile.empty() || keyPassword.empty() || candidate.keyPassword != keyPassword) {
      // Key material that is not the account's signs requests the service cannot verify.
      return std::string(kInvalidSignature);
    }
    account = index;
    return std::nullopt;
  }
  return std::string(kAccountNotFound);
}

}  // namespace

bool CGoogleCloudSDKCppBridge::Connect(const std::string& keyFile, const std::string& serviceAccountId,
                                       const std::string& keyPassword) {
  // A connect that fails leaves no connection behind.
  connection_.reset();
  sqlInstances_.clear();
  return cloudbridge::simulatedCall(
      kBridge, "Connect", {keyFile, serviceAccountId, cloudbridge::kNotShown}, connection_,
      [&](cloudsim::SimulatedClouds& clouds, RecordedCall& record) -> CallFailure {
        std::size_t account = 0;
        if (auto refused = authenticateGoogle(clouds.fixture, keyFile, serviceAccountId, keyPassword, account)) {
          return refused;
        }
        if (auto unreachable = cloudsim::reachService(clouds.fixture.network, cloudsim::ProxyUse{}, kTokenHost)) {
          return unreachable;
        }
        connection_ = cloudbridge::openConnection(clouds, record, account);
        return std::nullopt;
      },
      lastError_);
}

bool CGoogleCloudSDKCppBridge::Disconnect() {
  const bool recorded = cloudbridge::simulatedCall(
      kBridge, "Disconnect", {}, connection_, [](cloudsim::SimulatedClouds&, RecordedCall&) { return CallFailure{}; },
      lastError_);
  connection_.reset();
  sqlInstances_.clear();
  return recorded;
}

}  // namespace GoogleCloudSDKCppBridge
