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
  if (sent.IsFailure()) {
    return sent;
  }
  while (true) {
    KwNetworkPeer::Reply reply;
    if (CLmError read = peer.readReply(reply, plan.timeoutSeconds); read.IsFailure()) {
      return read;
    }
    if (reply.kind != KwNetworkPeer::ReplyKind::Response) {
      outcome.end = reply.kind;
      return {};
    }
    outcome.responses.push_back(std::move(reply.message));
  }
}

}  // namespace host
