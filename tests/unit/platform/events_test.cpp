// EvDebug / EvEvent: levels, exact texts, job ids, major and critical events.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/EvEvent.h"
#include "platform/FXErrorUtil.h"
#include "platform/HostEnvironment.h"
#include "platform/LogWriter.h"

namespace {

class EventsTest : public testing::Test {
 protected:
  EventsTest() : writer_(-1), capture_(writer_) {
    environment_.logWriter = &writer_;
    environment_.jobId = 9001;
    environment_.applicationName = "test-agent";
    environment_.focusName = "Instance007";
  }

  LogWriter writer_;
  LogCapture capture_;
  HostEnvironment environment_;
};

}  // namespace

TEST_F(EventsTest, DebugLinesCarryLevelTagAndFormattedText) {
  HostEnvironment::Installation installed(environment_);
  EvEvent log;
  log.DebugLvl("FetchCredentials", 2, "Start >>>");
  log.Debug("Connect", "Connecting to P12Key [%s], UserId [%s], KeyPass [***NOT SHOWN***]", "", "svc@project");
  log.Error("GetDBInstanceInfoList", "Failed to refresh DBInstanceInfoList, error [%s]", "denied");

  const std::vector<LogLine> lines = capture_.lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].level, 2);
  EXPECT_EQ(lines[0].severity, LogSeverity::Debug);
  EXPECT_EQ(lines[0].tag, "FetchCredentials");
  EXPECT_EQ(lines[0].text, "Start >>>");
  EXPECT_EQ(lines[1].level, 1);
  EXPECT_EQ(lines[1].text, "Connecting to P12Key [], UserId [svc@project], KeyPass [***NOT SHOWN***]");
  EXPECT_EQ(lines[2].level, 0);
  EXPECT_EQ(lines[2].severity, LogSeverity::Error);
  EXPECT_EQ(lines[2].text, "Failed to refresh DBInstanceInfoList, error [denied]");
  for (const LogLine& line : lines) {
    EXPECT_EQ(line.jobId, 9001);
  }
}

TEST_F(EventsTest, LongTextsAreNotTruncated) {
  HostEnvironment::Installation installed(environment_);
  const std::string body(5000, 'j');
  EvEvent log;
  log.Error("executeRequest", "HttpErrorCode:Response = %d:%s", 500, body.c_str());
  log.DebugLvl("executeRequest", 2, "%s|%s", body.c_str(), body.c_str());
  ASSERT_EQ(capture_.lines().size(), 2u);
  EXPECT_EQ(capture_.lines()[0].text, "HttpErrorCode:Response = 500:" + body);
  EXPECT_EQ(capture_.lines()[1].text.size(), 2 * body.size() + 1);
}

TEST_F(EventsTest, JobIdComesFromTheEnvironmentOrTheConstructor) {
  {
    HostEnvironment::Installation installed(environment_);
    EXPECT_EQ(EvEvent().getJobId(), 9001);
    EvEvent other(55);
    EXPECT_EQ(other.getJobId(), 55);
    other.Debug("T", "x");
    EXPECT_EQ(capture_.lines().back().jobId, 55);
  }
  HostEnvironment noJob;
  HostEnvironment::Installation installed(noJob);
  EXPECT_EQ(EvEvent().getJobId(), -123456);
}

TEST_F(EventsTest, ApplicationNameAndFocusComeFromTheEnvironment) {
  HostEnvironment::Installation installed(environment_);
  EXPECT_EQ(EvEvent().getApplicationName(), "test-agent");
  EXPECT_EQ(KWPI_Focus::getFocus(), "Instance007");
}

TEST_F(EventsTest, MajorEventCarriesItsArgumentsAndStartsTheNextEmpty) {
  HostEnvironment::Installation installed(environment_);
  EvEvent log;
  log.addArgument(11, "db1[us-east-1] will not be backed up due to an AWS regions constraint");
  log.MajorEvent(0x4800006A, log.getJobId(), 0);
  log.addArgument(11, "db2[eu-west-1] will not be backed up since cluster is not found");
  log.addArgument(12, "second");
  log.MajorEvent(0x4800006A, 77, 3);
  log.MajorEvent(0x48000001, 77, 0);

  const std::vector<JobEvent> events = capture_.events();
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].kind, JobEvent::Kind::Major);
  EXPECT_EQ(events[0].code, 0x4800006Au);
  EXPECT_EQ(events[0].jobId, 9001);
  EXPECT_EQ(events[0].arguments,
            (std::vector<EventArgument>{{11, "db1[us-east-1] will not be backed up due to an AWS regions constraint"}}));
  EXPECT_EQ(events[1].jobId, 77);
  EXPECT_EQ(events[1].flags, 3);
  EXPECT_EQ(events[1].arguments,
            (std::vector<EventArgument>{{11, "db2[eu-west-1] will not be backed up since cluster is not found"},
                                        {12, "second"}}));
  EXPECT_TRUE(events[2].arguments.empty());
  // Events are not lines for the captures.
  EXPECT_TRUE(capture_.lines().empty());
}

TEST_F(EventsTest, CriticalEventCarriesTheError) {
  HostEnvironment::Installation installed(environment_);
  EvEvent log;
  const CLmError error = FXErrorUtil::ErrorWin32(CLM_HERE, 1168, "[%s][%s] will not be backed up since instance is not found",
                                                 "db1", "us-east-1");
  log.CriticalEvent(error, log.getJobId(), 0);
  const std::vector<JobEvent> events = capture_.events();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, JobEvent::Kind::Critical);
  EXPECT_EQ(events[0].error, error);
  EXPECT_EQ(events[0].error.code(), -1168);
  EXPECT_EQ(events[0].jobId, 9001);
}

TEST(EventsInTheLog, EventsAndErrorsAreVisibleInTheFile) {
  const std::string path = testing::TempDir() + "clouddb_events_" + std::to_string(getpid()) + ".log";
  std::remove(path.c_str());
  {
    LogWriter writer(path, 0);
    HostEnvironment environment;
    environment.logWriter = &writer;
    HostEnvironment::Installation installed(environment);
    EvEvent log(31);
    log.addArgument(11, "db1[us-east-1] will not be backed up due to an AWS regions constraint");
    log.MajorEvent(0x4800006A, 31, 0);
    log.CriticalEvent(FXErrorUtil::ErrorWin32(CLM_HERE, 1168, "not found"), 31, 0);
    log.Debug("Quiet", "above the threshold");
  }
  std::ifstream in(path);
  std::stringstream content;
  content << in.rdbuf();
  const std::string text = content.str();
  std::remove(path.c_str());
  EXPECT_NE(text.find(" 31 MajorEvent event id [0x4800006A] flags [0] argument [11] "
                      "[db1[us-east-1] will not be backed up due to an AWS regions constraint]\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(" 31 CriticalEvent flags [0] error [not found [code -1168]]\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("above the threshold"), std::string::npos) << text;
}
