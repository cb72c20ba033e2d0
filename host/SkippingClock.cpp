#include "SkippingClock.h"

#include <string>

#include "platform/LogWriter.h"

namespace host {

std::chrono::system_clock::time_point SkippingClock::now() const {
  return std::chrono::system_clock::now() + std::chrono::milliseconds(skippedMilliseconds_.load());
}

std::chrono::steady_clock::time_point SkippingClock::steadyNow() const {
  return std::chrono::steady_clock::now() + std::chrono::milliseconds(skippedMilliseconds_.load());
}

void SkippingClock::sleepFor(std::chrono::milliseconds duration) {
  if (duration.count() <= 0) {
    return;
  }
  skippedMilliseconds_ += duration.count();
  LogLine line;
  line.level = 1;
  line.severity = LogSeverity::Debug;
  line.jobId = jobId_;
  line.tag = kLogTag;
  line.text = skippedSleepText(duration);
  log_.write(line);
}

std::string SkippingClock::skippedSleepText(std::chrono::milliseconds duration) {
  return "skipped a sleep of " + std::to_string(duration.count()) + " ms";
}

}  // namespace host
