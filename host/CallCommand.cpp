#include "CallCommand.h"

#include <sys/socket.h>

#include <array>
#include <iostream>
#include <thread>
#include <vector>

#include "CommandLine.h"
#include "ConsoleExchange.h"
#include "Endpoint.h"
#include "HostSetup.h"
#include "InProcessCommands.h"
#include "InProcessExchange.h"
#include "MessagePrinter.h"
#include "NetworkEntryPoints.h"
#include "RequestFile.h"
#include "ScriptCommand.h"
#include "SessionHandler.h"

namespace host {
namespace {

constexpr std::array kCallOptions{
    OptionSpec{"request", "FILE", "the request message to send (XML; its root element names its type)"},
    OptionSpec{"no-request", "", "open the session and stop sending without a request"},
    OptionSpec{"raw-tag", "TAG", "send a message of this tag id (e.g. 0x09000102) instead of a request file"},
    OptionSpec{"argument", "N", "the number passed to the entry point beside the connection (default 0)"},
    OptionSpec{"unix", "PATH", "talk to a host serving on this Unix socket"},
    OptionSpec{"tcp", "HOST:PORT", "talk to a host serving on this TCP port"},
    OptionSpec{"format", "xml|tree|json", "how to print the responses (default xml)"},
    OptionSpec{"timeout", "S", "seconds to wait for each step (default 300)"},
};
constexpr OptionSpec kHelpOption{"help", "", "show this help"};
constexpr int kExitFailed = 1;
// A console that waits without limit hangs a script whose host went quiet.
constexpr int kDefaultStepTimeoutSeconds = 300;

std::vector<OptionSpec> callSpecs() {
  std::vector<OptionSpec> specs(kCallOptions.begin(), kCallOptions.end());
  const auto hostSpecs = hostOptionSpecs();
  specs.insert(specs.end(), hostSpecs.begin(), hostSpecs.end());
  specs.push_back(kHelpOption);
  return specs;
}

CLmError readPlan(const std::string& entry, const ParsedArguments& arguments, ExchangePlan& plan) {
  plan.entryPoint = entry;
  plan.timeoutSeconds = kDefaultStepTimeoutSeconds;
  const int choices = int(arguments.has("request")) + int(arguments.has("no-request")) + int(arguments.has("raw-tag"));
  if (choices != 1) {
    return usageError("give one of --request FILE, --no-request or --raw-tag TAG");
  }
  if (auto path = arguments.value("request")) {
    if (CLmError failed = loadMessageFile(*path, plan.request); failed.IsFailure()) {
      return failed;
    }
  }
  if (auto tag = arguments.value("raw-tag")) {
    std::uint64_t tagId = 0;
    if (CLmError bad = parseUnsigned("raw-tag", *tag, tagId); bad.IsFailure()) {
      return bad;
    }
    if (tagId > 0xFFFFFFFFu) {
      return usageError("--raw-tag: a tag id has 32 bits");
    }
    // A registered type travels as its (empty) message; any other tag as a bare frame.
    plan.request = CNMessageBase::createFromTag(static_cast<std::uint32_t>(tagId));
    if (!plan.request) {
      plan.bareTag = static_cast<std::uint32_t>(tagId);
    }
  }
  if (auto argument = arguments.value("argument")) {
    std::uint64_t number = 0;
    if (CLmError bad = parseUnsigned("argument", *argument, number); bad.IsFailure()) {
      return bad;
    }
    plan.argument = number;
  }
  if (auto timeout = arguments.value("timeout")) {
    std::uint64_t seconds = 0;
    if (CLmError bad = parseUnsigned("timeout", *timeout, seconds); bad.IsFailure()) {
      return bad;
    }
    plan.timeoutSeconds = static_cast<int>(std::min<std::uint64_t>(seconds, 86400));
  }
  return {};
}

void printOutcome(const ExchangeOutcome& outcome, const std::string& format) {
  if (format == "json") {
    rapidjson::StringBuffer buffer;
    JsonWriter json(buffer);
    json.StartObject();
    json.Key("responses");
    json.StartArray();
    for (const auto& response : outcome.responses) {
      writeJson(json, *response);
    }
    json.EndArray();
    json.Key("followedBy");
    json.String(endName(outcome.end).c_str());
    json.EndObject();
    std::cout << buffer.GetString() << "\n";
    return;
  }
  if (outcome.responses.empty()) {
    std::cout << "no response\n";
  }
  for (const auto& response : outcome.responses) {
    std::cout << (format == "tree" ? renderTree(*response) : renderXml(*response));
  }
  std::cout << "followed by: " << endName(outcome.end) << "\n";
}

CLmError exchangeRemote(const Endpoint& endpoint, const ExchangePlan& plan, ExchangeOutcome& outcome) {
  std::unique_ptr<KwNetworkPeer> peer;
  CLmError connected = endpoint.isUnix()
                           ? KwNetworkPeer::connectUnix(endpoint.unixPath, plan.timeoutSeconds, peer)
                           : KwNetworkPeer::connectTcp(endpoint.tcpHost, endpoint.tcpPort, plan.timeoutSeconds, peer);
  if (connected.IsFailure()) {
    return connected;
  }
  return runExchange(*peer, plan, outcome);
}

// Without a server the host runs in this process: the script's, or one started for this call.
CLmError exchangeWithOwnHost(const HostOptions& hostOptions, HostRuntime* shared, const ExchangePlan& plan,
                             ExchangeOutcome& outcome) {
  std::unique_ptr<HostRuntime> owned;
  if (shared == nullptr) {
    if (CLmError failed = HostRuntime::start(hostOptions, owned); failed.IsFailure()) {
      return failed;
    }
  }
  return exchangeInProcess(shared != nullptr ? *shared : *owned, plan, outcome);
}

CLmError callNetwork(const std::string& entry, const ParsedArguments& arguments, HostRuntime* shared) {
  ExchangePlan plan;
  std::optional<Endpoint> endpoint;
  HostOptions hostOptions = defaultHostOptions();
  const std::string format = arguments.valueOr("format", "xml");
  if (format != "xml" && format != "tree" && format != "json") {
    return usageError("--format must be xml, tree or json");
  }
  for (CLmError bad : {readPlan(entry, arguments, plan), readEndpoint(arguments, endpoint),
                       shared != nullptr ? refuseHostOptions(arguments) : readHostOptions(arguments, hostOptions)}) {
    if (bad.IsFailure()) {
      return bad;
    }
  }
  if (shared != nullptr && endpoint) {
    return usageError("a call in a script runs in the script's own host: --unix and --tcp do not apply");
  }
  ExchangeOutcome outcome;
  CLmError result = endpoint ? exchangeRemote(*endpoint, plan, outcome)
                             : exchangeWithOwnHost(hostOptions, shared, plan, outcome);
  if (result.IsFailure()) {
    return result;
  }
  printOutcome(outcome, format);
  return {};
}

}  // namespace

std::string callHelp() {
  return renderHelp("clouddb-host call ENTRY [options]",
                    "Network entry points: " + networkEntryPointNames() +
                        ".\nIn-process entry points (see clouddb-host call ENTRY --help): " +
                        inProcessEntryPointNames() + ".",
                    callSpecs());
}

int runCallCommand(std::span<const std::string> arguments, HostRuntime* shared) {
  if (arguments.empty() || arguments[0] == "--help") {
    std::cout << callHelp();
    return arguments.empty() ? kExitFailed : 0;
  }
  if (shared == nullptr && arguments[0] == "--script") {
    return runCallScript(arguments.subspan(1));
  }
  const std::string entry = arguments[0];
  const auto rest = arguments.subspan(1);
  if (isInProcessEntryPointName(entry)) {
    return runInProcessCall(entry, rest, shared);
  }
  if (!isNetworkEntryPointName(entry)) {
    std::cerr << "clouddb-host call: unknown entry point '" << entry << "' (see clouddb-host call --help)\n";
    return kExitFailed;
  }
  const auto specs = callSpecs();
  ParsedArguments parsed;
  CLmError result = parseArguments(specs, rest, parsed);
  if (!result.IsFailure() && parsed.has("help")) {
    std::cout << callHelp();
    return 0;
  }
  if (!result.IsFailure()) {
    result = callNetwork(entry, parsed, shared);
  }
  if (result.IsFailure()) {
    std::cerr << "clouddb-host call: " << result.message() << "\n";
    return kExitFailed;
  }
  return 0;
}

}  // namespace host
