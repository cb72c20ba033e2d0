#pragma once
// The checks of a scenario's expectations against what the host did: the capture file of its log
// lines and events, the responses a console received, the JSON an in-process call printed. Each
// check returns the list of what did not hold, in words; empty = the expectation holds.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Scenario.h"
#include "platform/CNMessageBase.h"

namespace scenarios {

struct CapturedLine {
  std::string tag;
  int level = 0;
  std::string severity;
  std::string text;
};

struct CapturedEvent {
  std::string kind;
  std::uint32_t code = 0;
  std::vector<EventArgumentExpectation> arguments;
};

struct Capture {
  std::vector<CapturedLine> lines;
  std::vector<CapturedEvent> events;
};

// Reads a capture file (one JSON object per line); a line that does not parse is a failure.
Capture readCapture(const std::string& path, std::vector<std::string>& failures);

bool matches(const LogExpectation& expectation, const CapturedLine& line);
std::vector<std::string> checkLogs(const Expectations& expect, const Capture& capture);
std::vector<std::string> checkEvents(const Expectations& expect, const Capture& capture);

// Compares the responses with the expected file as messages: both are parsed and their
// serialisations compared, so attribute order and layout in the file do not matter.
std::vector<std::string> checkResponses(const Expectations& expect,
                                        const std::vector<std::unique_ptr<CNMessageBase>>& responses);

// Whether actual holds expected: objects hold expected's members (a member whose expected value
// is null must be absent), arrays have the same length and hold expected's elements in order,
// scalars are equal.
std::vector<std::string> checkJsonContains(const std::string& expectedJson, const std::string& actualJson);

}  // namespace scenarios
