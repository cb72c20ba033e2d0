#pragma once
// The stage of the Spanner provider tests: two Google accounts in the simulator (one signing in
// with a ".p12" file, one with key material), their virtual servers and clients in the platform
// configuration, the client's Spanner backup instances with their subclients, a host key and a
// log capture, all installed for the lifetime of one SpannerTestWorld.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bridges/simulator/CloudSimulator.h"
#include "clouddb/core/WrappedServiceKey.h"
#include "platform/HostEnvironment.h"
#include "platform/HostKey.h"
#include "platform/Kwc.h"
#include "platform/KwcAES.h"
#include "platform/KwcKeyWrap.h"
#include "platform/LogWriter.h"
#include "platform/PlatformConfiguration.h"
#include "platform/config/ConfigurationRecords.h"

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

class SpannerTestWorld {
 public:
  static HostKey testKey() {
    HostKey::KeyBytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(0x3C ^ (i * 5));
    return HostKey(bytes);
  }

  // The configuration every test starts from; wrappedKeyText is what the second account's key
  // setting holds.
  static config::ConfigurationContents defaultContents(const std::string& wrappedKeyText = wrapKey(kKeyMaterial)) {
    const HostKey key = testKey();
    config::ConfigurationContents contents;
    contents.instances.push_back(virtualServer(kP12ServerId, "alpha.p12", seal(key, "notasecret"), kP12ServiceAccount));
    contents.instances.push_back(
        virtualServer(kWrappedServerId, wrappedKeyText, std::nullopt, kMaterialServiceAccount));
    contents.instances.push_back(cloudAppsInstance(kSharedInstanceId, "shared", 37));
    contents.instances.push_back(cloudAppsInstance(kBrokenInstanceId, "broken", 37));
    // Only Spanner backup instances hide cloud instances: an RDS instance named "solo" does not.
    contents.instances.push_back(cloudAppsInstance(1004, "solo", 4));
    contents.clients.push_back(client(kClientId, kP12ServerId));
    contents.clients.push_back(client(kWrappedKeyClientId, kWrappedServerId));
    contents.clients.push_back(client(kClientWithoutAccount, std::nullopt));
    contents.backupSets.push_back(config::BackupSetRecord{537, "default", kSharedInstanceId});
    contents.backupSets.push_back(config::BackupSetRecord{538, "default", kBrokenInstanceId});
    contents.subclients.push_back(subclient(637, 537,
                                            "<SpannerSubclientInfo><entry databaseName=\"orders\"/>"
                                            "</SpannerSubclientInfo>"));
    contents.subclients.push_back(subclient(kSubclientWithoutSettings, 537, std::nullopt));
    contents.subclients.push_back(subclient(639, 538, kBrokenSettings));
    return contents;
  }

  explicit SpannerTestWorld(config::ConfigurationContents contents = defaultContents())
      : key_(testKey()), writer_("/dev/null", 2) {
    const CLmError made = PlatformConfiguration::FromContents(std::move(contents), "test", configuration_);
    EXPECT_TRUE(made.IsSuccess()) << made.AsString();
    std::string fixtureError;
    simulator_ = CloudSimulator::fromJson(kCloudFixture, fixtureError);
    EXPECT_NE(simulator_, nullptr) << fixtureError;
    capture_.emplace(writer_);
    environment_.configuration = configuration_.get();
    environment_.logWriter = &writer_;
    environment_.hostKey = &key_;
    hostInstallation_.emplace(environment_);
    if (simulator_) simulatorInstallation_.emplace(*simulator_);
  }
  ~SpannerTestWorld() {
    simulatorInstallation_.reset();
    hostInstallation_.reset();
    capture_.reset();
  }

  CloudSimulator& simulator() { return *simulator_; }
  LogCapture& capture() { return *capture_; }

 private:
  static std::string seal(const HostKey& key, const std::string& clear) {
    std::string stored;
    EXPECT_TRUE(key.encrypt(clear, stored).IsSuccess());
    return stored;
  }
  static config::InstanceRecord virtualServer(std::uint64_t id, std::string user, std::optional<std::string> password,
                                              std::string serviceAccount) {
    config::InstanceRecord server;
    server.id = id;
    server.kind = config::InstanceKind::VirtualServer;
    server.name = "google-" + std::to_string(id);
    server.instanceType = 1301;
    server.user = std::move(user);
    server.password = std::move(password);
    server.googleServiceAccountId = std::move(serviceAccount);
    return server;
  }
  static config::InstanceRecord cloudAppsInstance(std::uint64_t id, std::string name, std::uint64_t type) {
    config::InstanceRecord instance;
    instance.id = id;
    instance.kind = config::InstanceKind::CloudApps;
    instance.name = std::move(name);
    instance.instanceType = type;
    instance.clientId = kClientId;
    instance.applicationType = 134;
    return instance;
  }
  static config::ClientRecord client(std::uint64_t id, std::optional<std::uint64_t> server) {
    config::ClientRecord record;
    record.id = id;
    record.name = "client-" + std::to_string(id);
    record.cloudVirtualServerId = server;
    return record;
  }
  static config::SubclientRecord subclient(std::uint64_t id, std::uint64_t backupSet,
                                           std::optional<std::string> settings) {
    config::SubclientRecord record;
    record.id = id;
    record.name = "subclient-" + std::to_string(id);
    record.backupSetId = backupSet;
    record.subclientInfo = std::move(settings);
    return record;
  }

  HostKey key_;
  std::unique_ptr<const PlatformConfiguration> configuration_;
  std::unique_ptr<CloudSimulator> simulator_;
  LogWriter writer_;
  std::optional<LogCapture> capture_;
  HostEnvironment environment_;
  std::optional<HostEnvironment::Installation> hostInstallation_;
  std::optional<CloudSimulator::Installation> simulatorInstallation_;
};

}  // namespace spannertest
