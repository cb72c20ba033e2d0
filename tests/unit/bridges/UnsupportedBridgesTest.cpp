// The bridges of the clouds the simulator does not serve yet fail every call and say why;
// none of them pretends to succeed.
#include <gtest/gtest.h>

#include "BridgeTestSupport.h"
#include "bridges/AliCloudSDKCppBridge.h"
#include "bridges/AzureSDKCppBridge.h"
#include "bridges/CloudSDKCppBridge.h"
#include "bridges/GoogleCloudSDKCppBridge.h"
#include "bridges/OracleCloudSDKCppBridge.h"

using namespace bridgetest;

TEST(UnsupportedBridges, ConnectsFailWithTheReasonAndAreRecorded) {
  InstalledSimulator simulator;
  CloudSDKCppBridge::CCloudSDKCppBridge resourceManager;
  OracleCloudSDKCppBridge::COracleCloudSDKCppBridge oracle(OracleCloudSDKCppBridge::kModeInfrastructure);

  EXPECT_FALSE(resourceManager.Connect("sub\\tenant", "app", "secret"));
  EXPECT_EQ(resourceManager.GetLastErrorString(), "Connect is not supported by this simulator yet");
  EXPECT_FALSE(oracle.Connect("ocid1.tenancy", "user|fp|key.pem|us-ashburn-1", "phrase"));
  EXPECT_EQ(oracle.GetLastErrorString(), "Connect is not supported by this simulator yet");

  const auto calls = simulator->calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].bridge, CloudBridgeKind::AzureResourceManager);
  EXPECT_EQ(calls[0].arguments, (Names{"sub\\tenant", "app", "***NOT SHOWN***"}));
  EXPECT_EQ(calls[1].bridge, CloudBridgeKind::Oracle);
  for (const auto& call : calls) EXPECT_TRUE(call.failed);
}

TEST(UnsupportedBridges, ListingsFailRatherThanReturnNothing) {
  InstalledSimulator simulator;
  AzureSDKCppBridge::CAzureSDKCppBridge azure;
  std::vector<VMInfoStructs::SDatastoreInfo> accounts;
  EXPECT_FALSE(azure.GetStorageAccountInfoList("", -1, -1, accounts, false));
  OracleCloudSDKCppBridge::COracleCloudSDKCppBridge oracle(OracleCloudSDKCppBridge::kModeClassicServices);
  std::vector<CloudDBInfoStructs::SOCIDbSystemInfo> systems(2);
  EXPECT_FALSE(oracle.GetDbSystemList(systems, "ocid1.compartment"));
  EXPECT_TRUE(systems.empty()) << "a reused list never keeps another parent's children";
  EXPECT_EQ(simulator->countCalls(CloudBridgeKind::Azure, "GetStorageAccountInfoList"), 1u);
}

TEST(UnsupportedBridges, FaultsStillApplyAndNoSimulatorIsNamed) {
  {
    InstalledSimulator simulator;
    ASSERT_TRUE(simulator->failNext(CloudBridgeKind::Google, "ListProjects", 1, "quota exceeded"));
    GoogleCloudSDKCppBridge::CGoogleCloudSDKCppBridge google;
    std::vector<GoogleCloudSDKWrapper::SProjectInfoLib> projects;
    EXPECT_FALSE(google.ListProjects(projects));
    EXPECT_EQ(google.GetLastError(), "quota exceeded");
  }
  AliCloudSDKCppBridge::CAliCloudSDKCppBridge alibaba;
  EXPECT_FALSE(alibaba.ConnectRDS("LTAI", "secret"));
  EXPECT_EQ(alibaba.GetLastError(), "no cloud simulator installed");
}
