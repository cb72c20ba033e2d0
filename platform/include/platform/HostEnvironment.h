#pragma once
// HostEnvironment: what the agent host sets up once before it calls the library, and what the
// host's services (configuration objects, EvEvent, LMSLEEP, password decryption) read.
//
// The host program (or a test) owns every part and installs the environment for its lifetime
// with HostEnvironment::Installation; the platform services find it through current(). It is
// set before any call is served and not changed while calls run, so calls share nothing mutable
// through it. Without an installed environment, current() gives a built-in default: no
// configuration, logging to standard error at level 2, the system clock, no host key.
#include <cstdint>
#include <string>

class Clock;
class LogWriter;
class PlatformConfiguration;
class HostKey;

struct HostEnvironment {
  static constexpr std::int64_t kNoJobId = -123456;

  const PlatformConfiguration* configuration = nullptr;  // null: every getter reports "missing"
  LogWriter* logWriter = nullptr;                         // null: the default stderr writer
  Clock* clock = nullptr;                                 // null: the system clock
  const HostKey* hostKey = nullptr;                       // null: no secret can be decrypted
  std::int64_t jobId = kNoJobId;
  std::string applicationName = "clouddb-host";
  std::string focusName = "Instance001";
  // A PEM file of certificate authorities that KWLibCurl trusts besides the system's (a test CA);
  // empty: the system trust store alone.
  std::string httpsExtraCaFile;

  // The environment in force: the innermost installed one, else the built-in default.
  static const HostEnvironment& current();

  // Installs an environment for the scope of this object and restores the previous one after.
  class Installation {
   public:
    explicit Installation(const HostEnvironment& environment);
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

   private:
    const HostEnvironment* previous_;
  };

  // Accessors that resolve the null defaults.
  Clock& clockOrSystem() const;
  LogWriter& logWriterOrDefault() const;
};
