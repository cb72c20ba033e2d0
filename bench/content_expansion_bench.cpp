// What expanding a backup set's content rules costs over the matching it cannot avoid, on a
// simulated AWS account of 100 000 RDS instances in five regions: CAmazonRDSInfo::ExpandRdsContent
// over 20 rules (region, tag, pattern, negated pattern, specific) against a bare loop that matches
// the names each pattern rule sees with the same expressions, compiled once per rule. Both are
// timed on the thread's CPU clock, so that a loaded machine counts against neither. The goal is
// 3x; the "ratio" counter of RdsExpansionOverBareMatching says where we stand, "lookups" how
// many cloud calls the rules caused and "records" how many records one expansion produced.
// "lookups_ms" times the same distinct cloud calls made directly (the simulated cloud handing
// its records over through the bridge), and "own_ratio" sets what the expansion spends beyond
// them against the bare loop: the part of the cost that is the walk's own.
// "peak_MiB" is the program's peak memory after the runs (goal: under 300 MiB).
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AwsBenchAccount.h"
#include "bridges/simulator/CloudSimulator.h"
#include "clouddb/aws/CAmazonRDSInfo.h"
#include "clouddb/aws/NamePattern.h"
#include "platform/HostEnvironment.h"
#include "platform/HostKey.h"
#include "platform/LogWriter.h"
#include "platform/PlatformConfiguration.h"

namespace {

using namespace benchaccount;

constexpr int kInstances = 100000;

// One content rule as the backup set holds it, and for a pattern rule the region it looks in.
struct Rule {
  std::int64_t type;
  std::string name;
  std::string region;
  std::string tagValue;
  bool negated = false;
};

std::vector<Rule> contentRules() {
  return {
      {4, "us-east-1", "", ""},
      {4, "eu-west-1", "", ""},
      {47, "env", "", "dev"},
      {34, "team", "", "data"},
      {51, "prod-app-*", "us-east-1", ""},
      {51, "dev-app-1*", "", ""},
      {51, "*-4242*", "", ""},
      {51, "Analytics-*", "eu-central-1", ""},
      {51, "payments-ledger-9*", "us-west-2", ""},
      {51, "test-db-1000*", "", ""},
      {51, "*ledger-1.5", "ap-south-1", ""},
      {51, "prod-*", "ap-south-1", "", true},
      {51, "*0", "eu-west-1", "", true},
      {51, "dev-*", "us-west-2", "", true},
      {51, "*", "", "", true},
      {50, instanceName(0), instanceRegion(0), ""},
      {50, instanceName(7), instanceRegion(7), ""},
      {50, instanceName(12), instanceRegion(12), ""},
      {50, instanceName(40001), instanceRegion(40001), ""},
      {50, "no-such-instance", "eu-central-1", ""},
  };
}

std::string contentXml(const std::vector<Rule>& rules) {
  std::string xml = R"(<CloudDBEntity entityType="17">)";
  for (const Rule& rule : rules) {
    xml += R"(<children entityType=")" + std::to_string(rule.type) + R"(" name=")" + rule.name + "\"";
    if (!rule.region.empty()) xml += R"( region=")" + rule.region + "\"";
    if (!rule.tagValue.empty()) xml += R"( tagValue=")" + rule.tagValue + "\"";
    if (rule.negated) xml += R"( negated="1")";
    xml += "/>";
  }
  return xml + "</CloudDBEntity>";
}

// The distinct lookups the rules cause (the expansion asks each once), made directly on a
// connected provider: what the expansion cannot avoid paying the cloud, so that ours minus this
// is the expansion's own work.
struct Lookup {
  std::string region;
  std::string tagKey;
  std::string tagValue;
  bool operator==(const Lookup&) const = default;
};

std::vector<Lookup> lookupsOfRules(const std::vector<Rule>& rules) {
  std::vector<Lookup> lookups;
  const auto ask = [&lookups](Lookup lookup) {
    if (std::find(lookups.begin(), lookups.end(), lookup) == lookups.end()) lookups.push_back(std::move(lookup));
  };
  for (const Rule& rule : rules) {
    switch (rule.type) {
      case 4: ask({rule.name, "", ""}); break;
      case 34:
      case 47: ask({"", rule.name, rule.tagValue}); break;
      case 50:
      case 51: ask({rule.region, "", ""}); break;
      default: std::abort();
    }
  }
  return lookups;
}

// The account, the configuration and the host, installed for the whole program.
struct Stage {
  Stage() {
    simulator = simulatorOf(kInstances);
    installed.emplace(*simulator);
    rules = contentRules();
    xml = contentXml(rules);
    lookups = lookupsOfRules(rules);
    prepareBareLoop();
  }

  // For each pattern rule: the names its lookup returns (its region, or every region), in order.
  // Each name is kept once and viewed by every rule that sees it, as the records are.
  void prepareBareLoop() {
    CAmazonRDSInfo provider;
    for (int i = 0; i < kInstances; ++i) names.push_back(instanceName(i));
    for (const Rule& rule : rules) {
      if (rule.type != 51) continue;
      PatternInput input;
      input.expression = provider.prepareForRegex(rule.name);
      input.negated = rule.negated;
      for (const std::string& region : kRegions) {
        if (!rule.region.empty() && rule.region != region) continue;
        for (int i = 0; i < kInstances; ++i) {
          if (instanceRegion(i) == region) input.names.push_back(&names[static_cast<std::size_t>(i)]);
        }
      }
      patterns.push_back(std::move(input));
    }
  }

  struct PatternInput {
    std::string expression;
    bool negated = false;
    std::vector<const std::string*> names;
  };

  benchaccount::BenchHost host;
  std::unique_ptr<CloudSimulator> simulator;
  std::optional<CloudSimulator::Installation> installed;
  std::vector<Rule> rules;
  std::string xml;
  std::vector<std::string> names;  // every instance's, by index
  std::vector<PatternInput> patterns;
  std::vector<Lookup> lookups;
};

// The CPU time of the calling thread, as a clock the timing code below can read.
struct ThreadCpuClock {
  using duration = std::chrono::nanoseconds;
  using time_point = std::chrono::time_point<ThreadCpuClock>;
  static time_point now() {
    timespec spent{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &spent);
    return time_point(std::chrono::seconds(spent.tv_sec) + std::chrono::nanoseconds(spent.tv_nsec));
  }
};

double peakMebibytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

Stage& stage() {
  static Stage instance;
  return instance;
}

// Ours: one backup-time expansion of the content (verified specifics, no regions constraint).
std::size_t expandOnce(Stage& data) {
  CAmazonRDSInfo provider;
  std::vector<std::string> regions;
  std::vector<App::RDSDBInstance> out;
  const CLmError result = provider.ExpandRdsContent(false, regions, data.xml, out, kInstanceId, true);
  if (result.IsFailure()) {
    std::cerr << "expansion: " << result.AsString() << "\n";
    std::abort();
  }
  benchmark::DoNotOptimize(out.data());
  return out.size();
}

// The limit: each pattern rule's expression compiled once and matched against the names it sees.
std::size_t matchOnce(const Stage& data) {
  std::size_t selected = 0;
  for (const Stage::PatternInput& pattern : data.patterns) {
    CLmError error;
    const std::optional<clouddb::aws::NamePattern> expression =
        clouddb::aws::NamePattern::compile(pattern.expression, pattern.expression, error);
    if (!expression) std::abort();
    for (const std::string* name : pattern.names) {
      if (expression->matches(*name) != pattern.negated) ++selected;
    }
  }
  benchmark::DoNotOptimize(selected);
  return selected;
}

std::size_t lookupOnce(const Stage& data) {
  CAmazonRDSInfo provider;
  provider.setInstanceId(kInstanceId);
  if (!provider.FetchCredentials() || provider.Connect() != 1) std::abort();
  std::size_t records = 0;
  for (const Lookup& lookup : data.lookups) {
    clouddb::aws::RdsListing listing;
    std::vector<clouddb::aws::RdsListedRecord> out;
    if (provider.listInstanceRecords(lookup.region, lookup.tagKey, lookup.tagValue, listing, out).IsFailure()) {
      std::abort();
    }
    records += out.size();
    benchmark::DoNotOptimize(out.data());
  }
  return records;
}

std::size_t lookupsOf(const CloudSimulator& simulator) {
  return simulator.countCalls(CloudBridgeKind::Amazon, "RefreshDBInstanceInfoList") +
         simulator.countCalls(CloudBridgeKind::Amazon, "RefreshRDSClusterInfoList");
}

void RdsContentExpansion(benchmark::State& state) {
  Stage& data = stage();
  std::size_t records = 0;
  for (auto _ : state) {
    records = expandOnce(data);
    data.simulator->clearCalls();  // the call record would otherwise grow with every iteration
  }
  state.counters["records"] = static_cast<double>(records);
}

void BareNameMatching(benchmark::State& state) {
  const Stage& data = stage();
  std::size_t selected = 0;
  for (auto _ : state) {
    selected = matchOnce(data);
  }
  state.counters["selected"] = static_cast<double>(selected);
}

// Both in one run, alternating, so the ratio is taken under the same machine load.
void RdsExpansionOverBareMatching(benchmark::State& state) {
  Stage& data = stage();
  using Clock = ThreadCpuClock;
  Clock::duration ours{};
  Clock::duration limit{};
  Clock::duration cloud{};
  std::size_t records = 0;
  std::size_t lookups = 0;
  bool lookupsFirst = false;
  for (auto _ : state) {
    // The direct lookups alternate before and after the expansion, so that neither inherits
    // the other's freed heap every time.
    if (lookupsFirst) {
      const auto before = Clock::now();
      lookupOnce(data);
      cloud += Clock::now() - before;
    }
    data.simulator->clearCalls();
    const auto start = Clock::now();
    records = expandOnce(data);
    const auto middle = Clock::now();
    matchOnce(data);
    const auto end = Clock::now();
    lookups = lookupsOf(*data.simulator);
    if (!lookupsFirst) {
      lookupOnce(data);
      cloud += Clock::now() - end;
    }
    limit += end - middle;
    ours += middle - start;
    data.simulator->clearCalls();
    lookupsFirst = !lookupsFirst;
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["ours_ms"] = std::chrono::duration<double, std::milli>(ours).count() / iterations;
  state.counters["bare_ms"] = std::chrono::duration<double, std::milli>(limit).count() / iterations;
  state.counters["ratio"] = std::chrono::duration<double>(ours) / std::chrono::duration<double>(limit);
  state.counters["lookups_ms"] = std::chrono::duration<double, std::milli>(cloud).count() / iterations;
  // What the ratio cannot go below: the lookups alone over the bare loop.
  state.counters["ratio_floor"] = std::chrono::duration<double>(cloud) / std::chrono::duration<double>(limit);
  // The expansion's own work (ours less the lookups it must make) over the bare loop.
  state.counters["own_ratio"] = std::chrono::duration<double>(ours - cloud) / std::chrono::duration<double>(limit);
  state.counters["limit"] = 3;
  state.counters["peak_MiB"] = peakMebibytes();
  state.counters["peak_MiB_limit"] = 300;
  state.counters["lookups"] = static_cast<double>(lookups);
  state.counters["records"] = static_cast<double>(records);
  state.counters["instances"] = kInstances;
}

BENCHMARK(RdsContentExpansion)->Unit(benchmark::kMillisecond);
BENCHMARK(BareNameMatching)->Unit(benchmark::kMillisecond);
// Several rounds: one round's times swing with what the machine's memory is doing.
BENCHMARK(RdsExpansionOverBareMatching)->Unit(benchmark::kMillisecond)->Iterations(4);

}  // namespace

BENCHMARK_MAIN();
