#include "InProcessCommands.h"

#include <algorithm>
#include <array>
#include <functional>
#include <iostream>
#include <sstream>
#include <vector>

#include "CaptureFile.h"
#include "CommandLine.h"
#include "HostSetup.h"
#include "InProcessEntryPoints.h"
#include "MessagePrinter.h"
#include "ProductLibrary.h"
#include "RecordPrinter.h"
#include "RecordReflection.h"
#include "RequestFile.h"
#include "platform/LogWriter.h"

namespace host {
namespace {

using inprocess::AppId;

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
constexpr OptionSpec kFormatOption{"format", "tree|json", "output for people (tree, the default) or programs"};
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

// What one call gave back: JSON members for programs and the same as text for people.
struct CallOutcome {
  std::function<void(JsonWriter&)> writeJson = [](JsonWriter&) {};
  std::string tree;
};

CLmError readAppId(const ParsedArguments& arguments, AppId& appId) {
  auto text = arguments.value("app-id");
  const char* option = "app-id";
  if (!text) {
    text = arguments.value("instance-id");
    option = "instance-id";
  }
  if (!text) {
    return usageError("--app-id N is required");
  }
  std::uint64_t parsed = 0;
  CLmError result = parseUnsigned(option, *text, parsed);
  appId = parsed;
  return result;
}

void writeErrorJson(JsonWriter& json, const CLmError& error) {
  json.Key("error");
  json.StartObject();
  json.Key("code");
  json.Int64(error.code());
  json.Key("message");
  records::writeJsonValue(json, error.message());
  json.Key("text");
  records::writeJsonValue(json, error.AsString());
  json.EndObject();
}

std::string errorTree(const CLmError& error) {
  return "error: code " + std::to_string(error.code()) + " (" + error.AsString() + ")\n";
}

template <typename Message>
void addMessageList(CallOutcome& outcome, std::shared_ptr<std::vector<Message>> list) {
  std::ostringstream tree;
  tree << "records: " << list->size() << "\n";
  for (const Message& message : *list) {
    std::istringstream lines(renderTree(message));
    std::string line;
    bool first = true;
    while (std::getline(lines, line)) {
      tree << (first ? "- " : "  ") << line << "\n";
      first = false;
    }
  }
  outcome.tree += tree.str();
  outcome.writeJson = [list](JsonWriter& json) {
    json.Key("records");
    json.StartArray();
    for (const Message& message : *list) {
      host::writeJson(json, message);
    }
    json.EndArray();
  };
}

CLmError callDiscoverLocal(const ProductLibrary& library, const ParsedArguments& arguments, CallOutcome& outcome) {
  inprocess::DiscoverLocalFunction* function = nullptr;
  if (CLmError missing = library.find("DiscoverRDSInventoryLocal", function); missing.IsFailure()) {
    return missing;
  }
  std::unique_ptr<CNMessageBase> loaded;
  App::BrowseRDSInventoryReq* request = nullptr;
  if (!arguments.has("null-request")) {
    auto path = arguments.value("request");
    if (!path) {
      return usageError("--request FILE or --null-request is required");
    }
    if (CLmError failed = loadMessageFile(*path, loaded); failed.IsFailure()) {
      return failed;
    }
    request = dynamic_cast<App::BrowseRDSInventoryReq*>(loaded.get());
    if (request == nullptr) {
      return usageError(*path + " holds a " + loaded->getTagName() + ", not an App::BrowseRDSInventoryReq");
    }
  }
  auto response = std::make_shared<App::BrowseRDSInventoryResp>();
  function(request, response.get(), arguments.valueOr("first-filter", ""), arguments.valueOr("second-filter", ""));
  outcome.tree = "response:\n" + renderTree(*response);
  outcome.writeJson = [response](JsonWriter& json) {
    json.Key("response");
    host::writeJson(json, *response);
  };
  return {};
}

template <typename Message>
CLmError callExpand(const ProductLibrary& library, const std::string& name, const ParsedArguments& arguments,
                    CallOutcome& outcome) {
  inprocess::ExpandContentFunction<Message>* function = nullptr;
  AppId appId = 0;
  if (CLmError bad = readAppId(arguments, appId); bad.IsFailure()) {
    return bad;
  }
  if (CLmError missing = library.find(name, function); missing.IsFailure()) {
    return missing;
  }
  std::vector<std::string> regions = arguments.values("region");
  auto records = std::make_shared<std::vector<Message>>();
  CLmError error;
  function(appId, regions, *records, error);
  addMessageList(outcome, records);
  outcome.tree += errorTree(error);
  outcome.writeJson = [listWriter = outcome.writeJson, error](JsonWriter& json) {
    listWriter(json);
    writeErrorJson(json, error);
  };
  return {};
}

template <typename Record>
CLmError callDescribe(const ProductLibrary& library, const std::string& name, const ParsedArguments& arguments,
                      CallOutcome& outcome, std::string_view recordName) {
  inprocess::DescribeSnapshotFunction<Record>* function = nullptr;
  AppId appId = 0;
  if (CLmError bad = readAppId(arguments, appId); bad.IsFailure()) {
    return bad;
  }
  if (CLmError missing = library.find(name, function); missing.IsFailure()) {
    return missing;
  }
  auto records = std::make_shared<std::vector<Record>>();
  function(appId, arguments.valueOr("first", ""), arguments.valueOr("second", ""), *records);
  std::ostringstream tree;
  tree << "records: " << records->size() << "\n";
  records::writeTree(tree, std::string(recordName), *records);
  outcome.tree = tree.str();
  outcome.writeJson = [records](JsonWriter& json) {
    json.Key("records");
    records::writeJsonValue(json, *records);
  };
  return {};
}

CLmError callOracleInstanceList(const ProductLibrary& library, const ParsedArguments& arguments,
                                CallOutcome& outcome) {
  inprocess::OracleInstanceListFunction* function = nullptr;
  auto text = arguments.value("instance-id");
  if (!text) {
    return usageError("--instance-id N is required");
  }
  std::uint64_t instanceId = 0;
  if (CLmError bad = parseUnsigned("instance-id", *text, instanceId); bad.IsFailure()) {
    return bad;
  }
  if (CLmError missing = library.find("GetOracleCloudInstanceList", function); missing.IsFailure()) {
    return missing;
  }
  auto records = std::make_shared<std::vector<CloudDBInfoStructs::SOracleDBInstanceInfo>>();
  function(instanceId, *records);
  std::ostringstream tree;
  tree << "records: " << records->size() << "\n";
  records::writeTree(tree, "CloudDBInfoStructs::SOracleDBInstanceInfo", *records);
  outcome.tree = tree.str();
  outcome.writeJson = [records](JsonWriter& json) {
    json.Key("records");
    records::writeJsonValue(json, *records);
  };
  return {};
}

CLmError callDelete(const ProductLibrary& library, const std::string& name, const ParsedArguments& arguments,
                    CallOutcome& outcome) {
  inprocess::DeleteSnapshotFunction* function = nullptr;
  AppId appId = 0;
  if (CLmError bad = readAppId(arguments, appId); bad.IsFailure()) {
    return bad;
  }
  if (CLmError missing = library.find(name, function); missing.IsFailure()) {
    return missing;
  }
  function(appId, arguments.valueOr("first", ""), arguments.valueOr("second", ""));
  outcome.tree = "returned (a delete reports its outcome only in the log)\n";
  return {};
}

CLmError callEntryPoint(const Command& command, const ProductLibrary& library, const ParsedArguments& arguments,
                        CallOutcome& outcome) {
  const std::string name(command.name);
  switch (command.shape) {
    case Shape::DiscoverLocal: return callDiscoverLocal(library, arguments, outcome);
    case Shape::DeleteSnapshot: return callDelete(library, name, arguments, outcome);
    case Shape::OracleInstanceList: return callOracleInstanceList(library, arguments, outcome);
    case Shape::ExpandContent:
      if (name == "DiscoverRDSNewInventory") return callExpand<App::RDSDBInstance>(library, name, arguments, outcome);
      if (name == "DiscoverDocumentDBInventory") {
        return callExpand<App::DocumentDBCluster>(library, name, arguments, outcome);
      }
      return callExpand<App::RedshiftCluster>(library, name, arguments, outcome);
    case Shape::DescribeSnapshot:
      if (name == "DescribeRDSInstanceSnapshot") {
        return callDescribe<RDSInfoStructs::SDBSnapshotInfo>(library, name, arguments, outcome,
                                                             "RDSInfoStructs::SDBSnapshotInfo");
      }
      if (name == "DescribeRDSClusterSnapshot") {
        return callDescribe<RDSInfoStructs::SRDSClusterSnapshotInfo>(library, name, arguments, outcome,
                                                                     "RDSInfoStructs::SRDSClusterSnapshotInfo");
      }
      if (name == "DescribeDocDBClusterSnapshot") {
        return callDescribe<DocDBInfoStructs::SDocDBClusterSnapshotInfo>(
            library, name, arguments, outcome, "DocDBInfoStructs::SDocDBClusterSnapshotInfo");
      }
      return callDescribe<RedshiftInfoStructs::SRedshiftClusterSnapshotInfo>(
          library, name, arguments, outcome, "RedshiftInfoStructs::SRedshiftClusterSnapshotInfo");
  }
  return usageError(name + " is not an in-process entry point");
}

void printJson(std::string_view name, const CallOutcome& outcome, const LogCapture& capture) {
  rapidjson::StringBuffer buffer;
  JsonWriter json(buffer);
  json.StartObject();
  json.Key("entryPoint");
  records::writeJsonValue(json, std::string(name));
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
  std::cout << buffer.GetString() << "\n";
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

int runInProcessCall(std::string_view name, std::span<const std::string> arguments) {
  const Command* command = findCommand(name);
  if (command == nullptr) {
    std::cerr << "clouddb-host: " << name << " is not an in-process entry point\n";
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
  if (!bad.IsFailure() && format != "tree" && format != "json") {
    bad = usageError("--format must be tree or json");
  }
  if (!bad.IsFailure()) {
    bad = readHostOptions(parsed, hostOptions);
  }
  std::unique_ptr<HostRuntime> runtime;
  if (!bad.IsFailure()) {
    bad = HostRuntime::start(hostOptions, runtime);
  }
  if (bad.IsFailure()) {
    std::cerr << "clouddb-host: " << bad.message() << "\n";
    return kExitFailed;
  }
  LogCapture capture(runtime->logWriter());
  CallOutcome outcome;
  if (CLmError failed = callEntryPoint(*command, runtime->library(), parsed, outcome); failed.IsFailure()) {
    std::cerr << "clouddb-host: " << failed.message() << "\n";
    return kExitFailed;
  }
  if (format == "json") {
    printJson(name, outcome, capture);
  } else {
    printTree(name, outcome, capture);
  }
  return kExitCalled;
}

}  // namespace host
