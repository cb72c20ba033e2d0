#include "platform/LogWriter.h"

#include <rapidjson/encodings.h>
#include <rapidjson/memorystream.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstring>
#include <ctime>
#include <optional>
#include <string_view>

#include "platform/Clock.h"
#include "platform/FXString.h"
#include "platform/HostEnvironment.h"

namespace {

constexpr const char* kErrorMarker = "ERROR: ";
constexpr const char* kMajorEventTag = "MajorEvent";
constexpr const char* kCriticalEventTag = "CriticalEvent";
// Events matter to whoever reads the log, so they are written like error lines.
constexpr int kEventLevel = 0;

std::string localTimeText() {
  const auto now = HostEnvironment::current().clockOrSystem().now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm parts{};
  localtime_r(&seconds, &parts);
  char text[32];
  const std::size_t length = std::strftime(text, sizeof text, "%m/%d %H:%M:%S", &parts);
  return std::string(text, length);
}

// A line end, or any other control character, inside a text would let whoever chose the text (a
// path in a request, an entry-point name) start a line of their own: every one is written as an
// escape, so one call always makes exactly one line.
void appendHexByte(std::string& out, unsigned char byte) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0xF];
}

// Whether a character, though printable to a byte-wise reader, ends a line for a reader that
// knows Unicode: the C1 controls (NEL among them) and the line and paragraph separators.
bool breaksUnicodeLines(unsigned codePoint) {
  return (codePoint >= 0x80 && codePoint <= 0x9F) || codePoint == 0x2028 || codePoint == 0x2029;
}

void appendEscaped(std::string& out, std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) {
      if (byte >= 0x20 && byte != 0x7F) {
        out += text[at];
      } else if (byte == '\n') {
        out += "\\n";
      } else if (byte == '\r') {
        out += "\\r";
      } else if (byte == '\t') {
        out += "\\t";
      } else {
        appendHexByte(out, byte);
      }
      ++at;
      continue;
    }
    // A multi-byte character is kept when it is valid UTF-8 and breaks no line; a byte that
    // starts no valid character is shown as its value, and the reading goes on after it.
    rapidjson::MemoryStream stream(text.data() + at, text.size() - at);
    unsigned codePoint = 0;
    if (!rapidjson::UTF8<char>::Decode(stream, &codePoint)) {
      appendHexByte(out, byte);
      ++at;
      continue;
    }
    const std::size_t length = stream.Tell();
    if (breaksUnicodeLines(codePoint)) {
      out += FXString::Format("\\u%04x", codePoint);
    } else {
      out.append(text.data() + at, length);
    }
    at += length;
  }
}

std::string escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  appendEscaped(out, text);
  return out;
}

void limitLength(std::string& text) { FXString::LimitLength(text, LogWriter::kMaxTextBytes); }

// "<pid> <tid> <MM/DD HH:MM:SS> <job id> " : the part every file line starts with.
std::string linePrefix(std::int64_t jobId) {
  return FXString::Format("%d %d %s %lld ", static_cast<int>(getpid()), static_cast<int>(gettid()),
                          localTimeText().c_str(), static_cast<long long>(jobId));
}

std::string renderLine(const LogLine& line) {
  std::string rendered = linePrefix(line.jobId);
  appendEscaped(rendered, line.tag);
  if (line.sourceLine > 0) {
    rendered += ':' + std::to_string(line.sourceLine);
  }
  rendered += ' ';
  if (line.severity == LogSeverity::Error) {
    rendered += kErrorMarker;
  }
  appendEscaped(rendered, line.text);
  rendered += '\n';
  return rendered;
}

std::string describeEvent(const JobEvent& event) {
  if (event.kind == JobEvent::Kind::Critical) {
    std::string shown = escaped(event.error.AsString());
    limitLength(shown);
    return FXString::Format("flags [%d] error [%s]", event.flags, shown.c_str());
  }
  std::string text = FXString::Format("event id [0x%08X] flags [%d]", event.code, event.flags);
  for (const EventArgument& argument : event.arguments) {
    std::string shown = escaped(argument.text);
    limitLength(shown);
    text += FXString::Format(" argument [%d] [%s]", argument.kind, shown.c_str());
  }
  return text;
}

std::string renderEvent(const JobEvent& event) {
  const char* tag = event.kind == JobEvent::Kind::Critical ? kCriticalEventTag : kMajorEventTag;
  return linePrefix(event.jobId) + tag + ' ' + describeEvent(event) + '\n';
}

}  // namespace

LogWriter::LogWriter(int threshold) : threshold_(threshold), file_(stderr) {}

LogWriter::LogWriter(const std::string& path, int threshold) : threshold_(threshold), file_(stderr) {
  if (std::FILE* opened = std::fopen(path.c_str(), "a")) {
    file_ = opened;
    ownsFile_ = true;
    return;
  }
  // Whoever looks for the file must learn why it is not there.
  const int reason = errno;
  std::fprintf(stderr, "Cannot open log file [%s]: %s; logging to standard error\n", path.c_str(),
               std::strerror(reason));
}

LogWriter::~LogWriter() {
  if (ownsFile_) {
    std::fclose(file_);
  }
}

bool LogWriter::wants(int level) const {
  if (enabled(level)) {
    return true;
  }
  std::lock_guard lock(mutex_);
  return !sinks_.empty();
}

void LogWriter::write(const LogLine& original) {
  // A text over the limit is cut for the file and the captures alike; the usual line is not copied.
  std::optional<LogLine> shortened;
  if (original.text.size() > kMaxTextBytes || original.tag.size() > kMaxTextBytes) {
    shortened = original;
    limitLength(shortened->text);
    limitLength(shortened->tag);
  }
  const LogLine& line = shortened ? *shortened : original;
  const std::string rendered = enabled(line.level) ? renderLine(line) : std::string();
  std::lock_guard lock(mutex_);
  if (!rendered.empty()) {
    writeToFile(rendered);
  }
  for (LogSink* sink : sinks_) {
    sink->onLine(line);
  }
}

void LogWriter::record(const JobEvent& event) {
  const std::string rendered = enabled(kEventLevel) ? renderEvent(event) : std::string();
  std::lock_guard lock(mutex_);
  if (!rendered.empty()) {
    writeToFile(rendered);
  }
  for (LogSink* sink : sinks_) {
    sink->onEvent(event);
  }
}

void LogWriter::LogMessage(int level, const char* signature, int sourceLine, const char* format, ...) {
  if (!wants(level)) {
    return;
  }
  LogLine line;
  line.level = level;
  line.jobId = HostEnvironment::current().jobId;
  line.tag = signature != nullptr ? signature : "";
  line.sourceLine = sourceLine;
  va_list args;
  va_start(args, format);
  line.text = FXString::FormatV(format, args);
  va_end(args);
  write(line);
}

void LogWriter::attach(LogSink* sink) {
  std::lock_guard lock(mutex_);
  sinks_.push_back(sink);
}

void LogWriter::detach(LogSink* sink) {
  std::lock_guard lock(mutex_);
  std::erase(sinks_, sink);
}

// Called with mutex_ held, so lines from different threads never interleave.
void LogWriter::writeToFile(const std::string& rendered) {
  std::fwrite(rendered.data(), 1, rendered.size(), file_);
  std::fflush(file_);
}

LogWriter* hostLogWriter() { return &HostEnvironment::current().logWriterOrDefault(); }
