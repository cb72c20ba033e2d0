#pragma once
// KWPlatformInfo names the local machine; KWClient finds a configured client by its name.
//
// The machine name is the configuration's "machineName" when it gives one, else the system's
// host name. Client names compare without regard to ASCII case, as host names do.
#include <cstdint>
#include <string>

class KWPlatformInfo {
 public:
  static std::string getPhysicalMachine();
};

class KWClient {
 public:
  explicit KWClient(std::string clientName);

  const std::string& getClientName() const { return clientName_; }
  // config::kOk (0) and the id when a client of that name is configured, else non-zero and
  // clientId untouched.
  int getClientId(std::uint64_t& clientId) const;

 private:
  std::string clientName_;
};
