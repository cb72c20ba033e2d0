#pragma once
// InProcessExchange: one console exchange with a host running in this process, over a socket
// pair: the host's side is served on a thread of its own by the SessionHandler, exactly as
// `serve` would serve a connection, and the console's side runs on the caller's thread.
#include "ConsoleExchange.h"
#include "platform/CLmError.h"

namespace host {

class HostRuntime;

CLmError exchangeInProcess(HostRuntime& runtime, const ExchangePlan& plan, ExchangeOutcome& outcome);

}  // namespace host
