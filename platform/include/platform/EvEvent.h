#pragma once
// EvDebug / EvEvent: each operation's debug logger and job-event object.
//
// Every line goes through the current environment's LogWriter, with the operation's name as tag.
// DebugLvl writes at the given level, Debug at level 1, Error at level 0 as an error line.
// EvEvent adds the job: its id (-123456 when no job runs) and the major and critical events.
// Formats are printf formats; the text is formatted to its full length, never cut short.
// A line that neither the log file nor a capture would take is not formatted at all.
#include <cstdarg>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/CLmError.h"
#include "platform/LogWriter.h"

class CNMessageBase;

class EvDebug {
 public:
  EvDebug();
  virtual ~EvDebug();
  EvDebug(const EvDebug&) = delete;
  EvDebug& operator=(const EvDebug&) = delete;

  // The levels of Debug and Error lines.
  static constexpr int kDebugLevel = 1;
  static constexpr int kErrorLevel = 0;

  void DebugLvl(const char* tag, int level, const char* format, ...) __attribute__((format(printf, 4, 5)));
  void Debug(const char* tag, const char* format, ...) __attribute__((format(printf, 3, 4)));
  void Error(const char* tag, const char* format, ...) __attribute__((format(printf, 3, 4)));
  // A debug line whose format holds one "%s" for the whole message as XML, passwords masked. The
  // XML, which may be long, is made only when someone reads lines of this level, and is put in
  // place by FXString::FormatText rather than printf.
  void DebugMessage(const char* tag, int level, const char* format, const CNMessageBase& message);

  std::string getApplicationName() const;

 protected:
  virtual std::int64_t lineJobId() const;
  // Whether a line of this level is written or watched: when not, its text need not be made.
  bool wants(int level) const;
  void emit(int level, LogSeverity severity, const char* tag, const char* format, va_list args)
      __attribute__((format(printf, 5, 0)));
  void emitText(int level, LogSeverity severity, const char* tag, std::string text);
};

class EvEvent : public EvDebug {
 public:
  // The job of the current environment (-123456 when none runs).
  EvEvent();
  explicit EvEvent(std::int64_t jobId);

  std::int64_t getJobId() const { return jobId_; }

  // A major event is built with addArgument calls, then raised by MajorEvent, which hands the
  // arguments to the event and starts the next event with none.
  void addArgument(int kind, const std::string& text);
  void MajorEvent(std::uint32_t code, std::int64_t jobId, int flags);
  void CriticalEvent(const CLmError& error, std::int64_t jobId, int flags);

 protected:
  std::int64_t lineJobId() const override { return jobId_; }

 private:
  std::int64_t jobId_;
  std::vector<EventArgument> pendingArguments_;
};

namespace KWPI_Focus {
// The host's focus name.
std::string getFocus();
}  // namespace KWPI_Focus
