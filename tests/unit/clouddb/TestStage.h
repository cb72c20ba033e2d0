#pragma once
// What every provider test installs for its lifetime: a host key, a platform configuration, a
// cloud simulator loaded from a fixture, a log writer with a capture, and the host environment
// that ties them together. The provider test worlds wrap one and add what their tests read.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "bridges/simulator/CloudSimulator.h"
#include "platform/HostEnvironment.h"
#include "platform/HostKey.h"
#include "platform/LogWriter.h"
#include "platform/PlatformConfiguration.h"

namespace teststage {

class TestStage {
 public:
  // configuration: made by the caller (its secrets sealed with key); logLevel: the highest level
  // the capture sees.
  TestStage(HostKey key, std::unique_ptr<const PlatformConfiguration> configuration, std::string_view cloudFixture,
            std::int64_t jobId = HostEnvironment::kNoJobId, int logLevel = 2)
      : key_(std::move(key)), configuration_(std::move(configuration)), writer_("/dev/null", logLevel) {
    EXPECT_NE(configuration_, nullptr);
    std::string fixtureError;
    simulator_ = CloudSimulator::fromJson(cloudFixture, fixtureError);
    EXPECT_NE(simulator_, nullptr) << fixtureError;
    capture_.emplace(writer_);
    environment_.configuration = configuration_.get();
    environment_.logWriter = &writer_;
    environment_.hostKey = &key_;
    environment_.jobId = jobId;
    hostInstallation_.emplace(environment_);
    if (simulator_) simulatorInstallation_.emplace(*simulator_);
  }
  ~TestStage() {
    simulatorInstallation_.reset();
    hostInstallation_.reset();
    capture_.reset();
  }
  TestStage(const TestStage&) = delete;
  TestStage& operator=(const TestStage&) = delete;

  const HostKey& key() const { return key_; }
  CloudSimulator& simulator() { return *simulator_; }
  const CloudSimulator& simulator() const { return *simulator_; }
  LogCapture& capture() { return *capture_; }
  const LogCapture& capture() const { return *capture_; }
  // The installed environment, for tests that set its clock or extra CA after construction.
  HostEnvironment& environment() { return environment_; }

 private:
  HostKey key_;
  std::unique_ptr<const PlatformConfiguration> configuration_;
  std::unique_ptr<CloudSimulator> simulator_;
  LogWriter writer_;
  std::optional<LogCapture> capture_;
  HostEnvironment environment_;
  std::optional<HostEnvironment::Installation> hostInstallation_;
  std::optional<CloudSimulator::Installation> simulatorInstallation_;
};

// A configuration made from contents; a failure fails the test and leaves it null.
inline std::unique_ptr<const PlatformConfiguration> configurationOf(config::ConfigurationContents contents) {
  std::unique_ptr<const PlatformConfiguration> configuration;
  const CLmError made = PlatformConfiguration::FromContents(std::move(contents), "test", configuration);
  EXPECT_TRUE(made.IsSuccess()) << made.AsString();
  return configuration;
}

// A configuration loaded from the text of a platform file.
inline std::unique_ptr<const PlatformConfiguration> configurationOf(std::string_view json) {
  std::unique_ptr<const PlatformConfiguration> configuration;
  const CLmError loaded = PlatformConfiguration::LoadText(json, "test", configuration);
  EXPECT_TRUE(loaded.IsSuccess()) << loaded.AsString();
  return configuration;
}

}  // namespace teststage
