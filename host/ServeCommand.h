#pragma once
// `clouddb-host serve`: listens on a Unix socket or a loopback TCP port and serves each connection
// with the entry point its first frame names (SessionHandler), until SIGINT or SIGTERM, or until
// --max-connections connections were served. Once listening it prints one line on standard output,
// "listening on unix:PATH" or "listening on 127.0.0.1:PORT", so that a driver can wait for it
// (and learn the port that port 0 picked).
#include <span>
#include <string>

namespace host {

std::string serveHelp();
int runServeCommand(std::span<const std::string> arguments);

}  // namespace host
