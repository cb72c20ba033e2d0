#pragma once
// ConnectionServer: the accept loop of `clouddb-host serve`.
//
// Each accepted connection is served by the SessionHandler on a thread of its own, at most
// `parallel` at a time (1: one after another). The loop waits in one poll for a new connection,
// for a finished one and for the stop descriptor, so a stop signal is seen at once even while
// calls run. On stop, the sockets of the calls still running are shut down, which ends their
// waits with a failure, and every thread is joined before run() returns. With a connection limit
// the loop stops accepting after that many connections and returns once they are all served.
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/CLmError.h"
#include "platform/SocketFd.h"

class SocketListener;

namespace host {

class SessionHandler;

struct ServeLimits {
  int parallel = 1;
  std::optional<std::uint64_t> maxConnections;
};

class ConnectionServer {
 public:
  // stopFd: readable when the server must stop (StopSignals::fd(), or a pipe in tests).
  ConnectionServer(SocketListener& listener, const SessionHandler& handler, ServeLimits limits, int stopFd);
  ~ConnectionServer();
  ConnectionServer(const ConnectionServer&) = delete;
  ConnectionServer& operator=(const ConnectionServer&) = delete;

  // Serves until stopped or the connection limit is served; a failure of the listener or of the
  // loop's own descriptors ends it with an error (after the running calls were ended and joined).
  CLmError run();

  std::uint64_t accepted() const { return accepted_; }
  // Whether the loop ended because the stop descriptor became readable.
  bool stopped() const { return stopped_; }

 private:
  struct Worker {
    std::thread thread;
    int socketFd = -1;
  };

  CLmError acceptOne();
  void serveOnWorker(std::uint64_t id, kwnet::SocketFd socket);
  void joinFinished();
  void stopWorkers();
  std::size_t running() const;
  bool acceptingMore() const;

  SocketListener& listener_;
  const SessionHandler& handler_;
  ServeLimits limits_;
  int stopFd_;
  kwnet::SocketFd wakeFd_;  // an eventfd that a finishing worker signals

  std::uint64_t accepted_ = 0;
  bool stopped_ = false;

  mutable std::mutex mutex_;
  std::map<std::uint64_t, Worker> workers_;  // guarded by mutex_
  std::vector<std::uint64_t> finished_;      // guarded by mutex_
};

}  // namespace host
