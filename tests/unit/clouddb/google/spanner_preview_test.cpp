// CGoogleSpannerInfo: the account and key it signs in with, the three levels of a Spanner
// browse, what it leaves out because the platform already protects it, and how each failure
// reaches the caller.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "SpannerTestWorld.h"
#include "clouddb/google/CGoogleSpannerInfo.h"

namespace {

using namespace spannertest;

constexpr char kPreviewSignature[] =
    "CLmError CGoogleSpannerInfo::PreviewGoogleSpanner(long unsigned int, long unsigned int, const string&, "
    "App::CloudDBEntity&)";

// name, second text, entity type of each child.
using Child = std::tuple<std::string, std::string, std::int64_t>;

std::vector<Child> childrenOf(const App::CloudDBEntity& entity) {
  std::vector<Child> children;
  for (const App::CloudDBEntity& child : entity.children()) {
    children.emplace_back(child.name(), child.region(), child.entityType());
  }
  return children;
}

CLmError preview(unsigned long clientId, unsigned long instanceId, const std::string& path,
                 App::CloudDBEntity& entity) {
  CGoogleSpannerInfo provider;
  return provider.PreviewGoogleSpanner(clientId, instanceId, path, entity);
}

TEST(SpannerPreview, EachPathListsItsLevelLeavingOutWhatIsConfigured) {
  const struct {
    const char* path;
    unsigned long instanceId;
    std::vector<Child> expected;
  } cases[] = {
      // "shared" is a Spanner backup instance of the client: left out in both its projects.
      {"", 0, {{"solo", "solo", 50}}},
      {"projects", kSharedInstanceId, {{"alpha", "Alpha", 52}, {"alpha-eu", "Alpha EU", 52}}},
      // "orders" is named by a subclient of the backup instance.
      {"alpha/shared", kSharedInstanceId, {{"stock", "alpha/shared", 44}}},
      {"alpha-eu/shared", kSharedInstanceId, {}},
      // Without a backup instance nothing is left out.
      {"alpha/shared", 0, {{"orders", "alpha/shared", 44}, {"stock", "alpha/shared", 44}}},
  };
  for (const auto& c : cases) {
    SpannerTestWorld world;
    App::CloudDBEntity entity;
    const CLmError result = preview(kClientId, c.instanceId, c.path, entity);
    ASSERT_TRUE(result.IsSuccess()) << c.path << ": " << result.AsString();
    EXPECT_EQ(childrenOf(entity), c.expected) << c.path;
  }
}

TEST(SpannerPreview, SkippedObjectsAndUnreadableSettingsAreLogged) {
  SpannerTestWorld world;
  App::CloudDBEntity entity;
  ASSERT_TRUE(preview(kClientId, 0, "", entity).IsSuccess());
  EXPECT_EQ(world.capture().countLines("Skipping Instance [shared] as it has been already configured for this client"),
            2u);
  EXPECT_TRUE(world.capture().hasLine(kPreviewSignature, "Configured Instance [shared] Id : [1037]"));
  EXPECT_TRUE(world.capture().hasLine("Got Client ID [40] VS instance id [4000], instance type not yet known"));

  ASSERT_TRUE(preview(kClientId, kSharedInstanceId, "alpha/shared", entity).IsSuccess());
  EXPECT_TRUE(world.capture().hasLine(kPreviewSignature, "BackupSet ID: [537]"));
  EXPECT_TRUE(
      world.capture().hasLine(kPreviewSignature, "Unable to obtain Spanner subclientInfo for SubclientID [638]"));
  EXPECT_TRUE(world.capture().hasLine(
      kPreviewSignature, "Skipping Database [orders] as it has been already configured for this Instance."));
}

TEST(SpannerPreview, PathsThatNameNoLevelFailBeforeAnyListing) {
  for (const char* path : {"alpha/shared/orders", "alpha", "//", "alpha/shared/"}) {
    SpannerTestWorld world;
    App::CloudDBEntity entity;
    const CLmError result = preview(kClientId, kSharedInstanceId, path, entity);
    EXPECT_EQ(result.code(), -774) << path;
    EXPECT_EQ(result.message(), "Invalid content given for browse") << path;
    EXPECT_EQ(result.kind(), CLmError::Kind::Win32) << path;
    ASSERT_FALSE(result.stack().empty());
    EXPECT_EQ(result.stack().front().file, "GoogleSpannerInfo");
    EXPECT_EQ(result.stack().front().function, kPreviewSignature);
    EXPECT_TRUE(entity.children().empty()) << path;
    EXPECT_EQ(world.simulator().countCalls(CloudBridgeKind::Google, "GetSpannerDatabasesList"), 0u) << path;
  }
}

// Two parts name an instance whatever they hold; the cloud judges an empty name.
TEST(SpannerPreview, TwoPartsWithAnEmptyOneAreAskedOfTheCloud) {
  for (const char* path : {"alpha/", "/shared", "/"}) {
    SpannerTestWorld world;
    App::CloudDBEntity entity;
    const CLmError result = preview(kClientId, kSharedInstanceId, path, entity);
    EXPECT_EQ(result.code(), -774) << path;
    EXPECT_EQ(result.message(), "Failed to retrieve spanner database list") << path;
    EXPECT_EQ(world.simulator().countCalls(CloudBridgeKind::Google, "GetSpannerDatabasesList"), 1u) << path;
  }
}

TEST(SpannerPreview, CloudAndConfigurationFailuresCarryTheirCodeAndText) {
  const struct {
    unsigned long clientId;
    unsigned long instanceId;
    const char* path;
    const char* faultyOperation;  // null: no fault
    std::int64_t code;
    std::string message;
  } cases[] = {
      {kClientWithoutAccount, 0, "", nullptr, -13, "ClientProperties::getCloudVSInstanceID failed for client [42]"},
      {99, 0, "", nullptr, -13, "ClientProperties::getCloudVSInstanceID failed for client [99]"},
      {0, 0, "", nullptr, -14, "Failed to open the Google Cloud account of instance id [0]"},
      {kClientId, 0, "", "Connect", -774, "Google Cloud Connect Failed"},
      {kClientId, 0, "projects", "ListProjects", -774, "Failed to retrieve project list"},
      {kClientId, 0, "", "GetSpannerInstancesList", -774, "Failed to retrieve spanner instances list"},
      {kClientId, 0, "alpha/shared", "GetSpannerDatabasesList", -774, "Failed to retrieve spanner database list"},
      {kClientId, 0, "alpha/nope", nullptr, -774, "Failed to retrieve spanner database list"},
      {kClientId, 999, "alpha/shared", nullptr, -774, "ClientApplicationList::getBackupSetList failed"},
      {kClientId, kBrokenInstanceId, "alpha/shared", nullptr, -774,
       std::string("unserialize failed for[") + kBrokenSettings + "]"},
  };
  for (const auto& c : cases) {
    SpannerTestWorld world;
    if (c.faultyOperation != nullptr) {
      ASSERT_TRUE(world.simulator().failNext(CloudBridgeKind::Google, c.faultyOperation, 1, "UNAVAILABLE"));
    }
    App::CloudDBEntity entity;
    const CLmError result = preview(c.clientId, c.instanceId, c.path, entity);
    EXPECT_EQ(result.code(), c.code) << c.message;
    EXPECT_EQ(result.message(), c.message);
    EXPECT_TRUE(entity.children().empty()) << c.message;
  }
}

TEST(SpannerPreview, ABridgeFailureIsLoggedWithTheCloudsText) {
  SpannerTestWorld world;
  ASSERT_TRUE(world.simulator().failNext(CloudBridgeKind::Google, "ListProjects", 1, "PERMISSION_DENIED: no"));
  App::CloudDBEntity entity;
  EXPECT_TRUE(preview(kClientId, 0, "projects", entity).IsFailure());
  EXPECT_TRUE(world.capture().hasLine(kPreviewSignature, "ListProjects failed, error [PERMISSION_DENIED: no]"));
}

TEST(SpannerCredentials, AKeyFileIsUsedAsStoredAndAWrappedKeyIsUnwrapped) {
  SpannerTestWorld world;
  CGoogleSpannerInfo p12;
  ASSERT_TRUE(p12.GetCloudInfo(kClientId).IsSuccess());
  EXPECT_EQ(p12.instanceId(), kP12ServerId);
  ASSERT_TRUE(p12.FetchCredentials().IsSuccess());
  EXPECT_EQ(p12.keyFile(), "alpha.p12");
  EXPECT_EQ(p12.keyPass(), "notasecret");
  EXPECT_EQ(p12.serviceAccountId(), kP12ServiceAccount);

  CGoogleSpannerInfo wrapped;
  ASSERT_TRUE(wrapped.Init().IsSuccess());
  ASSERT_TRUE(wrapped.GetCloudInfo(kWrappedKeyClientId).IsSuccess());
  ASSERT_TRUE(wrapped.FetchCredentials().IsSuccess());
  EXPECT_EQ(wrapped.keyFile(), "");
  EXPECT_EQ(wrapped.keyPass(), kKeyMaterial);
  EXPECT_TRUE(world.capture().hasLine("Fetched P12Key [], UserId [backup@beta.iam.gserviceaccount.com]"));
  ASSERT_TRUE(wrapped.Connect().IsSuccess());
  EXPECT_TRUE(world.capture().hasLine(
      "Connecting to P12Key [], UserId [backup@beta.iam.gserviceaccount.com], KeyPass [***NOT SHOWN***]"));
  EXPECT_TRUE(world.capture().hasLine("Google Cloud Connection Successful"));
  EXPECT_TRUE(wrapped.Disconnect().IsSuccess());

  App::CloudDBEntity entity;
  ASSERT_TRUE(preview(kWrappedKeyClientId, 0, "projects", entity).IsSuccess());
  EXPECT_EQ(childrenOf(entity), (std::vector<Child>{{"beta", "Beta", 52}}));
}

TEST(SpannerCredentials, AWrappedKeyThatDoesNotUnwrapNeverReachesTheCloud) {
  const std::string good = wrapKey(kKeyMaterial);
  std::string tampered = good;
  tampered[7] = tampered[7] == '0' ? '1' : '0';
  for (const std::string& stored : {std::string("Wnot-hexadecimal"), good + "0", tampered, std::string("")}) {
    SpannerTestWorld world(spannerContents(stored));
    App::CloudDBEntity entity;
    const CLmError result = preview(kWrappedKeyClientId, 0, "projects", entity);
    EXPECT_EQ(result.code(), -774) << stored;
    EXPECT_EQ(result.message().rfind("The wrapped service-account key", 0), 0u) << result.message();
    EXPECT_EQ(world.simulator().countCalls(CloudBridgeKind::Google, "Connect"), 0u) << stored;
    EXPECT_FALSE(world.capture().hasLine("Google Cloud Connection Successful"));
  }
}

TEST(SpannerCredentials, DisconnectFailureHasItsOwnText) {
  SpannerTestWorld world;
  CGoogleSpannerInfo provider;
  EXPECT_TRUE(provider.Disconnect().IsSuccess()) << "nothing to disconnect yet";
  ASSERT_TRUE(provider.Init().IsSuccess());
  ASSERT_TRUE(world.simulator().failNext(CloudBridgeKind::Google, "Disconnect", 1, "DEADLINE_EXCEEDED"));
  const CLmError result = provider.Disconnect();
  EXPECT_EQ(result.code(), -774);
  EXPECT_EQ(result.message(), "Disconnect from Google Cloud failed");
}

}  // namespace
