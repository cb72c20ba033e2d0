// LogWriter: the agent-log line shape, the level threshold, captures and thread safety.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/Clock.h"
#include "platform/HostEnvironment.h"
#include "platform/LogWriter.h"

namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

std::vector<std::string> fileLines(const std::string& path) {
  std::vector<std::string> lines;
  std::istringstream in(readFile(path));
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

class LogFileTest : public testing::Test {
 protected:
  void SetUp() override {
    path_ = testing::TempDir() + "clouddb_log_" + std::to_string(getpid()) + "_" +
            testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
    std::remove(path_.c_str());
    environment_.clock = &clock_;
    environment_.jobId = 4711;
  }
  void TearDown() override { std::remove(path_.c_str()); }

  // The time part a line written now must show.
  std::string expectedTime() const {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(clock_.now());
    std::tm parts{};
    localtime_r(&seconds, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%m/%d %H:%M:%S", &parts);
    return text;
  }

  std::string prefix(std::int64_t jobId) const {
    return std::to_string(getpid()) + " [0-9]+ " + expectedTime() + " " + std::to_string(jobId) + " ";
  }

  std::string path_;
  FakeClock clock_;
  HostEnvironment environment_;
};

LogLine makeLine(int level, LogSeverity severity, std::string tag, std::string text) {
  LogLine line;
  line.level = level;
  line.severity = severity;
  line.jobId = 4711;
  line.tag = std::move(tag);
  line.text = std::move(text);
  return line;
}

}  // namespace

TEST_F(LogFileTest, LineHasTheAgentLogShape) {
  HostEnvironment::Installation installed(environment_);
  std::string firstPrefix;
  std::string secondPrefix;
  {
    LogWriter writer(path_, 2);
    firstPrefix = prefix(4711);
    writer.write(makeLine(2, LogSeverity::Debug, "Connect", "Start >>>"));
    clock_.advance(std::chrono::seconds(61));
    secondPrefix = prefix(4711);
    writer.write(makeLine(0, LogSeverity::Error, "Connect", "Google Cloud Connect Failed"));
  }
  ASSERT_NE(firstPrefix, secondPrefix);
  const std::vector<std::string> lines = fileLines(path_);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(std::regex_match(lines[0], std::regex(firstPrefix + "Connect Start >>>"))) << lines[0];
  EXPECT_TRUE(std::regex_match(lines[1], std::regex(secondPrefix + "Connect ERROR: Google Cloud Connect Failed")))
      << lines[1];
}

// A path or entry-point name chosen by a peer must not start a line of its own in the file.
TEST_F(LogFileTest, ControlCharactersAreEscapedSoOneCallIsOneLine) {
  HostEnvironment::Installation installed(environment_);
  {
    LogWriter writer(path_, 2);
    LogCapture capture(writer);
    writer.write(makeLine(2, LogSeverity::Debug, "Brow\nse", "path [a\n4711 1 12/08 00:00:00 0 Forged line\r\t\x1b[31m]"));
    JobEvent event;
    event.arguments.push_back({1, "db\nforged"});
    writer.record(event);
    EXPECT_TRUE(capture.hasLine("path [a\n4711 1 12/08 00:00:00 0 Forged line\r\t\x1b[31m]"));
    // What ends a line for a reader that knows Unicode (NEL, the line separator), and bytes that
    // are no UTF-8 (a stray byte, an overlong NUL), are escaped too; a real character is kept.
    writer.write(makeLine(2, LogSeverity::Debug, "Browse",
                          "a\xC2\x85" "b\xE2\x80\xA8" "c\xFF" "d\xC0\x80" "e\xC3\xA9" "f\xE2\x82"));
  }
  const std::vector<std::string> lines = fileLines(path_);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NE(lines[2].find("a\\u0085b\\u2028c\\xffd\\xc0\\x80e\xC3\xA9" "f\\xe2\\x82"), std::string::npos) << lines[2];
  EXPECT_NE(lines[0].find("Brow\\nse path [a\\n4711 1 12/08 00:00:00 0 Forged line\\r\\t\\x1b[31m]"), std::string::npos)
      << lines[0];
  EXPECT_NE(lines[1].find("[db\\nforged]"), std::string::npos) << lines[1];
}

TEST_F(LogFileTest, OverlongTextsAreCutWithAMarker) {
  HostEnvironment::Installation installed(environment_);
  {
    LogWriter writer(path_, 2);
    LogCapture capture(writer);
    // A two-byte character straddles the limit: the cut must not split it.
    const std::string text = std::string(LogWriter::kMaxTextBytes - 1, 'a') + "\xC3\xA9" + std::string(50 << 20, 'b');
    writer.write(makeLine(2, LogSeverity::Debug, "Browse", text));
    const std::string expected = std::string(LogWriter::kMaxTextBytes - 1, 'a') + "... [cut: " +
                                 std::to_string(text.size() - (LogWriter::kMaxTextBytes - 1)) + " more bytes]";
    ASSERT_EQ(capture.lines().size(), 1u);
    EXPECT_EQ(capture.lines()[0].text, expected);
    // A critical event's error text is cut alike.
    JobEvent critical;
    critical.kind = JobEvent::Kind::Critical;
    critical.error = CLmError(-1168, std::string(1 << 20, 'c'));
    writer.record(critical);
  }
  EXPECT_LT(readFile(path_).size(), 2 * LogWriter::kMaxTextBytes + 400);
}

TEST_F(LogFileTest, ThresholdKeepsHigherLevelsOutOfTheFileButNotOutOfCaptures) {
  HostEnvironment::Installation installed(environment_);
  LogWriter writer(path_, 2);
  LogCapture capture(writer);
  EXPECT_TRUE(writer.enabled(2));
  EXPECT_FALSE(writer.enabled(3));
  writer.write(makeLine(3, LogSeverity::Debug, "Browse", "Configured Instance [a] Id : [1]"));
  writer.write(makeLine(2, LogSeverity::Debug, "Browse", "End <<<"));
  const std::vector<std::string> lines = fileLines(path_);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("Browse End <<<"), std::string::npos);
  EXPECT_TRUE(capture.hasLine("Browse", "Configured Instance [a] Id : [1]"));
  EXPECT_TRUE(capture.hasLine("End <<<"));
}

TEST_F(LogFileTest, LogMessageTagsWithSignatureAndSourceLine) {
  environment_.jobId = HostEnvironment::kNoJobId;
  HostEnvironment::Installation installed(environment_);
  LogWriter writer(path_, 2);
  LogCapture capture(writer);
  writer.LogMessage(0, "int CAmazonRDSInfo::Connect(int)", 120, "Web proxy is enabled, host [%s] , user [%s]",
                    "proxy:8080", "bob");
  writer.LogMessage(3, "int f()", 1, "%s", "too detailed for the file");

  const std::vector<std::string> lines = fileLines(path_);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(std::regex_match(
      lines[0], std::regex(prefix(-123456) +
                           R"(int CAmazonRDSInfo::Connect\(int\):120 Web proxy is enabled, host \[proxy:8080\] , user \[bob\])")))
      << lines[0];
  const std::vector<LogLine> captured = capture.lines();
  ASSERT_EQ(captured.size(), 2u);
  EXPECT_EQ(captured[0].tag, "int CAmazonRDSInfo::Connect(int)");
  EXPECT_EQ(captured[0].sourceLine, 120);
  EXPECT_EQ(captured[0].jobId, -123456);
  EXPECT_EQ(captured[0].text, "Web proxy is enabled, host [proxy:8080] , user [bob]");
  EXPECT_EQ(captured[1].text, "too detailed for the file");
}

TEST_F(LogFileTest, AppendsToAnExistingFile) {
  HostEnvironment::Installation installed(environment_);
  { LogWriter(path_, 2).write(makeLine(1, LogSeverity::Debug, "A", "first")); }
  { LogWriter(path_, 2).write(makeLine(1, LogSeverity::Debug, "A", "second")); }
  EXPECT_EQ(fileLines(path_).size(), 2u);
}

TEST_F(LogFileTest, LinesFromManyThreadsStayWhole) {
  HostEnvironment::Installation installed(environment_);
  constexpr int kThreads = 4;
  constexpr int kLinesEach = 200;
  {
    LogWriter writer(path_, 2);
    LogCapture capture(writer);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&writer, t] {
        for (int i = 0; i < kLinesEach; ++i) {
          writer.write(makeLine(1, LogSeverity::Debug, "T" + std::to_string(t), std::string(300, 'a' + t)));
        }
      });
    }
    for (std::thread& thread : threads) {
      thread.join();
    }
    EXPECT_EQ(capture.lines().size(), static_cast<std::size_t>(kThreads * kLinesEach));
  }
  const std::vector<std::string> lines = fileLines(path_);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kLinesEach));
  const std::regex whole(prefix(4711) + "T([0-3]) ([a-d])\\2{299}");
  for (const std::string& line : lines) {
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(line, parts, whole)) << line;
    EXPECT_EQ(parts[1].str()[0] - '0', parts[2].str()[0] - 'a');
  }
}

TEST(LogWriterFallback, UnopenableFileWritesToStandardError) {
  LogWriter writer("/nonexistent-folder/clouddb/agent.log", 2);
  testing::internal::CaptureStderr();
  writer.write(makeLine(0, LogSeverity::Error, "Tag", "went to stderr"));
  const std::string written = testing::internal::GetCapturedStderr();
  EXPECT_NE(written.find("Tag ERROR: went to stderr\n"), std::string::npos) << written;
}

TEST(LogCaptureLife, SeesOnlyWhatHappensWhileAttached) {
  LogWriter writer(-5);  // nothing reaches standard error
  writer.write(makeLine(0, LogSeverity::Debug, "T", "before"));
  {
    LogCapture capture(writer);
    EXPECT_TRUE(writer.wants(1));
    writer.write(makeLine(0, LogSeverity::Debug, "T", "during"));
    writer.write(makeLine(0, LogSeverity::Debug, "T", "during"));
    EXPECT_FALSE(capture.hasLine("before"));
    EXPECT_EQ(capture.countLines("during"), 2u);
    EXPECT_FALSE(capture.hasLine("U", "during"));
    capture.clear();
    EXPECT_TRUE(capture.lines().empty());
  }
  EXPECT_FALSE(writer.wants(1));
}

TEST(HostLogWriter, IsTheInstalledEnvironmentsWriter) {
  LogWriter mine(2);
  HostEnvironment environment;
  environment.logWriter = &mine;
  {
    HostEnvironment::Installation installed(environment);
    EXPECT_EQ(g_ptrLogWriter, &mine);
  }
  EXPECT_NE(g_ptrLogWriter, &mine);
  EXPECT_NE(g_ptrLogWriter, nullptr);
}
