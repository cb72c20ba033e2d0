#include "HostPaths.h"

#include <filesystem>
#include <system_error>

#ifndef CLOUDDB_HOST_SOURCE_DIR
#error "CLOUDDB_HOST_SOURCE_DIR must name the source tree (for the examples/ defaults)"
#endif
#ifndef CLOUDDB_HOST_LIBRARY
#error "CLOUDDB_HOST_LIBRARY must name the built product library"
#endif

namespace host {
namespace {

constexpr char kInstalledExamples[] = "share/clouddb/examples";
constexpr char kInstalledLibrary[] = "lib/libclouddb.so";

// DIR when this program runs as DIR/bin/... of an installation; empty otherwise.
std::filesystem::path installationRoot() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || program.parent_path().filename() != "bin") {
    return {};
  }
  const std::filesystem::path root = program.parent_path().parent_path();
  return std::filesystem::exists(root / kInstalledExamples / "platform.json", error) ? root
                                                                                      : std::filesystem::path();
}

}  // namespace

std::string examplesFolder() {
  const std::filesystem::path root = installationRoot();
  return root.empty() ? std::string(CLOUDDB_HOST_SOURCE_DIR) + "/examples" : (root / kInstalledExamples).string();
}

std::string defaultLibraryPath() {
  const std::filesystem::path root = installationRoot();
  return root.empty() ? std::string(CLOUDDB_HOST_LIBRARY) : (root / kInstalledLibrary).string();
}

}  // namespace host
