// The inventory discovery end to end over the simulated clouds: the provider each client gets,
// the listing it answers with, the rate-limit retry on the fake clock, and every failure row.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "InventoryTestWorld.h"
#include "clouddb/aws/CAmazonRDSInfo.h"
#include "clouddb/inventory/CAliRDSInfo.h"
#include "clouddb/inventory/CAzureRDSInfo.h"
#include "clouddb/inventory/CGoogleRDSInfo.h"
#include "clouddb/inventory/CloudInfoFactory.h"
#include "clouddb/inventory/InventoryDiscovery.h"

namespace {

using namespace inventorytest;
using Names = std::vector<std::string>;
using std::chrono::milliseconds;

constexpr char kTag[] = "DiscoverRDSInventoryCommon";

struct Outcome {
  bool succeeded = false;
  std::string errorText;
  Names names;
};

// One discovery for a client (0: a request without its instance field), optionally of one
// engine type and for one application type.
Outcome discover(unsigned long clientId, std::int64_t engineType = 0, std::int64_t applicationType = 0,
                 std::uint64_t instanceId = 0) {
  App::BrowseRDSInventoryReq request;
  if (clientId != 0 || instanceId != 0) {
    request.mutableInstance().setClientId(static_cast<std::int64_t>(clientId));
    if (instanceId != 0) request.mutableInstance().setInstanceId(static_cast<std::int64_t>(instanceId));
  }
  if (engineType != 0) request.setEngineType(engineType);
  if (applicationType != 0) request.setApplicationType(applicationType);
  EvEvent log;
  std::vector<App::RDSDBInstance> instances;
  std::string first;
  std::string second;
  Outcome outcome;
  outcome.succeeded =
      clouddb::inventory::DiscoverRDSInventoryCommon(&request, instances, log, outcome.errorText, first, second);
  for (const App::RDSDBInstance& instance : instances) outcome.names.push_back(instance.name());
  return outcome;
}

TEST(InventoryFactory, InstanceTypeChoosesTheProvider) {
  InventoryTestWorld world;
  const struct {
    unsigned long clientId;
    const std::type_info& provider;
    const char* line;
  } cases[] = {
      {kAmazonClient, typeid(CAmazonRDSInfo), "Got instance type [301] for [Amazon] instance id [3101]"},
      {kAzureClient, typeid(CAzureRDSInfo), "Got instance type [402] for [Azure] instance id [3102]"},
      {kAzureOtherClient, typeid(CAzureRDSInfo), "Got instance type [403] for [Azure] instance id [3103]"},
      {kGoogleClient, typeid(CGoogleRDSInfo), "Got instance type [1301] for [Google] instance id [3104]"},
      {kAlibabaClient, typeid(CAliRDSInfo), "Got instance type [1401] for [Alibaba] instance id [3105]"},
      {0, typeid(CAmazonRDSInfo), "Assuming instance type [301] for [Amazon] client id [0]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.clientId);
    world.capture().clear();  // the lines of the case before, its provider's end among them
    EvEvent log;
    std::unique_ptr<CRDSInfo> provider;
    ASSERT_EQ(clouddb::inventory::CreateCloudInfoObject(c.clientId, log, provider), 0);
    ASSERT_NE(provider, nullptr);
    EXPECT_EQ(typeid(*provider), c.provider);
    EXPECT_EQ(provider->virtualServerInstanceId(), c.clientId == 0 ? 0 : static_cast<int>(3080 + c.clientId));
    // The choice is logged before the provider is made, so the provider's own lines follow it.
    const std::vector<LogLine> lines = world.capture().lines();
    const auto chosen = std::find_if(lines.begin(), lines.end(), [&](const LogLine& line) {
      return line.tag == "CreateCloudInfoObject" && line.text == c.line;
    });
    ASSERT_NE(chosen, lines.end());
    EXPECT_TRUE(std::none_of(lines.begin(), chosen, [](const LogLine& line) { return line.text == "Start >>>"; }));
  }
}

TEST(InventoryFactory, ClientsWithoutAServedCloudGetNoProvider) {
  InventoryTestWorld world;
  const struct {
    unsigned long clientId;
    const char* line;
  } cases[] = {
      {kUnmappedClient, "Error, RDS instance type [302] not supported"},
      {kNoServerClient, "ClientProperties::getCloudVSInstanceID failed for client [27]"},
      {99, "ClientProperties::getCloudVSInstanceID failed for client [99]"},
      {kHugeServerClient, "Error, instance type not yet known"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.clientId);
    EvEvent log;
    auto kept = std::make_unique<CAmazonRDSInfo>();
    const CRDSInfo* before = kept.get();
    std::unique_ptr<CRDSInfo> provider = std::move(kept);
    EXPECT_EQ(clouddb::inventory::CreateCloudInfoObject(c.clientId, log, provider), -1);
    EXPECT_EQ(provider.get(), before) << "a failed make leaves the held provider alone";
    EXPECT_TRUE(world.capture().hasLine("CreateCloudInfoObject", c.line));
  }
}

TEST(InventoryDiscovery, EachCloudListsItsInstances) {
  InventoryTestWorld world;
  const struct {
    unsigned long clientId;
    Names names;
  } cases[] = {
      // Aurora clusters once each, under their first member; same-named clusters of two regions both.
      {kAmazonClient, {"c1-a", "c2-a", "old-a", "db1", "pg", "ora", "c1-eu"}},
      {kAzureClient, {"az-pg", "az-maria", "az-my"}},
      {kAzureOtherClient, {"az-pg", "az-maria", "az-my"}},
      {kGoogleClient, {"g-pg", "g-my", "g-sql"}},
      {kWrappedKeyClient, {"w-my"}},
      {kAlibabaClient, {"rm-my", "pgm-pg", "rm-maria"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.clientId);
    const Outcome outcome = discover(c.clientId);
    EXPECT_TRUE(outcome.succeeded) << outcome.errorText;
    EXPECT_EQ(outcome.errorText, "");
    EXPECT_EQ(outcome.names, c.names);
  }
}

TEST(InventoryDiscovery, ApplicationTypeFiltersAndRenames) {
  InventoryTestWorld world;
  EXPECT_EQ(discover(kAmazonClient, 0, 104).names,
            (Names{"aurora/c1", "aurora/c2", "aurora/old", "mariadb/db1", "aurora/c1"}));
  EXPECT_EQ(discover(kAmazonClient, 0, 125).names, (Names{"pg"}));
  EXPECT_EQ(discover(kAmazonClient, 0, 22).names, (Names{"ora"}));
  EXPECT_EQ(discover(kAlibabaClient, 0, 104).names, (Names{"rm-my", "mariadb/rm-maria"}));
  EXPECT_EQ(discover(kGoogleClient, 0, 125).names, (Names{"g-pg"}));
  // Another application type keeps everything; the console's names still apply.
  EXPECT_EQ(discover(kAzureClient, 0, 7).names, (Names{"az-pg", "mariadb/az-maria", "az-my"}));
  EXPECT_EQ(discover(kAzureClient).names, (Names{"az-pg", "az-maria", "az-my"}));
}

TEST(InventoryDiscovery, EngineTypeAsksEachProviderForThatEngine) {
  InventoryTestWorld world;
  const struct {
    unsigned long clientId;
    int engineType;
    bool succeeded;
    Names names;
    const char* errorStart;
  } cases[] = {
      {kAmazonClient, 5, true, {"mariadb/db1"}, ""},
      {kAmazonClient, 4, true, {"aurora/c1", "aurora/c2", "aurora/old", "aurora/c1"}, ""},
      {kAzureClient, 5, true, {"mariadb/az-maria"}, ""},
      {kAzureClient, 3, true, {"az-my"}, ""},
      // Only Amazon has Aurora clusters: the other providers do not list clusters at all.
      {kAzureClient, 2, false, {}, "API not implemented"},
      {kGoogleClient, 3, true, {"g-my"}, ""},
      {kGoogleClient, 1, true, {"g-pg"}, ""},
      {kGoogleClient, 5, false, {}, "Engine type [5] not supported."},
      {kAlibabaClient, 1, true, {"pgm-pg"}, ""},
      {kAlibabaClient, 4, false, {}, "API not implemented"},
      {kAlibabaClient, 6, false, {}, "Engine type [6] not supported."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.clientId) + "/" + std::to_string(c.engineType));
    world.simulator().clearCalls();
    const Outcome outcome = discover(c.clientId, c.engineType);
    EXPECT_EQ(outcome.succeeded, c.succeeded);
    EXPECT_EQ(outcome.names, c.names);
    EXPECT_EQ(outcome.errorText.rfind(c.errorStart, 0), 0u) << outcome.errorText;
    if (!c.succeeded) {
      EXPECT_TRUE(world.capture().hasLine(kTag, "Discover failed [" + outcome.errorText + "]"));
    }
  }
  // A refused engine type never reaches the cloud.
  EXPECT_EQ(world.simulator().countCalls(CloudBridgeKind::Alibaba, "RefreshDBInstanceInfoList"), 0u);
}

TEST(InventoryDiscovery, RateLimitIsRetriedAfterOneSecondPauses) {
  InventoryTestWorld world;
  ASSERT_TRUE(world.simulator().failNext(CloudBridgeKind::Amazon, "RefreshDBInstanceInfoList", 2, "Rate exceeded"));
  const Outcome outcome = discover(kAmazonClient);
  EXPECT_TRUE(outcome.succeeded);
  EXPECT_EQ(outcome.names.size(), 7u);
  EXPECT_EQ(outcome.errorText, "Rate exceeded") << "the last rate-limit text stays for the entry point";
  EXPECT_EQ(world.clock().sleeps(), (std::vector<milliseconds>{milliseconds(1000), milliseconds(1000)}));
  const std::string retry =
      "Failed to get instance list due to exceeded API query rate. Sleep for a second and retrying. Retry [";
  EXPECT_TRUE(world.capture().hasLine(kTag, retry + "1]"));
  EXPECT_TRUE(world.capture().hasLine(kTag, retry + "2]"));
  EXPECT_FALSE(world.capture().hasLine(kTag, retry + "3]"));
}

TEST(InventoryDiscovery, EndlessRateLimitCostsFiveAttemptsAndFourPauses) {
  InventoryTestWorld world;
  ASSERT_TRUE(
      world.simulator().failNext(CloudBridgeKind::Alibaba, "RefreshDBInstanceInfoList", 50,
                                 "Throttling.User: Request was denied due to user flow control. Rate exceeded"));
  const Outcome outcome = discover(kAlibabaClient);
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_TRUE(outcome.names.empty());
  EXPECT_EQ(world.simulator().countCalls(CloudBridgeKind::Alibaba, "RefreshDBInstanceInfoList"), 5u);
  EXPECT_EQ(world.clock().sleeps().size(), 4u);
  EXPECT_TRUE(world.capture().hasLine(
      kTag, "Failed to get instance list from RDS instance. Error [" + outcome.errorText + "]"));
}

TEST(InventoryDiscovery, FailuresLeaveAReasonForTheConsole) {
  Secrets wrongSecrets;
  wrongSecrets.azure = "{{seal:not-the-azure-secret}}";
  InventoryTestWorld world(platformJson(wrongSecrets));
  ASSERT_TRUE(world.simulator().failNext(CloudBridgeKind::Google, "RefreshDBInstanceInfoList", 1, "quota exhausted"));
  const struct {
    unsigned long clientId;
    const char* errorText;
    const char* line;
  } cases[] = {
      {kUnmappedClient, "Failed to create Cloud Info object.", "Failed to create Cloud Info object. Client ID [26]"},
      // A request without a client means Amazon, which without an instance has no credentials.
      {0, "Failed to fetch cloud credentials.", "CRDSInfo::Init module failed instance ID [0]"},
      {kAzureClient,
       "AADSTS7000215: Invalid client secret provided. Ensure the secret being sent in the request is the client "
       "secret value, not the client secret ID, for a secret added to app 'app-1'.",
       "Failed to connect to RDS instance"},
      {kGoogleClient, "quota exhausted", "Failed to get instance list from RDS instance. Error [quota exhausted]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.clientId);
    const Outcome outcome = discover(c.clientId);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_TRUE(outcome.names.empty());
    EXPECT_EQ(outcome.errorText, c.errorText);
    EXPECT_TRUE(world.capture().hasLine(kTag, c.line));
  }
  EXPECT_TRUE(world.capture().hasLine(kTag, "Client ID is not set. Value [0]. Default to Amazon Cloud."));
  EXPECT_TRUE(world.clock().sleeps().empty()) << "only the rate limit is retried";
}

// A cloud that keeps the listing but refuses to hand it over has not listed the account.
TEST(InventoryDiscovery, ARefusedHandOverOfTheListingIsAFailure) {
  const struct {
    unsigned long clientId;
    CloudBridgeKind kind;
    int engineType;
  } cases[] = {
      {kAmazonClient, CloudBridgeKind::Amazon, 0}, {kAzureClient, CloudBridgeKind::Azure, 0},
      {kAzureClient, CloudBridgeKind::Azure, 1},   {kGoogleClient, CloudBridgeKind::Google, 0},
      {kAlibabaClient, CloudBridgeKind::Alibaba, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.clientId) + " engine " + std::to_string(c.engineType));
    InventoryTestWorld world;
    ASSERT_TRUE(world.simulator().failNext(c.kind, "GetDBInstanceInfoList", 1, "hand-over refused"));
    const Outcome outcome = discover(c.clientId, c.engineType);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_TRUE(outcome.names.empty());
    EXPECT_NE(outcome.errorText.find("hand-over refused"), std::string::npos) << outcome.errorText;
  }
}

// A value too large for the 32 bits it travels in is refused, not cut down to another client's
// (2^32 + 10 would be client 10) or another engine's.
TEST(InventoryDiscovery, ValuesBeyondTheirThirtyTwoBitsAreRefused) {
  InventoryTestWorld world;
  const struct {
    unsigned long clientId;
    std::int64_t engineType;
    std::int64_t applicationType;
    std::uint64_t instanceId;
    const char* errorText;
  } cases[] = {
      {(1UL << 32) + kAmazonClient, 0, 0, 0, "The request's client id [4294967317] does not fit its 32 bits"},
      {kAmazonClient, (1LL << 32) + 3, 0, 0, "The request's engine type [4294967299] does not fit its 32 bits"},
      {kAmazonClient, 0, (1LL << 32) + 104, 0, "The request's application type [4294967400] does not fit its 32 bits"},
      {kAmazonClient, 0, 0, std::uint64_t(1) << 32, "The request's instance id [4294967296] does not fit its 32 bits"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.errorText);
    const Outcome outcome = discover(c.clientId, c.engineType, c.applicationType, c.instanceId);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_TRUE(outcome.names.empty());
    EXPECT_EQ(outcome.errorText, c.errorText);
    EXPECT_TRUE(world.capture().hasLine(kTag, c.errorText));
  }
  EXPECT_EQ(world.simulator().countCalls(CloudBridgeKind::Amazon, "Connect"), 0u);
}

TEST(InventoryDiscovery, RequestInstanceIdIsTheCredentialSource) {
  InventoryTestWorld world;
  // The Amazon provider reads the backup instance's keys, whose regions allow us-east-1 only.
  const Outcome outcome = discover(kAmazonClient, 0, 0, 1001);
  EXPECT_TRUE(outcome.succeeded) << outcome.errorText;
  EXPECT_EQ(outcome.names, (Names{"c1-a", "c2-a", "old-a", "db1", "pg", "ora"}));
}

}  // namespace
