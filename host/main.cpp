// clouddb-host: the reference host program. It loads the product library the way the backup
// agent does and serves its entry points: `serve` for consoles over a socket, `call` to play the
// console (or another agent module) for one call.
#include <iostream>
#include <string>
#include <vector>

#include "CallCommand.h"
#include "ExplainCommand.h"
#include "ServeCommand.h"

namespace {

constexpr char kUsage[] =
    "usage: clouddb-host COMMAND [options]\n"
    "\n"
    "commands:\n"
    "  serve   serve the network entry points on a Unix socket or a loopback TCP port\n"
    "  call    call one entry point: as a console for the network entry points (with or without\n"
    "          a running server), or from flags for the in-process ones; --script FILE for several\n"
    "  explain show which rule of a content document selects which database, and why others not\n"
    "\n"
    "clouddb-host COMMAND --help shows the options of a command.\n";

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.empty()) {
    std::cerr << kUsage;
    return 1;
  }
  const std::string command = arguments.front();
  const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
  if (command == "--help" || command == "help") {
    std::cout << kUsage;
    return 0;
  }
  if (command == "serve") {
    return host::runServeCommand(rest);
  }
  if (command == "call") {
    return host::runCallCommand(rest);
  }
  if (command == "explain") {
    return host::runExplainCommand(rest);
  }
  std::cerr << "clouddb-host: unknown command '" << command << "'\n" << kUsage;
  return 1;
}
