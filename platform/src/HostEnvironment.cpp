#include "platform/HostEnvironment.h"

#include <atomic>

#include "platform/Clock.h"
#include "platform/LogWriter.h"

namespace {

// The defaults live for the whole process and are never changed after they are made.
const HostEnvironment& builtInEnvironment() {
  static const HostEnvironment environment;
  return environment;
}

SystemClock& systemClock() {
  static SystemClock clock;
  return clock;
}

LogWriter& standardErrorWriter() {
  static LogWriter writer(2);
  return writer;
}

// The installed environment. The host installs it before serving and removes it after, so
// calls only ever read it.
std::atomic<const HostEnvironment*>& installedEnvironment() {
  static std::atomic<const HostEnvironment*> installed{nullptr};
  return installed;
}

}  // namespace

const HostEnvironment& HostEnvironment::current() {
  const HostEnvironment* installed = installedEnvironment().load(std::memory_order_acquire);
  return installed != nullptr ? *installed : builtInEnvironment();
}

HostEnvironment::Installation::Installation(const HostEnvironment& environment)
    : previous_(installedEnvironment().exchange(&environment, std::memory_order_acq_rel)) {}

HostEnvironment::Installation::~Installation() {
  installedEnvironment().store(previous_, std::memory_order_release);
}

Clock& HostEnvironment::clockOrSystem() const { return clock != nullptr ? *clock : systemClock(); }

LogWriter& HostEnvironment::logWriterOrDefault() const {
  return logWriter != nullptr ? *logWriter : standardErrorWriter();
}
