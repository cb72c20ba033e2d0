#pragma once
// A temporary folder for one test, removed with everything in it when the test ends.
//
// When CLOUDDB_TEST_LOG_DIR names a folder, the log and capture files a test wrote here (*.log,
// *.jsonl) are first copied there, so `make test` can scan them for secrets afterwards.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace testsupport {

class ScratchDir {
 public:
  ScratchDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/clouddb-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("mkdtemp failed for " + pattern);
    }
    path_ = pattern;
  }
  ~ScratchDir() {
    keepLogs();
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  void keepLogs() const {
    const char* keep = std::getenv("CLOUDDB_TEST_LOG_DIR");
    if (keep == nullptr || *keep == '\0') {
      return;
    }
    try {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(path_)) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".log" || extension == ".jsonl")) {
          // The scratch folder's unique name keeps the copies of concurrent tests apart.
          const std::string kept = path_.filename().string() + "-" + entry.path().filename().string();
          std::filesystem::copy_file(entry.path(), std::filesystem::path(keep) / kept,
                                     std::filesystem::copy_options::overwrite_existing);
        }
      }
    } catch (const std::filesystem::filesystem_error& failure) {
      // A destructor must not throw; the scan then misses these files, so say so.
      std::fprintf(stderr, "ScratchDir: cannot keep the logs of %s: %s\n", path_.c_str(), failure.what());
    }
  }

  std::filesystem::path path_;
};

}  // namespace testsupport
