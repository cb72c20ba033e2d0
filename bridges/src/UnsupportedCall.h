#pragma once
// The answer of a bridge whose cloud the simulator does not serve yet: the call is recorded
// (and open to faults, like any other) and fails with a text that says so, never with a
// made-up success.
#include <string>
#include <vector>

#include "bridges/simulator/CloudSimulator.h"

namespace cloudsim {

// False, with lastError set to "<operation> is not supported by this simulator yet" (or the
// fault's text, or "no cloud simulator installed").
bool failUnsupported(CloudBridgeKind bridge, const char* operation, std::vector<std::string> arguments,
                     std::string& lastError);

}  // namespace cloudsim
