#pragma once
// The stage of the Azure provider tests: a fake clock (so retries never wait), a log capture,
// the platform configuration of an Azure subscription's backup instances and client, and a cloud
// fixture whose storage account points at a Table endpoint of the test's choosing.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../aws/AwsServiceTestWorld.h"
#include "platform/Clock.h"
#include "platform/DaxEnvironment.h"

namespace azuretest {

inline constexpr char kSubscription[] = "sub-0001";
inline constexpr char kTenant[] = "tenant-0001";
inline constexpr char kApplication[] = "app-0001";
inline constexpr char kSecret[] = "azure-secret-0001";
inline constexpr char kDevAccount[] = "devstoreaccount1";
inline constexpr char kDevKey[] = "Eby8vdM02xNOcqFlqUwJPLlmEtlCDXJ1OUzFT50uSRZ6IFsuFq2UVErCz4I6tq/K1SZFPTOtr/KBHBeksoGMGw==";
inline constexpr unsigned long kTableInstanceId = 3200;
inline constexpr unsigned long kCosmosInstanceId = 2300;
inline constexpr unsigned long kClientId = 320;

// One subscription with the storage account "devstoreaccount1" at tableEndpoint and the Cosmos
// account "cosmos1" at cosmosEndpoint.
inline std::string cloudFixture(const std::string& tableEndpoint, const std::string& cosmosEndpoint = "https://localhost:1/") {
  return R"({"accounts": [{"cloud": "azure", "subscriptionId": ")" + std::string(kSubscription) +
         R"(", "tenantId": ")" + kTenant + R"(", "credentials": {"applicationId": ")" + kApplication +
         R"(", "password": ")" + kSecret + R"("}, "regions": [{"name": "eastus"}],
    "storageAccounts": [{"name": "devstoreaccount1", "tableEndpoint": ")" + tableEndpoint + R"(", "accessKey": ")" +
         kDevKey + R"("}],
    "databaseAccounts": [{"name": "cosmos1", "endpoint": ")" + cosmosEndpoint + R"(", "key": ")" + kDevKey +
         R"("}]}]})";
}

// Both backup instances and the client carry the subscription's service principal, the secret
// sealed with the test key.
inline config::ConfigurationContents azureContents() {
  const HostKey key = awstest::AwsServiceTestWorld::testKey();
  config::ConfigurationContents contents;
  for (const auto& [id, type] : {std::pair{kTableInstanceId, 32UL}, std::pair{kCosmosInstanceId, 23UL}}) {
    config::InstanceRecord instance;
    instance.id = id;
    instance.kind = config::InstanceKind::CloudApps;
    instance.name = "azure-" + std::to_string(id);
    instance.instanceType = type;
    instance.clientId = kClientId;
    instance.azureSubscriptionId = kSubscription;
    instance.azureTenantId = kTenant;
    instance.azureUserName = kApplication;
    instance.azurePassword = awstest::AwsServiceTestWorld::seal(key, kSecret);
    contents.instances.push_back(instance);
  }
  config::ClientRecord client;
  client.id = kClientId;
  client.name = "azure-client";
  client.cloudAppsCredentials =
      config::CloudAppsCredentialsRecord{kSubscription, kTenant, kApplication, awstest::AwsServiceTestWorld::seal(key, kSecret)};
  contents.clients.push_back(client);
  return contents;
}

// A DaxEnvironment that keeps what it is told, in order: "tag: text" and "report: text".
class RecordingEnvironment final : public DaxEnvironment {
 public:
  void LogMessage(const std::string& tag, const std::string& text) override { lines.push_back(tag + ": " + text); }
  void ReportError(const std::string& text) override { lines.push_back("report: " + text); }
  bool has(const std::string& line) const {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  std::vector<std::string> lines;
};

class AzureTestWorld {
 public:
  // A real peer checks the request date, so peer tests keep the system clock (fakeClock false);
  // extraCaFile is the CA a peer's certificate comes from.
  explicit AzureTestWorld(const std::string& fixture = cloudFixture("http://devstoreaccount1.localhost:1/"),
                          config::ConfigurationContents contents = azureContents(), bool fakeClock = true,
                          const std::string& extraCaFile = "")
      : key_(awstest::AwsServiceTestWorld::testKey()), writer_("/dev/null", 2) {
    const CLmError made = PlatformConfiguration::FromContents(std::move(contents), "test", configuration_);
    EXPECT_TRUE(made.IsSuccess()) << made.AsString();
    std::string fixtureError;
    simulator_ = CloudSimulator::fromJson(fixture, fixtureError);
    EXPECT_NE(simulator_, nullptr) << fixtureError;
    capture_.emplace(writer_);
    environment_.configuration = configuration_.get();
    environment_.logWriter = &writer_;
    environment_.hostKey = &key_;
    if (fakeClock) environment_.clock = &clock_;
    environment_.httpsExtraCaFile = extraCaFile;
    hostInstallation_.emplace(environment_);
    if (simulator_) simulatorInstallation_.emplace(*simulator_);
  }
  ~AzureTestWorld() {
    simulatorInstallation_.reset();
    hostInstallation_.reset();
    capture_.reset();
  }

  FakeClock& clock() { return clock_; }
  LogCapture& capture() { return *capture_; }
  CloudSimulator& simulator() { return *simulator_; }
  HostEnvironment& environment() { return environment_; }
  // Whether some captured line contains text anywhere.
  bool anyLineContains(const std::string& text) const {
    for (const LogLine& line : capture_->lines()) {
      if (line.text.find(text) != std::string::npos || line.tag.find(text) != std::string::npos) return true;
    }
    return false;
  }

 private:
  HostKey key_;
  FakeClock clock_;
  std::unique_ptr<const PlatformConfiguration> configuration_;
  std::unique_ptr<CloudSimulator> simulator_;
  LogWriter writer_;
  std::optional<LogCapture> capture_;
  HostEnvironment environment_;
  std::optional<HostEnvironment::Installation> hostInstallation_;
  std::optional<CloudSimulator::Installation> simulatorInstallation_;
};

}  // namespace azuretest
