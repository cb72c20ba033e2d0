#include "ExplainCommand.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <array>
#include <iostream>
#include <map>
#include <vector>

#include "CommandLine.h"
#include "HostSetup.h"
#include "InProcessExchange.h"
#include "RequestFile.h"
#include "platform/LogWriter.h"
#include "platform/config/CloudAppsInstance.h"
#include "platform/config/ConfigStatus.h"
#include "platform/config/Subclient.h"
#include "platform/messages/All.h"

namespace host {
namespace {

constexpr std::array kExplainOptions{
    OptionSpec{"app-id", "N", "a backup set (subclient) of the platform configuration: its content and instance"},
    OptionSpec{"content", "FILE", "a content document (a CloudDBEntity, as a backup set stores it)"},
    OptionSpec{"instance-id", "N", "the instance the content is meant for (with --content)"},
    OptionSpec{"instance-type", "N", "its type: 4 RDS, 22 DynamoDB, 26 Redshift, 27 DocumentDB (with --content)"},
    OptionSpec{"format", "table|json", "output for people (table, the default) or programs"},
};
constexpr OptionSpec kHelpOption{"help", "", "show this help"};
constexpr int kStepTimeoutSeconds = 300;

std::vector<OptionSpec> explainSpecs() {
  std::vector<OptionSpec> specs(kExplainOptions.begin(), kExplainOptions.end());
  const auto hostSpecs = hostOptionSpecs();
  specs.insert(specs.end(), hostSpecs.begin(), hostSpecs.end());
  specs.push_back(kHelpOption);
  return specs;
}

struct Database {
  std::string name;
  std::string region;
  std::int64_t type = 0;
  bool operator<(const Database& other) const {
    return std::tie(name, region, type) < std::tie(other.name, other.region, other.type);
  }
};

struct Preview {
  std::vector<Database> selected;
  std::vector<std::string> notes;  // what the regions constraint did, and failures
  std::int64_t errorCode = 0;
  std::string errorMessage;
};

struct Subject {
  std::uint64_t instanceId = 0;
  std::uint64_t instanceType = 0;
  App::CloudDBEntity content;
  std::string contentXml;
};

// The lines a preview logs about the regions constraint tell what it refused or dropped.
bool speaksOfTheConstraint(const LogLine& line) {
  return line.text.find("regions constraint") != std::string::npos ||
         line.text.find("allowed regions") != std::string::npos || line.severity == LogSeverity::Error;
}

CLmError preview(HostRuntime& runtime, const Subject& subject, const App::CloudDBEntity& content, Preview& out) {
  auto request = std::make_unique<App::BrowsePreviewReq>();
  request->setInstanceType(static_cast<std::int64_t>(subject.instanceType));
  request->mutableInstance().setInstanceId(static_cast<std::int64_t>(subject.instanceId));
  request->setContent(content);
  ExchangePlan plan;
  plan.entryPoint = "BrowseInventoryHandler";
  plan.request = std::move(request);
  plan.timeoutSeconds = kStepTimeoutSeconds;
  ExchangeOutcome outcome;
  LogCapture capture(runtime.logWriter());
  if (CLmError failed = exchangeInProcess(runtime, plan, outcome); failed.IsFailure()) {
    return failed;
  }
  for (const LogLine& line : capture.lines()) {
    if (speaksOfTheConstraint(line)) out.notes.push_back(line.text);
  }
  const auto* response =
      outcome.responses.empty() ? nullptr : dynamic_cast<const App::BrowseInventoryResp*>(outcome.responses[0].get());
  if (response == nullptr) {
    return CLmError(-22, "the preview gave no answer (" + endName(outcome.end) + ")");
  }
  if (const App::ErrorRecord* error = response->error(); error != nullptr && error->errorCode() != 0) {
    out.errorCode = error->errorCode();
    out.errorMessage = error->errorMessage();
  }
  if (const App::CloudDBEntity* root = response->root()) {
    for (const App::CloudDBEntity& child : root->children()) {
      out.selected.push_back({child.name(), child.region(), child.entityType()});
    }
  }
  return {};
}

CLmError readSubject(const ParsedArguments& arguments, Subject& subject) {
  const bool fromBackupSet = arguments.has("app-id");
  if (fromBackupSet == arguments.has("content")) {
    return usageError("give --app-id N, or --content FILE with --instance-id and --instance-type");
  }
  if (fromBackupSet) {
    std::uint64_t appId = 0;
    if (CLmError bad = parseUnsigned("app-id", *arguments.value("app-id"), appId); bad.IsFailure()) return bad;
    const CloudAppsSubclient subclient(appId);
    if (subclient.getDynamicContent(subject.contentXml) != config::kOk) {
      return usageError("backup set " + std::to_string(appId) + " has no content rules in the configuration");
    }
    if (subclient.getInstanceId(subject.instanceId) != config::kOk ||
        CloudAppsInstance(subject.instanceId).getInstanceType(subject.instanceType) != config::kOk) {
      return usageError("backup set " + std::to_string(appId) + " belongs to no configured instance");
    }
  } else {
    std::unique_ptr<CNMessageBase> document;
    if (CLmError failed = loadMessageFile(*arguments.value("content"), document); failed.IsFailure()) return failed;
    if (dynamic_cast<App::CloudDBEntity*>(document.get()) == nullptr) {
      return usageError("the content document must be a CloudDBEntity");
    }
    subject.contentXml = document->serialize();
    for (const char* option : {"instance-id", "instance-type"}) {
      if (!arguments.has(option)) return usageError(std::string("--content needs --") + option);
    }
    if (CLmError bad = parseUnsigned("instance-id", *arguments.value("instance-id"), subject.instanceId);
        bad.IsFailure()) {
      return bad;
    }
    if (CLmError bad = parseUnsigned("instance-type", *arguments.value("instance-type"), subject.instanceType);
        bad.IsFailure()) {
      return bad;
    }
  }
  if (CLmError bad = subject.content.unserialize(subject.contentXml); bad.IsFailure()) {
    return usageError("the content rules do not parse: " + bad.message());
  }
  return {};
}

struct Explanation {
  std::vector<std::string> constraint;
  std::vector<std::string> rules;  // each rule's XML
  std::vector<Preview> perRule;
  Preview whole;
};

// Which rules select each database, in rule order.
std::map<Database, std::vector<std::size_t>> selectors(const Explanation& explanation) {
  std::map<Database, std::vector<std::size_t>> by;
  for (std::size_t i = 0; i < explanation.perRule.size(); ++i) {
    for (const Database& database : explanation.perRule[i].selected) by[database].push_back(i + 1);
  }
  return by;
}

std::string describe(const Database& database) {
  return database.name + " [" + database.region + "] type " + std::to_string(database.type);
}

void printTable(const Subject& subject, const Explanation& explanation) {
  std::cout << "instance " << subject.instanceId << " (type " << subject.instanceType << "), regions constraint: "
            << (explanation.constraint.empty() ? "none" : "") ;
  for (std::size_t i = 0; i < explanation.constraint.size(); ++i) {
    std::cout << (i ? ", " : "") << explanation.constraint[i];
  }
  std::cout << "\n";
  for (std::size_t i = 0; i < explanation.rules.size(); ++i) {
    const Preview& rule = explanation.perRule[i];
    std::cout << "\nrule " << (i + 1) << "  " << explanation.rules[i] << "\n";
    if (rule.errorCode != 0) std::cout << "  error " << rule.errorCode << ": " << rule.errorMessage << "\n";
    std::cout << "  selects " << rule.selected.size() << (rule.selected.size() == 1 ? " database" : " databases") << "\n";
    for (const Database& database : rule.selected) std::cout << "    " << describe(database) << "\n";
    for (const std::string& note : rule.notes) std::cout << "  constraint: " << note << "\n";
  }
  const auto by = selectors(explanation);
  std::cout << "\nresult: " << explanation.whole.selected.size() << " databases\n";
  if (explanation.whole.errorCode != 0) {
    std::cout << "  error " << explanation.whole.errorCode << ": " << explanation.whole.errorMessage << "\n";
  }
  std::map<Database, bool> kept;
  for (const Database& database : explanation.whole.selected) {
    kept[database] = true;
    const auto found = by.find(database);
    std::cout << "  " << describe(database) << "  rules";
    if (found != by.end()) {
      for (std::size_t rule : found->second) std::cout << " " << rule;
      if (found->second.size() > 1) std::cout << "  (" << found->second.size() - 1 << " duplicate(s) removed)";
    }
    std::cout << "\n";
  }
  for (const auto& [database, rules] : by) {
    if (!kept.count(database)) {
      std::cout << "  left out: " << describe(database) << " (selected by rule";
      for (std::size_t rule : rules) std::cout << " " << rule;
      std::cout << " on its own; the whole document excludes it)\n";
    }
  }
}

void writeDatabaseMembers(rapidjson::Writer<rapidjson::StringBuffer>& json, const Database& database) {
  json.Key("name");
  json.String(database.name.c_str());
  json.Key("region");
  json.String(database.region.c_str());
  json.Key("type");
  json.Int64(database.type);
}

void writeDatabases(rapidjson::Writer<rapidjson::StringBuffer>& json, const std::vector<Database>& databases) {
  json.StartArray();
  for (const Database& database : databases) {
    json.StartObject();
    writeDatabaseMembers(json, database);
    json.EndObject();
  }
  json.EndArray();
}

void writePreview(rapidjson::Writer<rapidjson::StringBuffer>& json, const Preview& preview) {
  json.Key("selects");
  writeDatabases(json, preview.selected);
  json.Key("constraintNotes");
  json.StartArray();
  for (const std::string& note : preview.notes) json.String(note.c_str());
  json.EndArray();
  json.Key("error");
  json.StartObject();
  json.Key("code");
  json.Int64(preview.errorCode);
  json.Key("message");
  json.String(preview.errorMessage.c_str());
  json.EndObject();
}

void printJson(const Subject& subject, const Explanation& explanation) {
  rapidjson::StringBuffer buffer;
  rapidjson::Writer<rapidjson::StringBuffer> json(buffer);
  json.StartObject();
  json.Key("instanceId");
  json.Uint64(subject.instanceId);
  json.Key("instanceType");
  json.Uint64(subject.instanceType);
  json.Key("regionsConstraint");
  json.StartArray();
  for (const std::string& region : explanation.constraint) json.String(region.c_str());
  json.EndArray();
  json.Key("rules");
  json.StartArray();
  for (std::size_t i = 0; i < explanation.rules.size(); ++i) {
    json.StartObject();
    json.Key("rule");
    json.Uint64(i + 1);
    json.Key("xml");
    json.String(explanation.rules[i].c_str());
    writePreview(json, explanation.perRule[i]);
    json.EndObject();
  }
  json.EndArray();
  const auto by = selectors(explanation);
  std::map<Database, bool> kept;
  json.Key("result");
  json.StartArray();
  for (const Database& database : explanation.whole.selected) {
    kept[database] = true;
    json.StartObject();
    writeDatabaseMembers(json, database);
    json.Key("rules");
    json.StartArray();
    if (const auto found = by.find(database); found != by.end()) {
      for (std::size_t rule : found->second) json.Uint64(rule);
    }
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
  json.Key("leftOut");
  std::vector<Database> leftOut;
  for (const auto& entry : by) {
    if (!kept.count(entry.first)) leftOut.push_back(entry.first);
  }
  writeDatabases(json, leftOut);
  json.Key("whole");
  json.StartObject();
  writePreview(json, explanation.whole);
  json.EndObject();
  json.EndObject();
  std::cout << buffer.GetString() << "\n";
}

CLmError explain(const ParsedArguments& arguments) {
  HostOptions hostOptions = defaultHostOptions();
  const std::string format = arguments.valueOr("format", "table");
  if (format != "table" && format != "json") return usageError("--format must be table or json");
  if (CLmError bad = readHostOptions(arguments, hostOptions); bad.IsFailure()) return bad;
  std::unique_ptr<HostRuntime> runtime;
  if (CLmError failed = HostRuntime::start(hostOptions, runtime); failed.IsFailure()) return failed;
  Subject subject;
  if (CLmError bad = readSubject(arguments, subject); bad.IsFailure()) return bad;

  Explanation explanation;
  CloudAppsInstance(subject.instanceId).getRegionEndPoints(explanation.constraint);
  for (const App::CloudDBEntity& rule : subject.content.children()) {
    App::CloudDBEntity alone;
    alone.setEntityType(subject.content.entityType());
    alone.addChild(rule);
    // Shown as the document holds it: a rule is a "children" element of the content.
    std::string xml = rule.serialize();
    if (const std::string element = "<CloudDBEntity"; xml.starts_with(element)) {
      xml.replace(0, element.size(), "<children");
    }
    explanation.rules.push_back(xml);
    explanation.perRule.emplace_back();
    if (CLmError failed = preview(*runtime, subject, alone, explanation.perRule.back()); failed.IsFailure()) {
      return failed;
    }
  }
  if (CLmError failed = preview(*runtime, subject, subject.content, explanation.whole); failed.IsFailure()) {
    return failed;
  }
  if (format == "json") {
    printJson(subject, explanation);
  } else {
    printTable(subject, explanation);
  }
  return {};
}

}  // namespace

std::string explainHelp() {
  return renderHelp("clouddb-host explain (--app-id N | --content FILE --instance-id N --instance-type T) [options]",
                    "Shows which rule of a backup set's content selects which database, what the merge and the "
                    "regions constraint did, previewing each rule on its own through BrowseInventoryHandler.",
                    explainSpecs());
}

int runExplainCommand(std::span<const std::string> arguments) {
  const auto specs = explainSpecs();
  ParsedArguments parsed;
  CLmError result = parseArguments(specs, arguments, parsed);
  if (!result.IsFailure() && parsed.has("help")) {
    std::cout << explainHelp();
    return 0;
  }
  if (!result.IsFailure()) result = explain(parsed);
  if (result.IsFailure()) {
    std::cerr << "clouddb-host explain: " << result.message() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace host
