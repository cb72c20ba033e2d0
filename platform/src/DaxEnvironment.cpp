#include "platform/DaxEnvironment.h"

#include <utility>

#include "platform/EvEvent.h"

DaxPrototypeEnvironmentDropOutputData::DaxPrototypeEnvironmentDropOutputData(std::string name, EvEvent& log)
    : name_(std::move(name)), log_(log) {}

void DaxPrototypeEnvironmentDropOutputData::LogMessage(const std::string& tag, const std::string& text) {
  log_.Debug(tag.c_str(), "%s", text.c_str());
}

void DaxPrototypeEnvironmentDropOutputData::ReportError(const std::string& text) {
  log_.Error(name_.empty() ? kDefaultTag : name_.c_str(), "%s", text.c_str());
}
