#include "Scenario.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace scenarios {
namespace {

namespace fs = std::filesystem;
using rapidjson::Value;

[[noreturn]] void refuse(const std::string& file, const std::string& what) {
  throw std::runtime_error(file + ": " + what);
}

std::optional<std::string> optionalString(const Value& object, const char* name, const std::string& file) {
  if (!object.HasMember(name) || object[name].IsNull()) {
    return std::nullopt;
  }
  if (!object[name].IsString()) {
    refuse(file, std::string("'") + name + "' must be a text");
  }
  return std::string(object[name].GetString(), object[name].GetStringLength());
}

bool optionalFlag(const Value& object, const char* name, const std::string& file) {
  if (!object.HasMember(name)) {
    return false;
  }
  if (!object[name].IsBool()) {
    refuse(file, std::string("'") + name + "' must be true or false");
  }
  return object[name].GetBool();
}

std::optional<std::int64_t> optionalInteger(const Value& object, const char* name, const std::string& file) {
  if (!object.HasMember(name)) {
    return std::nullopt;
  }
  if (!object[name].IsInt64()) {
    refuse(file, std::string("'") + name + "' must be a whole number");
  }
  return object[name].GetInt64();
}

// A file named in the scenario: relative to the case folder, "${examples}/..." to examples/.
std::string resolvePath(const std::string& path, const std::string& folder, const std::string& examples) {
  const std::string marker = "${examples}";
  if (path.rfind(marker, 0) == 0) {
    return examples + path.substr(marker.size());
  }
  return fs::path(path).is_absolute() ? path : (fs::path(folder) / path).string();
}

std::string substitute(std::string text, const std::string& folder, const std::string& examples) {
  for (const auto& [marker, value] : {std::pair<std::string, std::string>{"${case}", folder}, {"${examples}", examples}}) {
    for (auto at = text.find(marker); at != std::string::npos; at = text.find(marker, at + value.size())) {
      text.replace(at, marker.size(), value);
    }
  }
  return text;
}

LogExpectation readLogExpectation(const Value& item, const std::string& file) {
  if (!item.IsObject()) {
    refuse(file, "a log line expectation must be an object");
  }
  LogExpectation expectation;
  expectation.tag = optionalString(item, "tag", file);
  if (auto level = optionalInteger(item, "level", file)) {
    expectation.level = static_cast<int>(*level);
  }
  expectation.severity = optionalString(item, "severity", file);
  expectation.text = optionalString(item, "text", file);
  expectation.textStartsWith = optionalString(item, "textStartsWith", file);
  if (expectation.severity && *expectation.severity != "debug" && *expectation.severity != "error") {
    refuse(file, "'severity' is debug or error");
  }
  return expectation;
}

std::vector<LogExpectation> readLogExpectations(const Value& expect, const char* name, const std::string& file) {
  std::vector<LogExpectation> lines;
  if (!expect.HasMember(name)) {
    return lines;
  }
  if (!expect[name].IsArray()) {
    refuse(file, std::string("'") + name + "' must be a list");
  }
  for (const Value& item : expect[name].GetArray()) {
    lines.push_back(readLogExpectation(item, file));
  }
  return lines;
}

EventExpectation readEventExpectation(const Value& item, const std::string& file) {
  if (!item.IsObject()) {
    refuse(file, "an event expectation must be an object");
  }
  EventExpectation expectation;
  expectation.kind = optionalString(item, "kind", file);
  if (auto code = optionalInteger(item, "code", file)) {
    expectation.code = static_cast<std::uint32_t>(*code);
  }
  if (item.HasMember("arguments")) {
    if (!item["arguments"].IsArray()) {
      refuse(file, "event 'arguments' must be a list");
    }
    std::vector<EventArgumentExpectation> arguments;
    for (const Value& argument : item["arguments"].GetArray()) {
      if (!argument.IsObject() || !argument.HasMember("kind") || !argument["kind"].IsInt() ||
          !argument.HasMember("text") || !argument["text"].IsString()) {
        refuse(file, "an event argument is {\"kind\": N, \"text\": \"...\"}");
      }
      arguments.push_back({argument["kind"].GetInt(), argument["text"].GetString()});
    }
    expectation.arguments = std::move(arguments);
  }
  return expectation;
}

std::string toJsonText(const Value& value) {
  rapidjson::StringBuffer buffer;
  rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
  value.Accept(writer);
  return buffer.GetString();
}

void readExpectations(const Value& root, Scenario& scenario, const std::string& file, const std::string& examples) {
  if (!root.HasMember("expect") || !root["expect"].IsObject()) {
    refuse(file, "'expect' must be an object");
  }
  const Value& expect = root["expect"];
  Expectations& out = scenario.expect;
  if (auto response = optionalString(expect, "response", file)) {
    if (*response == "none") {
      out.noResponse = true;
    } else {
      out.responseFile = resolvePath(*response, scenario.folder, examples);
    }
  }
  out.followedBy = optionalString(expect, "followedBy", file);
  if (out.followedBy && *out.followedBy != "disconnect-reply" && *out.followedBy != "abort" &&
      *out.followedBy != "close") {
    refuse(file, "'followedBy' is disconnect-reply, abort or close");
  }
  if (expect.HasMember("output")) {
    out.outputJson = toJsonText(expect["output"]);
  }
  out.logLines = readLogExpectations(expect, "logLines", file);
  out.absentLogLines = readLogExpectations(expect, "absentLogLines", file);
  if (expect.HasMember("events")) {
    if (!expect["events"].IsArray()) {
      refuse(file, "'events' must be a list");
    }
    for (const Value& item : expect["events"].GetArray()) {
      out.events.push_back(readEventExpectation(item, file));
    }
  }
}

void readCall(const Value& root, Scenario& scenario, const std::string& file, const std::string& examples) {
  if (root.HasMember("args")) {
    if (!root["args"].IsArray()) {
      refuse(file, "'args' must be a list of texts");
    }
    scenario.network = false;
    for (const Value& argument : root["args"].GetArray()) {
      if (!argument.IsString()) {
        refuse(file, "'args' must be a list of texts");
      }
      scenario.args.push_back(substitute(argument.GetString(), scenario.folder, examples));
    }
    return;
  }
  if (!root.HasMember("request")) {
    refuse(file, "a scenario needs 'request' (a network entry point) or 'args' (an in-process one)");
  }
  if (auto request = optionalString(root, "request", file)) {
    scenario.requestFile = resolvePath(*request, scenario.folder, examples);
  }
}

void readHttpsPeer(const Value& root, Scenario& scenario, const std::string& file) {
  if (!root.HasMember("httpsPeer")) {
    return;
  }
  const Value& peer = root["httpsPeer"];
  if (!peer.IsObject() || !peer.HasMember("routes") || !peer["routes"].IsArray()) {
    refuse(file, "'httpsPeer' is {\"routes\": [...]}");
  }
  for (const Value& item : peer["routes"].GetArray()) {
    if (!item.IsObject()) {
      refuse(file, "an HTTPS route must be an object");
    }
    HttpsRoute route;
    route.method = optionalString(item, "method", file).value_or("GET");
    route.target = optionalString(item, "target", file).value_or("/");
    route.status = static_cast<int>(optionalInteger(item, "status", file).value_or(200));
    route.body = optionalString(item, "body", file).value_or("");
    if (item.HasMember("headers")) {
      if (!item["headers"].IsObject()) {
        refuse(file, "route 'headers' must be an object of texts");
      }
      for (const auto& header : item["headers"].GetObject()) {
        if (!header.value.IsString()) {
          refuse(file, "route 'headers' must be an object of texts");
        }
        route.headers.emplace_back(header.name.GetString(), header.value.GetString());
      }
    }
    scenario.httpsPeer.push_back(std::move(route));
  }
}

// prefix + a number, zero-padded to four digits or more so that names sort as numbers do.
std::vector<std::string> numberedNames(const std::string& prefix, std::int64_t count) {
  const std::size_t width = std::max<std::size_t>(4, std::to_string(count > 0 ? count - 1 : 0).size());
  std::vector<std::string> names;
  for (std::int64_t i = 0; i < count; ++i) {
    const std::string number = std::to_string(i);
    names.push_back(prefix + std::string(width - number.size(), '0') + number);
  }
  return names;
}

std::vector<std::string> readTableNames(const Value& tables, const std::string& file) {
  constexpr std::int64_t kMaxTables = 10'000;
  const std::string shape = "'azuriteTables' is a list of table names or {\"count\": N, \"prefix\": \"t\"}";
  std::vector<std::string> names;
  if (tables.IsArray()) {
    for (const Value& name : tables.GetArray()) {
      if (!name.IsString()) {
        refuse(file, shape);
      }
      names.emplace_back(name.GetString(), name.GetStringLength());
    }
    return names;
  }
  if (!tables.IsObject()) {
    refuse(file, shape);
  }
  const std::optional<std::int64_t> count = optionalInteger(tables, "count", file);
  if (!count || *count < 0 || *count > kMaxTables) {
    refuse(file, "'azuriteTables' needs a 'count' from 0 to " + std::to_string(kMaxTables));
  }
  return numberedNames(optionalString(tables, "prefix", file).value_or("t"), *count);
}

void readAzurePeers(const Value& root, Scenario& scenario, const std::string& file) {
  if (!root.HasMember("azurePeers")) {
    return;
  }
  const Value& peers = root["azurePeers"];
  if (!peers.IsObject()) {
    refuse(file, "'azurePeers' is {\"azuriteTables\": ..., \"cosmos\": true}");
  }
  AzurePeersPlan plan;
  if (peers.HasMember("azuriteTables")) {
    plan.azuriteTables = readTableNames(peers["azuriteTables"], file);
  }
  if (peers.HasMember("cosmos")) {
    if (!peers["cosmos"].IsBool()) {
      refuse(file, "'cosmos' is true or false");
    }
    plan.cosmos = peers["cosmos"].GetBool();
  }
  if (!plan.azuriteTables && !plan.cosmos) {
    refuse(file, "'azurePeers' starts no peer: give 'azuriteTables' or \"cosmos\": true");
  }
  if (plan.cosmos && !scenario.httpsPeer.empty()) {
    refuse(file, "'httpsPeer' and the Cosmos DB peer cannot be combined: each brings its own test CA");
  }
  scenario.azurePeers = std::move(plan);
}

}  // namespace

Scenario loadScenario(const std::string& folder, const std::string& examplesFolder) {
  const std::string file = (fs::path(folder) / "scenario.json").string();
  std::ifstream in(file);
  if (!in) {
    refuse(file, "cannot be read");
  }
  std::stringstream text;
  text << in.rdbuf();
  rapidjson::Document root;
  root.Parse(text.str().c_str());
  if (root.HasParseError()) {
    refuse(file, std::string("not JSON: ") + rapidjson::GetParseError_En(root.GetParseError()) + " at offset " +
                     std::to_string(root.GetErrorOffset()));
  }
  if (!root.IsObject()) {
    refuse(file, "must hold one object");
  }
  Scenario scenario;
  scenario.folder = folder;
  scenario.name = fs::path(folder).filename().string();
  scenario.description = optionalString(root, "description", file).value_or("");
  auto entry = optionalString(root, "entryPoint", file);
  if (!entry || entry->empty()) {
    refuse(file, "'entryPoint' is required");
  }
  scenario.entryPoint = *entry;
  scenario.platformFile =
      resolvePath(optionalString(root, "platform", file).value_or("${examples}/platform.json"), folder, examplesFolder);
  scenario.cloudFile =
      resolvePath(optionalString(root, "cloud", file).value_or("${examples}/cloud.json"), folder, examplesFolder);
  scenario.keyFile =
      resolvePath(optionalString(root, "keyFile", file).value_or("${examples}/host.key"), folder, examplesFolder);
  scenario.skipSleeps = optionalFlag(root, "skipSleeps", file);
  readCall(root, scenario, file, examplesFolder);
  readHttpsPeer(root, scenario, file);
  readAzurePeers(root, scenario, file);
  readExpectations(root, scenario, file, examplesFolder);
  return scenario;
}

std::vector<std::string> listScenarioNames(const std::string& casesFolder) {
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(casesFolder, ignored)) {
    if (entry.is_directory() && fs::exists(entry.path() / "scenario.json")) {
      names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace scenarios
