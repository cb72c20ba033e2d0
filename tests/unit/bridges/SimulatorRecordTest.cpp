// The simulator's faults and its call record, and its use from several threads at once.
#include <gtest/gtest.h>

#include <thread>

#include "BridgeTestSupport.h"

using namespace bridgetest;
using AmazonSDKCppBridge::CAmazonSDKCppBridge;

namespace {

int refreshAll(CAmazonSDKCppBridge& bridge) { return bridge.RefreshDBInstanceInfoList(0, 0, "", "", "", {}); }

}  // namespace

TEST(SimulatorFaults, FailTheNextCallsThenRecover) {
  InstalledSimulator simulator;
  CAmazonSDKCppBridge bridge;
  ASSERT_TRUE(bridge.Connect("", kAccessKey, kSecret, 1));
  ASSERT_TRUE(simulator->failNext(CloudBridgeKind::Amazon, "RefreshDBInstanceInfoList", 2, "Rate exceeded"));
  EXPECT_EQ(refreshAll(bridge), -1);
  EXPECT_EQ(bridge.GetLastErrorString(), "Rate exceeded");
  EXPECT_EQ(bridge.RefreshRDSClusterInfoList(0, 0, "", "", {}, ""), 3) << "other operations are not affected";
  EXPECT_EQ(refreshAll(bridge), -1);
  EXPECT_EQ(refreshAll(bridge), 8);
  EXPECT_EQ(bridge.GetLastErrorString(), "");
}

TEST(SimulatorFaults, FaultsQueueInTheOrderPlanned) {
  InstalledSimulator simulator;
  CAmazonSDKCppBridge bridge;
  ASSERT_TRUE(simulator->failNext(CloudBridgeKind::Amazon, "Connect", 1, "first"));
  ASSERT_TRUE(simulator->failNext(CloudBridgeKind::Amazon, "Connect", 1, "second"));
  EXPECT_FALSE(bridge.Connect("", kAccessKey, kSecret, 1));
  EXPECT_EQ(bridge.GetLastErrorString(), "first");
  EXPECT_FALSE(bridge.Connect("", kAccessKey, kSecret, 1));
  EXPECT_EQ(bridge.GetLastErrorString(), "second");
  EXPECT_TRUE(bridge.Connect("", kAccessKey, kSecret, 1));
}

TEST(SimulatorFaults, FaultsForOtherBridgesOrClearedDoNothing) {
  InstalledSimulator simulator;
  CAmazonSDKCppBridge bridge;
  ASSERT_TRUE(simulator->failNext(CloudBridgeKind::Alibaba, "RefreshDBInstanceInfoList", 1, "x"));
  ASSERT_TRUE(simulator->failNext(CloudBridgeKind::Amazon, "Connect", 3, "y"));
  simulator->clearFaults();
  EXPECT_TRUE(bridge.Connect("", kAccessKey, kSecret, 1));
  EXPECT_EQ(refreshAll(bridge), 8);
}

TEST(SimulatorFaults, OnlyOperationsThatCanFailAreAccepted) {
  InstalledSimulator simulator;
  EXPECT_FALSE(simulator->failNext(CloudBridgeKind::Amazon, "Disconnect", 1, "x"));
  EXPECT_FALSE(simulator->failNext(CloudBridgeKind::Amazon, "RefreshDBInstances", 1, "x"));
  EXPECT_FALSE(simulator->failNext(CloudBridgeKind::Amazon, "Connect", 0, "x"));
  EXPECT_TRUE(simulator->failNext(CloudBridgeKind::Amazon, "GetDBInstanceInfoList", 1, "x"));
}

TEST(SimulatorFaults, FixtureCanPlanFaultsFromTheStart) {
  std::string json = kAccountJson;
  json.replace(json.rfind('}'), 1,
               R"(, "faults": [{"bridge": "amazon", "operation": "RefreshDCInfoList", "times": 1, "text": "Rate exceeded"}]})");
  InstalledSimulator simulator(json);
  CAmazonSDKCppBridge bridge;
  ASSERT_TRUE(bridge.Connect("", kAccessKey, kSecret, 1));
  EXPECT_EQ(bridge.RefreshDCInfoList(0, 0), -1);
  EXPECT_EQ(bridge.RefreshDCInfoList(0, 0), 3);
}

TEST(SimulatorRecord, EveryCallIsRecordedWithArgumentsAndOutcome) {
  InstalledSimulator simulator;
  CAmazonSDKCppBridge bridge;
  ASSERT_TRUE(bridge.Connect("us-east-1", kAccessKey, kSecret, 1));
  ASSERT_EQ(bridge.RefreshDBInstanceInfoList(0, 0, "env", "prod", "us-west-2", filterOf(3, 2, {"a", "b"})), 0);
  EXPECT_EQ(bridge.RefreshDBInstanceInfoList(0, 0, "", "", "mars-1", {}), -1);
  bridge.Disconnect();

  const auto calls = simulator->calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].operation, "Connect");
  EXPECT_EQ(calls[0].arguments, (Names{"us-east-1", kAccessKey, "***NOT SHOWN***", "1"})) << "secrets are masked";
  EXPECT_EQ(calls[0].connection, 1u);
  EXPECT_EQ(calls[1].arguments, (Names{"0", "0", "env", "prod", "us-west-2",
                                       "{applyFilter: true, identifiers: [a, b], engineType: 3, auroraScope: 2}"}));
  EXPECT_EQ(calls[1].connection, 1u);
  EXPECT_FALSE(calls[1].failed);
  EXPECT_TRUE(calls[2].failed);
  EXPECT_EQ(calls[2].errorText, "Could not connect to the endpoint URL: \"https://rds.mars-1.amazonaws.com/\"");
  EXPECT_EQ(calls[3].operation, "Disconnect");
  EXPECT_EQ(calls[3].bridge, CloudBridgeKind::Amazon);
}

TEST(SimulatorRecord, CountsLookupsPerOperationAndClears) {
  InstalledSimulator simulator;
  CAmazonSDKCppBridge first;
  CAmazonSDKCppBridge second;
  ASSERT_TRUE(first.Connect("", kAccessKey, kSecret, 1));
  ASSERT_TRUE(second.Connect("", kAccessKey, kSecret, 1));
  refreshAll(first);
  refreshAll(second);
  refreshAll(second);
  EXPECT_EQ(simulator->countCalls(CloudBridgeKind::Amazon, "RefreshDBInstanceInfoList"), 3u);
  EXPECT_EQ(simulator->countCalls(CloudBridgeKind::Amazon, "Connect"), 2u);
  EXPECT_EQ(simulator->countCalls(CloudBridgeKind::Azure, "Connect"), 0u);
  EXPECT_EQ(simulator->calls().back().connection, 2u) << "each Connect opens a connection of its own";
  simulator->clearCalls();
  EXPECT_TRUE(simulator->calls().empty());
}

TEST(SimulatorRecord, InstallationRestoresThePreviousSimulator) {
  EXPECT_EQ(CloudSimulator::installed(), nullptr);
  {
    InstalledSimulator outer;
    CloudSimulator* outerSimulator = CloudSimulator::installed();
    ASSERT_NE(outerSimulator, nullptr);
    {
      InstalledSimulator inner;
      EXPECT_NE(CloudSimulator::installed(), outerSimulator);
    }
    EXPECT_EQ(CloudSimulator::installed(), outerSimulator);
  }
  EXPECT_EQ(CloudSimulator::installed(), nullptr);
}

TEST(SimulatorConcurrency, ConnectionsSideBySideShareOneConsistentCloud) {
  InstalledSimulator simulator;
  constexpr int kThreads = 4;
  constexpr int kRounds = 50;
  std::vector<std::thread> threads;
  std::vector<int> failures(kThreads, 0);
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &failures] {
      CAmazonSDKCppBridge bridge;
      if (!bridge.Connect("", kAccessKey, kSecret, 1)) ++failures[static_cast<std::size_t>(t)];
      for (int round = 0; round < kRounds; ++round) {
        if (refreshAll(bridge) != 8) ++failures[static_cast<std::size_t>(t)];
      }
    });
  }
  // Deleting while the others list: exactly one of the two attempts wins.
  CAmazonSDKCppBridge deleter;
  ASSERT_TRUE(deleter.Connect("", kAccessKey, kSecret, 1));
  const bool firstDelete = deleter.DeleteRDSInstanceSnapshot("", "pg-a-manual");
  const bool secondDelete = deleter.DeleteRDSInstanceSnapshot("", "pg-a-manual");
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(failures, std::vector<int>(kThreads, 0));
  EXPECT_TRUE(firstDelete);
  EXPECT_FALSE(secondDelete);
  EXPECT_EQ(simulator->countCalls(CloudBridgeKind::Amazon, "RefreshDBInstanceInfoList"),
            static_cast<std::size_t>(kThreads * kRounds));
}
