#include "platform/EvEvent.h"

#include <utility>

#include "platform/CNMessageBase.h"
#include "platform/FXString.h"
#include "platform/HostEnvironment.h"

namespace {

LogWriter& currentWriter() { return HostEnvironment::current().logWriterOrDefault(); }

}  // namespace

EvDebug::EvDebug() = default;
EvDebug::~EvDebug() = default;

void EvDebug::DebugLvl(const char* tag, int level, const char* format, ...) {
  va_list args;
  va_start(args, format);
  emit(level, LogSeverity::Debug, tag, format, args);
  va_end(args);
}

void EvDebug::Debug(const char* tag, const char* format, ...) {
  va_list args;
  va_start(args, format);
  emit(kDebugLevel, LogSeverity::Debug, tag, format, args);
  va_end(args);
}

void EvDebug::Error(const char* tag, const char* format, ...) {
  va_list args;
  va_start(args, format);
  emit(kErrorLevel, LogSeverity::Error, tag, format, args);
  va_end(args);
}

std::string EvDebug::getApplicationName() const { return HostEnvironment::current().applicationName; }

std::int64_t EvDebug::lineJobId() const { return HostEnvironment::current().jobId; }

void EvDebug::DebugMessage(const char* tag, int level, const char* format, const CNMessageBase& message) {
  if (wants(level)) {
    emitText(level, LogSeverity::Debug, tag, FXString::FormatText(format, message.AsString()));
  }
}

bool EvDebug::wants(int level) const { return currentWriter().wants(level); }

void EvDebug::emit(int level, LogSeverity severity, const char* tag, const char* format, va_list args) {
  if (wants(level)) {
    emitText(level, severity, tag, FXString::FormatV(format, args));
  }
}

void EvDebug::emitText(int level, LogSeverity severity, const char* tag, std::string text) {
  LogLine line;
  line.level = level;
  line.severity = severity;
  line.jobId = lineJobId();
  line.tag = tag != nullptr ? tag : "";
  line.text = std::move(text);
  currentWriter().write(line);
}

EvEvent::EvEvent() : jobId_(HostEnvironment::current().jobId) {}

EvEvent::EvEvent(std::int64_t jobId) : jobId_(jobId) {}

void EvEvent::addArgument(int kind, const std::string& text) { pendingArguments_.push_back({kind, text}); }

void EvEvent::MajorEvent(std::uint32_t code, std::int64_t jobId, int flags) {
  JobEvent event;
  event.kind = JobEvent::Kind::Major;
  event.code = code;
  event.jobId = jobId;
  event.flags = flags;
  // Each event carries the arguments added since the previous one, and only those.
  event.arguments = std::exchange(pendingArguments_, {});
  currentWriter().record(event);
}

void EvEvent::CriticalEvent(const CLmError& error, std::int64_t jobId, int flags) {
  JobEvent event;
  event.kind = JobEvent::Kind::Critical;
  event.jobId = jobId;
  event.flags = flags;
  event.error = error;
  currentWriter().record(event);
}

std::string KWPI_Focus::getFocus() { return HostEnvironment::current().focusName; }
