#pragma once
// The stage of the AWS service-base provider tests: a host key, a platform configuration with
// one backup instance per AWS service (sharing one account's keys), a simulated AWS account and
// a log capture, all installed for the lifetime of one AwsServiceTestWorld.
//
// Tests change the configuration (proxies, clients, global parameters) and the cloud fixture
// before they build the world; after that both are fixed, as they are for the library.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../TestStage.h"
#include "bridges/simulator/CloudSimulator.h"
#include "platform/HostEnvironment.h"
#include "platform/HostKey.h"
#include "platform/LogWriter.h"
#include "platform/PlatformConfiguration.h"
#include "platform/config/ConfigurationRecords.h"

namespace awstest {

inline constexpr std::uint64_t kDynamoInstanceId = 1002;
inline constexpr std::uint64_t kDocumentDbInstanceId = 1003;
inline constexpr std::uint64_t kRedshiftInstanceId = 1004;
// A subclient of each cluster service, for MakeConnection.
inline constexpr std::uint64_t kDocumentDbSubclientId = 3003;
inline constexpr std::uint64_t kRedshiftSubclientId = 3004;
inline constexpr std::uint64_t kClientId = 7;
inline constexpr char kMachineName[] = "agent-host";

inline constexpr char kAccessKeyId[] = "AKIAH8TESTACCOUNT001";
inline constexpr char kSecretAccessKey[] = "h8/secret/access/key/for/the/test/account";

// The simulated account: three regions and a few objects of each service.
inline constexpr char kCloudFixture[] = R"({
  "accounts": [{
    "cloud": "aws",
    "accountId": "111122223333",
    "credentials": {"accessKeyId": "AKIAH8TESTACCOUNT001",
                    "secretAccessKey": "h8/secret/access/key/for/the/test/account"},
    "regions": [{"name": "us-east-1"}, {"name": "eu-west-1"}, {"name": "ap-south-1"}],
    "dynamodb": {"tables": [
      {"name": "orders", "region": "us-east-1", "tags": {"env": "prod"}, "itemCount": 12},
      {"name": "orders", "region": "eu-west-1", "tags": {"env": "prod"}},
      {"name": "sessions", "region": "us-east-1", "tags": {"env": "test"}}
    ]},
    "docdb": {
      "clusters": [
        {"identifier": "catalog", "region": "us-east-1", "tags": {"team": "search"},
         "availabilityZones": ["us-east-1a", "us-east-1b"], "port": 27018},
        {"identifier": "ledger", "region": "us-east-1",
         "members": [{"instance": "ledger-1", "writer": true}, {"instance": "catalog-2"}]},
        {"identifier": "catalog", "region": "eu-west-1", "tags": {"team": "search"}}
      ],
      "instances": [
        {"identifier": "catalog-1", "region": "us-east-1", "clusterIdentifier": "catalog",
         "instanceClass": "db.r6g.large"},
        {"identifier": "catalog-2", "region": "us-east-1", "clusterIdentifier": "catalog",
         "instanceClass": "db.r6g.xlarge"},
        {"identifier": "ledger-1", "region": "us-east-1", "clusterIdentifier": "ledger",
         "instanceClass": "db.t4g.medium"},
        {"identifier": "catalog-1", "region": "eu-west-1", "clusterIdentifier": "catalog",
         "instanceClass": "db.t3.medium"}
      ]
    },
    "redshift": {"clusters": [
      {"identifier": "warehouse", "region": "us-east-1", "tags": {"env": "prod"}, "encrypted": true,
       "numberOfNodes": 4, "parameterGroups": [{"name": "A"}, {"name": "B"}]},
      {"identifier": "sandbox", "region": "eu-west-1", "tags": {"env": "test"}}
    ]}
  }]
})";

// The cloud fixture with a network that reaches AWS only through the proxy at address (which
// asks for user and password when user is not empty).
inline std::string behindProxy(const std::string& address, const std::string& user = "",
                               const std::string& password = "") {
  std::string fixture = kCloudFixture;
  std::string proxy = R"({"address": ")" + address + "\"";
  if (!user.empty()) proxy += R"(, "user": ")" + user + R"(", "password": ")" + password + "\"";
  fixture.replace(fixture.find("\"accounts\""), 0,
                  R"("network": {"directAccess": false, "proxies": [)" + proxy + "}]}, ");
  return fixture;
}

class AwsServiceTestWorld {
 public:
  // The configuration every test starts from: the three instances with the account's keys, one
  // subclient of each cluster service, the local machine's client, no proxy anywhere.
  static config::ConfigurationContents defaultContents(const HostKey& key);
  static HostKey testKey();
  static std::string seal(const HostKey& key, const std::string& clear);

  explicit AwsServiceTestWorld(config::ConfigurationContents contents, std::string cloudFixture = kCloudFixture,
                               std::int64_t jobId = HostEnvironment::kNoJobId)
      : stage_(testKey(), teststage::configurationOf(std::move(contents)), cloudFixture, jobId) {}

  CloudSimulator& simulator() { return stage_.simulator(); }
  LogCapture& capture() { return stage_.capture(); }
  // The installed environment, for tests that set its clock or extra CA after construction.
  HostEnvironment& environment() { return stage_.environment(); }
  // The recorded calls of one Amazon bridge operation, oldest first.
  std::vector<RecordedCall> callsOf(const std::string& operation) const;

 private:
  teststage::TestStage stage_;
};

inline HostKey AwsServiceTestWorld::testKey() {
  HostKey::KeyBytes bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(0x5A ^ (i * 7));
  return HostKey(bytes);
}

inline std::string AwsServiceTestWorld::seal(const HostKey& key, const std::string& clear) {
  std::string stored;
  const CLmError sealed = key.encrypt(clear, stored);
  EXPECT_TRUE(sealed.IsSuccess()) << sealed.AsString();
  return stored;
}

inline config::ConfigurationContents AwsServiceTestWorld::defaultContents(const HostKey& key) {
  config::ConfigurationContents contents;
  contents.machineName = kMachineName;
  const std::pair<std::uint64_t, std::uint64_t> instances[] = {
      {kDynamoInstanceId, 22}, {kDocumentDbInstanceId, 27}, {kRedshiftInstanceId, 26}};
  for (const auto& [id, type] : instances) {
    config::InstanceRecord instance;
    instance.id = id;
    instance.kind = config::InstanceKind::CloudApps;
    instance.name = "aws-" + std::to_string(id);
    instance.instanceType = type;
    instance.accessKey = kAccessKeyId;
    instance.secretKey = seal(key, kSecretAccessKey);
    instance.regionEndPoints = std::vector<std::string>{"us-east-1", "eu-west-1"};
    contents.instances.push_back(instance);
  }
  const std::pair<std::uint64_t, std::uint64_t> subclients[] = {{kDocumentDbSubclientId, kDocumentDbInstanceId},
                                                                {kRedshiftSubclientId, kRedshiftInstanceId}};
  for (const auto& [subclientId, instanceId] : subclients) {
    contents.backupSets.push_back(config::BackupSetRecord{subclientId + 100, "default", instanceId});
    config::SubclientRecord subclient;
    subclient.id = subclientId;
    subclient.name = "default";
    subclient.backupSetId = subclientId + 100;
    contents.subclients.push_back(subclient);
  }
  config::ClientRecord client;
  client.id = kClientId;
  client.name = kMachineName;
  contents.clients.push_back(client);
  return contents;
}

inline std::vector<RecordedCall> AwsServiceTestWorld::callsOf(const std::string& operation) const {
  std::vector<RecordedCall> matching;
  for (const RecordedCall& call : stage_.simulator().calls()) {
    if (call.bridge == CloudBridgeKind::Amazon && call.operation == operation) matching.push_back(call);
  }
  return matching;
}

}  // namespace awstest
