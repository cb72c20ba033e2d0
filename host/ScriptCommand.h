#pragma once
// `clouddb-host call --script FILE [--format xml|tree|json] [host options]`: several calls,
// network and in-process, in one host against one simulated cloud, so that what one call
// changes (a deleted snapshot) is what the next one sees.
//
// FILE holds one call per line as a JSON array of texts: the entry point, then its flags exactly
// as `clouddb-host call` takes them, e.g.
//   ["DeleteRDSInstanceSnapshot", "--app-id", "601", "--first", "prod-orders-nightly", "--second", ""]
// Blank lines and lines that start with "#" are skipped. Host options (--platform, --cloud,
// --capture, --cloud-calls, ...) go on the command line and hold for every call; a line that
// names one is refused. --format on the command line is every call's default; a line may give
// its own.
//
// Each call's answer is printed as the call alone would print it, after a line
// "--- call N: ENTRY" (with --format json: one JSON object per call, one per line, without the
// separator). Every call runs, whatever an earlier one answered; the exit code is 1 when the
// script could not be read or some call could not be made, else 0.
#include <span>
#include <string>

namespace host {

int runCallScript(std::span<const std::string> arguments);

}  // namespace host
