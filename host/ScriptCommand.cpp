#include "ScriptCommand.h"

#include <rapidjson/document.h>

#include <array>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "CallCommand.h"
#include "CommandLine.h"
#include "HostSetup.h"

namespace host {
namespace {

constexpr OptionSpec kScriptOption{"script", "FILE", "the calls to run, one JSON array of texts per line"};
constexpr OptionSpec kFormatOption{"format", "xml|tree|json",
                                   "each call's output (default tree), unless its line says otherwise"};
// A script is written by hand or by a test; anything larger is not one.
constexpr std::size_t kMaxScriptBytes = std::size_t{1} << 20;
constexpr char kPrefix[] = "clouddb-host call --script: ";

struct ScriptCall {
  std::size_t lineNumber = 0;
  std::vector<std::string> words;
};

CLmError parseLine(const std::string& line, std::size_t lineNumber, ScriptCall& call) {
  rapidjson::Document document;
  document.Parse<rapidjson::kParseIterativeFlag | rapidjson::kParseValidateEncodingFlag>(line.data(), line.size());
  const std::string where = "line " + std::to_string(lineNumber) + ": ";
  if (document.HasParseError() || !document.IsArray() || document.Empty()) {
    return usageError(where + "a call is a JSON array of texts, the entry point first");
  }
  call.lineNumber = lineNumber;
  for (const rapidjson::Value& word : document.GetArray()) {
    if (!word.IsString()) {
      return usageError(where + "every element of a call must be a text");
    }
    call.words.emplace_back(word.GetString(), word.GetStringLength());
  }
  return {};
}

CLmError readScript(const std::string& path, std::vector<ScriptCall>& calls) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return usageError("cannot read the script " + path);
  }
  std::string text;
  text.resize(kMaxScriptBytes + 1);
  file.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(file.gcount()));
  if (text.size() > kMaxScriptBytes) {
    return usageError("the script " + path + " is larger than 1 MiB");
  }
  std::size_t lineNumber = 0;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#') {
      continue;
    }
    ScriptCall call;
    if (CLmError bad = parseLine(line, lineNumber, call); bad.IsFailure()) {
      return bad;
    }
    calls.push_back(std::move(call));
  }
  return {};
}

bool namesFormat(const std::vector<std::string>& words) {
  for (const std::string& word : words) {
    if (word == "--format" || word.starts_with("--format=")) {
      return true;
    }
  }
  return false;
}

}  // namespace

int runCallScript(std::span<const std::string> arguments) {
  std::vector<OptionSpec> specs{kScriptOption, kFormatOption};
  const auto hostSpecs = hostOptionSpecs();
  specs.insert(specs.end(), hostSpecs.begin(), hostSpecs.end());
  // The script's own file comes first on the command line: `call --script FILE ...`.
  std::vector<std::string> words{"--script"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  ParsedArguments parsed;
  HostOptions hostOptions = defaultHostOptions();
  std::vector<ScriptCall> calls;
  CLmError bad = parseArguments(specs, words, parsed);
  // The formats every call takes, network and in-process alike.
  const std::string format = parsed.valueOr("format", "tree");
  if (!bad.IsFailure() && format != "xml" && format != "tree" && format != "json") {
    bad = usageError("--format must be xml, tree or json");
  }
  if (!bad.IsFailure()) {
    bad = readHostOptions(parsed, hostOptions);
  }
  if (!bad.IsFailure()) {
    bad = readScript(parsed.valueOr("script", ""), calls);
  }
  std::unique_ptr<HostRuntime> runtime;
  if (!bad.IsFailure()) {
    bad = HostRuntime::start(hostOptions, runtime);
  }
  if (bad.IsFailure()) {
    std::cerr << kPrefix << bad.message() << "\n";
    return 1;
  }
  int exitCode = 0;
  for (std::size_t i = 0; i < calls.size(); ++i) {
    std::vector<std::string> call = calls[i].words;
    if (!namesFormat(call)) {
      call.insert(call.end(), {"--format", format});
    }
    if (format != "json") {
      std::cout << "--- call " << (i + 1) << ": " << call.front() << "\n";
    }
    std::cout.flush();
    if (runCallCommand(call, runtime.get()) != 0) {
      std::cerr << kPrefix << "the call on line " << calls[i].lineNumber << " could not be made\n";
      exitCode = 1;
    }
    std::cout.flush();
  }
  return exitCode;
}

}  // namespace host
