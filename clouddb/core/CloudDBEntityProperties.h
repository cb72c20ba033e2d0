#pragma once
// CloudDBEntityProperties: the proxy lookup for callers that keep their own proxy list (the
// Azure service base). Holds nothing; every call logs through an event object of its own.
#include <vector>

#include "platform/config/SHostCredentials.h"

class CloudDBEntityProperties {
 public:
  CloudDBEntityProperties() = default;
  ~CloudDBEntityProperties() = default;

  // Replaces proxies with the one entry read from the host's global parameters; always 1.
  int GetHTTPProxySettings(std::vector<SHostCredentials>& proxies);
};
