#include "CaptureFile.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cerrno>
#include <cstring>

#include "SessionTag.h"

namespace host {
namespace {

using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;

void writeString(JsonWriter& json, const char* key, const std::string& value) {
  json.Key(key);
  json.String(value.c_str(), static_cast<rapidjson::SizeType>(value.size()));
}

const char* severityName(LogSeverity severity) { return severity == LogSeverity::Error ? "error" : "debug"; }

}  // namespace

CLmError CaptureFile::open(const std::string& path, LogWriter& writer, std::unique_ptr<CaptureFile>& capture) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) {
    return CLmError(-errno, "cannot open the capture file " + path + ": " + std::strerror(errno));
  }
  capture.reset(new CaptureFile(file, writer));
  writer.attach(capture.get());
  return {};
}

CaptureFile::CaptureFile(std::FILE* file, LogWriter& writer) : file_(file), writer_(writer) {}

CaptureFile::~CaptureFile() {
  writer_.detach(this);
  std::fclose(file_);
}

void CaptureFile::onLine(const LogLine& line) { writeRecord(renderLine(line)); }

void CaptureFile::onEvent(const JobEvent& event) { writeRecord(renderEvent(event)); }

void CaptureFile::writeRecord(const std::string& record) {
  std::lock_guard lock(mutex_);
  std::fwrite(record.data(), 1, record.size(), file_);
  std::fputc('\n', file_);
  std::fflush(file_);
}

std::string CaptureFile::renderLine(const LogLine& line) {
  rapidjson::StringBuffer buffer;
  JsonWriter json(buffer);
  json.StartObject();
  writeString(json, "type", "line");
  writeString(json, "tag", line.tag);
  json.Key("level");
  json.Int(line.level);
  writeString(json, "severity", severityName(line.severity));
  writeString(json, "text", line.text);
  json.Key("jobId");
  json.Int64(line.jobId);
  if (const std::uint64_t session = SessionTag::current(); session != 0) {
    json.Key("session");
    json.Uint64(session);
  }
  json.EndObject();
  return buffer.GetString();
}

std::string CaptureFile::renderEvent(const JobEvent& event) {
  rapidjson::StringBuffer buffer;
  JsonWriter json(buffer);
  json.StartObject();
  writeString(json, "type", "event");
  writeString(json, "kind", event.kind == JobEvent::Kind::Major ? "major" : "critical");
  json.Key("code");
  json.Uint(event.code);
  json.Key("jobId");
  json.Int64(event.jobId);
  json.Key("flags");
  json.Int(event.flags);
  json.Key("arguments");
  json.StartArray();
  for (const EventArgument& argument : event.arguments) {
    json.StartObject();
    json.Key("kind");
    json.Int(argument.kind);
    writeString(json, "text", argument.text);
    json.EndObject();
  }
  json.EndArray();
  if (event.kind == JobEvent::Kind::Critical) {
    json.Key("error");
    json.StartObject();
    json.Key("code");
    json.Int64(event.error.code());
    writeString(json, "message", event.error.message());
    json.EndObject();
  }
  json.EndObject();
  return buffer.GetString();
}

}  // namespace host
