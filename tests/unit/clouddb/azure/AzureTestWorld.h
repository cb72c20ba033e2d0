#pragma once
// The stage of the Azure provider tests: a fake clock (so retries never wait), a log capture,
// the platform configuration of an Azure subscription's backup instances and client, and a cloud
// fixture whose storage account points at a Table endpoint of the test's choosing.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
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

// The AWS tests' stage (configuration, simulator, host key, capture) with a fake clock and the
// extra CA of a peer's certificate.
class AzureTestWorld {
 public:
  // A real peer checks the request date, so peer tests keep the system clock (fakeClock false);
  // extraCaFile is the CA a peer's certificate comes from.
  explicit AzureTestWorld(const std::string& fixture = cloudFixture("http://devstoreaccount1.localhost:1/"),
                          config::ConfigurationContents contents = azureContents(), bool fakeClock = true,
                          const std::string& extraCaFile = "")
      : world_(std::move(contents), fixture) {
    world_.environment().clock = fakeClock ? &clock_ : nullptr;
    world_.environment().httpsExtraCaFile = extraCaFile;
  }

  FakeClock& clock() { return clock_; }
  LogCapture& capture() { return world_.capture(); }
  CloudSimulator& simulator() { return world_.simulator(); }
  // Whether some captured line contains text anywhere.
  bool anyLineContains(const std::string& text) {
    for (const LogLine& line : capture().lines()) {
      if (line.text.find(text) != std::string::npos || line.tag.find(text) != std::string::npos) return true;
    }
    return false;
  }

 private:
  FakeClock clock_;
  awstest::AwsServiceTestWorld world_;
};

}  // namespace azuretest
