#pragma once
// DaxEnvironment: the host agent's environment as the Azure storage providers see it, a place
// to log progress and to report errors. DaxPrototypeEnvironmentDropOutputData is the kind a
// browse request makes: it produces no output data of its own and sends both kinds of text to
// the operation's event object, progress as debug lines under the caller's tag and reports as
// error lines under the environment's tag.
#include <string>

class EvEvent;

class DaxEnvironment {
 public:
  virtual ~DaxEnvironment() = default;
  // A progress text under an operation's tag.
  virtual void LogMessage(const std::string& tag, const std::string& text) = 0;
  // A failure the environment's owner should see.
  virtual void ReportError(const std::string& text) = 0;
};

class DaxPrototypeEnvironmentDropOutputData final : public DaxEnvironment {
 public:
  // The tag of reported errors when the environment has no name.
  static constexpr char kDefaultTag[] = "DaxEnvironment";

  DaxPrototypeEnvironmentDropOutputData(std::string name, EvEvent& log);
  void LogMessage(const std::string& tag, const std::string& text) override;
  void ReportError(const std::string& text) override;

 private:
  std::string name_;
  EvEvent& log_;
};
