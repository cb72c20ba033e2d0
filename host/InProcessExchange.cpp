#include "InProcessExchange.h"

#include <sys/socket.h>

#include <cerrno>
#include <memory>
#include <thread>

#include "HostSetup.h"
#include "SessionHandler.h"

namespace host {

CLmError exchangeInProcess(HostRuntime& runtime, const ExchangePlan& plan, ExchangeOutcome& outcome) {
  int ends[2] = {-1, -1};
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
    return CLmError(-errno, "cannot make a socket pair for the in-process host");
  }
  kwnet::SocketFd hostEnd(ends[1]);
  auto peer = std::make_unique<KwNetworkPeer>(kwnet::SocketFd(ends[0]));
  SessionHandler handler(runtime.library());
  std::thread hostThread([&handler, socket = std::move(hostEnd)]() mutable { handler.serve(std::move(socket)); });
  CLmError result = runExchange(*peer, plan, outcome);
  // Closing the console's end ends any wait of the host's side, so the join cannot hang on it.
  peer.reset();
  hostThread.join();
  return result;
}

}  // namespace host
