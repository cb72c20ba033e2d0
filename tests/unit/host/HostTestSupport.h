#pragma once
// Helpers of the host's tests: the built product library and a wait for a log line.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

#include "platform/LogWriter.h"

namespace hosttest {

inline std::string productLibraryPath() { return std::string(CLOUDDB_BINARY_DIR) + "/clouddb/libclouddb.so"; }

// Tells when a line with a given text has been written.
class LineWaiter final : public LogSink {
 public:
  explicit LineWaiter(LogWriter& writer) : writer_(writer) { writer_.attach(this); }
  ~LineWaiter() override { writer_.detach(this); }

  void onLine(const LogLine& line) override {
    std::lock_guard lock(mutex_);
    texts_.push_back(line.text);
    changed_.notify_all();
  }
  void onEvent(const JobEvent&) override {}

  bool waitFor(const std::string& text, std::chrono::seconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] {
      for (const std::string& seen : texts_) {
        if (seen == text) return true;
      }
      return false;
    });
  }

 private:
  LogWriter& writer_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> texts_;
};

}  // namespace hosttest
