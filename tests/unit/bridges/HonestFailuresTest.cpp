// A bridge call that cannot be served fails and says why, in the record too; none of them
// pretends to succeed.
#include <gtest/gtest.h>

#include "BridgeTestSupport.h"
#include "bridges/AliCloudSDKCppBridge.h"
#include "bridges/AzureSDKCppBridge.h"
#include "bridges/CloudSDKCppBridge.h"

using namespace bridgetest;

TEST(HonestFailures, ConnectsFailWithTheReasonAndAreRecorded) {
  InstalledSimulator simulator;
  CloudSDKCppBridge::CCloudSDKCppBridge resourceManager;

  EXPECT_FALSE(resourceManager.Connect("sub\\tenant", "app", "secret"));
  EXPECT_EQ(resourceManager.GetLastErrorString(),
            "AADSTS90002: Tenant 'tenant' not found. Check to make sure you have the correct tenant ID and are "
            "signing into the correct cloud.");

  const auto calls = simulator->calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].bridge, CloudBridgeKind::AzureResourceManager);
  EXPECT_EQ(calls[0].arguments, (Names{"sub\\tenant", "app", "***NOT SHOWN***"}));
  for (const auto& call : calls) EXPECT_TRUE(call.failed);
}

TEST(HonestFailures, ListingsFailRatherThanReturnNothing) {
  InstalledSimulator simulator;
  AzureSDKCppBridge::CAzureSDKCppBridge azure;
  std::vector<VMInfoStructs::SDatastoreInfo> accounts;
  EXPECT_FALSE(azure.GetStorageAccountInfoList("", -1, -1, accounts, false));
  EXPECT_EQ(azure.GetLastErrorString(), "The client is not connected; call Connect first.");
  EXPECT_EQ(simulator->countCalls(CloudBridgeKind::Azure, "GetStorageAccountInfoList"), 1u);
}

TEST(HonestFailures, FaultsStillApplyAndNoSimulatorIsNamed) {
  {
    InstalledSimulator simulator;
    ASSERT_TRUE(simulator->failNext(CloudBridgeKind::Azure, "GetStorageAccountInfoList", 1, "quota exceeded"));
    AzureSDKCppBridge::CAzureSDKCppBridge azure;
    std::vector<VMInfoStructs::SDatastoreInfo> accounts;
    EXPECT_FALSE(azure.GetStorageAccountInfoList("", -1, -1, accounts, false));
    EXPECT_EQ(azure.GetLastErrorString(), "quota exceeded");
  }
  AliCloudSDKCppBridge::CAliCloudSDKCppBridge alibaba;
  EXPECT_FALSE(alibaba.ConnectRDS("LTAI", "secret"));
  EXPECT_EQ(alibaba.GetLastError(), "no cloud simulator installed");
}
