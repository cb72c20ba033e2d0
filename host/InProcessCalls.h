#pragma once
// The in-process entry points called from parsed flags: each finds its function in the product
// library, builds its arguments, calls it once and keeps what it gave back (records, the response,
// the out error) both as JSON members for programs and as text for people.
#include <functional>
#include <string>

#include "CommandLine.h"
#include "MessagePrinter.h"
#include "platform/CLmError.h"

namespace host {

class ProductLibrary;

struct CallOutcome {
  // Writes the outcome's members into the caller's open JSON object.
  std::function<void(JsonWriter&)> writeJson = [](JsonWriter&) {};
  std::string tree;
};

// A failure means that the call could not be made (a missing or bad flag, an entry point the
// library lacks); what the entry point itself reported is in the outcome.
CLmError callInProcessEntryPoint(const std::string& name, const ProductLibrary& library,
                                 const ParsedArguments& arguments, CallOutcome& outcome);

}  // namespace host
