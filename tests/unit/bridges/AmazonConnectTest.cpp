// Opening a connection on the Amazon bridge: credentials checked as AWS checks them, the regions
// an end-point text allows, the proxy, and what happens without a simulator.
#include <gtest/gtest.h>

#include "BridgeTestSupport.h"

using namespace bridgetest;
using AmazonSDKCppBridge::CAmazonSDKCppBridge;

namespace {

constexpr const char* kInvalidToken = "The security token included in the request is invalid.";
constexpr const char* kSignatureMismatch =
    "The request signature we calculated does not match the signature you provided. Check your AWS Secret "
    "Access Key and signing method. Consult the service documentation for details.";

Names regionsSeenThrough(const std::string& endPoint) {
  CAmazonSDKCppBridge bridge;
  EXPECT_TRUE(bridge.Connect(endPoint, kAccessKey, kSecret, 1)) << bridge.GetLastErrorString();
  EXPECT_GT(bridge.RefreshDCInfoList(0, 0), 0) << bridge.GetLastErrorString();
  std::vector<VMInfoStructs::SDataCenterInfo> regions;
  EXPECT_TRUE(bridge.GetDCInfoList(regions, 0, 0));
  return valuesOf(regions, &VMInfoStructs::SDataCenterInfo::name);
}

}  // namespace

TEST(AmazonConnect, WithoutSimulatorEveryCallFailsClearly) {
  CAmazonSDKCppBridge bridge;
  EXPECT_FALSE(bridge.Connect("us-east-1", kAccessKey, kSecret, 1));
  EXPECT_EQ(bridge.GetLastErrorString(), "no cloud simulator installed");
  EXPECT_EQ(bridge.RefreshDCInfoList(0, 0), -1);
  EXPECT_EQ(bridge.GetLastErrorString(), "no cloud simulator installed");
}

TEST(AmazonConnect, RightKeysConnectAndClearTheLastError) {
  InstalledSimulator simulator;
  CAmazonSDKCppBridge bridge;
  EXPECT_FALSE(bridge.Connect("", "", "", 1));
  EXPECT_TRUE(bridge.Connect("us-east-1", kAccessKey, kSecret, 1));
  EXPECT_EQ(bridge.GetLastErrorString(), "");
}

TEST(AmazonConnect, CredentialsAreRefusedWithAwsTexts) {
  InstalledSimulator simulator;
  CAmazonSDKCppBridge bridge;
  EXPECT_FALSE(bridge.Connect("us-east-1", "AKIAUNKNOWN", kSecret, 1));
  EXPECT_EQ(bridge.GetLastErrorString(), kInvalidToken);
  EXPECT_FALSE(bridge.Connect("us-east-1", kAccessKey, "wrong-secret", 1));
  EXPECT_EQ(bridge.GetLastErrorString(), kSignatureMismatch);
  EXPECT_FALSE(bridge.Connect("us-east-1", "", kSecret, 1));
  EXPECT_EQ(bridge.GetLastErrorString(), "Missing Authentication Token");
  EXPECT_FALSE(bridge.Connect("us-east-1", kAccessKey, "", 1));
  EXPECT_EQ(bridge.GetLastErrorString(), "Missing Authentication Token");
}

TEST(AmazonConnect, SecretStillEncryptedIsAWrongSecret) {
  InstalledSimulator simulator;
  CAmazonSDKCppBridge bridge;
  EXPECT_FALSE(bridge.Connect("us-east-1", kAccessKey, "enc:v1:AAAAbbbbCCCC", 1));
  EXPECT_EQ(bridge.GetLastErrorString(), kSignatureMismatch);
}

TEST(AmazonConnect, EncryptedLookingSecretIsRefusedEvenWhenTheFixtureHoldsIt) {
  // A fixture written from the platform's file by mistake must not make encrypted secrets work.
  std::string json = kAccountJson;
  json.replace(json.find("test-secret-0001"), 16, "enc:v1:abc");
  InstalledSimulator simulator(json);
  CAmazonSDKCppBridge bridge;
  EXPECT_FALSE(bridge.Connect("us-east-1", kAccessKey, "enc:v1:abc", 1));
  EXPECT_EQ(bridge.GetLastErrorString(), kSignatureMismatch);
}

TEST(AmazonConnect, CloudTypeMustBeOneOfTheFour) {
  InstalledSimulator simulator;
  CAmazonSDKCppBridge bridge;
  EXPECT_FALSE(bridge.Connect("us-east-1", kAccessKey, kSecret, 5));
  EXPECT_EQ(bridge.GetLastErrorString(), "Unknown cloud type 5");
  EXPECT_FALSE(bridge.Connect("us-east-1", kAccessKey, kSecret, 0));
  for (int type = 1; type <= 4; ++type) EXPECT_TRUE(bridge.Connect("us-east-1", kAccessKey, kSecret, type)) << type;
}

TEST(AmazonConnect, EndPointTextNarrowsTheRegions) {
  InstalledSimulator simulator;
  EXPECT_EQ(regionsSeenThrough("us-west-2"), (Names{"us-west-2"}));
  EXPECT_EQ(regionsSeenThrough("eu-west-1,us-east-1"), (Names{"eu-west-1", "us-east-1"}));
  EXPECT_EQ(regionsSeenThrough(" us-east-1 , ,us-east-1,"), (Names{"us-east-1"}));
  EXPECT_EQ(regionsSeenThrough(""), (Names{"us-east-1", "us-west-2", "eu-west-1"}));
  EXPECT_EQ(regionsSeenThrough("us-east-1,default"), (Names{"us-east-1", "us-west-2", "eu-west-1"}));
}

TEST(AmazonConnect, RegionRecordsCarryNameIdentifierAndDescription) {
  InstalledSimulator simulator;
  CAmazonSDKCppBridge bridge;
  ASSERT_TRUE(bridge.Connect("eu-west-1,us-east-1", kAccessKey, kSecret, 2));
  ASSERT_EQ(bridge.RefreshDCInfoList(0, 0), 2);
  std::vector<VMInfoStructs::SDataCenterInfo> regions;
  ASSERT_TRUE(bridge.GetDCInfoList(regions, 0, 0));
  ASSERT_EQ(regions.size(), 2u);
  EXPECT_EQ(regions[0].identifier, "ec2.eu");
  EXPECT_EQ(regions[1].identifier, "ec2.us-east-1.amazonaws.com");
}

TEST(AmazonConnect, UnknownRegionFailsAsAnUnreachableEndPoint) {
  InstalledSimulator simulator;
  CAmazonSDKCppBridge bridge;
  EXPECT_FALSE(bridge.Connect("us-east-1,mars-1", kAccessKey, kSecret, 2));
  EXPECT_EQ(bridge.GetLastErrorString(), "Could not connect to the endpoint URL: \"https://dynamodb.mars-1.amazonaws.com/\"");
  EXPECT_EQ(bridge.RefreshDCInfoList(0, 0), -1) << "a failed Connect leaves no connection behind";
  EXPECT_EQ(bridge.GetLastErrorString(), "The client is not connected; call Connect first.");
}

TEST(AmazonConnect, DisconnectEndsTheConnection) {
  InstalledSimulator simulator;
  CAmazonSDKCppBridge bridge;
  ASSERT_TRUE(bridge.Connect("us-east-1", kAccessKey, kSecret, 1));
  bridge.Disconnect();
  EXPECT_EQ(bridge.RefreshDBInstanceInfoList(0, 0, "", "", "", {}), -1);
  EXPECT_EQ(bridge.GetLastErrorString(), "The client is not connected; call Connect first.");
}

TEST(AmazonConnect, ServiceCallsNeedAConnectionForThatService) {
  InstalledSimulator simulator;
  CAmazonSDKCppBridge bridge;
  ASSERT_TRUE(bridge.Connect("us-east-1", kAccessKey, kSecret, 2));
  EXPECT_EQ(bridge.RefreshDBInstanceInfoList(0, 0, "", "", "", {}), -1);
  EXPECT_EQ(bridge.GetLastErrorString(),
            "RefreshDBInstanceInfoList needs a connection for rds; this one serves dynamodb.");
  EXPECT_GE(bridge.RefreshDynamoTableInfoList(0, 0, "", "", ""), 0);
}

TEST(AmazonConnect, ConnectionOpenedOnAReplacedSimulatorIsRefused) {
  CAmazonSDKCppBridge bridge;
  {
    InstalledSimulator first;
    ASSERT_TRUE(bridge.Connect("us-east-1", kAccessKey, kSecret, 1));
  }
  InstalledSimulator second;
  EXPECT_EQ(bridge.RefreshDBInstanceInfoList(0, 0, "", "", "", {}), -1);
  EXPECT_EQ(bridge.GetLastErrorString(), "The cloud simulator was replaced since Connect; connect again.");
}

TEST(AmazonConnect, InstancesListedOnAReplacedSimulatorAreNotHandedOut) {
  // The instance listing keeps the simulator's own records; once that simulator is gone the Get
  // fails instead of reading them.
  CAmazonSDKCppBridge bridge;
  {
    InstalledSimulator first;
    ASSERT_TRUE(bridge.Connect("us-east-1", kAccessKey, kSecret, 1));
    ASSERT_GT(bridge.RefreshDBInstanceInfoList(0, 0, "", "", "", {}), 0);
  }
  InstalledSimulator second;
  std::vector<RDSInfoStructs::SDBInstanceInfo> out;
  EXPECT_FALSE(bridge.GetDBInstanceInfoList(out, 0, 0));
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(bridge.GetLastErrorString(), "The cloud simulator was replaced since Connect; connect again.");
}

TEST(AmazonConnect, InitializeRecordsWhatTheCallerPassed) {
  InstalledSimulator simulator;
  CAmazonSDKCppBridge bridge;
  EXPECT_TRUE(bridge.initialize("Instance001", "clouddb-host", 0));
  EXPECT_TRUE(bridge.initialize("Instance001", "clouddb-host", -123456));
  const auto calls = simulator->calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].arguments, (Names{"Instance001", "clouddb-host", "0"}));
  EXPECT_EQ(calls[1].arguments[2], "-123456");
}

TEST(AmazonConnect, ProxyIsRecordedAndUsedByLaterCalls) {
  InstalledSimulator simulator;
  CAmazonSDKCppBridge bridge;
  EXPECT_TRUE(bridge.SetWebProxy("proxy.test:3128", "pu", "pp", 0));
  EXPECT_TRUE(bridge.Connect("us-east-1", kAccessKey, kSecret, 1));
  const auto calls = simulator->calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].arguments, (Names{"proxy.test:3128", "pu", "***NOT SHOWN***", "0"}));
  EXPECT_EQ(calls[0].proxy, "");
  EXPECT_EQ(calls[1].proxy, "proxy.test:3128");
}

TEST(AmazonConnect, ProxyThatCannotBeUsedFailsTheCalls) {
  InstalledSimulator simulator;
  CAmazonSDKCppBridge bridge;
  EXPECT_FALSE(bridge.SetWebProxy("no-port", "pu", "pp", 0));
  EXPECT_EQ(bridge.GetLastErrorString(), "Invalid proxy address \"no-port\"");
  ASSERT_TRUE(bridge.SetWebProxy("proxy.test:3128", "pu", "wrong", 0));
  EXPECT_FALSE(bridge.Connect("us-east-1", kAccessKey, kSecret, 1));
  EXPECT_EQ(bridge.GetLastErrorString(), "Received HTTP code 407 from proxy after CONNECT");
  ASSERT_TRUE(bridge.SetWebProxy("other.test:8080", "", "", 0));
  EXPECT_FALSE(bridge.Connect("us-east-1", kAccessKey, kSecret, 1));
  EXPECT_EQ(bridge.GetLastErrorString(), "Could not resolve proxy: other.test");
}

TEST(AmazonConnect, NetworkWithoutDirectAccessNeedsTheProxy) {
  std::string json = kAccountJson;
  json.replace(json.find("\"network\": {"), 12, "\"network\": {\"directAccess\": false, ");
  InstalledSimulator simulator(json);
  CAmazonSDKCppBridge bridge;
  EXPECT_FALSE(bridge.Connect("us-east-1", kAccessKey, kSecret, 4));
  EXPECT_EQ(bridge.GetLastErrorString(),
            "Failed to connect to redshift.us-east-1.amazonaws.com port 443 after 30000 ms: Timeout was reached");
  ASSERT_TRUE(bridge.SetWebProxy("proxy.test:3128", "pu", "pp", 0));
  EXPECT_TRUE(bridge.Connect("us-east-1", kAccessKey, kSecret, 4)) << bridge.GetLastErrorString();
}
