#pragma once
// SHostCredentials: the host's credential record. Kind 3 is the HTTP proxy entry: host and port
// joined by ":" in host, the proxy user and the clear password. A new record is of kind 1.
#include <string>

struct SHostCredentials {
  std::string name;
  std::string host;
  std::string user;
  std::string password;
  int kind = 1;

  bool operator==(const SHostCredentials&) const = default;
};
