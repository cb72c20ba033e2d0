#pragma once
// LogWriter: where every log line and job event of the host ends up.
//
// Lines are written to a log file (or standard error) in the agent-log shape
//   "<pid> <tid> <MM/DD HH:MM:SS> <job id> <tag> <text>"
// when their level is at or below the threshold, and always handed to the attached captures, so
// tests can assert on exact texts. The time is local time read from the current environment's
// Clock. An error line reads "... <tag> ERROR: <text>" so it stands out; a line that came with a
// source line (LogMessage) shows its tag as "<tag>:<source line>". The captured LogLine carries
// the bare tag and text, never these decorations.
//
// Whoever chose a logged text (a request's path, an entry-point name) must not be able to forge
// lines: in the file, every control character of a tag or text is written as an escape ("\n",
// "\r", "\t", "\x1b"), so one call makes exactly one line. A text longer than kMaxTextBytes is
// cut there, for the file and the captures alike, and ends with kCutMarker saying how many bytes
// were left out; a 50 MiB field no longer writes 50 MiB of log.
//
// Events are handed to the captures as events (not as lines) and written to the file as one line
// at level 0, tagged "MajorEvent" or "CriticalEvent", so a person reading the log sees them.
// Thread-safe: connections served side by side write through one writer. A capture must be
// detached (destroyed) before the writer it watches.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/CLmError.h"
#include "platform/FXString.h"

enum class LogSeverity { Debug, Error };

struct LogLine {
  int level = 0;
  LogSeverity severity = LogSeverity::Debug;
  std::int64_t jobId = 0;
  std::string tag;
  std::string text;
  int sourceLine = 0;  // 0 when the line came without one
};

struct EventArgument {
  int kind = 0;
  std::string text;
  bool operator==(const EventArgument&) const = default;
};

struct JobEvent {
  enum class Kind { Major, Critical };
  Kind kind = Kind::Major;
  std::uint32_t code = 0;  // event id of a major event
  std::int64_t jobId = 0;
  int flags = 0;
  std::vector<EventArgument> arguments;  // major events
  CLmError error;                        // critical events
};

// Receives a copy of every line and event while attached (see LogCapture).
class LogSink {
 public:
  virtual ~LogSink() = default;
  virtual void onLine(const LogLine& line) = 0;
  virtual void onEvent(const JobEvent& event) = 0;
};

class LogWriter {
 public:
  static constexpr std::size_t kMaxTextBytes = 16 * 1024;
  static constexpr const char* kCutMarker = FXString::kCutMarker;

  // Writes to standard error.
  explicit LogWriter(int threshold = 2);
  // Appends to the file at path; a file that cannot be opened falls back to standard error.
  LogWriter(const std::string& path, int threshold);
  ~LogWriter();
  LogWriter(const LogWriter&) = delete;
  LogWriter& operator=(const LogWriter&) = delete;

  int threshold() const { return threshold_; }
  // The level query callers make before formatting a costly line.
  bool enabled(int level) const { return level <= threshold_; }
  // Whether a line of this level goes anywhere (the file or a capture): when not, callers skip
  // formatting it.
  bool wants(int level) const;

  void write(const LogLine& line);
  void record(const JobEvent& event);

  // The host's own writer entry: (level, full function signature, source line, format, ...).
  void LogMessage(int level, const char* signature, int sourceLine, const char* format, ...)
      __attribute__((format(printf, 5, 6)));

  void attach(LogSink* sink);
  void detach(LogSink* sink);

 private:
  int threshold_;
  std::FILE* file_ = nullptr;
  bool ownsFile_ = false;
  mutable std::mutex mutex_;
  std::vector<LogSink*> sinks_;

  void writeToFile(const std::string& rendered);
};

// Collects lines and events for a test while it lives.
class LogCapture final : public LogSink {
 public:
  explicit LogCapture(LogWriter& writer);
  ~LogCapture() override;
  void onLine(const LogLine& line) override;
  void onEvent(const JobEvent& event) override;

  std::vector<LogLine> lines() const;
  std::vector<JobEvent> events() const;
  // Whether some line's text equals text exactly (and, when given, its tag).
  bool hasLine(const std::string& text) const;
  bool hasLine(const std::string& tag, const std::string& text) const;
  std::size_t countLines(const std::string& text) const;
  void clear();

 private:
  LogWriter& writer_;
  mutable std::mutex mutex_;
  std::vector<LogLine> lines_;
  std::vector<JobEvent> events_;
};

// The host's global log writer: the current environment's writer.
LogWriter* hostLogWriter();
#define g_ptrLogWriter (hostLogWriter())
