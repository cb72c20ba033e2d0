// Loading a cloud fixture of many RDS instances: the time per instance must stay flat as the
// fixture grows (linear loading), here at 10 000, 50 000 and 100 000 instances. The limit beside
// it is RapidJSON parsing the same text, which any loader must do first.
#include <benchmark/benchmark.h>
#include <rapidjson/document.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "bridges/simulator/CloudSimulator.h"

namespace {

std::string fixtureOf(int instances) {
  std::string json = R"({"accounts": [{"cloud": "aws", "accountId": "999988887777", )"
                     R"("credentials": {"accessKeyId": "AKIABENCH", "secretAccessKey": "bench/secret"}, )"
                     R"("regions": [{"name": "us-east-1"}, {"name": "eu-west-1"}], "rds": {"instances": [)";
  for (int i = 0; i < instances; ++i) {
    if (i) json += ",\n";
    json += R"({"identifier": "db-)" + std::to_string(i) + R"(", "region": ")" + (i % 2 ? "eu-west-1" : "us-east-1") +
            R"(", "engine": "mysql", "tags": {"env": "prod"}})";
  }
  return json + "]}}]}";
}

void FixtureLoad(benchmark::State& state) {
  const int instances = static_cast<int>(state.range(0));
  const std::string json = fixtureOf(instances);
  double loadSeconds = 0;
  double parseSeconds = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    std::string error;
    std::unique_ptr<CloudSimulator> simulator = CloudSimulator::fromJson(json, error);
    if (!simulator) {
      std::cerr << "fixture: " << error << "\n";
      std::abort();
    }
    benchmark::DoNotOptimize(simulator.get());
    loadSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    start = std::chrono::steady_clock::now();
    rapidjson::Document document;
    document.Parse(json.c_str(), json.size());
    benchmark::DoNotOptimize(document.IsObject());
    parseSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  const double loads = static_cast<double>(state.iterations());
  state.counters["us_per_instance"] = loadSeconds / loads / instances * 1e6;
  state.counters["load_ms"] = loadSeconds / loads * 1000;
  state.counters["load_ms_limit"] = 2000;  // 100 000 instances load in under two seconds
  state.counters["ratio"] = loadSeconds / parseSeconds;  // against parsing the JSON alone
}
BENCHMARK(FixtureLoad)->Arg(10'000)->Arg(50'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
