// What a backup set's preview costs the host, request in to response out, on simulated AWS
// accounts of 10 000, 50 000 and 100 000 RDS instances: the exported BrowseInventoryHandler
// answers a preview request (one rule: everything the instance reaches) over a socket pair,
// against a bare loop that writes the same nodes (type, name, region) with pugixml and prints
// them. Both are timed on the CPU clock of the thread doing the work, so that a loaded machine
// does not count against either. "ratio" is ours over the bare loop (goal: at most 5x),
// "ours_ms" the handler's time (goal at 100 000: under 500 ms); PreviewGrowth reports how the
// handler's time grows from 10 000 to 100 000 databases (linear: about 10x). The "_floor"
// counters (ratio_floor, growth_floor) measure the same for what the simulated cloud alone costs
// to hand its records over: the bridge listing every instance of every region into a caller's
// list, and that list freed. The handler cannot do less than that and still render the nodes.
// "faults" counts the page faults of one handler call (memory the allocator fetched anew).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/socket.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <utility>

#include "AwsBenchAccount.h"
#include "bridges/AmazonSDKCppBridge.h"
#include "bridges/simulator/CloudSimulator.h"
#include "clouddb/entry/EntryPoints.h"
#include "platform/CKwNetwork.h"
#include "platform/HostEnvironment.h"
#include "platform/KwNetworkPeer.h"
#include "platform/LogWriter.h"
#include "platform/PlatformConfiguration.h"
#include "platform/messages/App.h"

namespace {

using namespace benchaccount;
using Seconds = std::chrono::duration<double>;

constexpr std::int64_t kRdsInstanceType = 4;
constexpr std::int64_t kAllRule = 17;
constexpr std::int64_t kInstanceNode = 50;
constexpr int kTimeoutSeconds = 60;

Seconds threadCpuTime() {
  timespec now{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return Seconds(static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9);
}

using Host = benchaccount::BenchHost;

// One account size: its simulator, and the nodes a preview shows, in the order it shows them.
struct Account {
  explicit Account(int instances) : simulator(simulatorOf(instances)) {
    simulator->keepCallRecord(false);
    for (const std::string& region : kRegions) {
      for (int i = 0; i < instances; ++i) {
        if (instanceRegion(i) == region) nodes.emplace_back(instanceName(i), region);
      }
    }
  }
  std::unique_ptr<CloudSimulator> simulator;
  std::vector<std::pair<std::string, std::string>> nodes;  // name, region
};

Host& host() {
  static Host instance;
  return instance;
}

Account& account(int instances) {
  static std::map<int, std::unique_ptr<Account>> accounts;
  std::unique_ptr<Account>& slot = accounts[instances];
  if (!slot) slot = std::make_unique<Account>(instances);
  return *slot;
}

App::BrowsePreviewReq previewRequest() {
  App::BrowsePreviewReq request;
  request.mutableInstance().setInstanceId(static_cast<std::int64_t>(kInstanceId));
  request.setInstanceType(kRdsInstanceType);
  App::CloudDBEntity content;
  content.setEntityType(kAllRule);
  App::CloudDBEntity everything;
  everything.setEntityType(kAllRule);
  content.addChild(everything);
  request.setContent(content);
  return request;
}

struct Exchange {
  Seconds handlerCpu{};
  Seconds wall{};
  std::size_t nodes = 0;
  std::size_t faults = 0;
};

// One preview through the exported handler: the peer sends the request and reads the answer,
// the handler runs on its own thread with the host end of the socket pair.
Exchange previewOnce(Account& data) {
  int ends[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) std::abort();
  CKwNetwork hostEnd{kwnet::SocketFd(ends[0])};
  KwNetworkPeer peer{kwnet::SocketFd(ends[1])};
  CloudSimulator::Installation installed(*data.simulator);
  Exchange exchange;
  const auto start = std::chrono::steady_clock::now();
  if (peer.sendRequest(previewRequest(), kTimeoutSeconds).IsFailure()) std::abort();
  std::thread handler([&] {
    rusage usageBefore{};
    ::getrusage(RUSAGE_THREAD, &usageBefore);
    const Seconds before = threadCpuTime();
    BrowseInventoryHandler(&hostEnd, 0);
    exchange.handlerCpu = threadCpuTime() - before;
    rusage usageAfter{};
    ::getrusage(RUSAGE_THREAD, &usageAfter);
    exchange.faults = static_cast<std::size_t>(usageAfter.ru_minflt - usageBefore.ru_minflt);
  });
  KwNetworkPeer::Reply reply;
  const CLmError read = peer.readReply(reply, kTimeoutSeconds);
  handler.join();
  exchange.wall = std::chrono::steady_clock::now() - start;
  if (read.IsFailure() || reply.kind != KwNetworkPeer::ReplyKind::Response) {
    std::cerr << "preview: no response (" << read.AsString() << ")\n";
    std::abort();
  }
  const auto& response = static_cast<const App::BrowseInventoryResp&>(*reply.message);
  if (response.root() == nullptr) {
    std::cerr << "preview: no root in the response\n";
    std::abort();
  }
  exchange.nodes = response.root()->children().size();
  return exchange;
}

// The limit: the same nodes written with pugixml and printed.
Seconds bareLoopOnce(const Account& data) {
  const Seconds before = threadCpuTime();
  pugi::xml_document document;
  pugi::xml_node root = document.append_child("CloudDBEntity");
  root.append_attribute("entityType") = kAllRule;
  for (const auto& [name, region] : data.nodes) {
    pugi::xml_node node = root.append_child("children");
    node.append_attribute("name") = name.c_str();
    node.append_attribute("entityType") = kInstanceNode;
    node.append_attribute("region") = region.c_str();
  }
  std::ostringstream text;
  document.save(text, "", pugi::format_raw);
  benchmark::DoNotOptimize(text.str().size());
  return threadCpuTime() - before;
}

// The floor: the records the preview's one listing hands over, listed straight through the
// bridge and freed, on a thread of its own as the handler runs.
Seconds handoverOnce(Account& data) {
  CloudSimulator::Installation installed(*data.simulator);
  Seconds spent{};
  std::thread lister([&] {
    const Seconds before = threadCpuTime();
    {
      AmazonSDKCppBridge::CAmazonSDKCppBridge bridge;
      std::vector<RDSInfoStructs::SDBInstanceInfo> records;
      if (!bridge.Connect("", kAccessKeyId, kSecretAccessKey, AmazonSDKCppBridge::CLOUD_TYPE_RDS) ||
          bridge.RefreshDBInstanceInfoList(0, 0, "", "", "", {}) < 0 || !bridge.GetDBInstanceInfoList(records, 0, 0)) {
        std::cerr << "hand-over: " << bridge.GetLastErrorString() << "\n";
        std::abort();
      }
      benchmark::DoNotOptimize(records.data());
    }
    spent = threadCpuTime() - before;
  });
  lister.join();
  return spent;
}

void PreviewOverBareLoop(benchmark::State& state) {
  host();
  Account& data = account(static_cast<int>(state.range(0)));
  Seconds ours{};
  Seconds bare{};
  Seconds handover{};
  Seconds wall{};
  std::size_t nodes = 0;
  std::size_t faults = 0;
  for (auto _ : state) {
    const Exchange exchange = previewOnce(data);
    faults += exchange.faults;
    ours += exchange.handlerCpu;
    wall += exchange.wall;
    nodes = exchange.nodes;
    bare += bareLoopOnce(data);
  }
  // The floor is taken after the rounds, so that it does not change what they see of the heap.
  for (benchmark::IterationCount round = 0; round < state.iterations(); ++round) {
    handover += handoverOnce(data);
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["ours_ms"] = ours.count() * 1000 / iterations;
  state.counters["wall_ms"] = wall.count() * 1000 / iterations;
  state.counters["bare_ms"] = bare.count() * 1000 / iterations;
  state.counters["ratio"] = ours / bare;
  state.counters["ratio_floor"] = handover / bare;
  state.counters["limit"] = 5;
  if (state.range(0) == 100000) state.counters["ours_ms_limit"] = 500;
  state.counters["nodes"] = static_cast<double>(nodes);
  state.counters["faults"] = static_cast<double>(faults) / iterations;
}

// The handler's time at 100 000 databases over its time at 10 000, in the same iteration, and
// the same for the hand-over alone.
void PreviewGrowth(benchmark::State& state) {
  host();
  Account& small = account(10000);
  Account& large = account(100000);
  Seconds smallTime{};
  Seconds largeTime{};
  Seconds smallHandover{};
  Seconds largeHandover{};
  for (auto _ : state) {
    smallTime += previewOnce(small).handlerCpu;
    largeTime += previewOnce(large).handlerCpu;
  }
  for (benchmark::IterationCount round = 0; round < state.iterations(); ++round) {
    smallHandover += handoverOnce(small);
    largeHandover += handoverOnce(large);
  }
  state.counters["growth"] = largeTime / smallTime;
  state.counters["growth_floor"] = largeHandover / smallHandover;
  state.counters["growth_limit"] = 12;  // linear is about 10x; a little slack for noise
}

// Several rounds at every size: one round's times swing with what the machine's memory is doing.
BENCHMARK(PreviewOverBareLoop)
    ->Arg(10000)
    ->Arg(50000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK(PreviewGrowth)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);

}  // namespace

BENCHMARK_MAIN();
