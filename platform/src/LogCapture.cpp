#include "platform/LogWriter.h"

#include <algorithm>

LogCapture::LogCapture(LogWriter& writer) : writer_(writer) { writer_.attach(this); }

LogCapture::~LogCapture() { writer_.detach(this); }

void LogCapture::onLine(const LogLine& line) {
  std::lock_guard lock(mutex_);
  lines_.push_back(line);
}

void LogCapture::onEvent(const JobEvent& event) {
  std::lock_guard lock(mutex_);
  events_.push_back(event);
}

std::vector<LogLine> LogCapture::lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

std::vector<JobEvent> LogCapture::events() const {
  std::lock_guard lock(mutex_);
  return events_;
}

bool LogCapture::hasLine(const std::string& text) const { return countLines(text) > 0; }

bool LogCapture::hasLine(const std::string& tag, const std::string& text) const {
  std::lock_guard lock(mutex_);
  return std::any_of(lines_.begin(), lines_.end(),
                     [&](const LogLine& line) { return line.tag == tag && line.text == text; });
}

std::size_t LogCapture::countLines(const std::string& text) const {
  std::lock_guard lock(mutex_);
  return static_cast<std::size_t>(
      std::count_if(lines_.begin(), lines_.end(), [&](const LogLine& line) { return line.text == text; }));
}

void LogCapture::clear() {
  std::lock_guard lock(mutex_);
  lines_.clear();
  events_.clear();
}
