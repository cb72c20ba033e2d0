#pragma once
// One scenario: a folder under cases/ with a scenario.json (docs/scenarios.md), read into the
// call to make and what must come of it.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace scenarios {

// A log line that must (or must not) appear. Unset members match anything.
struct LogExpectation {
  std::optional<std::string> tag;
  std::optional<int> level;
  std::optional<std::string> severity;  // "debug" or "error"
  std::optional<std::string> text;      // the exact text
  std::optional<std::string> textStartsWith;
};

struct EventArgumentExpectation {
  int kind = 0;
  std::string text;
};

// A job event that must be raised. Unset members match anything.
struct EventExpectation {
  std::optional<std::string> kind;  // "major" or "critical"
  std::optional<std::uint32_t> code;
  std::optional<std::vector<EventArgumentExpectation>> arguments;
};

struct Expectations {
  // Network: the response file (compared as messages), or none when no response may come.
  std::optional<std::string> responseFile;
  bool noResponse = false;
  std::optional<std::string> followedBy;  // "disconnect-reply", "abort", "close"
  // In-process: JSON that the host's output must contain (objects: these members, null for a
  // member that must be absent; arrays: these elements in order; scalars: equal), as JSON text.
  std::optional<std::string> outputJson;
  std::vector<LogExpectation> logLines;
  std::vector<LogExpectation> absentLogLines;
  std::vector<EventExpectation> events;
};

// One answer of the scenario's HTTPS peer: to a request of this method and target.
struct HttpsRoute {
  std::string method;
  std::string target;
  int status = 200;
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;
};

// Real Azure peers the scenario runs against (tests/support/AzurePeers.h, docs/scenarios.md
// "azurePeers").
struct AzurePeersPlan {
  // Set: start Azurite's Table service and create these tables of its dev account.
  std::optional<std::vector<std::string>> azuriteTables;
  // Start the Cosmos DB peer, holding the databases and containers of the cloud fixture.
  bool cosmos = false;
};

struct Scenario {
  std::string name;
  std::string folder;
  std::string description;
  std::string entryPoint;
  std::string platformFile;
  std::string cloudFile;
  std::string keyFile;
  bool network = true;
  // The host runs with --skip-sleeps: its pauses are logged, not waited out.
  bool skipSleeps = false;
  // Network: the request file; none = the console closes before sending anything.
  std::optional<std::string> requestFile;
  std::vector<std::string> args;  // in-process: the call's flags
  // An HTTPS peer with a throw-away CA that the host is told to trust; "${httpsPeer}" in the
  // platform file stands for its "127.0.0.1:port". Empty: no peer.
  std::vector<HttpsRoute> httpsPeer;
  // Unset: no Azure peer. The cloud fixture's "${azuritePort}" and "${cosmosEndpoint}" stand for
  // the peers' port and endpoint.
  std::optional<AzurePeersPlan> azurePeers;
  Expectations expect;
};

// Reads cases/<name>/scenario.json; throws std::runtime_error naming the file and the problem.
Scenario loadScenario(const std::string& folder, const std::string& examplesFolder);

// The case folders under casesFolder, sorted by name.
std::vector<std::string> listScenarioNames(const std::string& casesFolder);

}  // namespace scenarios
