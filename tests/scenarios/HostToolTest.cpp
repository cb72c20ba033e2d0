// The reference host as integrators drive it from their own scripts: several calls against one
// simulated cloud, and the record of every cloud call written from outside the product.
#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <sys/wait.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "ScratchDir.h"

namespace scenarios {
namespace {

using testsupport::ChildProcess;

constexpr int kCallTimeoutMs = 120'000;
const std::string kHostProgram = CLOUDDB_HOST_PROGRAM;
const std::string kExamples = std::string(CLOUDDB_SOURCE_DIR) + "/examples";

struct HostRun {
  int exitCode = -1;
  std::vector<std::string> lines;
  std::string standardError;
};

std::string fileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

HostRun runHost(const testsupport::ScratchDir& scratch, std::vector<std::string> arguments) {
  ChildProcess child(kHostProgram, arguments, scratch.file("host.stderr"));
  HostRun run;
  run.lines = linesOf(child.readRest(kCallTimeoutMs));
  const std::optional<int> status = child.waitExit(kCallTimeoutMs);
  run.exitCode = status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
  run.standardError = fileText(scratch.file("host.stderr"));
  return run;
}

rapidjson::Document json(const std::string& line) {
  rapidjson::Document document;
  document.Parse(line.c_str());
  EXPECT_FALSE(document.HasParseError()) << line;
  return document;
}

std::vector<std::string> demoHostOptions(const testsupport::ScratchDir& scratch) {
  return {"--platform", kExamples + "/platform.json", "--cloud", kExamples + "/cloud.json",
          "--key-file", kExamples + "/host.key",     "--log-file", scratch.file("host.log")};
}

// Delete a snapshot, then describe again: the second describe sees one snapshot fewer, because
// both calls ran against one simulated cloud. The cloud-call record shows each lookup.
TEST(HostScript, DeleteThenDescribeSeesTheDeletionAndTheCloudCallsAreRecorded) {
  testsupport::ScratchDir scratch;
  const std::string script = scratch.file("calls.jsonl");
  std::ofstream(script)
      << "# describe, delete one, describe again\n"
         R"(["DescribeRDSInstanceSnapshot", "--app-id", "601", "--first", "orders-mysql"])" "\n"
         "\n"
         R"(["DeleteRDSInstanceSnapshot", "--app-id", "601", "--first", "orders-mysql", "--second", "orders-mysql-2024-05-01"])" "\n"
         R"(["DescribeRDSInstanceSnapshot", "--app-id", "601", "--first", "orders-mysql"])" "\n"
         R"(["BrowseInventoryHandler", "--request", ")" + kExamples + R"(/requests/browse-rds-regions.xml"])" "\n";
  std::vector<std::string> arguments{"call", "--script", script, "--format", "json",
                                     "--cloud-calls", scratch.file("calls-made.jsonl")};
  const std::vector<std::string> host = demoHostOptions(scratch);
  arguments.insert(arguments.end(), host.begin(), host.end());
  const HostRun run = runHost(scratch, arguments);
  ASSERT_EQ(run.exitCode, 0) << run.standardError;
  ASSERT_EQ(run.lines.size(), 4u) << run.standardError;
  EXPECT_EQ(json(run.lines[0])["records"].Size(), 2u);
  EXPECT_EQ(json(run.lines[2])["records"].Size(), 1u);
  EXPECT_EQ(std::string(json(run.lines[3])["followedBy"].GetString()), "disconnect-reply");

  std::map<std::string, int> operations;
  for (const std::string& line : linesOf(fileText(scratch.file("calls-made.jsonl")))) {
    const rapidjson::Document call = json(line);
    ++operations[call["operation"].GetString()];
    EXPECT_FALSE(call["failed"].GetBool()) << line;
    EXPECT_EQ(line.find("demo-secret-key"), std::string::npos) << line;
  }
  EXPECT_EQ(operations["RefreshDBSnapshotInfoList"], 2);
  EXPECT_EQ(operations["DeleteRDSInstanceSnapshot"], 1);
  EXPECT_EQ(operations["RefreshDCInfoList"], 1);
}

TEST(HostScript, MalformedLinesAndHostOptionsOnALineAreRefused) {
  testsupport::ScratchDir scratch;
  const std::vector<std::string> bad = {
      R"("DescribeRDSInstanceSnapshot")", R"([])", R"(["DescribeRDSInstanceSnapshot", 601])", "not json",
      R"(["DescribeRDSInstanceSnapshot", "--app-id", "601", "--cloud", "other.json"])"};
  for (const std::string& line : bad) {
    const std::string script = scratch.file("bad.jsonl");
    std::ofstream(script) << line << "\n";
    std::vector<std::string> arguments{"call", "--script", script};
    const std::vector<std::string> host = demoHostOptions(scratch);
    arguments.insert(arguments.end(), host.begin(), host.end());
    const HostRun run = runHost(scratch, arguments);
    EXPECT_EQ(run.exitCode, 1) << line;
    EXPECT_NE(run.standardError.find("clouddb-host call"), std::string::npos) << run.standardError;
  }
}

// Two consoles served side by side: every line of a connection names its session.
TEST(HostCapture, LinesOfParallelConnectionsNameTheirSession) {
  testsupport::ScratchDir scratch;
  const std::string socket = scratch.file("host.sock");
  std::vector<std::string> serve{"serve", "--unix", socket, "--parallel", "2", "--max-connections", "2",
                                 "--capture", scratch.file("capture.jsonl")};
  const std::vector<std::string> host = demoHostOptions(scratch);
  serve.insert(serve.end(), host.begin(), host.end());
  ChildProcess server(kHostProgram, serve, scratch.file("serve.stderr"));
  ASSERT_TRUE(server.readLine(30'000).has_value());  // "listening on ..."
  for (int i = 0; i < 2; ++i) {
    const HostRun call = runHost(scratch, {"call", "BrowseInventoryHandler", "--unix", socket, "--request",
                                           kExamples + "/requests/browse-rds-regions.xml"});
    EXPECT_EQ(call.exitCode, 0) << call.standardError;
  }
  ASSERT_TRUE(server.waitExit(30'000).has_value());
  std::set<std::uint64_t> sessions;
  for (const std::string& line : linesOf(fileText(scratch.file("capture.jsonl")))) {
    const rapidjson::Document record = json(line);
    if (std::string(record["tag"].GetString()) == "BrowseInventoryHandler") {
      ASSERT_TRUE(record.HasMember("session")) << line;
      sessions.insert(record["session"].GetUint64());
    }
  }
  EXPECT_EQ(sessions, (std::set<std::uint64_t>{1, 2}));
}

// A forgotten flag must not silently run against the demo account; asking for help is no error.
TEST(HostDefaults, ExampleFilesInUseAreNamedAndHelpSucceeds) {
  testsupport::ScratchDir scratch;
  const HostRun call = runHost(scratch, {"call", "DiscoverRDSNewInventory", "--app-id", "601", "--log-file",
                                         scratch.file("host.log")});
  EXPECT_EQ(call.exitCode, 0) << call.standardError;
  for (const char* option : {"--platform", "--cloud", "--key-file"}) {
    EXPECT_NE(call.standardError.find(std::string("no ") + option + " given; using the example "), std::string::npos)
        << call.standardError;
  }
  // Network and in-process calls take the same formats.
  const HostRun xml = runHost(scratch, {"call", "DiscoverRDSNewInventory", "--app-id", "601", "--format", "xml",
                                        "--log-file", scratch.file("host.log")});
  EXPECT_EQ(xml.exitCode, 0) << xml.standardError;
  ASSERT_FALSE(xml.lines.empty());
  EXPECT_EQ(xml.lines[0], R"(<call entryPoint="DiscoverRDSNewInventory">)");

  ChildProcess secretHelp(CLOUDDB_SECRET_PROGRAM, {"--help"}, scratch.file("secret.stderr"));
  EXPECT_NE(secretHelp.readRest(kCallTimeoutMs).find("usage: clouddb-secret"), std::string::npos);
  const std::optional<int> status = secretHelp.waitExit(kCallTimeoutMs);
  ASSERT_TRUE(status && WIFEXITED(*status));
  EXPECT_EQ(WEXITSTATUS(*status), 0);
}

// Rule provenance: each rule's own selection, the duplicates the merge removed, and a rule the
// regions constraint refused, with the constraint named.
TEST(HostExplain, EachRuleShowsWhatItSelectsAndWhatTheConstraintDid) {
  testsupport::ScratchDir scratch;
  const std::string content = scratch.file("content.xml");
  std::ofstream(content) << R"(<CloudDBEntity entityType="17">
      <children name="ap-south-1" entityType="4"/>
      <children name="orders-mysql" entityType="50" region="us-east-1"/>
      <children name="orders-*" entityType="51" region="us-east-1"/>
    </CloudDBEntity>)";
  std::vector<std::string> arguments{"explain", "--content", content, "--instance-id", "1001",
                                     "--instance-type", "4", "--format", "json"};
  const std::vector<std::string> host = demoHostOptions(scratch);
  arguments.insert(arguments.end(), host.begin(), host.end());
  const HostRun run = runHost(scratch, arguments);
  ASSERT_EQ(run.exitCode, 0) << run.standardError;
  ASSERT_EQ(run.lines.size(), 1u);
  const rapidjson::Document explanation = json(run.lines[0]);
  EXPECT_EQ(explanation["regionsConstraint"].Size(), 3u);
  const auto& rules = explanation["rules"];
  ASSERT_EQ(rules.Size(), 3u);
  EXPECT_EQ(rules[0]["selects"].Size(), 0u);
  ASSERT_EQ(rules[0]["constraintNotes"].Size(), 1u);
  EXPECT_EQ(std::string(rules[0]["constraintNotes"][0].GetString()),
            "region 'ap-south-1' is ignored due to a regions constraint");
  EXPECT_EQ(rules[1]["selects"].Size(), 1u);
  EXPECT_EQ(rules[2]["selects"].Size(), 2u);
  const auto& result = explanation["result"];
  ASSERT_EQ(result.Size(), 2u);  // orders-mysql once, though two rules select it
  EXPECT_EQ(std::string(result[0]["name"].GetString()), "orders-mysql");
  EXPECT_EQ(result[0]["rules"].Size(), 2u);
  EXPECT_EQ(explanation["leftOut"].Size(), 0u);
}

// An installation runs the demo account on its own: its host finds the examples and the library
// beside it, not in the source or build tree.
TEST(HostInstall, TheInstalledHostRunsTheDemoWithoutTheSourceTree) {
  testsupport::ScratchDir scratch;
  const std::string prefix = scratch.file("installed");
  ChildProcess install(CLOUDDB_CMAKE_COMMAND, {"--install", CLOUDDB_BINARY_DIR, "--prefix", prefix},
                       scratch.file("install.stderr"));
  install.readRest(kCallTimeoutMs);
  const std::optional<int> installed = install.waitExit(kCallTimeoutMs);
  ASSERT_TRUE(installed && WIFEXITED(*installed) && WEXITSTATUS(*installed) == 0)
      << fileText(scratch.file("install.stderr"));

  ChildProcess call(prefix + "/bin/clouddb-host",
                    {"call", "DiscoverRDSNewInventory", "--app-id", "601", "--format", "json", "--log-file",
                     scratch.file("host.log")},
                    scratch.file("call.stderr"));
  const std::string output = call.readRest(kCallTimeoutMs);
  const std::optional<int> status = call.waitExit(kCallTimeoutMs);
  const std::string standardError = fileText(scratch.file("call.stderr"));
  ASSERT_TRUE(status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << standardError;
  EXPECT_NE(standardError.find("using the example " + prefix + "/share/clouddb/examples/platform.json"),
            std::string::npos)
      << standardError;
  EXPECT_GT(json(output)["records"].Size(), 0u) << output;
}

}  // namespace
}  // namespace scenarios
