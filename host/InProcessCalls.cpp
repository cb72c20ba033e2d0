#include "InProcessCalls.h"

#include <memory>
#include <sstream>
#include <vector>

#include "InProcessEntryPoints.h"
#include "ProductLibrary.h"
#include "RecordPrinter.h"
#include "RecordReflection.h"
#include "RequestFile.h"

namespace host {
namespace {

using inprocess::AppId;

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

}  // namespace

CLmError callInProcessEntryPoint(const std::string& name, const ProductLibrary& library,
                                 const ParsedArguments& arguments, CallOutcome& outcome) {
  if (name == "DiscoverRDSInventoryLocal") return callDiscoverLocal(library, arguments, outcome);
  if (name == "GetOracleCloudInstanceList") return callOracleInstanceList(library, arguments, outcome);
  if (name == "DiscoverRDSNewInventory") return callExpand<App::RDSDBInstance>(library, name, arguments, outcome);
  if (name == "DiscoverDocumentDBInventory") {
    return callExpand<App::DocumentDBCluster>(library, name, arguments, outcome);
  }
  if (name == "DiscoverRedshiftInventory") return callExpand<App::RedshiftCluster>(library, name, arguments, outcome);
  if (name == "DescribeRDSInstanceSnapshot") {
    return callDescribe<RDSInfoStructs::SDBSnapshotInfo>(library, name, arguments, outcome,
                                                         "RDSInfoStructs::SDBSnapshotInfo");
  }
  if (name == "DescribeRDSClusterSnapshot") {
    return callDescribe<RDSInfoStructs::SRDSClusterSnapshotInfo>(library, name, arguments, outcome,
                                                                 "RDSInfoStructs::SRDSClusterSnapshotInfo");
  }
  if (name == "DescribeDocDBClusterSnapshot") {
    return callDescribe<DocDBInfoStructs::SDocDBClusterSnapshotInfo>(library, name, arguments, outcome,
                                                                     "DocDBInfoStructs::SDocDBClusterSnapshotInfo");
  }
  if (name == "DescribeRedshiftSnapshot") {
    return callDescribe<RedshiftInfoStructs::SRedshiftClusterSnapshotInfo>(
        library, name, arguments, outcome, "RedshiftInfoStructs::SRedshiftClusterSnapshotInfo");
  }
  if (name == "DeleteRDSInstanceSnapshot" || name == "DeleteRDSClusterSnapshot" ||
      name == "DeleteDocDBClusterSnapshot" || name == "DeleteRedshiftSnapshot") {
    return callDelete(library, name, arguments, outcome);
  }
  return usageError(name + " is not an in-process entry point");
}

}  // namespace host
