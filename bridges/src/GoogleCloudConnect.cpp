// The Google bridge's sign-in: the service account and its key checked as Google checks them,
// sign-out, and the one path every operation takes to the installed simulator.
#include "AwsSession.h"
#include "GoogleBridgeState.h"
#include "bridges/GoogleCloudSDKCppBridge.h"

namespace GoogleCloudSDKCppBridge {
namespace {

constexpr const char* kNotShown = "***NOT SHOWN***";
constexpr const char* kTokenHost = "oauth2.googleapis.com";

constexpr const char* kMissingCredentials = "invalid_request: a service account id and a key are required";
constexpr const char* kUnknownServiceAccount = "invalid_grant: Invalid grant: account not found";
constexpr const char* kInvalidSignature = "invalid_grant: Invalid JWT Signature.";
constexpr const char* kNotSignedIn = "The client is not connected; call Connect first.";
constexpr const char* kSimulatorChanged = "The cloud simulator was replaced since Connect; connect again.";

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
  CloudSimulator* simulator = CloudSimulator::installed();
  if (simulator == nullptr) {
    lastError = cloudsim::kNoSimulatorInstalled;
    return false;
  }
  RecordedCall record;
  record.bridge = CloudBridgeKind::Google;
  record.connection = signedIn ? signedIn->serial : 0;
  record.operation = operation;
  record.arguments = std::move(arguments);
  const cloudsim::CallFailure failure = cloudsim::SimulatorAccess::run(*simulator, std::move(record), work);
  lastError = failure.value_or("");
  return !failure;
}

bool CGoogleCloudSDKCppBridge::State::callService(const char* operation, std::vector<std::string> arguments,
                                                  const char* serviceHost, const AccountWork& work) {
  return call(operation, std::move(arguments),
              [&](cloudsim::SimulatedClouds& clouds, RecordedCall&) -> cloudsim::CallFailure {
                if (!signedIn) return std::string(kNotSignedIn);
                if (signedIn->simulatorIdentity != CloudSimulator::installed()->identity()) {
                  return std::string(kSimulatorChanged);
                }
                if (auto unreachable = cloudsim::reachService(clouds.fixture.network, {}, serviceHost)) {
                  return unreachable;
                }
                return work(clouds.fixture.googleAccounts[signedIn->account]);
              });
}

CGoogleCloudSDKCppBridge::CGoogleCloudSDKCppBridge() : state_(std::make_unique<State>()) {}

CGoogleCloudSDKCppBridge::~CGoogleCloudSDKCppBridge() = default;

bool CGoogleCloudSDKCppBridge::Connect(const std::string& keyFile, const std::string& serviceAccountId,
                                       const std::string& keyPassword) {
  // A sign-in that fails leaves none behind: the old one ends either way.
  state_->signedIn.reset();
  state_->sqlInstances.clear();
  return state_->call(
      "Connect", {keyFile, serviceAccountId, kNotShown},
      [&](cloudsim::SimulatedClouds& clouds, RecordedCall& record) -> cloudsim::CallFailure {
        std::size_t account = 0;
        if (auto refused = authenticateGoogle(clouds.fixture, keyFile, serviceAccountId, keyPassword, account)) {
          return refused;
        }
        if (auto unreachable = cloudsim::reachService(clouds.fixture.network, {}, kTokenHost)) {
          return unreachable;
        }
        record.connection = ++clouds.connectionsOpened;
        state_->signedIn = State::SignedIn{CloudSimulator::installed()->identity(), record.connection, account};
        return std::nullopt;
      });
}

bool CGoogleCloudSDKCppBridge::Disconnect() {
  const bool done =
      state_->call("Disconnect", {}, [](cloudsim::SimulatedClouds&, RecordedCall&) { return cloudsim::CallFailure{}; });
  // Whatever the cloud answered, this object no longer uses the sign-in.
  state_->signedIn.reset();
  state_->sqlInstances.clear();
  return done;
}

std::string CGoogleCloudSDKCppBridge::GetLastError() const {
  return state_->lastError;
}

}  // namespace GoogleCloudSDKCppBridge
