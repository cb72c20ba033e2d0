#include "InProcessCommands.h"

#include <pugixml.hpp>
#include <rapidjson/document.h>

#include <algorithm>
#include <array>
#include <iostream>
#include <vector>

#include "CaptureFile.h"
#include "CommandLine.h"
#include "HostSetup.h"
#include "InProcessCalls.h"
#include "platform/LogWriter.h"

namespace host {
namespace {

enum class Shape { DiscoverLocal, OracleInstanceList, ExpandContent, DescribeSnapshot, DeleteSnapshot };

struct Command {
  std::string_view name;
  Shape shape;
  std::string_view summary;
};

constexpr std::array kCommands{
    Command{"DiscoverRDSInventoryLocal", Shape::DiscoverLocal,
            "Relational inventory discovery with the request and response handed over directly."},
    Command{"GetOracleCloudInstanceList", Shape::OracleInstanceList,
            "The classic database services of an Oracle Cloud instance."},
    Command{"DiscoverRDSNewInventory", Shape::ExpandContent,
            "Expands an RDS backup set's content into its databases, within the allowed regions."},
    Command{"DiscoverDocumentDBInventory", Shape::ExpandContent,
            "Expands a DocumentDB backup set's content into its clusters, within the allowed regions."},
    Command{"DiscoverRedshiftInventory", Shape::ExpandContent,
            "Expands a Redshift backup set's content into its clusters, within the allowed regions."},
    Command{"DescribeRDSInstanceSnapshot", Shape::DescribeSnapshot, "Lists RDS instance snapshots."},
    Command{"DescribeRDSClusterSnapshot", Shape::DescribeSnapshot, "Lists RDS cluster snapshots."},
    Command{"DescribeDocDBClusterSnapshot", Shape::DescribeSnapshot, "Lists DocumentDB cluster snapshots."},
    Command{"DescribeRedshiftSnapshot", Shape::DescribeSnapshot, "Lists Redshift cluster snapshots."},
    Command{"DeleteRDSInstanceSnapshot", Shape::DeleteSnapshot, "Deletes an RDS instance snapshot."},
    Command{"DeleteRDSClusterSnapshot", Shape::DeleteSnapshot, "Deletes an RDS cluster snapshot."},
    Command{"DeleteDocDBClusterSnapshot", Shape::DeleteSnapshot, "Deletes a DocumentDB cluster snapshot."},
    Command{"DeleteRedshiftSnapshot", Shape::DeleteSnapshot, "Deletes a Redshift cluster snapshot."},
};

constexpr OptionSpec kHelpOption{"help", "", "show this help"};
constexpr OptionSpec kFormatOption{"format", "xml|tree|json",
                                   "output for people (tree, the default) or programs (json, or the same as xml)"};
constexpr OptionSpec kAppIdOption{"app-id", "N", "the backup set (application) whose account is used"};
constexpr OptionSpec kInstanceIdOption{"instance-id", "N", "same as --app-id"};

constexpr std::array kDiscoverLocalOptions{
    OptionSpec{"request", "FILE", "the App::BrowseRDSInventoryReq to hand over (XML)"},
    OptionSpec{"null-request", "", "hand over no request at all"},
    OptionSpec{"first-filter", "S", "first filter string passed to the discovery (default empty)"},
    OptionSpec{"second-filter", "S", "second filter string passed to the discovery (default empty)"},
};
constexpr std::array kExpandOptions{
    kAppIdOption,
    kInstanceIdOption,
    OptionSpec{"region", "NAME", "a region the expansion may use; repeat for more; none = no constraint"},
};
constexpr std::array kSnapshotOptions{
    kAppIdOption,
    kInstanceIdOption,
    OptionSpec{"first", "ID", "first identifier, passed unchanged (default empty)"},
    OptionSpec{"second", "ID", "second identifier, passed unchanged (default empty)"},
};
constexpr std::array kOracleOptions{OptionSpec{"instance-id", "N", "the Oracle Cloud instance"}};

constexpr int kExitCalled = 0;
constexpr int kExitFailed = 1;

const Command* findCommand(std::string_view name) {
  auto found = std::find_if(kCommands.begin(), kCommands.end(), [&](const Command& c) { return c.name == name; });
  return found == kCommands.end() ? nullptr : &*found;
}

std::vector<OptionSpec> optionsOf(Shape shape) {
  std::vector<OptionSpec> specs;
  auto add = [&](auto&& list) { specs.insert(specs.end(), std::begin(list), std::end(list)); };
  switch (shape) {
    case Shape::DiscoverLocal: add(kDiscoverLocalOptions); break;
    case Shape::ExpandContent: add(kExpandOptions); break;
    case Shape::DescribeSnapshot:
    case Shape::DeleteSnapshot: add(kSnapshotOptions); break;
    case Shape::OracleInstanceList: add(kOracleOptions); break;
  }
  specs.push_back(kFormatOption);
  add(hostOptionSpecs());
  specs.push_back(kHelpOption);
  return specs;
}

std::string renderJson(std::string_view name, const CallOutcome& outcome, const LogCapture& capture) {
  rapidjson::StringBuffer buffer;
  JsonWriter json(buffer);
  json.StartObject();
  json.Key("entryPoint");
  json.String(name.data(), static_cast<rapidjson::SizeType>(name.size()));
  outcome.writeJson(json);
  json.Key("log");
  json.StartArray();
  for (const LogLine& line : capture.lines()) {
    const std::string rendered = CaptureFile::renderLine(line);
    json.RawValue(rendered.c_str(), rendered.size(), rapidjson::kObjectType);
  }
  json.EndArray();
  json.Key("events");
  json.StartArray();
  for (const JobEvent& event : capture.events()) {
    const std::string rendered = CaptureFile::renderEvent(event);
    json.RawValue(rendered.c_str(), rendered.size(), rapidjson::kObjectType);
  }
  json.EndArray();
  json.EndObject();
  return std::string(buffer.GetString(), buffer.GetSize());
}

void printJson(std::string_view name, const CallOutcome& outcome, const LogCapture& capture) {
  std::cout << renderJson(name, outcome, capture) << "\n";
}

// The JSON form as XML, member for member: an object member becomes an element of its name, an
// array one element holding an <item> per entry, a scalar an attribute (text for array entries).
void appendXml(pugi::xml_node element, const rapidjson::Value& value) {
  const auto scalarText = [](const rapidjson::Value& scalar) -> std::string {
    if (scalar.IsString()) return std::string(scalar.GetString(), scalar.GetStringLength());
    if (scalar.IsBool()) return scalar.GetBool() ? "true" : "false";
    if (scalar.IsInt64()) return std::to_string(scalar.GetInt64());
    if (scalar.IsUint64()) return std::to_string(scalar.GetUint64());
    if (scalar.IsNumber()) return std::to_string(scalar.GetDouble());
    return {};
  };
  if (value.IsObject()) {
    for (const auto& member : value.GetObject()) {
      const std::string key(member.name.GetString(), member.name.GetStringLength());
      if (member.value.IsObject() || member.value.IsArray()) {
        appendXml(element.append_child(key.c_str()), member.value);
      } else if (!member.value.IsNull()) {
        element.append_attribute(key.c_str()).set_value(scalarText(member.value).c_str());
      }
    }
  } else if (value.IsArray()) {
    for (const auto& entry : value.GetArray()) {
      pugi::xml_node item = element.append_child("item");
      if (entry.IsObject() || entry.IsArray()) {
        appendXml(item, entry);
      } else {
        item.text().set(scalarText(entry).c_str());
      }
    }
  }
}

void printXml(std::string_view name, const CallOutcome& outcome, const LogCapture& capture) {
  rapidjson::Document parsed;
  const std::string json = renderJson(name, outcome, capture);
  parsed.Parse(json.c_str(), json.size());
  pugi::xml_document document;
  appendXml(document.append_child("call"), parsed);
  document.save(std::cout, "  ", pugi::format_indent | pugi::format_no_declaration);
}

void printTree(std::string_view name, const CallOutcome& outcome, const LogCapture& capture) {
  std::cout << name << "\n" << outcome.tree;
  const auto lines = capture.lines();
  std::cout << "log: " << lines.size() << (lines.size() == 1 ? " line" : " lines") << "\n";
  for (const LogLine& line : lines) {
    std::cout << "  " << line.tag << " [" << line.level << (line.severity == LogSeverity::Error ? " error" : "")
              << "] " << line.text << "\n";
  }
  for (const JobEvent& event : capture.events()) {
    std::cout << "event: " << CaptureFile::renderEvent(event) << "\n";
  }
}

}  // namespace

bool isInProcessEntryPointName(std::string_view name) { return findCommand(name) != nullptr; }

std::string inProcessEntryPointNames() {
  std::string names;
  for (const Command& command : kCommands) {
    names += (names.empty() ? "" : ", ") + std::string(command.name);
  }
  return names;
}

std::string inProcessHelp(std::string_view name) {
  const Command* command = findCommand(name);
  if (command == nullptr) {
    return {};
  }
  const auto specs = optionsOf(command->shape);
  return renderHelp("clouddb-host call " + std::string(name) + " [options]", command->summary, specs);
}

int runInProcessCall(std::string_view name, std::span<const std::string> arguments, HostRuntime* shared) {
  const Command* command = findCommand(name);
  if (command == nullptr) {
    std::cerr << "clouddb-host call: " << name << " is not an in-process entry point\n";
    return kExitFailed;
  }
  const auto specs = optionsOf(command->shape);
  ParsedArguments parsed;
  HostOptions hostOptions = defaultHostOptions();
  CLmError bad = parseArguments(specs, arguments, parsed);
  if (!bad.IsFailure() && parsed.has("help")) {
    std::cout << inProcessHelp(name);
    return kExitCalled;
  }
  const std::string format = parsed.valueOr("format", "tree");
  if (!bad.IsFailure() && format != "tree" && format != "json" && format != "xml") {
    bad = usageError("--format must be xml, tree or json");
  }
  if (!bad.IsFailure()) {
    bad = shared != nullptr ? refuseHostOptions(parsed) : readHostOptions(parsed, hostOptions);
  }
  std::unique_ptr<HostRuntime> owned;
  if (!bad.IsFailure() && shared == nullptr) {
    bad = HostRuntime::start(hostOptions, owned);
  }
  if (bad.IsFailure()) {
    std::cerr << "clouddb-host call: " << bad.message() << "\n";
    return kExitFailed;
  }
  HostRuntime& runtime = shared != nullptr ? *shared : *owned;
  LogCapture capture(runtime.logWriter());
  CallOutcome outcome;
  if (CLmError failed = callInProcessEntryPoint(std::string(name), runtime.library(), parsed, outcome); failed.IsFailure()) {
    std::cerr << "clouddb-host call: " << failed.message() << "\n";
    return kExitFailed;
  }
  if (format == "json") {
    printJson(name, outcome, capture);
  } else if (format == "xml") {
    printXml(name, outcome, capture);
  } else {
    printTree(name, outcome, capture);
  }
  return kExitCalled;
}

}  // namespace host
