#include "HostSetup.h"

#include <array>
#include <iostream>

#include "CaptureFile.h"
#include "CloudCallFile.h"
#include "HostPaths.h"
#include "HttpsTrust.h"
#include "ProductLibrary.h"
#include "SkippingClock.h"
#include "bridges/simulator/CloudSimulator.h"
#include "platform/Clock.h"
#include "platform/HostEnvironment.h"
#include "platform/HostKey.h"
#include "platform/LogWriter.h"
#include "platform/PlatformConfiguration.h"

namespace host {
namespace {

constexpr char kDefaultLogFile[] = "/tmp/clouddb-host.log";
constexpr char kStandardError[] = "-";
constexpr int kMaxLogLevel = 10;

constexpr std::array kHostOptionSpecs{
    OptionSpec{"platform", "FILE", "platform configuration (default examples/platform.json)"},
    OptionSpec{"cloud", "FILE", "cloud fixture of the simulator (default examples/cloud.json)"},
    OptionSpec{"key-file", "FILE", "host key for the configuration's secrets (default examples/host.key)"},
    OptionSpec{"log-file", "FILE", "log file, appended to; - for standard error (default /tmp/clouddb-host.log)"},
    OptionSpec{"log-level", "N", "highest level written to the log file (default 2)"},
    OptionSpec{"capture", "FILE", "also write every log line and job event as JSON lines to FILE"},
    OptionSpec{"cloud-calls", "FILE", "write every call the simulated clouds receive as JSON lines to FILE"},
    OptionSpec{"job-id", "N", "job id of the calls (default -123456: no job)"},
    OptionSpec{"library", "PATH", "the product library to load (default: the one built with this host)"},
    OptionSpec{kHttpsCaOption, "FILE", "a PEM file of CAs that HTTPS peers may be signed by, besides the system's"},
    OptionSpec{"skip-sleeps", "", "sleeps return at once, moving the host's clock on instead, with a log line each "
                                  "(for tests of retry schedules)"},
};

std::string example(const char* name) {
  return examplesFolder() + "/" + name;
}

}  // namespace

struct HostRuntime::Parts {
  std::optional<HostKey> hostKey;
  std::unique_ptr<const PlatformConfiguration> configuration;
  std::unique_ptr<LogWriter> logWriter;
  std::unique_ptr<CaptureFile> capture;
  std::unique_ptr<Clock> clock;
  std::unique_ptr<CloudSimulator> simulator;
  std::unique_ptr<CloudCallFile> cloudCalls;  // observes the simulator, so it goes first
  std::optional<CloudSimulator::Installation> simulatorInstallation;
  HostEnvironment environment;
  std::optional<HostEnvironment::Installation> environmentInstallation;
  std::unique_ptr<ProductLibrary> library;

  ~Parts() {
    // The library goes first: no call can run once it is closed, and none can see a half-torn
    // environment after that. The rest goes in reverse order of making, as members do.
    library.reset();
    environmentInstallation.reset();
    simulatorInstallation.reset();
    cloudCalls.reset();
    capture.reset();
  }
};

std::span<const OptionSpec> hostOptionSpecs() {
  return kHostOptionSpecs;
}

HostOptions defaultHostOptions() {
  HostOptions options;
  options.platformFile = example("platform.json");
  options.cloudFile = example("cloud.json");
  options.keyFile = example("host.key");
  options.logFile = kDefaultLogFile;
  options.libraryPath = defaultLibraryPath();
  return options;
}

// Says on standard error which built-in example file stands in for an option not given, so a
// forgotten flag never silently runs against the demo account.
std::string fileOrExample(const ParsedArguments& arguments, const char* option, const std::string& example) {
  if (auto given = arguments.value(option)) {
    return *given;
  }
  std::cerr << "clouddb-host: no --" << option << " given; using the example " << example << "\n";
  return example;
}

CLmError readHostOptions(const ParsedArguments& arguments, HostOptions& options) {
  options.platformFile = fileOrExample(arguments, "platform", options.platformFile);
  options.cloudFile = fileOrExample(arguments, "cloud", options.cloudFile);
  options.keyFile = fileOrExample(arguments, "key-file", options.keyFile);
  options.logFile = arguments.valueOr("log-file", options.logFile);
  options.captureFile = arguments.valueOr("capture", options.captureFile);
  options.cloudCallsFile = arguments.valueOr("cloud-calls", options.cloudCallsFile);
  options.libraryPath = arguments.valueOr("library", options.libraryPath);
  options.skipSleeps = arguments.has("skip-sleeps");
  if (auto caFile = arguments.value(kHttpsCaOption)) {
    options.httpsCaFile = *caFile;
  }
  if (auto level = arguments.value("log-level")) {
    std::uint64_t parsed = 0;
    if (CLmError bad = parseUnsigned("log-level", *level, parsed); bad.IsFailure()) {
      return bad;
    }
    if (parsed > kMaxLogLevel) {
      return usageError("--log-level: levels go from 0 to " + std::to_string(kMaxLogLevel));
    }
    options.logLevel = static_cast<int>(parsed);
  }
  if (auto job = arguments.value("job-id")) {
    if (CLmError bad = parseSigned("job-id", *job, options.jobId); bad.IsFailure()) {
      return bad;
    }
  }
  return {};
}

CLmError refuseHostOptions(const ParsedArguments& arguments) {
  for (const OptionSpec& option : kHostOptionSpecs) {
    if (arguments.has(std::string(option.name))) {
      return usageError("--" + std::string(option.name) +
                        " belongs on the command line of the script, not on a call in it");
    }
  }
  return {};
}

CLmError HostRuntime::start(const HostOptions& options, std::unique_ptr<HostRuntime>& runtime) {
  auto parts = std::make_unique<Parts>();
  if (CLmError failed = HostKey::LoadFile(options.keyFile, parts->hostKey); failed.IsFailure()) {
    return failed;
  }
  if (CLmError failed = PlatformConfiguration::LoadFile(options.platformFile, parts->configuration);
      failed.IsFailure()) {
    return failed;
  }
  std::string simulatorError;
  parts->simulator = CloudSimulator::fromFile(options.cloudFile, simulatorError);
  if (!parts->simulator) {
    return CLmError(-22, "cannot load the cloud fixture " + options.cloudFile + ": " + simulatorError);
  }
  // Nothing in the host reads the record back; keeping it would grow a server with every call.
  parts->simulator->keepCallRecord(false);
  if (!options.cloudCallsFile.empty()) {
    if (CLmError failed = CloudCallFile::open(options.cloudCallsFile, *parts->simulator, parts->cloudCalls);
        failed.IsFailure()) {
      return failed;
    }
  }
  parts->logWriter = options.logFile == kStandardError ? std::make_unique<LogWriter>(options.logLevel)
                                                       : std::make_unique<LogWriter>(options.logFile, options.logLevel);
  if (!options.captureFile.empty()) {
    if (CLmError failed = CaptureFile::open(options.captureFile, *parts->logWriter, parts->capture);
        failed.IsFailure()) {
      return failed;
    }
  }
  if (CLmError failed = ProductLibrary::open(options.libraryPath, parts->library); failed.IsFailure()) {
    return failed;
  }
  parts->environment.configuration = parts->configuration.get();
  parts->environment.logWriter = parts->logWriter.get();
  if (options.skipSleeps) {
    parts->clock = std::make_unique<SkippingClock>(*parts->logWriter, options.jobId);
  } else {
    parts->clock = std::make_unique<SystemClock>();
  }
  parts->environment.clock = parts->clock.get();
  parts->environment.hostKey = &*parts->hostKey;
  parts->environment.jobId = options.jobId;
  parts->environment.httpsExtraCaFile = extraCaFile(options.httpsCaFile, *parts->configuration, options.platformFile);
  parts->simulatorInstallation.emplace(*parts->simulator);
  parts->environmentInstallation.emplace(parts->environment);
  runtime.reset(new HostRuntime(std::move(parts)));
  return {};
}

HostRuntime::HostRuntime(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

HostRuntime::~HostRuntime() = default;

const ProductLibrary& HostRuntime::library() const {
  return *parts_->library;
}

LogWriter& HostRuntime::logWriter() {
  return *parts_->logWriter;
}

CloudSimulator& HostRuntime::simulator() {
  return *parts_->simulator;
}

}  // namespace host
