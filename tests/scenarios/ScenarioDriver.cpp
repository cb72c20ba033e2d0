// Runs every scenario under cases/ through the built clouddb-host: network scenarios against
// `clouddb-host serve` on a Unix socket in a temporary folder, in-process ones through
// `clouddb-host call ... --format json`. See docs/scenarios.md for the format.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cctype>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "ConsoleExchange.h"
#include "RequestFile.h"
#include "Scenario.h"
#include "ScenarioAzurePeers.h"
#include "ScenarioChecks.h"
#include "ScenarioHttpsPeer.h"
#include "ScratchDir.h"
#include "platform/KwNetworkPeer.h"

namespace scenarios {
namespace {

using testsupport::ChildProcess;

constexpr int kStartTimeoutMs = 30'000;
constexpr int kExchangeTimeoutSeconds = 60;
constexpr int kExitTimeoutMs = 30'000;
constexpr int kCallTimeoutMs = 120'000;

const std::string kHostProgram = CLOUDDB_HOST_PROGRAM;
const std::string kCasesFolder = CLOUDDB_SCENARIO_CASES;
const std::string kExamplesFolder = std::string(CLOUDDB_SOURCE_DIR) + "/examples";

std::string fileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The peers a scenario runs against, started before the host and stopped after it.
struct Peers {
  std::unique_ptr<ScenarioHttpsPeer> https;
  std::unique_ptr<ScenarioAzurePeers> azure;
};

Peers startPeers(const Scenario& scenario, const testsupport::ScratchDir& scratch) {
  Peers peers;
  if (!scenario.httpsPeer.empty()) {
    peers.https = std::make_unique<ScenarioHttpsPeer>(scenario, scratch);
  }
  if (scenario.azurePeers) {
    peers.azure = std::make_unique<ScenarioAzurePeers>(scenario, scratch);
  }
  return peers;
}

std::vector<std::string> hostOptions(const Scenario& scenario, const testsupport::ScratchDir& scratch,
                                     const Peers& peers) {
  std::vector<std::string> options{"--platform", scenario.platformFile, "--cloud",    scenario.cloudFile,
                                   "--key-file", scenario.keyFile,      "--log-file", scratch.file("host.log"),
                                   "--capture",  scratch.file("capture.jsonl")};
  if (scenario.skipSleeps) {
    options.push_back("--skip-sleeps");
  }
  // Given later, the peers' files win over the scenario's.
  for (const std::vector<std::string>& more : {peers.https ? peers.https->hostOptions() : std::vector<std::string>(),
                                               peers.azure ? peers.azure->hostOptions() : std::vector<std::string>()}) {
    options.insert(options.end(), more.begin(), more.end());
  }
  return options;
}

void append(std::vector<std::string>& to, const std::vector<std::string>& more) {
  to.insert(to.end(), more.begin(), more.end());
}

void report(const std::vector<std::string>& failures, const testsupport::ScratchDir& scratch) {
  for (const std::string& failure : failures) {
    ADD_FAILURE() << failure;
  }
  if (!failures.empty()) {
    ADD_FAILURE() << "host standard error:\n" << fileText(scratch.file("host.stderr"));
  }
}

void checkCapture(const Scenario& scenario, const testsupport::ScratchDir& scratch,
                  std::vector<std::string>& failures) {
  const Capture capture = readCapture(scratch.file("capture.jsonl"), failures);
  append(failures, checkLogs(scenario.expect, capture));
  append(failures, checkEvents(scenario.expect, capture));
}

void runNetworkScenario(const Scenario& scenario) {
  testsupport::ScratchDir scratch;
  const std::string socketPath = scratch.file("host.sock");
  std::vector<std::string> arguments{"serve", "--unix", socketPath, "--max-connections", "1"};
  const Peers peers = startPeers(scenario, scratch);
  append(arguments, hostOptions(scenario, scratch, peers));
  ChildProcess host(kHostProgram, arguments, scratch.file("host.stderr"));

  std::vector<std::string> failures;
  const auto listening = host.readLine(kStartTimeoutMs);
  if (!listening || listening->rfind("listening on ", 0) != 0) {
    failures.push_back("the host did not start listening; it said: " + listening.value_or("nothing"));
    report(failures, scratch);
    return;
  }
  host::ExchangePlan plan;
  plan.entryPoint = scenario.entryPoint;
  plan.timeoutSeconds = kExchangeTimeoutSeconds;
  if (scenario.requestFile) {
    if (CLmError bad = host::loadMessageFile(*scenario.requestFile, plan.request); bad.IsFailure()) {
      FAIL() << bad.message();
    }
  }
  host::ExchangeOutcome outcome;
  {
    std::unique_ptr<KwNetworkPeer> peer;
    CLmError result = KwNetworkPeer::connectUnix(socketPath, kExchangeTimeoutSeconds, peer);
    if (!result.IsFailure()) {
      result = host::runExchange(*peer, plan, outcome);
    }
    if (result.IsFailure()) {
      failures.push_back("the exchange failed: " + result.AsString());
    }
  }
  const auto status = host.waitExit(kExitTimeoutMs);
  if (!status) {
    failures.push_back("the host did not exit after its one connection");
    host.stop(2000);
  } else if (!WIFEXITED(*status) || WEXITSTATUS(*status) != 0) {
    failures.push_back("the host ended with status " + std::to_string(*status));
  }
  append(failures, checkResponses(scenario.expect, outcome.responses));
  if (scenario.expect.followedBy && *scenario.expect.followedBy != host::endName(outcome.end)) {
    failures.push_back("the exchange ended with " + host::endName(outcome.end) + ", expected " +
                       *scenario.expect.followedBy);
  }
  checkCapture(scenario, scratch, failures);
  report(failures, scratch);
}

void runInProcessScenario(const Scenario& scenario) {
  testsupport::ScratchDir scratch;
  std::vector<std::string> arguments{"call", scenario.entryPoint};
  append(arguments, scenario.args);
  append(arguments, {"--format", "json"});
  const Peers peers = startPeers(scenario, scratch);
  append(arguments, hostOptions(scenario, scratch, peers));
  ChildProcess host(kHostProgram, arguments, scratch.file("host.stderr"));
  const std::string output = host.readRest(kCallTimeoutMs);
  std::vector<std::string> failures;
  const auto status = host.waitExit(kExitTimeoutMs);
  if (!status || !WIFEXITED(*status) || WEXITSTATUS(*status) != 0) {
    failures.push_back("the call did not complete (exit status " + (status ? std::to_string(*status) : "none") + ")");
  }
  if (scenario.expect.outputJson) {
    append(failures, checkJsonContains(*scenario.expect.outputJson, output));
  }
  checkCapture(scenario, scratch, failures);
  report(failures, scratch);
}

class ScenarioTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ScenarioTest, BehavesAsDescribed) {
  const Scenario scenario = loadScenario(kCasesFolder + "/" + GetParam(), kExamplesFolder);
  SCOPED_TRACE(scenario.description);
  if (scenario.network) {
    runNetworkScenario(scenario);
  } else {
    runInProcessScenario(scenario);
  }
}

// Test names may hold letters, digits and underscores only.
std::string testName(const ::testing::TestParamInfo<std::string>& caseInfo) {
  std::string name = caseInfo.param;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, ScenarioTest, ::testing::ValuesIn(listScenarioNames(kCasesFolder)), testName);

}  // namespace
}  // namespace scenarios
