// The Google bridge's sign-in: the service account and its key checked as Google checks them,
// sign-out, and the one path every operation takes to the installed simulator.
#include "AwsSession.h"
#include "GoogleBridgeState.h"
#include "bridges/GoogleCloudSDKCppBridge.h"

namespace GoogleCloudSDKCppBridge {
namespace {

constexpr const char* kTokenHost = "oauth2.googleapis.com";

constexpr const char* kMissingCredentials = "invalid_request: a service account id and a key are required";
constexpr const char* kUnknownServiceAccount = "invalid_grant: Invalid grant: account not found";
constexpr const char* kInvalidSignature = "invalid_grant: Invalid JWT Signature.";

// The account that the service account and key sign in to, or Google's refusal. A key file
// stands for the account's ".p12" file, opened with its password; without a file the key
// material itself is the key. A key still sealed for the platform's configuration is a wrong
// key, whatever the fixture holds.
cloudsim::CallFailure authenticateGoogle(const cloudsim::CloudFixture& fixture, const std::string& keyFile,
                                         const std::string& serviceAccountId, const std::string& key,
                                         std::size_t& account) {
  if (serviceAccountId.empty() || key.empty()) return std::string(kMissingCredentials);
  for (std::size_t i = 0; i < fixture.googleAccounts.size(); ++i) {
    const cloudsim::GoogleAccount& candidate = fixture.googleAccounts[i];
    if (candidate.serviceAccountId != serviceAccountId) continue;
    const bool sealed = key.rfind(cloudsim::kEncryptedSecretPrefix, 0) == 0;
    if (!keyFile.empty()) {
      if (keyFile != candidate.keyFile) {
        return "Could not open the key file \"" + keyFile + "\": No such file or directory";
      }
      if (key != candidate.keyPassword || sealed) {
        return "Could not read the key file \"" + keyFile + "\": mac verify failure";
      }
    } else if (!candidate.keyFile.empty() || key != candidate.keyPassword || sealed) {
      // Key material that is not the account's signs requests the service cannot verify.
      return std::string(kInvalidSignature);
    }
    account = i;
    return std::nullopt;
  }
  return std::string(kUnknownServiceAccount);
}

}  // namespace

bool CGoogleCloudSDKCppBridge::State::call(const char* operation, std::vector<std::string> arguments,
                                           const cloudsim::CloudWork& work) {
  return cloudbridge::simulatedCall(CloudBridgeKind::Google, operation, std::move(arguments), connection, work,
                                    lastError);
}

bool CGoogleCloudSDKCppBridge::State::callService(const char* operation, std::vector<std::string> arguments,
                                                  const char* serviceHost, const AccountWork& work) {
  return call(operation, std::move(arguments),
              [&](cloudsim::SimulatedClouds& clouds, RecordedCall&) -> cloudsim::CallFailure {
                if (auto unusable = cloudbridge::checkConnection(connection, clouds, serviceHost)) {
                  return unusable;
                }
                return work(clouds.fixture.googleAccounts[connection->account]);
              });
}

CGoogleCloudSDKCppBridge::CGoogleCloudSDKCppBridge() : state_(std::make_unique<State>()) {}

CGoogleCloudSDKCppBridge::~CGoogleCloudSDKCppBridge() = default;

bool CGoogleCloudSDKCppBridge::Connect(const std::string& keyFile, const std::string& serviceAccountId,
                                       const std::string& keyPassword) {
  state_->sqlInstances.clear();
  return cloudbridge::signIn(
      CloudBridgeKind::Google, "Connect", {keyFile, serviceAccountId, cloudbridge::kNotShown}, state_->connection,
      [&](const cloudsim::CloudFixture& fixture, std::size_t& account) {
        return authenticateGoogle(fixture, keyFile, serviceAccountId, keyPassword, account);
      },
      kTokenHost, state_->lastError);
}

bool CGoogleCloudSDKCppBridge::Disconnect() {
  state_->sqlInstances.clear();
  return cloudbridge::signOut(CloudBridgeKind::Google, state_->connection, state_->lastError);
}

std::string CGoogleCloudSDKCppBridge::GetLastError() const {
  return state_->lastError;
}

}  // namespace GoogleCloudSDKCppBridge
