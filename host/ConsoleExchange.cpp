#include "ConsoleExchange.h"

#include "platform/messages/HostSessionMessages.h"

namespace host {

std::string endName(KwNetworkPeer::ReplyKind end) {
  switch (end) {
    case KwNetworkPeer::ReplyKind::DisconnectReply:
      return "disconnect-reply";
    case KwNetworkPeer::ReplyKind::AbortNotice:
      return "abort";
    case KwNetworkPeer::ReplyKind::PeerClosed:
      return "close";
    case KwNetworkPeer::ReplyKind::Response:
      break;
  }
  return "response";
}

CLmError runExchange(KwNetworkPeer& peer, const ExchangePlan& plan, ExchangeOutcome& outcome) {
  outcome = ExchangeOutcome{};
  Host::OpenSession open;
  open.setEntryPoint(plan.entryPoint);
  open.setArgument(static_cast<std::int64_t>(plan.argument));
  if (CLmError sent = peer.sendRequest(open, plan.timeoutSeconds); sent.IsFailure()) {
    return sent;
  }
  CLmError sent;
  if (plan.request) {
    sent = peer.sendRequest(*plan.request, plan.timeoutSeconds);
  } else if (plan.bareTag) {
    sent = peer.channel().sendFrame(*plan.bareTag, "", plan.timeoutSeconds);
  } else {
    peer.closeSending();
  }
  // A host that ends the exchange early (an abort after the session opening) may close before the
  // request is written: what it sent before is still there to read, and tells more than the
  // failed write.
  while (true) {
    KwNetworkPeer::Reply reply;
    if (CLmError read = peer.readReply(reply, plan.timeoutSeconds); read.IsFailure()) {
      return sent.IsFailure() ? sent : read;
    }
    if (reply.kind != KwNetworkPeer::ReplyKind::Response) {
      outcome.end = reply.kind;
      // A close is only an answer to a request that went out.
      return sent.IsFailure() && reply.kind == KwNetworkPeer::ReplyKind::PeerClosed ? sent : CLmError{};
    }
    outcome.responses.push_back(std::move(reply.message));
  }
}

}  // namespace host
