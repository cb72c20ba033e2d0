// What the Alibaba, Google Cloud SQL and Azure providers hand their bridges, and what a refused
// connect or a secret that does not decrypt leaves in the log, for every provider.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "InventoryTestWorld.h"
#include "clouddb/aws/CAmazonDynamoDBInfo.h"
#include "clouddb/aws/CAmazonRDSInfo.h"
#include "clouddb/inventory/CAliRDSInfo.h"
#include "clouddb/inventory/CAzureRDSInfo.h"
#include "clouddb/inventory/CGoogleRDSInfo.h"
#include "platform/config/ConfigStatus.h"
#include "platform/config/Instance.h"

namespace {

using namespace inventorytest;
using Texts = std::vector<std::string>;

template <class Provider>
std::unique_ptr<Provider> providerOn(int virtualServerId) {
  auto provider = std::make_unique<Provider>();
  provider->setVirtualServerInstanceId(virtualServerId);
  return provider;
}

std::vector<RecordedCall> callsOf(CloudSimulator& simulator, CloudBridgeKind bridge, const std::string& operation) {
  std::vector<RecordedCall> matching;
  for (const RecordedCall& call : simulator.calls()) {
    if (call.bridge == bridge && call.operation == operation) matching.push_back(call);
  }
  return matching;
}

TEST(GoogleRdsCredentials, KeyFileIsPassedAsIsAndAWrappedKeyIsUnwrapped) {
  InventoryTestWorld world;
  auto withFile = providerOn<CGoogleRDSInfo>(3104);
  ASSERT_EQ(withFile->FetchCredentials(), 1);
  EXPECT_EQ(withFile->Connect(), 1);
  auto wrapped = providerOn<CGoogleRDSInfo>(3107);
  ASSERT_EQ(wrapped->FetchCredentials(), 1);
  EXPECT_EQ(wrapped->Connect(), 1) << "the simulated account accepts only the unwrapped material";
  const auto connects = callsOf(world.simulator(), CloudBridgeKind::Google, "Connect");
  ASSERT_EQ(connects.size(), 2u);
  EXPECT_EQ(connects[0].arguments, (Texts{"inventory.p12", "sa@inventory.iam", "***NOT SHOWN***"}));
  EXPECT_EQ(connects[1].arguments, (Texts{"", "wrapped@inventory.iam", "***NOT SHOWN***"}));
  EXPECT_TRUE(world.capture().hasLine("FetchCredentials", "Fetched P12Key [], UserId [wrapped@inventory.iam]"));
}

TEST(GoogleRdsCredentials, WrappedKeyThatDoesNotUnwrapEndsTheFetch) {
  Secrets secrets;
  secrets.wrappedKey = "W0123456789abcdef0123456789abcdef0123456789abcdef";  // well-formed, wrong integrity
  InventoryTestWorld world(platformJson(secrets));
  auto provider = providerOn<CGoogleRDSInfo>(3107);
  EXPECT_EQ(provider->FetchCredentials(), 0);
  const Texts lines = world.linesOf("FetchCredentials");
  EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                         [](const std::string& text) {
                           return text.starts_with(
                               "The wrapped service-account key of configuration entry [virtual server 3107] setting "
                               "[user] is unusable: The wrapped service-account key does not unwrap");
                         }),
            lines.end());
  EXPECT_EQ(world.simulator().countCalls(CloudBridgeKind::Google, "Connect"), 0u);
}

TEST(AzureRdsSession, SubscriptionAndTenantFormTheLoginAndNoJobIsZero) {
  InventoryTestWorld world;
  auto provider = providerOn<CAzureRDSInfo>(3102);
  ASSERT_EQ(provider->FetchCredentials(), 1);
  ASSERT_EQ(provider->Connect(), 1);
  const auto initialized = callsOf(world.simulator(), CloudBridgeKind::Azure, "Initialize");
  ASSERT_EQ(initialized.size(), 1u);
  EXPECT_EQ(initialized[0].arguments, (Texts{"Instance001", "clouddb-host", "0", "402"}));
  EXPECT_TRUE(world.capture().hasLine("Init", "Resetting Job Id from [-123456] to [0]"));
  const auto connects = callsOf(world.simulator(), CloudBridgeKind::Azure, "Connect");
  ASSERT_EQ(connects.size(), 1u);
  EXPECT_EQ(connects[0].arguments, (Texts{"sub-1\\tenant-1", "app-1", "***NOT SHOWN***"}));
  EXPECT_TRUE(world.capture().hasLine(
      "FetchCredentials",
      "Fetched Subscription Id [sub-1\\tenant-1], Application Id [app-1], Password [***NOT SHOWN***]"));
}

TEST(AliRdsListing, TypedListingHandsTheBridgeAnEngineFilter) {
  InventoryTestWorld world;
  auto provider = providerOn<CAliRDSInfo>(3105);
  std::vector<VMInfoStructs::SDataCenterInfo> regions;
  // Before a connect the cloud gives no region list, which must not read as an account without regions.
  EXPECT_EQ(provider->GetRegionList(regions, 0, 0), 0);
  EXPECT_TRUE(regions.empty());
  const std::vector<LogLine> lines = world.capture().lines();
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const LogLine& line) {
    return line.tag == "GetRegionList" && line.text.rfind("Failed to get region list . Error [", 0) == 0;
  }));
  ASSERT_EQ(provider->FetchCredentials(), 1);
  ASSERT_EQ(provider->Connect(), 1);
  EXPECT_EQ(provider->GetRegionList(regions, 0, 0), 1);
  EXPECT_FALSE(regions.empty());
  std::vector<App::RDSDBInstance> out;
  for (const auto aurora : {App::CLOUDDB_ENGINE_AURORA_POSTGRESQL, App::CLOUDDB_ENGINE_AURORA_MYSQL}) {
    const CLmError refused = provider->GetDBInstanceInfoList(aurora, out, "", "");
    EXPECT_EQ(refused.code(), -1359);
    EXPECT_EQ(refused.message(), "Engine type [" + std::to_string(aurora) + "] not supported.");
  }
  EXPECT_EQ(world.simulator().countCalls(CloudBridgeKind::Alibaba, "RefreshDBInstanceInfoList"), 0u);
  ASSERT_TRUE(provider->GetDBInstanceInfoList(App::CLOUDDB_ENGINE_MYSQL, out, "", "").IsSuccess());
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].name(), "rm-my");
  EXPECT_EQ(out[0].region(), "cn-hangzhou");
  const auto refreshes = callsOf(world.simulator(), CloudBridgeKind::Alibaba, "RefreshDBInstanceInfoList");
  ASSERT_EQ(refreshes.size(), 1u);
  EXPECT_EQ(refreshes[0].arguments.back(), "{applyFilter: true, identifiers: [], engineType: 3, auroraScope: 0}");
}

TEST(ProviderConnect, TheCloudsReasonForARefusalIsLoggedWithTheSecretMasked) {
  Secrets wrong;
  wrong.amazon = "{{seal:wrong/aws/secret}}";
  wrong.alibaba = "{{seal:wrong/alibaba/secret}}";
  wrong.google = "{{seal:wrong-p12-password}}";
  InventoryTestWorld world(platformJson(wrong));
  std::vector<std::unique_ptr<CRDSInfo>> providers;
  providers.push_back(providerOn<CAmazonRDSInfo>(3101));
  providers.push_back(providerOn<CAliRDSInfo>(3105));
  providers.push_back(providerOn<CGoogleRDSInfo>(3104));
  const Texts reasons = {
      "The request signature we calculated does not match the signature you provided. Check your AWS Secret Access "
      "Key and signing method. Consult the service documentation for details.",
      "Specified signature is not matched with our calculation.",
      "Could not read the key file \"inventory.p12\": mac verify failure"};
  for (std::size_t i = 0; i < providers.size(); ++i) {
    SCOPED_TRACE(reasons[i]);
    ASSERT_EQ(providers[i]->FetchCredentials(), 1);
    EXPECT_EQ(providers[i]->Connect(), 0);
    EXPECT_EQ(providers[i]->lastError(), reasons[i]);
    EXPECT_TRUE(world.capture().hasLine("Connect", "The cloud refused the connection: [" + reasons[i] + "]"));
  }
  // The AWS service base (DynamoDB, DocumentDB, Redshift) says the same.
  world.capture().clear();
  CAmazonDynamoDBInfo serviceBase;
  ASSERT_EQ(serviceBase.FetchCredentials(1001), 1);
  EXPECT_EQ(serviceBase.Connect(), 0);
  EXPECT_TRUE(world.capture().hasLine("Connect", "The cloud refused the connection: [" + reasons[0] + "]"));
}

TEST(ProviderCredentials, SecretThatDoesNotDecryptEndsEveryFetchAndNamesItsEntry) {
  std::optional<HostKey> foreignKey;
  ASSERT_TRUE(HostKey::Generate(foreignKey).IsSuccess());
  std::string foreign;
  ASSERT_TRUE(foreignKey->encrypt("inventory/alibaba/secret", foreign).IsSuccess());
  std::string sealed;
  ASSERT_TRUE(rdstest::RdsTestWorld::testKey().encrypt("inventory/aws/secret", sealed).IsSuccess());
  std::string tampered = sealed;
  tampered[tampered.size() / 2] = tampered[tampered.size() / 2] == 'A' ? 'B' : 'A';
  std::string truncated = sealed.substr(0, sealed.size() - 6);

  Secrets damaged;
  damaged.amazon = tampered;
  damaged.alibaba = foreign;
  damaged.azure = truncated;
  damaged.google = foreign;
  InventoryTestWorld world(platformJson(damaged));

  const std::string refused = "does not decrypt: the stored secret does not decrypt with the host key";
  auto rdsOnInstance = std::make_unique<CAmazonRDSInfo>();
  rdsOnInstance->setInstanceId(1001);
  std::vector<std::pair<std::unique_ptr<CRDSInfo>, std::string>> cases;
  cases.emplace_back(providerOn<CAmazonRDSInfo>(3101), "[virtual server 3101] setting [amazonSecretKey]");
  cases.emplace_back(std::move(rdsOnInstance), "[instance 1001] setting [secretKey]");
  cases.emplace_back(providerOn<CAliRDSInfo>(3105), "[virtual server 3105] setting [alibabaSecretKey]");
  cases.emplace_back(providerOn<CAzureRDSInfo>(3102), "[virtual server 3102] setting [password]");
  cases.emplace_back(providerOn<CGoogleRDSInfo>(3104), "[virtual server 3104] setting [password]");
  for (const auto& [provider, entry] : cases) {
    SCOPED_TRACE(entry);
    EXPECT_EQ(provider->FetchCredentials(), 0);
    EXPECT_TRUE(
        world.capture().hasLine("FetchCredentials", "The secret of configuration entry " + entry + " " + refused));
  }
  CAmazonDynamoDBInfo serviceBase;
  EXPECT_EQ(serviceBase.FetchCredentials(1001), 0);
  EXPECT_EQ(
      world.capture().countLines("The secret of configuration entry [instance 1001] setting [secretKey] " + refused),
      2u);
  EXPECT_TRUE(world.capture().hasLine("Failed to decrypt secret key. Error: [" +
                                      Instance::getErrorMessage(config::kSecretRefused) + "]"));
  for (const LogLine& line : world.capture().lines()) {
    EXPECT_EQ(line.text.find("inventory/"), std::string::npos) << line.text;
  }
}

}  // namespace
