// The command line of clouddb-host: options against their declaration, numbers, endpoints.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Endpoint.h"
#include "ServeCommand.h"

namespace host {
namespace {

constexpr std::array kSpecs{
    OptionSpec{"request", "FILE", "a file"},
    OptionSpec{"region", "NAME", "repeatable"},
    OptionSpec{"null-request", "", "a flag"},
};

CLmError parse(std::vector<std::string> words, ParsedArguments& parsed) {
  return parseArguments(kSpecs, words, parsed);
}

TEST(CommandLineOptions, ValuesComeSeparatedOrAfterAnEqualsSign) {
  ParsedArguments parsed;
  ASSERT_FALSE(parse({"--request", "a.xml", "--region=us-east-1", "--null-request"}, parsed).IsFailure());
  EXPECT_EQ(parsed.value("request"), "a.xml");
  EXPECT_EQ(parsed.value("region"), "us-east-1");
  EXPECT_TRUE(parsed.has("null-request"));
  EXPECT_FALSE(parsed.has("missing"));
}

TEST(CommandLineOptions, RepeatedOptionsKeepEveryValueInOrder) {
  ParsedArguments parsed;
  ASSERT_FALSE(parse({"--region", "b", "--region", "a", "--region", "b"}, parsed).IsFailure());
  EXPECT_EQ(parsed.values("region"), (std::vector<std::string>{"b", "a", "b"}));
  EXPECT_EQ(parsed.value("region"), "b");
}

TEST(CommandLineOptions, WordsThatAreNotOptionsArePositionals) {
  ParsedArguments parsed;
  ASSERT_FALSE(parse({"BrowseInventoryHandler", "--request", "x", "-", "--"}, parsed).IsFailure());
  EXPECT_EQ(parsed.positionals(), (std::vector<std::string>{"BrowseInventoryHandler", "-", "--"}));
}

TEST(CommandLineOptions, UnknownOptionsAreRefusedByName) {
  ParsedArguments parsed;
  CLmError result = parse({"--reqest", "x"}, parsed);
  ASSERT_TRUE(result.IsFailure());
  EXPECT_NE(result.message().find("--reqest"), std::string::npos);
}

TEST(CommandLineOptions, AMissingValueIsRefusedAndAFlagTakesNone) {
  ParsedArguments parsed;
  EXPECT_TRUE(parse({"--request"}, parsed).IsFailure());
  EXPECT_TRUE(parse({"--null-request=yes"}, parsed).IsFailure());
}

TEST(CommandLineOptions, AnOptionValueMayLookLikeAnOption) {
  ParsedArguments parsed;
  ASSERT_FALSE(parse({"--request", "--null-request"}, parsed).IsFailure());
  EXPECT_EQ(parsed.value("request"), "--null-request");
  EXPECT_FALSE(parsed.has("null-request"));
}

TEST(CommandLineNumbers, DecimalAndHexadecimalWholeTextsAreRead) {
  std::uint64_t value = 0;
  ASSERT_FALSE(parseUnsigned("n", "1001", value).IsFailure());
  EXPECT_EQ(value, 1001u);
  ASSERT_FALSE(parseUnsigned("n", "0x09000102", value).IsFailure());
  EXPECT_EQ(value, 0x09000102u);
  std::int64_t job = 0;
  ASSERT_FALSE(parseSigned("job-id", "-123456", job).IsFailure());
  EXPECT_EQ(job, -123456);
}

TEST(CommandLineNumbers, PartialSignedOverflowingOrEmptyTextsAreRefusedAndLeaveTheValue) {
  std::uint64_t value = 7;
  for (const char* text : {"", "12x", "-1", " 1", "0x", "18446744073709551616"}) {
    EXPECT_TRUE(parseUnsigned("n", text, value).IsFailure()) << text;
    EXPECT_EQ(value, 7u) << text;
  }
}

constexpr std::array kEndpointSpecs{OptionSpec{"unix", "PATH", ""}, OptionSpec{"tcp", "HOST:PORT", ""}};

CLmError endpointOf(std::vector<std::string> words, std::optional<Endpoint>& endpoint) {
  ParsedArguments parsed;
  if (CLmError bad = parseArguments(kEndpointSpecs, words, parsed); bad.IsFailure()) {
    return bad;
  }
  return readEndpoint(parsed, endpoint);
}

TEST(CommandLineEndpoints, UnixPathsAndTcpHostPortsAreRead) {
  std::optional<Endpoint> endpoint;
  ASSERT_FALSE(endpointOf({"--unix", "/tmp/x.sock"}, endpoint).IsFailure());
  ASSERT_TRUE(endpoint && endpoint->isUnix());
  EXPECT_EQ(endpoint->unixPath, "/tmp/x.sock");
  ASSERT_FALSE(endpointOf({"--tcp", "127.0.0.1:0"}, endpoint).IsFailure());
  ASSERT_TRUE(endpoint && !endpoint->isUnix());
  EXPECT_EQ(endpoint->tcpHost, "127.0.0.1");
  EXPECT_EQ(endpoint->tcpPort, 0);
  ASSERT_FALSE(endpointOf({}, endpoint).IsFailure());
  EXPECT_FALSE(endpoint);
}

TEST(CommandLineEndpoints, BadOrConflictingEndpointsAreRefused) {
  std::optional<Endpoint> endpoint;
  for (std::vector<std::string> words : std::vector<std::vector<std::string>>{
           {"--unix", "/a", "--tcp", "127.0.0.1:1"},
           {"--tcp", "127.0.0.1"},
           {"--tcp", ":80"},
           {"--tcp", "127.0.0.1:65536"},
           {"--tcp", "127.0.0.1:http"},
           {"--unix", ""}}) {
    EXPECT_TRUE(endpointOf(words, endpoint).IsFailure()) << ::testing::PrintToString(words);
  }
}

}  // namespace
}  // namespace host

// Loopback TCP authenticates nobody, so serving it must be asked for out loud; bad connection
// settings are refused before anything listens.
TEST(ServeCommandLine, RiskyOrOutOfRangeSettingsAreRefusedBeforeListening) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"--tcp", "127.0.0.1:0"},
                                             {"--unix", "/tmp/x.sock", "--idle-timeout", "0"},
                                             {"--unix", "/tmp/x.sock", "--idle-timeout", "86401"},
                                             {"--unix", "/tmp/x.sock", "--backlog", "0"}}) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(host::runServeCommand(arguments), 1) << arguments[0] << " " << arguments[1];
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("clouddb-host serve: "), std::string::npos) << said;
  }
}
