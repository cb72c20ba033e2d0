#pragma once
// Where a host listens or a console connects: a Unix socket path or a TCP host and port, from
// the --unix PATH and --tcp HOST:PORT options.
#include <cstdint>
#include <optional>
#include <string>

#include "CommandLine.h"
#include "platform/CLmError.h"

namespace host {

struct Endpoint {
  std::string unixPath;  // set for a Unix socket
  std::string tcpHost;   // set for TCP
  std::uint16_t tcpPort = 0;

  bool isUnix() const { return !unixPath.empty(); }
};

// Reads --unix / --tcp; none of them gives nullopt, both is a usage error.
CLmError readEndpoint(const ParsedArguments& arguments, std::optional<Endpoint>& endpoint);

}  // namespace host
