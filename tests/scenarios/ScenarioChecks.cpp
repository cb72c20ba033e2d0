#include "ScenarioChecks.h"

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <fstream>

#include "RequestFile.h"

namespace scenarios {
namespace {

using rapidjson::Value;

std::string describe(const LogExpectation& expectation) {
  std::string text = "{";
  auto add = [&](const std::string& part) { text += (text.size() > 1 ? ", " : "") + part; };
  if (expectation.tag) add("tag " + *expectation.tag);
  if (expectation.level) add("level " + std::to_string(*expectation.level));
  if (expectation.severity) add(*expectation.severity);
  if (expectation.text) add("text \"" + *expectation.text + "\"");
  if (expectation.textStartsWith) add("text starting \"" + *expectation.textStartsWith + "\"");
  return text + "}";
}

std::string describe(const CapturedLine& line) {
  return "  " + line.tag + " [" + std::to_string(line.level) + " " + line.severity + "] " + line.text + "\n";
}

std::string jsonText(const Value& value) {
  rapidjson::StringBuffer buffer;
  rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
  value.Accept(writer);
  return buffer.GetString();
}

void compareJson(const Value& expected, const Value& actual, const std::string& where,
                 std::vector<std::string>& failures) {
  if (expected.IsObject()) {
    if (!actual.IsObject()) {
      failures.push_back(where + ": expected an object, got " + jsonText(actual));
      return;
    }
    for (const auto& member : expected.GetObject()) {
      const std::string name = member.name.GetString();
      if (member.value.IsNull()) {
        if (actual.HasMember(name.c_str())) {
          failures.push_back(where + "." + name + ": must be absent, got " + jsonText(actual[name.c_str()]));
        }
      } else if (!actual.HasMember(name.c_str())) {
        failures.push_back(where + "." + name + ": missing");
      } else {
        compareJson(member.value, actual[name.c_str()], where + "." + name, failures);
      }
    }
    return;
  }
  if (expected.IsArray()) {
    if (!actual.IsArray() || actual.Size() != expected.Size()) {
      failures.push_back(where + ": expected " + std::to_string(expected.Size()) + " elements, got " +
                         jsonText(actual));
      return;
    }
    for (rapidjson::SizeType i = 0; i < expected.Size(); ++i) {
      compareJson(expected[i], actual[i], where + "[" + std::to_string(i) + "]", failures);
    }
    return;
  }
  if (expected != actual) {
    failures.push_back(where + ": expected " + jsonText(expected) + ", got " + jsonText(actual));
  }
}

bool eventMatches(const EventExpectation& expectation, const CapturedEvent& event) {
  if (expectation.kind && *expectation.kind != event.kind) return false;
  if (expectation.code && *expectation.code != event.code) return false;
  if (!expectation.arguments) return true;
  if (expectation.arguments->size() != event.arguments.size()) return false;
  for (std::size_t i = 0; i < event.arguments.size(); ++i) {
    if ((*expectation.arguments)[i].kind != event.arguments[i].kind ||
        (*expectation.arguments)[i].text != event.arguments[i].text) {
      return false;
    }
  }
  return true;
}

std::string textOf(const Value& object, const char* name) {
  return object.HasMember(name) && object[name].IsString() ? object[name].GetString() : "";
}

}  // namespace

Capture readCapture(const std::string& path, std::vector<std::string>& failures) {
  Capture capture;
  std::ifstream in(path);
  if (!in) {
    failures.push_back("the host wrote no capture file " + path);
    return capture;
  }
  std::string line;
  while (std::getline(in, line)) {
    rapidjson::Document record;
    record.Parse(line.c_str());
    if (record.HasParseError() || !record.IsObject()) {
      failures.push_back("a capture line is not a JSON object: " + line);
      continue;
    }
    if (textOf(record, "type") == "line") {
      capture.lines.push_back({textOf(record, "tag"), record.HasMember("level") ? record["level"].GetInt() : 0,
                               textOf(record, "severity"), textOf(record, "text")});
    } else if (textOf(record, "type") == "event") {
      CapturedEvent event{textOf(record, "kind"), record.HasMember("code") ? record["code"].GetUint() : 0u, {}};
      if (record.HasMember("arguments") && record["arguments"].IsArray()) {
        for (const Value& argument : record["arguments"].GetArray()) {
          event.arguments.push_back({argument["kind"].GetInt(), textOf(argument, "text")});
        }
      }
      capture.events.push_back(std::move(event));
    }
  }
  return capture;
}

bool matches(const LogExpectation& expectation, const CapturedLine& line) {
  if (expectation.tag && *expectation.tag != line.tag) return false;
  if (expectation.level && *expectation.level != line.level) return false;
  if (expectation.severity && *expectation.severity != line.severity) return false;
  if (expectation.text && *expectation.text != line.text) return false;
  if (expectation.textStartsWith && line.text.rfind(*expectation.textStartsWith, 0) != 0) return false;
  return true;
}

std::vector<std::string> checkLogs(const Expectations& expect, const Capture& capture) {
  std::vector<std::string> failures;
  auto found = [&](const LogExpectation& expectation) {
    for (const CapturedLine& line : capture.lines) {
      if (matches(expectation, line)) return true;
    }
    return false;
  };
  for (const LogExpectation& expectation : expect.logLines) {
    if (!found(expectation)) {
      std::string seen;
      for (const CapturedLine& line : capture.lines) seen += describe(line);
      failures.push_back("no log line " + describe(expectation) + "; the host logged:\n" + seen);
    }
  }
  for (const LogExpectation& expectation : expect.absentLogLines) {
    if (found(expectation)) {
      failures.push_back("a log line " + describe(expectation) + " appeared, and must not");
    }
  }
  return failures;
}

std::vector<std::string> checkEvents(const Expectations& expect, const Capture& capture) {
  std::vector<std::string> failures;
  for (std::size_t i = 0; i < expect.events.size(); ++i) {
    bool found = false;
    for (const CapturedEvent& event : capture.events) {
      found = found || eventMatches(expect.events[i], event);
    }
    if (!found) {
      failures.push_back("expected event " + std::to_string(i + 1) + " was not raised (" +
                         std::to_string(capture.events.size()) + " events were)");
    }
  }
  return failures;
}

std::vector<std::string> checkResponses(const Expectations& expect,
                                        const std::vector<std::unique_ptr<CNMessageBase>>& responses) {
  std::vector<std::string> failures;
  if (expect.noResponse && !responses.empty()) {
    failures.push_back("no response may come, got " + responses.front()->serialize());
  }
  if (!expect.responseFile) {
    return failures;
  }
  std::unique_ptr<CNMessageBase> wanted;
  if (CLmError bad = host::loadMessageFile(*expect.responseFile, wanted); bad.IsFailure()) {
    failures.push_back("the expected response cannot be read: " + bad.message());
    return failures;
  }
  if (responses.size() != 1) {
    failures.push_back("expected one response, got " + std::to_string(responses.size()));
    return failures;
  }
  const std::string expectedText = wanted->serialize();
  const std::string actualText = responses.front()->serialize();
  if (expectedText != actualText) {
    failures.push_back("response differs:\n expected " + expectedText + "\n      got " + actualText);
  }
  return failures;
}

std::vector<std::string> checkJsonContains(const std::string& expectedJson, const std::string& actualJson) {
  std::vector<std::string> failures;
  rapidjson::Document expected;
  rapidjson::Document actual;
  expected.Parse(expectedJson.c_str());
  actual.Parse(actualJson.c_str());
  if (expected.HasParseError()) {
    failures.push_back("the expected output is not JSON");
  } else if (actual.HasParseError()) {
    failures.push_back("the host's output is not JSON: " + actualJson);
  } else {
    compareJson(expected, actual, "output", failures);
  }
  return failures;
}

}  // namespace scenarios
