// The capture file: every line and event of the host as one JSON object per line.
#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <fstream>
#include <string>
#include <vector>

#include "CaptureFile.h"
#include "ScratchDir.h"
#include "platform/LogWriter.h"

namespace host {
namespace {

rapidjson::Document parse(const std::string& text) {
  rapidjson::Document document;
  document.Parse(text.c_str());
  EXPECT_FALSE(document.HasParseError()) << text;
  return document;
}

std::vector<std::string> readLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

TEST(CaptureRendering, ALineKeepsItsTagLevelSeverityTextAndJob) {
  LogLine line{0, LogSeverity::Error, -123456, "DiscoverRDSInventory", "Received incorrect msgType [\"x\":1]\ttab", 0};
  const auto json = parse(CaptureFile::renderLine(line));
  EXPECT_STREQ(json["type"].GetString(), "line");
  EXPECT_STREQ(json["tag"].GetString(), "DiscoverRDSInventory");
  EXPECT_EQ(json["level"].GetInt(), 0);
  EXPECT_STREQ(json["severity"].GetString(), "error");
  EXPECT_EQ(std::string(json["text"].GetString()), line.text);
  EXPECT_EQ(json["jobId"].GetInt64(), -123456);
}

TEST(CaptureRendering, AMajorEventKeepsItsArgumentsInOrder) {
  JobEvent event;
  event.code = 0x1234;
  event.jobId = 77;
  event.arguments = {{1, "us-east-1"}, {2, "prod-*"}};
  const auto json = parse(CaptureFile::renderEvent(event));
  EXPECT_STREQ(json["kind"].GetString(), "major");
  EXPECT_EQ(json["code"].GetUint(), 0x1234u);
  ASSERT_EQ(json["arguments"].Size(), 2u);
  EXPECT_STREQ(json["arguments"][1]["text"].GetString(), "prod-*");
  EXPECT_EQ(json["arguments"][1]["kind"].GetInt(), 2);
  EXPECT_FALSE(json.HasMember("error"));
}

TEST(CaptureRendering, ACriticalEventCarriesItsError) {
  JobEvent event;
  event.kind = JobEvent::Kind::Critical;
  event.error = CLmError(-774, "Instance not found for app id 9");
  const auto json = parse(CaptureFile::renderEvent(event));
  EXPECT_STREQ(json["kind"].GetString(), "critical");
  EXPECT_EQ(json["error"]["code"].GetInt64(), -774);
  EXPECT_STREQ(json["error"]["message"].GetString(), "Instance not found for app id 9");
}

TEST(CaptureFileWriting, TakesEveryLineWhateverTheLevelUntilItIsGone) {
  testsupport::ScratchDir scratch;
  LogWriter writer(scratch.file("host.log"), 0);
  {
    std::unique_ptr<CaptureFile> capture;
    ASSERT_FALSE(CaptureFile::open(scratch.file("capture.jsonl"), writer, capture).IsFailure());
    writer.write(LogLine{5, LogSeverity::Debug, 1, "tag", "above the threshold", 0});
    writer.write(LogLine{0, LogSeverity::Error, 1, "tag", "an error", 0});
  }
  writer.write(LogLine{0, LogSeverity::Debug, 1, "tag", "after the capture is gone", 0});
  const auto lines = readLines(scratch.file("capture.jsonl"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_STREQ(parse(lines[0])["text"].GetString(), "above the threshold");
  EXPECT_STREQ(parse(lines[1])["severity"].GetString(), "error");
}

TEST(CaptureFileWriting, AFileThatCannotBeMadeIsRefused) {
  LogWriter writer(2);
  std::unique_ptr<CaptureFile> capture;
  CLmError result = CaptureFile::open("/nonexistent-folder/capture.jsonl", writer, capture);
  EXPECT_TRUE(result.IsFailure());
  EXPECT_NE(result.message().find("/nonexistent-folder/capture.jsonl"), std::string::npos);
  EXPECT_EQ(capture, nullptr);
}

}  // namespace
}  // namespace host
