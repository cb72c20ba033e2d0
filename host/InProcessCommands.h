#pragma once
// `clouddb-host call ENTRY ...` for the in-process entry points: the arguments come from flags,
// the host starts its environment, calls the entry point once and prints what it returned (the
// records, the response or the out error) and the log lines and job events of the call, as an
// indented tree for people or as one JSON object (--format json) for programs, or that object's
// members as XML elements and attributes (--format xml), so both kinds of call take one set of
// formats:
//   {"entryPoint":"...","records":[...],"error":{"code":0,"message":"","text":"Success"},
//    "log":[{"type":"line",...}],"events":[{"type":"event",...}]}
// "records", "response" and "error" appear when the entry point gives them back.
#include <span>
#include <string>
#include <string_view>

namespace host {

bool isInProcessEntryPointName(std::string_view name);
std::string inProcessEntryPointNames();
std::string inProcessHelp(std::string_view name);

class HostRuntime;

// Runs the command; the exit code is 0 when the call was made and its outcome printed (whatever
// that outcome), 1 when the host could not make the call. With a shared runtime (a script of
// calls) the call runs in it, against its clouds, and host options are refused.
int runInProcessCall(std::string_view name, std::span<const std::string> arguments, HostRuntime* shared = nullptr);

}  // namespace host
