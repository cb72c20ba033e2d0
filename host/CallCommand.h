#pragma once
// `clouddb-host call ENTRY ...`: the console side of a network entry point, or an in-process
// entry point run from flags (InProcessCommands.h).
//
// For a network entry point the console opens a session naming ENTRY, sends the request file
// (or, with --no-request, nothing: it stops sending, as a console that goes away), prints each
// response and then, on a line of its own, "followed by: disconnect-reply | abort | close".
// With --unix or --tcp it talks to a running `clouddb-host serve`; without, it starts the host in
// this process on a socket pair, so a call needs no server.
//
// `call --script FILE` runs a sequence of calls in one host (ScriptCommand.h).
#include <span>
#include <string>

namespace host {

class HostRuntime;

std::string callHelp();
// shared: the runtime of a script the call is part of; null for a call of its own.
int runCallCommand(std::span<const std::string> arguments, HostRuntime* shared = nullptr);

}  // namespace host
