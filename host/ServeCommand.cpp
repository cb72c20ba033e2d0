#include "ServeCommand.h"

#include <array>
#include <iostream>
#include <vector>

#include "CommandLine.h"
#include "ConnectionServer.h"
#include "Endpoint.h"
#include "HostSetup.h"
#include "NetworkEntryPoints.h"
#include "SessionHandler.h"
#include "StopSignals.h"
#include "platform/SocketListener.h"

namespace host {
namespace {

constexpr std::array kServeOptions{
    OptionSpec{"unix", "PATH", "listen on this Unix socket path"},
    OptionSpec{"tcp", "127.0.0.1:PORT", "listen on this loopback TCP port (0 = any free port); needs --tcp-any-local-user"},
    OptionSpec{"tcp-any-local-user", "",
               "accept that every user of this machine can call the host, with its cloud credentials, over --tcp"},
    OptionSpec{"parallel", "N", "serve up to N connections side by side (default 1: one after another)"},
    OptionSpec{"max-connections", "N", "exit after serving N connections"},
    OptionSpec{"idle-timeout", "S", "close a connection whose next frame takes longer than S seconds (default 300)"},
    OptionSpec{"backlog", "N", "connections that may wait to be accepted (default 512)"},
};
constexpr OptionSpec kHelpOption{"help", "", "show this help"};
constexpr std::uint64_t kMaxParallel = 64;
constexpr std::uint64_t kMaxIdleSeconds = 24 * 60 * 60;
constexpr std::uint64_t kMaxBacklog = 65535;
constexpr const char* kTcpRisk =
    "--tcp lets every user of this machine call the host with its cloud credentials: use --unix "
    "(owner only), or add --tcp-any-local-user to accept that";

std::vector<OptionSpec> serveSpecs() {
  std::vector<OptionSpec> specs(kServeOptions.begin(), kServeOptions.end());
  const auto hostSpecs = hostOptionSpecs();
  specs.insert(specs.end(), hostSpecs.begin(), hostSpecs.end());
  specs.push_back(kHelpOption);
  return specs;
}

// A whole number from 1 to most, or the default when the option is absent.
CLmError readBounded(const ParsedArguments& arguments, const std::string& name, std::uint64_t most, int& value) {
  auto text = arguments.value(name);
  if (!text) {
    return {};
  }
  std::uint64_t number = 0;
  if (CLmError bad = parseUnsigned(name, *text, number); bad.IsFailure()) {
    return bad;
  }
  if (number < 1 || number > most) {
    return usageError("--" + name + " takes 1 to " + std::to_string(most));
  }
  value = static_cast<int>(number);
  return {};
}

struct ConnectionSettings {
  int idleSeconds = SessionHandler::kDefaultIdleSeconds;
  int backlog = SocketListener::kDefaultBacklog;
};

CLmError readConnectionSettings(const ParsedArguments& arguments, ConnectionSettings& settings) {
  if (CLmError bad = readBounded(arguments, "idle-timeout", kMaxIdleSeconds, settings.idleSeconds); bad.IsFailure()) {
    return bad;
  }
  return readBounded(arguments, "backlog", kMaxBacklog, settings.backlog);
}

CLmError readLimits(const ParsedArguments& arguments, ServeLimits& limits) {
  if (auto text = arguments.value("parallel")) {
    std::uint64_t parallel = 0;
    if (CLmError bad = parseUnsigned("parallel", *text, parallel); bad.IsFailure()) {
      return bad;
    }
    if (parallel < 1 || parallel > kMaxParallel) {
      return usageError("--parallel takes 1 to " + std::to_string(kMaxParallel));
    }
    limits.parallel = static_cast<int>(parallel);
  }
  if (auto text = arguments.value("max-connections")) {
    std::uint64_t most = 0;
    if (CLmError bad = parseUnsigned("max-connections", *text, most); bad.IsFailure()) {
      return bad;
    }
    limits.maxConnections = most;
  }
  return {};
}

CLmError listen(const Endpoint& endpoint, int backlog, std::unique_ptr<SocketListener>& listener,
                std::string& address) {
  if (endpoint.isUnix()) {
    address = "unix:" + endpoint.unixPath;
    return SocketListener::listenUnix(endpoint.unixPath, listener, backlog);
  }
  if (endpoint.tcpHost != "127.0.0.1" && endpoint.tcpHost != "localhost") {
    return usageError("the host serves this machine only: --tcp takes 127.0.0.1:PORT");
  }
  CLmError result = SocketListener::listenLoopbackTcp(endpoint.tcpPort, listener, backlog);
  if (!result.IsFailure()) {
    address = "127.0.0.1:" + std::to_string(listener->port());
  }
  return result;
}

CLmError serve(const ParsedArguments& arguments) {
  std::optional<Endpoint> endpoint;
  ServeLimits limits;
  ConnectionSettings settings;
  HostOptions hostOptions = defaultHostOptions();
  for (CLmError bad : {readEndpoint(arguments, endpoint), readLimits(arguments, limits),
                       readConnectionSettings(arguments, settings), readHostOptions(arguments, hostOptions)}) {
    if (bad.IsFailure()) {
      return bad;
    }
  }
  if (!endpoint) {
    return usageError("serve needs --unix PATH or --tcp 127.0.0.1:PORT");
  }
  // Loopback TCP authenticates nobody: serving it is a decision the operator makes out loud.
  if (!endpoint->isUnix() && !arguments.has("tcp-any-local-user")) {
    return usageError(kTcpRisk);
  }
  // Before any thread exists, so every thread inherits the blocked stop signals.
  std::unique_ptr<StopSignals> signals;
  if (CLmError failed = StopSignals::install(signals); failed.IsFailure()) {
    return failed;
  }
  std::unique_ptr<HostRuntime> runtime;
  if (CLmError failed = HostRuntime::start(hostOptions, runtime); failed.IsFailure()) {
    return failed;
  }
  std::unique_ptr<SocketListener> listener;
  std::string address;
  if (CLmError failed = listen(*endpoint, settings.backlog, listener, address); failed.IsFailure()) {
    return failed;
  }
  SessionHandler handler(runtime->library(), settings.idleSeconds);
  ConnectionServer server(*listener, handler, limits, signals->fd());
  std::cout << "listening on " << address << std::endl;
  CLmError result = server.run();
  if (server.stopped()) {
    signals->take();
  }
  return result;
}

}  // namespace

std::string serveHelp() {
  return renderHelp("clouddb-host serve (--unix PATH | --tcp 127.0.0.1:PORT) [options]",
                    "Serves the network entry points (" + networkEntryPointNames() +
                        ") to consoles: the first frame of each connection names the entry point.",
                    serveSpecs());
}

int runServeCommand(std::span<const std::string> arguments) {
  const auto specs = serveSpecs();
  ParsedArguments parsed;
  CLmError result = parseArguments(specs, arguments, parsed);
  if (!result.IsFailure() && parsed.has("help")) {
    std::cout << serveHelp();
    return 0;
  }
  if (!result.IsFailure()) {
    result = serve(parsed);
  }
  if (result.IsFailure()) {
    std::cerr << "clouddb-host serve: " << result.message() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace host
