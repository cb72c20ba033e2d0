#pragma once
// The host's clock under --skip-sleeps: it reads the system's time, but a sleep returns at once
// and moves this clock on by the time it would have taken, with a line in the log. Tests of a
// retry schedule then see every pause (in the log, and in the times read after it) without
// waiting it out.
#include <atomic>
#include <chrono>
#include <cstdint>

#include "platform/Clock.h"

class LogWriter;

namespace host {

class SkippingClock final : public Clock {
 public:
  // The tag of the line each skipped sleep writes.
  static constexpr char kLogTag[] = "clouddb-host";

  SkippingClock(LogWriter& log, std::int64_t jobId) : log_(log), jobId_(jobId) {}

  std::chrono::system_clock::time_point now() const override;
  std::chrono::steady_clock::time_point steadyNow() const override;
  void sleepFor(std::chrono::milliseconds duration) override;

  // "skipped a sleep of N ms"
  static std::string skippedSleepText(std::chrono::milliseconds duration);

 private:
  LogWriter& log_;
  const std::int64_t jobId_;
  std::atomic<std::int64_t> skippedMilliseconds_{0};
};

}  // namespace host
