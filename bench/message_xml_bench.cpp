// How much our message XML costs over pugixml alone, on an entity tree of about 100 000 nodes
// (root, regions, clusters, instances): our serialize + unserialize against pugixml's own print
// + parse of the same text. The goal is 2.5x; the "ratio" counter of MessageXmlOverPugixml says
// where we stand.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include <pugixml.hpp>

#include "platform/messages/App.h"

namespace {

constexpr int kRegions = 10;
constexpr int kClustersPerRegion = 100;
constexpr int kInstancesPerCluster = 99;

App::CloudDBEntity makeNode(std::string name, std::int64_t type, std::string region) {
  App::CloudDBEntity node;
  node.setName(std::move(name));
  node.setEntityType(type);
  node.setRegion(std::move(region));
  return node;
}

App::CloudDBEntity buildTree(std::int64_t& nodes) {
  App::CloudDBEntity root;
  root.setEntityType(17);
  nodes = 1;
  MessageList& regions = *root.mutableListObject(App::CloudDBEntity::kChildren);
  for (int r = 0; r < kRegions; ++r) {
    const std::string regionName = "region-" + std::to_string(r);
    auto region = std::make_unique<App::CloudDBEntity>(makeNode(regionName, 4, ""));
    region->setIdentifier("dc-" + std::to_string(r));
    MessageList& clusters = *region->mutableListObject(App::CloudDBEntity::kChildren);
    for (int c = 0; c < kClustersPerRegion; ++c) {
      auto cluster = std::make_unique<App::CloudDBEntity>(makeNode("cluster-" + std::to_string(c), 48, regionName));
      MessageList& instances = *cluster->mutableListObject(App::CloudDBEntity::kChildren);
      for (int i = 0; i < kInstancesPerCluster; ++i) {
        instances.push_back(std::make_unique<App::CloudDBEntity>(
            makeNode("db-" + std::to_string(c) + "-" + std::to_string(i), 50, regionName)));
      }
      nodes += 1 + kInstancesPerCluster;
      clusters.push_back(std::move(cluster));
    }
    nodes += 1;
    regions.push_back(std::move(region));
  }
  return root;
}

class StringWriter final : public pugi::xml_writer {
 public:
  explicit StringWriter(std::string& out) : out_(out) {}
  void write(const void* data, size_t size) override { out_.append(static_cast<const char*>(data), size); }

 private:
  std::string& out_;
};

struct Fixture {
  Fixture() : tree(buildTree(nodes)), text(tree.serialize()) {}
  std::int64_t nodes = 0;
  App::CloudDBEntity tree;
  std::string text;
};

const Fixture& fixture() {
  static const Fixture instance;
  return instance;
}

// Ours: the text of the tree, and the tree back from the text.
void oursOnce(const Fixture& data) {
  std::string text = data.tree.serialize();
  benchmark::DoNotOptimize(text.data());
  App::CloudDBEntity parsed;
  if (parsed.unserialize(data.text).IsFailure()) {
    std::abort();
  }
  benchmark::DoNotOptimize(&parsed);
}

// The limit: pugixml parsing the same text and printing it again.
void pugixmlOnce(const Fixture& data) {
  pugi::xml_document document;
  if (!document.load_buffer(data.text.data(), data.text.size())) {
    std::abort();
  }
  std::string text;
  StringWriter writer(text);
  document.save(writer, "", pugi::format_raw | pugi::format_no_declaration);
  benchmark::DoNotOptimize(text.data());
}

void MessageXmlRoundTrip(benchmark::State& state) {
  const Fixture& data = fixture();
  for (auto _ : state) {
    oursOnce(data);
  }
  state.counters["nodes"] = static_cast<double>(data.nodes);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(data.text.size()) * 2);
}

void PugixmlRoundTrip(benchmark::State& state) {
  const Fixture& data = fixture();
  for (auto _ : state) {
    pugixmlOnce(data);
  }
  state.counters["nodes"] = static_cast<double>(data.nodes);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(data.text.size()) * 2);
}

// Both in one run, alternating, so the ratio is taken under the same machine load.
void MessageXmlOverPugixml(benchmark::State& state) {
  const Fixture& data = fixture();
  using Clock = std::chrono::steady_clock;
  Clock::duration ours{};
  Clock::duration limit{};
  for (auto _ : state) {
    const auto start = Clock::now();
    oursOnce(data);
    const auto middle = Clock::now();
    pugixmlOnce(data);
    limit += Clock::now() - middle;
    ours += middle - start;
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["ours_ms"] = std::chrono::duration<double, std::milli>(ours).count() / iterations;
  state.counters["pugixml_ms"] = std::chrono::duration<double, std::milli>(limit).count() / iterations;
  state.counters["ratio"] = std::chrono::duration<double>(ours) / std::chrono::duration<double>(limit);
  state.counters["limit"] = 2.5;
  state.counters["nodes"] = static_cast<double>(data.nodes);
  state.counters["text_MiB"] = static_cast<double>(data.text.size()) / (1024.0 * 1024.0);
}

BENCHMARK(MessageXmlRoundTrip)->Unit(benchmark::kMillisecond);
BENCHMARK(PugixmlRoundTrip)->Unit(benchmark::kMillisecond);
BENCHMARK(MessageXmlOverPugixml)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
