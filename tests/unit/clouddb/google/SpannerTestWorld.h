#pragma once
// The stage of the Spanner provider tests: two Google accounts in the simulator (one signing in
// with a ".p12" file, one with key material), their virtual servers and clients in the platform
// configuration, and the client's Spanner backup instances with their subclients; installed, with
// a host key and a log capture, by the stage the AWS provider tests use.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "../aws/AwsServiceTestWorld.h"
#include "clouddb/core/WrappedServiceKey.h"
#include "platform/Kwc.h"
#include "platform/KwcAES.h"
#include "platform/KwcKeyWrap.h"

namespace spannertest {

// Client 40 signs in with the ".p12" account, client 41 with the wrapped key of the other one;
// client 42 has no cloud account.
inline constexpr unsigned long kClientId = 40;
inline constexpr unsigned long kWrappedKeyClientId = 41;
inline constexpr unsigned long kClientWithoutAccount = 42;
inline constexpr std::uint64_t kP12ServerId = 4000;
inline constexpr std::uint64_t kWrappedServerId = 4001;
// Spanner backup instances of client 40: "shared" (subclients name "orders"; one subclient has
// no settings) and "broken" (its subclient's settings do not parse).
inline constexpr unsigned long kSharedInstanceId = 1037;
inline constexpr unsigned long kBrokenInstanceId = 1038;
inline constexpr std::uint64_t kSubclientWithoutSettings = 638;

inline constexpr char kP12ServiceAccount[] = "backup@alpha.iam.gserviceaccount.com";
inline constexpr char kMaterialServiceAccount[] = "backup@beta.iam.gserviceaccount.com";
inline constexpr char kKeyMaterial[] = "beta-service-account-key-0001-ok";  // 32 bytes: whole key-wrap blocks
inline constexpr char kBrokenSettings[] = "<SpannerSubclientInfo><entry";

// The instance "shared" is in two projects of the first account; "solo" only in one.
inline constexpr char kCloudFixture[] = R"({
  "accounts": [
    {"cloud": "google",
     "credentials": {"serviceAccountId": "backup@alpha.iam.gserviceaccount.com", "keyFile": "alpha.p12",
                     "keyPassword": "notasecret"},
     "projects": [{"id": "alpha", "name": "Alpha"}, {"id": "alpha-eu", "name": "Alpha EU"}],
     "spannerInstances": [
       {"name": "shared", "project": "alpha", "displayName": "Shared US", "databases": ["orders", "stock"]},
       {"name": "solo", "project": "alpha", "databases": ["solo-db"]},
       {"name": "shared", "project": "alpha-eu", "displayName": "Shared EU", "databases": ["orders"]}
     ]},
    {"cloud": "google",
     "credentials": {"serviceAccountId": "backup@beta.iam.gserviceaccount.com",
                     "keyPassword": "beta-service-account-key-0001-ok"},
     "projects": [{"id": "beta", "name": "Beta"}],
     "spannerInstances": [{"name": "beta-spanner", "project": "beta", "databases": ["b1"]}]}
  ]
})";

// A key wrapped as the platform stores it: a marker, then the hexadecimal text of the wrap.
inline std::string wrapKey(const std::string& material) {
  KwcAES aes;
  EXPECT_TRUE(aes.setKey(Kwc::sha256(clouddb::kServiceKeyWrapPassphrase)).IsSuccess());
  KwcBucket wrapped;
  EXPECT_TRUE(KwcKeyWrap(aes).wrap(KwcBucket::fromText(material), wrapped).IsSuccess());
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text = "W";
  for (std::size_t i = 0; i < wrapped.size(); ++i) {
    text += kDigits[wrapped.data()[i] >> 4];
    text += kDigits[wrapped.data()[i] & 0xF];
  }
  return text;
}

// The configuration every test starts from; wrappedKeyText is what the second account's key
// setting holds.
inline config::ConfigurationContents spannerContents(const std::string& wrappedKeyText = wrapKey(kKeyMaterial)) {
  const HostKey key = awstest::AwsServiceTestWorld::testKey();
  const auto server = [](std::uint64_t id, std::string user, std::optional<std::string> password,
                         std::string serviceAccount) {
    config::InstanceRecord record;
    record.id = id;
    record.kind = config::InstanceKind::VirtualServer;
    record.name = "google-" + std::to_string(id);
    record.instanceType = 1301;
    record.user = std::move(user);
    record.password = std::move(password);
    record.googleServiceAccountId = std::move(serviceAccount);
    return record;
  };
  const auto instance = [](std::uint64_t id, std::string name, std::uint64_t type) {
    config::InstanceRecord record;
    record.id = id;
    record.name = std::move(name);
    record.instanceType = type;
    record.clientId = kClientId;
    record.applicationType = 134;
    return record;
  };
  const auto subclient = [](std::uint64_t id, std::uint64_t backupSet, std::optional<std::string> settings) {
    config::SubclientRecord record;
    record.id = id;
    record.name = "subclient-" + std::to_string(id);
    record.backupSetId = backupSet;
    record.subclientInfo = std::move(settings);
    return record;
  };
  config::ConfigurationContents contents;
  contents.instances = {
      server(kP12ServerId, "alpha.p12", awstest::AwsServiceTestWorld::seal(key, "notasecret"), kP12ServiceAccount),
      server(kWrappedServerId, wrappedKeyText, std::nullopt, kMaterialServiceAccount),
      instance(kSharedInstanceId, "shared", 37), instance(kBrokenInstanceId, "broken", 37),
      // Only Spanner backup instances hide cloud instances: an RDS instance named "solo" does not.
      instance(1004, "solo", 4)};
  const auto client = [](std::uint64_t id, std::optional<std::uint64_t> account) {
    config::ClientRecord record;
    record.id = id;
    record.name = "client-" + std::to_string(id);
    record.cloudVirtualServerId = account;
    return record;
  };
  contents.clients = {client(kClientId, kP12ServerId), client(kWrappedKeyClientId, kWrappedServerId),
                      client(kClientWithoutAccount, std::nullopt)};
  contents.backupSets = {{537, "default", kSharedInstanceId}, {538, "default", kBrokenInstanceId}};
  contents.subclients = {
      subclient(637, 537, "<SpannerSubclientInfo><entry databaseName=\"orders\"/></SpannerSubclientInfo>"),
      subclient(kSubclientWithoutSettings, 537, std::nullopt), subclient(639, 538, kBrokenSettings)};
  return contents;
}

// The host and the simulated Google accounts, installed while it lives.
class SpannerTestWorld : public awstest::AwsServiceTestWorld {
 public:
  explicit SpannerTestWorld(config::ConfigurationContents contents = spannerContents())
      : AwsServiceTestWorld(std::move(contents), kCloudFixture) {}
};

}  // namespace spannertest
