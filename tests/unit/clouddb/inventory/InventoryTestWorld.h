#pragma once
// The stage of the inventory tests: one account in each cloud the inventory serves, a client per
// virtual server of every instance type, a fake clock and a log capture.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "../core/RdsTestWorld.h"
#include "clouddb/core/WrappedServiceKey.h"
#include "platform/Clock.h"
#include "platform/HostEnvironment.h"
#include "platform/Kwc.h"
#include "platform/KwcAES.h"
#include "platform/KwcBucket.h"
#include "platform/KwcKeyWrap.h"

namespace inventorytest {

// Clients, each naming the virtual server of its cloud.
inline constexpr unsigned long kAmazonClient = 21;
inline constexpr unsigned long kAzureClient = 22;
inline constexpr unsigned long kAzureOtherClient = 23;  // instance type 403
inline constexpr unsigned long kGoogleClient = 24;      // ".p12" key file
inline constexpr unsigned long kAlibabaClient = 25;
inline constexpr unsigned long kUnmappedClient = 26;    // virtual server of type 302
inline constexpr unsigned long kNoServerClient = 27;    // names no virtual server
inline constexpr unsigned long kWrappedKeyClient = 28;  // Google, wrapped key
inline constexpr unsigned long kHugeServerClient = 30;  // a virtual server id beyond 32 bits

// The key material of the Google account that signs in without a key file (a whole number of
// 8-byte blocks, as the key wrap needs).
inline constexpr char kGoogleKeyMaterial[] = "google-sa-key-material-0001-abcd";

inline constexpr char kFixture[] = R"({
  "accounts": [{
    "cloud": "aws", "accountId": "121212121212",
    "credentials": {"accessKeyId": "AKIAINVENTORY0000001", "secretAccessKey": "inventory/aws/secret"},
    "regions": [{"name": "us-east-1"}, {"name": "eu-west-1"}],
    "rds": {
      "clusters": [
        {"identifier": "c1", "region": "us-east-1", "engine": "aurora-mysql"},
        {"identifier": "c2", "region": "us-east-1", "engine": "aurora-mysql"},
        {"identifier": "c1", "region": "eu-west-1", "engine": "aurora-mysql"},
        {"identifier": "old", "region": "us-east-1", "engine": "aurora"}
      ],
      "instances": [
        {"identifier": "c1-a", "region": "us-east-1", "engine": "aurora-mysql", "clusterIdentifier": "c1"},
        {"identifier": "c1-b", "region": "us-east-1", "engine": "aurora-mysql", "clusterIdentifier": "c1"},
        {"identifier": "c1-c", "region": "us-east-1", "engine": "aurora-mysql", "clusterIdentifier": "c1"},
        {"identifier": "c2-a", "region": "us-east-1", "engine": "aurora-mysql", "clusterIdentifier": "c2"},
        {"identifier": "old-a", "region": "us-east-1", "engine": "aurora", "engineVersion": "5.6.mysql_aurora.1.22",
         "clusterIdentifier": "old"},
        {"identifier": "db1", "region": "us-east-1", "engine": "mariadb"},
        {"identifier": "pg", "region": "us-east-1", "engine": "postgres"},
        {"identifier": "ora", "region": "us-east-1", "engine": "oracle-ee"},
        {"identifier": "c1-eu", "region": "eu-west-1", "engine": "aurora-mysql", "clusterIdentifier": "c1"}
      ]
    }
  }, {
    "cloud": "azure", "subscriptionId": "sub-1", "tenantId": "tenant-1",
    "credentials": {"applicationId": "app-1", "password": "inventory/azure/secret"},
    "regions": [{"name": "eastus"}, {"name": "westeurope"}],
    "databaseServers": [
      {"name": "az-pg", "engine": "postgres"},
      {"name": "az-maria", "engine": "mariadb", "region": "westeurope"},
      {"name": "az-my", "engine": "mysql", "engineVersion": "8.0"}
    ]
  }, {
    "cloud": "google",
    "credentials": {"serviceAccountId": "sa@inventory.iam", "keyFile": "inventory.p12", "keyPassword": "notasecret"},
    "sqlInstances": [{"name": "g-pg", "engine": "POSTGRES_15"}, {"name": "g-my", "engine": "MYSQL_8_0"},
                     {"name": "g-sql", "engine": "SQLSERVER_2019_STANDARD"}]
  }, {
    "cloud": "google",
    "credentials": {"serviceAccountId": "wrapped@inventory.iam", "keyPassword": "google-sa-key-material-0001-abcd"},
    "sqlInstances": [{"name": "w-my", "engine": "MYSQL_5_7"}]
  }, {
    "cloud": "alibaba",
    "credentials": {"accessKeyId": "LTAIINVENTORY0001", "accessKeySecret": "inventory/alibaba/secret"},
    "regions": [{"name": "cn-hangzhou"}],
    "rdsInstances": [{"name": "rm-my", "engine": "MySQL"}, {"name": "pgm-pg", "engine": "PostgreSQL"},
                     {"name": "rm-maria", "engine": "MariaDB"}]
  }]
})";

// The wrapped form of the Google key material, as the platform stores it: a marker, then hex.
inline std::string wrappedGoogleKey() {
  KwcAES aes;
  EXPECT_TRUE(aes.setKey(Kwc::sha256(clouddb::kServiceKeyWrapPassphrase)).IsSuccess());
  KwcBucket wrapped;
  EXPECT_TRUE(KwcKeyWrap(aes).wrap(KwcBucket::fromText(kGoogleKeyMaterial), wrapped).IsSuccess());
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text = "W";
  for (const unsigned char byte : wrapped.view()) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text;
}

struct Secrets {
  std::string amazon = "{{seal:inventory/aws/secret}}";
  std::string azure = "{{seal:inventory/azure/secret}}";
  std::string google = "{{seal:notasecret}}";
  std::string alibaba = "{{seal:inventory/alibaba/secret}}";
  std::string wrappedKey = wrappedGoogleKey();
};

inline std::string platformJson(const Secrets& secrets = Secrets{}) {
  return R"({
  "machineName": "inventory-agent",
  "clients": [
    {"id": 21, "name": "amazon-client", "cloudVirtualServerId": 3101},
    {"id": 22, "name": "azure-client", "cloudVirtualServerId": 3102},
    {"id": 23, "name": "azure-other-client", "cloudVirtualServerId": 3103},
    {"id": 24, "name": "google-client", "cloudVirtualServerId": 3104},
    {"id": 25, "name": "alibaba-client", "cloudVirtualServerId": 3105},
    {"id": 26, "name": "unmapped-client", "cloudVirtualServerId": 3106},
    {"id": 27, "name": "serverless-client"},
    {"id": 28, "name": "wrapped-client", "cloudVirtualServerId": 3107},
    {"id": 30, "name": "huge-client", "cloudVirtualServerId": 3000000000}
  ],
  "instances": [{"id": 1001, "kind": "cloudApps", "name": "aws-rds", "instanceType": 4, "clientId": 21,
    "accessKey": "AKIAINVENTORY0000001", "secretKey": ")" +
         secrets.amazon + R"(", "regionEndPoints": ["us-east-1"]}],
  "virtualServers": [
    {"id": 3101, "name": "aws", "instanceType": 301, "clientId": 21, "host": "us-east-1,eu-west-1",
     "amazonAccessKey": "AKIAINVENTORY0000001", "amazonSecretKey": ")" +
         secrets.amazon + R"("},
    {"id": 3102, "name": "azure", "instanceType": 402, "clientId": 22, "azureSubscriptionId": "sub-1",
     "azureTenantId": "tenant-1", "user": "app-1", "password": ")" +
         secrets.azure + R"("},
    {"id": 3103, "name": "azure-other", "instanceType": 403, "clientId": 23, "azureSubscriptionId": "sub-1",
     "azureTenantId": "tenant-1", "user": "app-1", "password": ")" +
         secrets.azure + R"("},
    {"id": 3104, "name": "google", "instanceType": 1301, "clientId": 24, "googleServiceAccountId": "sa@inventory.iam",
     "user": "inventory.p12", "password": ")" +
         secrets.google + R"("},
    {"id": 3105, "name": "alibaba", "instanceType": 1401, "clientId": 25, "host": "cn-hangzhou",
     "alibabaAccessKey": "LTAIINVENTORY0001", "alibabaSecretKey": ")" +
         secrets.alibaba + R"("},
    {"id": 3106, "name": "unmapped", "instanceType": 302, "clientId": 26},
    {"id": 3107, "name": "google-wrapped", "instanceType": 1301, "clientId": 28,
     "googleServiceAccountId": "wrapped@inventory.iam", "user": ")" +
         secrets.wrappedKey + R"("},
    {"id": 3000000000, "name": "huge", "instanceType": 301, "clientId": 30}
  ],
  "globalParameters": {}
})";
}

// RdsTestWorld with the inventory's configuration and fixture, and a fake clock on top.
class InventoryTestWorld {
 public:
  explicit InventoryTestWorld(const std::string& configurationJson = platformJson())
      : base_(configurationJson, HostEnvironment::kNoJobId, kFixture) {
    base_.environment().clock = &clock_;
  }

  CloudSimulator& simulator() { return base_.simulator(); }
  LogCapture& capture() { return base_.capture(); }
  FakeClock& clock() { return clock_; }
  const HostKey& key() const { return base_.key(); }

  // The texts of the captured lines of one tag, in order.
  std::vector<std::string> linesOf(const std::string& tag) {
    std::vector<std::string> texts;
    for (const LogLine& line : base_.capture().lines()) {
      if (line.tag == tag) texts.push_back(line.text);
    }
    return texts;
  }

 private:
  FakeClock clock_;  // outlives the environment that points at it
  rdstest::RdsTestWorld base_;
};

}  // namespace inventorytest
