// The host's set-up: loading the product, its entry points, the environment, the stop signals.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>

#include "HostSetup.h"
#include "HostTestSupport.h"
#include "NetworkEntryPoints.h"
#include "ProductLibrary.h"
#include "SkippingClock.h"
#include "StopSignals.h"
#include "platform/HostEnvironment.h"
#include "platform/LogWriter.h"

namespace host {
namespace {

TEST(SkippingClock, ASleepMovesTheClockOnAndIsLoggedInsteadOfWaited) {
  LogWriter writer(0);  // nothing to standard error; the capture sees every line
  LogCapture capture(writer);
  SkippingClock clock(writer, 42);
  const auto wallBefore = clock.now();
  const auto steadyBefore = clock.steadyNow();
  clock.sleepFor(std::chrono::hours(1));
  clock.sleepFor(std::chrono::milliseconds(0));  // nothing to skip, nothing to say
  EXPECT_GE(clock.now() - wallBefore, std::chrono::hours(1));
  EXPECT_GE(clock.steadyNow() - steadyBefore, std::chrono::hours(1));
  const std::vector<LogLine> lines = capture.lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].tag, "clouddb-host");
  EXPECT_EQ(lines[0].text, "skipped a sleep of 3600000 ms");
  EXPECT_EQ(lines[0].jobId, 42);
}

TEST(ProductLibrary, AMissingLibraryIsRefusedWithItsPath) {
  std::unique_ptr<ProductLibrary> library;
  CLmError result = ProductLibrary::open("/nonexistent/libclouddb.so", library);
  ASSERT_TRUE(result.IsFailure());
  EXPECT_NE(result.message().find("/nonexistent/libclouddb.so"), std::string::npos);
  EXPECT_EQ(library, nullptr);
}

TEST(ProductLibrary, EntryPointsAreFoundByNameAndOthersAreNot) {
  std::unique_ptr<ProductLibrary> library;
  ASSERT_FALSE(ProductLibrary::open(hosttest::productLibraryPath(), library).IsFailure());
  void* address = nullptr;
  EXPECT_FALSE(library->findSymbol("DeleteRedshiftSnapshot", address).IsFailure());
  EXPECT_NE(address, nullptr);
  CLmError missing = library->findSymbol("DiscoverEverything", address);
  ASSERT_TRUE(missing.IsFailure());
  EXPECT_NE(missing.message().find("DiscoverEverything"), std::string::npos);
  EXPECT_EQ(address, nullptr);
}

TEST(NetworkEntryPoints, OnlyTheFourNetworkEntryPointsCanServeAConnection) {
  std::unique_ptr<ProductLibrary> library;
  ASSERT_FALSE(ProductLibrary::open(hosttest::productLibraryPath(), library).IsFailure());
  for (const char* name :
       {"DiscoverRDSInventory", "BrowseInventoryHandler", "GetOracleCloudInstanceTree", "CloudDBRemoteEntryPoint"}) {
    NetworkEntryPoint entry;
    EXPECT_FALSE(NetworkEntryPoint::find(*library, name, entry).IsFailure()) << name;
    EXPECT_EQ(entry.name(), name);
  }
  NetworkEntryPoint entry;
  EXPECT_TRUE(NetworkEntryPoint::find(*library, "DescribeRDSInstanceSnapshot", entry).IsFailure());
  EXPECT_TRUE(entry.name().empty());
}

TEST(HostRuntime, InstallsTheExampleSetupForItsLifetime) {
  HostOptions options = defaultHostOptions();
  options.libraryPath = hosttest::productLibraryPath();
  options.logFile = "/dev/null";
  options.jobId = 42;
  {
    std::unique_ptr<HostRuntime> runtime;
    ASSERT_FALSE(HostRuntime::start(options, runtime).IsFailure());
    const HostEnvironment& current = HostEnvironment::current();
    EXPECT_NE(current.configuration, nullptr);
    EXPECT_NE(current.hostKey, nullptr);
    EXPECT_EQ(current.logWriter, &runtime->logWriter());
    EXPECT_EQ(current.jobId, 42);
  }
  EXPECT_EQ(HostEnvironment::current().configuration, nullptr);
}

TEST(HostRuntime, AMissingFileIsRefusedAndNothingIsInstalled) {
  for (auto spoil : {+[](HostOptions& o) { o.platformFile = "/nonexistent/platform.json"; },
                     +[](HostOptions& o) { o.keyFile = "/nonexistent/host.key"; },
                     +[](HostOptions& o) { o.cloudFile = "/nonexistent/cloud.json"; }}) {
    HostOptions options = defaultHostOptions();
    options.libraryPath = hosttest::productLibraryPath();
    options.logFile = "/dev/null";
    spoil(options);
    std::unique_ptr<HostRuntime> runtime;
    CLmError result = HostRuntime::start(options, runtime);
    ASSERT_TRUE(result.IsFailure());
    EXPECT_NE(result.message().find("/nonexistent/"), std::string::npos) << result.message();
    EXPECT_EQ(runtime, nullptr);
    EXPECT_EQ(HostEnvironment::current().configuration, nullptr);
  }
}

TEST(HostOptions, LevelsAndJobIdsAreChecked) {
  constexpr OptionSpec kSpecs[] = {{"log-level", "N", ""}, {"job-id", "N", ""}};
  for (std::vector<std::string> words : std::vector<std::vector<std::string>>{
           {"--log-level", "11"}, {"--log-level", "-1"}, {"--job-id", "seven"}}) {
    ParsedArguments parsed;
    ASSERT_FALSE(parseArguments(kSpecs, words, parsed).IsFailure());
    HostOptions options = defaultHostOptions();
    EXPECT_TRUE(readHostOptions(parsed, options).IsFailure()) << ::testing::PrintToString(words);
  }
  ParsedArguments parsed;
  std::vector<std::string> words{"--log-level", "0", "--job-id", "-123456"};
  ASSERT_FALSE(parseArguments(kSpecs, words, parsed).IsFailure());
  HostOptions options = defaultHostOptions();
  ASSERT_FALSE(readHostOptions(parsed, options).IsFailure());
  EXPECT_EQ(options.logLevel, 0);
  EXPECT_EQ(options.jobId, -123456);
}

bool blocked(int signal) {
  sigset_t current;
  pthread_sigmask(SIG_BLOCK, nullptr, &current);
  return sigismember(&current, signal) == 1;
}

TEST(StopSignals, ASignalBecomesReadableAndTheMaskIsRestoredAfter) {
  ASSERT_FALSE(blocked(SIGTERM));
  {
    std::unique_ptr<StopSignals> signals;
    ASSERT_FALSE(StopSignals::install(signals).IsFailure());
    EXPECT_TRUE(blocked(SIGTERM));
    EXPECT_TRUE(blocked(SIGINT));
    EXPECT_EQ(signals->take(), 0);
    ASSERT_EQ(::raise(SIGTERM), 0);
    pollfd wait{signals->fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&wait, 1, 5000), 1);
    EXPECT_EQ(signals->take(), SIGTERM);
  }
  EXPECT_FALSE(blocked(SIGTERM));
  EXPECT_FALSE(blocked(SIGINT));
}

TEST(StopSignals, ASignalTheHostWasStartedWithIgnoredStillArrives) {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  struct sigaction before {};
  ASSERT_EQ(sigaction(SIGINT, &ignore, &before), 0);
  {
    std::unique_ptr<StopSignals> signals;
    ASSERT_FALSE(StopSignals::install(signals).IsFailure());
    ASSERT_EQ(::raise(SIGINT), 0);
    pollfd wait{signals->fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&wait, 1, 5000), 1);
    EXPECT_EQ(signals->take(), SIGINT);
  }
  struct sigaction after {};
  sigaction(SIGINT, &before, &after);
  EXPECT_EQ(after.sa_handler, SIG_IGN);
}

}  // namespace
}  // namespace host
