#include "CloudCallFile.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cerrno>
#include <cstring>

namespace host {
namespace {

using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;

void writeText(JsonWriter& json, std::string_view text) {
  json.String(text.data(), static_cast<rapidjson::SizeType>(text.size()));
}

}  // namespace

CLmError CloudCallFile::open(const std::string& path, CloudSimulator& simulator, std::unique_ptr<CloudCallFile>& out) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) {
    return CLmError(-errno, "cannot open the cloud call file " + path + ": " + std::strerror(errno));
  }
  out.reset(new CloudCallFile(file, simulator));
  return {};
}

CloudCallFile::CloudCallFile(std::FILE* file, CloudSimulator& simulator) : file_(file), simulator_(simulator) {
  // The simulator calls us under its own lock, so lines never interleave.
  simulator_.observeCalls([this](const RecordedCall& call) {
    const std::string line = render(call);
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
  });
}

CloudCallFile::~CloudCallFile() {
  simulator_.observeCalls({});
  std::fclose(file_);
}

std::string CloudCallFile::render(const RecordedCall& call) {
  rapidjson::StringBuffer buffer;
  JsonWriter json(buffer);
  json.StartObject();
  json.Key("bridge");
  writeText(json, cloudBridgeKindName(call.bridge));
  json.Key("connection");
  json.Uint64(call.connection);
  json.Key("operation");
  writeText(json, call.operation);
  json.Key("arguments");
  json.StartArray();
  for (const std::string& argument : call.arguments) {
    writeText(json, argument);
  }
  json.EndArray();
  json.Key("proxy");
  writeText(json, call.proxy);
  json.Key("failed");
  json.Bool(call.failed);
  json.Key("error");
  writeText(json, call.errorText);
  json.EndObject();
  return std::string(buffer.GetString(), buffer.GetSize());
}

}  // namespace host
