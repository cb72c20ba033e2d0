#pragma once
// ConsoleExchange: the console's side of one remote request, as the management console plays it.
//
// It opens the session (a Host::OpenSession frame naming the entry point), sends what the plan
// says, and reads everything the host sends back until the exchange ends: the response messages
// in order, then how it ended (a disconnect reply, an abort notice or the host closing).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/CLmError.h"
#include "platform/CNMessageBase.h"
#include "platform/KwNetworkPeer.h"

namespace host {

struct ExchangePlan {
  std::string entryPoint;
  unsigned long long argument = 0;
  // What follows the session opening; with neither, the console stops sending (a peer that
  // goes away before its request).
  std::unique_ptr<CNMessageBase> request;
  // A frame with this tag id and no payload, for tags that no message type is registered for.
  std::optional<std::uint32_t> bareTag;
  int timeoutSeconds = -1;
};

struct ExchangeOutcome {
  std::vector<std::unique_ptr<CNMessageBase>> responses;
  KwNetworkPeer::ReplyKind end = KwNetworkPeer::ReplyKind::PeerClosed;
};

// The words the host's output and the scenario files use for how an exchange ended:
// "disconnect-reply", "abort", "close".
std::string endName(KwNetworkPeer::ReplyKind end);

CLmError runExchange(KwNetworkPeer& peer, const ExchangePlan& plan, ExchangeOutcome& outcome);

}  // namespace host
