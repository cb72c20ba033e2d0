#pragma once
// CaptureFile: every log line and job event of the host, one JSON object per line, in a file that
// a test driver reads after the host exits.
//
//   {"type":"line","tag":"DiscoverRDSInventory","level":0,"severity":"error","text":"...","jobId":-123456,"session":3}
// "session" numbers the connection of `serve` the line was written for (1, 2, ... in the order
// they were accepted; SessionTag.h); lines outside a connection have none.
//   {"type":"event","kind":"major","code":...,"jobId":...,"flags":0,"arguments":[{"kind":1,"text":"..."}]}
//   {"type":"event","kind":"critical","code":0,"jobId":...,"flags":0,"error":{"code":-774,"message":"..."}}
//
// Lines are captured whatever the log level, because a capture sees every line (LogWriter).
// Each record is flushed as it is written, so a host that is killed leaves what it had logged.
// Attached for its lifetime; it must die before the writer it watches.
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "platform/CLmError.h"
#include "platform/LogWriter.h"

namespace host {

class CaptureFile final : public LogSink {
 public:
  static CLmError open(const std::string& path, LogWriter& writer, std::unique_ptr<CaptureFile>& capture);
  ~CaptureFile() override;
  CaptureFile(const CaptureFile&) = delete;
  CaptureFile& operator=(const CaptureFile&) = delete;

  void onLine(const LogLine& line) override;
  void onEvent(const JobEvent& event) override;

  // The JSON object of one line or event, as written to the file (without the newline).
  static std::string renderLine(const LogLine& line);
  static std::string renderEvent(const JobEvent& event);

 private:
  CaptureFile(std::FILE* file, LogWriter& writer);
  void writeRecord(const std::string& record);

  std::FILE* file_;
  LogWriter& writer_;
  std::mutex mutex_;
};

}  // namespace host
