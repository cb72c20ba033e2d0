#pragma once
// HostSetup: what the host sets up before it calls the product, built from the command line.
//
// HostRuntime owns, for the life of a command: the host key, the platform configuration, the log
// writer (and the capture file), the clock, the cloud simulator, the product library, and the
// HostEnvironment that makes them the current ones. Every part is ready before the environment
// is installed and outlives it, so calls only ever see a complete, unchanging environment.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "CommandLine.h"
#include "platform/CLmError.h"

class LogWriter;
class CloudSimulator;

namespace host {

class ProductLibrary;

struct HostOptions {
  std::string platformFile;
  std::string cloudFile;
  std::string keyFile;
  std::string logFile;  // "-" = standard error
  int logLevel = 2;
  std::string captureFile;     // empty = no capture
  std::string cloudCallsFile;  // empty = the cloud calls are not written out
  std::int64_t jobId = -123456;
  std::string libraryPath;
  std::optional<std::string> httpsCaFile;  // --https-ca; unset: the configuration's setting
  bool skipSleeps = false;                 // --skip-sleeps: see SkippingClock
};

// The options every command that calls the product takes, and their defaults (under examples/
// of the source tree, the library next to the host in the build tree).
std::span<const OptionSpec> hostOptionSpecs();
HostOptions defaultHostOptions();
CLmError readHostOptions(const ParsedArguments& arguments, HostOptions& options);
// For calls that run in a runtime already started (a script): its host options are fixed.
CLmError refuseHostOptions(const ParsedArguments& arguments);

class HostRuntime {
 public:
  static CLmError start(const HostOptions& options, std::unique_ptr<HostRuntime>& runtime);
  ~HostRuntime();
  HostRuntime(const HostRuntime&) = delete;
  HostRuntime& operator=(const HostRuntime&) = delete;

  const ProductLibrary& library() const;
  LogWriter& logWriter();
  CloudSimulator& simulator();

 private:
  struct Parts;
  explicit HostRuntime(std::unique_ptr<Parts> parts);
  std::unique_ptr<Parts> parts_;
};

}  // namespace host
