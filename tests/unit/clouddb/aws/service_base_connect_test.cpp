// AmazonServiceBase: job focus, the connect forms and their proxy choice, credentials, regions
// and the backup-set connection of the cluster providers.
#include <gtest/gtest.h>

#include <algorithm>

#include "AwsServiceTestWorld.h"
#include "clouddb/aws/CAmazonDocumentDBInfo.h"
#include "clouddb/aws/CAmazonDynamoDBInfo.h"
#include "platform/HostKey.h"

namespace {

using awstest::AwsServiceTestWorld;

constexpr char kNoJobLine[] =
    "AmazonServiceBase Focus: Job ID is -123456 setting it to Zero before calling SetAmazonFcous";

SHostCredentials proxyEntry(std::string host, int kind, std::string user = "", std::string password = "") {
  return SHostCredentials{"", std::move(host), std::move(user), std::move(password), kind};
}

class ServiceBaseTest : public ::testing::Test {
 protected:
  HostKey key_ = AwsServiceTestWorld::testKey();
  config::ConfigurationContents contents_ = AwsServiceTestWorld::defaultContents(key_);
};

TEST_F(ServiceBaseTest, AProcessWithoutAJobNamesJobZeroToTheBridge) {
  AwsServiceTestWorld world(contents_);
  CAmazonDynamoDBInfo provider;
  provider.FetchCredentials(awstest::kDynamoInstanceId);
  ASSERT_EQ(provider.Connect(), 1);

  const auto initializations = world.callsOf("initialize");
  ASSERT_EQ(initializations.size(), 1u);
  EXPECT_EQ(initializations[0].arguments.back(), "0");
  EXPECT_TRUE(world.capture().hasLine("AmazonServiceBase Focus:[Instance001] App:[clouddb-host] JobId:[-123456]"));
  EXPECT_TRUE(world.capture().hasLine(kNoJobLine));
}

TEST_F(ServiceBaseTest, ARunningJobKeepsItsIdAndAFailedFocusIsOnlyLogged) {
  AwsServiceTestWorld world(contents_, awstest::kCloudFixture, 4711);
  ASSERT_TRUE(world.simulator().failNext(CloudBridgeKind::Amazon, "initialize", 1, "focus refused"));
  CAmazonDynamoDBInfo provider;
  EXPECT_EQ(provider.Init(), 1);

  const auto initializations = world.callsOf("initialize");
  ASSERT_EQ(initializations.size(), 1u);
  EXPECT_EQ(initializations[0].arguments.back(), "4711");
  EXPECT_FALSE(world.capture().hasLine(kNoJobLine));
  EXPECT_TRUE(world.capture().hasLine("AmazonServiceBase::SetAmazonFcous Failed"));
}

TEST_F(ServiceBaseTest, OnlyTheFirstHttpProxyEntryWithARealHostIsSet) {
  // The proxy asks for its user and password: a connect that handed on another entry fails.
  AwsServiceTestWorld world(contents_, awstest::behindProxy("proxy.local:3128", "puser", "ppass"));
  CAmazonDynamoDBInfo provider;
  const std::vector<SHostCredentials> proxies = {
      proxyEntry("other.local:1080", 1), proxyEntry(":", 3), proxyEntry("proxy.local:3128", 3, "puser", "ppass"),
      proxyEntry("second.local:8080", 3)};
  EXPECT_EQ(provider.Connect("us-east-1", awstest::kAccessKeyId, awstest::kSecretAccessKey, proxies), 1);

  const auto proxyCalls = world.callsOf("SetWebProxy");
  ASSERT_EQ(proxyCalls.size(), 1u);
  EXPECT_EQ(proxyCalls[0].arguments[0], "proxy.local:3128");
  EXPECT_EQ(proxyCalls[0].arguments[1], "puser");
  EXPECT_EQ(proxyCalls[0].arguments[3], "0");
  EXPECT_EQ(world.callsOf("Connect").at(0).proxy, "proxy.local:3128");
}

// A proxy the client refuses stops the connect: made without it, it would go around the proxy.
TEST_F(ServiceBaseTest, ARefusedProxyStopsTheConnect) {
  AwsServiceTestWorld world(contents_);
  CAmazonDynamoDBInfo provider;
  EXPECT_EQ(provider.Connect("us-east-1", awstest::kAccessKeyId, awstest::kSecretAccessKey,
                             {proxyEntry("proxy.local:", 3, "puser", "ppass")}),
            0);
  EXPECT_TRUE(world.callsOf("Connect").empty());
  const std::vector<LogLine> lines = world.capture().lines();
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const LogLine& line) {
    return line.text.rfind("The cloud client refused the HTTP proxy [proxy.local:]: [", 0) == 0 &&
           line.text.find("ppass") == std::string::npos;
  }));
}

TEST_F(ServiceBaseTest, ALoneColonOrTheFormWithoutProxiesSetsNoProxy) {
  AwsServiceTestWorld world(contents_);
  CAmazonDynamoDBInfo provider;
  EXPECT_EQ(provider.Connect("us-east-1", awstest::kAccessKeyId, awstest::kSecretAccessKey, {proxyEntry(":", 3)}), 1);
  EXPECT_EQ(provider.Connect("us-east-1", awstest::kAccessKeyId, awstest::kSecretAccessKey), 1);
  EXPECT_EQ(world.simulator().countCalls(CloudBridgeKind::Amazon, "SetWebProxy"), 0u);
  EXPECT_EQ(world.capture().countLines("Connection Successful"), 2u);
  EXPECT_TRUE(world.capture().hasLine("Connecting to Url=[us-east-1], user name[AKIAH8TESTACCOUNT001]"));
}

TEST_F(ServiceBaseTest, EachConnectFormReportsItsOwnFailure) {
  AwsServiceTestWorld world(contents_);
  CAmazonDynamoDBInfo provider;
  // Nothing fetched: the bridge is asked with empty texts and refuses.
  EXPECT_EQ(provider.Connect(), 0);
  const auto connects = world.callsOf("Connect");
  ASSERT_EQ(connects.size(), 1u);
  EXPECT_EQ(connects[0].arguments[0], "");
  EXPECT_EQ(connects[0].arguments[1], "");
  EXPECT_EQ(connects[0].arguments[3], "2");
  EXPECT_TRUE(world.capture().hasLine("AmazonServiceBase::Connect::Connect failed"));

  EXPECT_EQ(provider.Connect("us-east-1", awstest::kAccessKeyId, "not the secret"), 0);
  EXPECT_TRUE(world.capture().hasLine("AmazonServiceBase::Connect failed"));
}

TEST_F(ServiceBaseTest, InstanceCredentialsAndTheirProxyRecordReachTheBridge) {
  contents_.appManagerSettings.push_back(
      {awstest::kDynamoInstanceId, {config::StoredHostCredential{"", "proxy.local:3128", "", "", 3}}});
  // Only the proxy reaches the cloud: a connect that ignored the instance's record would fail.
  AwsServiceTestWorld world(contents_, awstest::behindProxy("proxy.local:3128"));

  CAmazonDynamoDBInfo provider;
  EXPECT_EQ(provider.FetchCredentials(awstest::kDynamoInstanceId), 1);
  EXPECT_EQ(provider.instanceId(), awstest::kDynamoInstanceId);
  EXPECT_EQ(provider.regionEndpoint(), "us-east-1,eu-west-1");
  ASSERT_EQ(provider.Connect(), 1);
  EXPECT_EQ(world.callsOf("Connect").at(0).proxy, "proxy.local:3128");
  EXPECT_EQ(world.callsOf("Connect").at(0).arguments[0], "us-east-1,eu-west-1");
}

TEST_F(ServiceBaseTest, KeysSetByTheCallerAreDecryptedWithoutAClient) {
  AwsServiceTestWorld world(contents_);
  CAmazonDynamoDBInfo provider;
  provider.setAccessKey(awstest::kAccessKeyId);
  provider.setSecretKey(AwsServiceTestWorld::seal(key_, awstest::kSecretAccessKey));
  EXPECT_EQ(provider.FetchClientCredentials(0), 1);
  EXPECT_EQ(provider.Connect(), 1);
}

TEST_F(ServiceBaseTest, AClientsKeysReplaceTheInstanceKeys) {
  contents_.clients[0].accessKey = awstest::kAccessKeyId;
  contents_.clients[0].secretKey = AwsServiceTestWorld::seal(key_, "a secret the account does not know");
  AwsServiceTestWorld world(contents_);
  CAmazonDynamoDBInfo provider;
  provider.FetchCredentials(awstest::kDynamoInstanceId);
  ASSERT_EQ(provider.Connect(), 1);
  EXPECT_EQ(provider.FetchClientCredentials(awstest::kClientId), 1);
  EXPECT_EQ(provider.Connect(), 0);
}

TEST_F(ServiceBaseTest, TheRegionListIsTheConnectionsAndAFailureQuotesTheBridge) {
  AwsServiceTestWorld world(contents_);
  CAmazonDynamoDBInfo provider;
  provider.FetchCredentials(awstest::kDynamoInstanceId);
  ASSERT_EQ(provider.Connect(), 1);
  std::vector<VMInfoStructs::SDataCenterInfo> regions;
  ASSERT_EQ(provider.GetRegionList(regions, 0, 0), 1);
  ASSERT_EQ(regions.size(), 2u);
  EXPECT_EQ(regions[0].name, "us-east-1");
  EXPECT_EQ(regions[1].name, "eu-west-1");

  ASSERT_TRUE(world.simulator().failNext(CloudBridgeKind::Amazon, "RefreshDCInfoList", 1, "Rate exceeded"));
  std::vector<VMInfoStructs::SDataCenterInfo> more;
  EXPECT_EQ(provider.GetRegionList(more, 0, 0), 0);
  EXPECT_TRUE(more.empty());
  EXPECT_TRUE(world.capture().hasLine("Failed to refresh region list list . Error [Rate exceeded]"));
}

TEST_F(ServiceBaseTest, ABackupSetConnectsThroughItsInstance) {
  AwsServiceTestWorld world(contents_);
  CAmazonDocumentDBInfo provider;
  EXPECT_TRUE(provider.MakeConnection(awstest::kDocumentDbSubclientId).IsSuccess());
  EXPECT_EQ(provider.instanceId(), awstest::kDocumentDbInstanceId);
  std::vector<App::DocumentDBCluster> clusters;
  EXPECT_TRUE(provider.listClustersInternal("us-east-1", "", "", clusters).IsSuccess());
  EXPECT_EQ(clusters.size(), 2u);

  const CLmError unknown = provider.MakeConnection(99);
  EXPECT_EQ(unknown.code(), -774);
  EXPECT_EQ(unknown.message(), "Instance not found for app id 99");
}

TEST_F(ServiceBaseTest, ABackupSetWhoseKeysTheCloudRefusesFailsToConnect) {
  contents_.instances[1].secretKey = AwsServiceTestWorld::seal(key_, "a secret the account does not know");
  AwsServiceTestWorld world(contents_);
  CAmazonDocumentDBInfo provider;
  const CLmError refused = provider.MakeConnection(awstest::kDocumentDbSubclientId);
  EXPECT_EQ(refused.code(), -774);
  EXPECT_EQ(refused.message(), "AWS Connect failed for instance 1003");
}

}  // namespace
