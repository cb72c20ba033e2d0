#include "Endpoint.h"

namespace host {

CLmError readEndpoint(const ParsedArguments& arguments, std::optional<Endpoint>& endpoint) {
  endpoint.reset();
  auto unixPath = arguments.value("unix");
  auto tcp = arguments.value("tcp");
  if (unixPath && tcp) {
    return usageError("give --unix or --tcp, not both");
  }
  if (unixPath) {
    if (unixPath->empty()) {
      return usageError("--unix needs a socket path");
    }
    endpoint = Endpoint{*unixPath, "", 0};
    return {};
  }
  if (!tcp) {
    return {};
  }
  const auto colon = tcp->rfind(':');
  if (colon == std::string::npos || colon == 0) {
    return usageError("--tcp takes HOST:PORT, for example 127.0.0.1:7000");
  }
  std::uint64_t port = 0;
  if (CLmError bad = parseUnsigned("tcp", tcp->substr(colon + 1), port); bad.IsFailure()) {
    return bad;
  }
  if (port > 65535) {
    return usageError("--tcp: port " + std::to_string(port) + " is out of range");
  }
  endpoint = Endpoint{"", tcp->substr(0, colon), static_cast<std::uint16_t>(port)};
  return {};
}

}  // namespace host
