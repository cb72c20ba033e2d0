// clouddb-oci-expand: shows how an OCI backup set's content resolves into databases.
//
// No exported entry point reaches this expansion: the platform calls it through the product's
// class interface. This program stands in for that caller. It sets the host up as clouddb-host
// does (the same --platform, --cloud, --key-file, --https-ca ... options and examples/ defaults)
// and then links the product directly, the way its tests do, to run the one operation.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "HostSetup.h"
#include "clouddb/oracle/COracleCloudDBInfo.h"
#include "platform/LogWriter.h"

namespace {

constexpr char kUsage[] = "clouddb-oci-expand --subclient-id N --instance-id N [options]";
constexpr char kSummary[] = "Expands an OCI backup set's content into the databases it protects.";
constexpr int kExitExpanded = 0;
constexpr int kExitFailed = 1;

std::vector<host::OptionSpec> specs() {
  std::vector<host::OptionSpec> all{
      {"subclient-id", "N", "the backup set's subclient whose content is expanded"},
      {"instance-id", "N", "the OCI instance whose tenancy is read"},
  };
  const auto hostSpecs = host::hostOptionSpecs();
  all.insert(all.end(), hostSpecs.begin(), hostSpecs.end());
  all.push_back({"help", "", "show this help"});
  return all;
}

CLmError readId(const host::ParsedArguments& arguments, const char* option, unsigned long& id) {
  auto text = arguments.value(option);
  if (!text) return host::usageError(std::string("--") + option + " N is required");
  std::uint64_t parsed = 0;
  CLmError bad = host::parseUnsigned(option, *text, parsed);
  id = parsed;
  return bad;
}

void print(const std::vector<CloudDBInfoStructs::DiscoverOCIDBResponse>& databases, const CLmError& error,
           const LogCapture& capture) {
  std::cout << "databases: " << databases.size() << "\n";
  for (const auto& resolved : databases) {
    std::cout << "- " << resolved.database.dbName << " [" << resolved.database.id << "]\n"
              << "  compartment " << resolved.compartment.name << " [" << resolved.compartment.identifier << "]\n"
              << "  db system " << resolved.dbSystem.displayName << " [" << resolved.dbSystem.id << "]\n"
              << "  db home [" << resolved.dbHome.id << "]\n";
  }
  std::cout << "error: " << (error.IsFailure() ? error.AsString() : std::string("none")) << "\n";
  const auto lines = capture.lines();
  std::cout << "log: " << lines.size() << (lines.size() == 1 ? " line" : " lines") << "\n";
  for (const LogLine& line : lines) {
    std::cout << "  " << line.tag << " [" << line.level << (line.severity == LogSeverity::Error ? " error" : "") << "] "
              << line.text << "\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const auto optionSpecs = specs();
  host::ParsedArguments parsed;
  CLmError bad = host::parseArguments(optionSpecs, arguments, parsed);
  if (!bad.IsFailure() && parsed.has("help")) {
    std::cout << host::renderHelp(kUsage, kSummary, optionSpecs);
    return kExitExpanded;
  }
  unsigned long subclientId = 0;
  unsigned long instanceId = 0;
  host::HostOptions options = host::defaultHostOptions();
  if (!bad.IsFailure()) bad = readId(parsed, "subclient-id", subclientId);
  if (!bad.IsFailure()) bad = readId(parsed, "instance-id", instanceId);
  if (!bad.IsFailure()) bad = host::readHostOptions(parsed, options);
  std::unique_ptr<host::HostRuntime> runtime;
  if (!bad.IsFailure()) bad = host::HostRuntime::start(options, runtime);
  if (bad.IsFailure()) {
    std::cerr << "clouddb-oci-expand: " << bad.message() << "\n";
    return kExitFailed;
  }
  LogCapture capture(runtime->logWriter());
  std::vector<CloudDBInfoStructs::DiscoverOCIDBResponse> databases;
  CLmError error;
  {
    COracleCloudDBInfo provider(OracleCloudSDKCppBridge::kModeInfrastructure);
    error = provider.ExpandOCIDatabaseSubclientContent(subclientId, instanceId, databases);
  }
  print(databases, error, capture);
  return error.IsFailure() ? kExitFailed : kExitExpanded;
}
