#include "ConnectionServer.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>

#include "SessionHandler.h"
#include "SessionTag.h"
#include "platform/EvEvent.h"
#include "platform/SocketListener.h"

namespace host {
namespace {

CLmError systemFailure(const char* what) {
  const int saved = errno;
  return CLmError(-saved, std::string(what) + ": " + std::strerror(saved));
}

void drainEventFd(int fd) {
  std::uint64_t count = 0;
  while (::read(fd, &count, sizeof(count)) == static_cast<ssize_t>(sizeof(count))) {
  }
}

}  // namespace

ConnectionServer::ConnectionServer(SocketListener& listener, const SessionHandler& handler, ServeLimits limits,
                                   int stopFd)
    : listener_(listener),
      handler_(handler),
      limits_(limits),
      stopFd_(stopFd),
      wakeFd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (limits_.parallel < 1) {
    limits_.parallel = 1;
  }
}

ConnectionServer::~ConnectionServer() { stopWorkers(); }

std::size_t ConnectionServer::running() const {
  std::lock_guard lock(mutex_);
  return workers_.size();
}

bool ConnectionServer::acceptingMore() const {
  return !limits_.maxConnections || accepted_ < *limits_.maxConnections;
}

CLmError ConnectionServer::run() {
  if (!wakeFd_.valid()) {
    return systemFailure("cannot make the server's wake-up descriptor");
  }
  while (true) {
    joinFinished();
    const bool accepting = acceptingMore();
    if (!accepting && running() == 0) {
      return {};
    }
    const bool roomForOne = running() < static_cast<std::size_t>(limits_.parallel);
    pollfd waits[3] = {{stopFd_, POLLIN, 0}, {wakeFd_.get(), POLLIN, 0}, {listener_.fd(), POLLIN, 0}};
    const nfds_t count = accepting && roomForOne ? 3 : 2;
    if (::poll(waits, count, -1) < 0) {
      if (errno == EINTR) {
        continue;
      }
      CLmError failure = systemFailure("waiting for connections failed");
      stopWorkers();
      return failure;
    }
    if (waits[0].revents != 0) {
      stopped_ = true;
      stopWorkers();
      return {};
    }
    if (waits[1].revents != 0) {
      drainEventFd(wakeFd_.get());
    }
    if (count == 3 && waits[2].revents != 0) {
      if (CLmError failure = acceptOne(); failure.IsFailure()) {
        stopWorkers();
        return failure;
      }
    }
  }
}

CLmError ConnectionServer::acceptOne() {
  kwnet::SocketFd socket;
  CLmError result = listener_.accept(socket, 0);
  if (result.IsFailure()) {
    // The connection may have gone away between poll and accept: that is the peer's business.
    EvDebug log;
    log.Debug(SessionHandler::kLogTag, "accept failed: %s", result.AsString().c_str());
    return {};
  }
  const std::uint64_t id = ++accepted_;
  const int fd = socket.get();
  std::lock_guard lock(mutex_);
  Worker& worker = workers_[id];
  worker.socketFd = fd;
  worker.thread = std::thread(&ConnectionServer::serveOnWorker, this, id, std::move(socket));
  return {};
}

void ConnectionServer::serveOnWorker(std::uint64_t id, kwnet::SocketFd socket) {
  // The worker keeps the accepted descriptor and hands the handler a duplicate. A stop shuts the
  // socket down through the worker's descriptor, which stays open until it is forgotten below, so
  // a stop never shuts down a number the system has meanwhile given to someone else.
  try {
    const SessionTag tag(id);
    handler_.serve(kwnet::SocketFd(::dup(socket.get())));
  } catch (...) {
    EvDebug log;
    log.Error(SessionHandler::kLogTag, "a connection failed with an unexpected exception");
  }
  {
    std::lock_guard lock(mutex_);
    workers_[id].socketFd = -1;
    finished_.push_back(id);
  }
  socket.reset();
  const std::uint64_t one = 1;
  [[maybe_unused]] auto written = ::write(wakeFd_.get(), &one, sizeof(one));
}

void ConnectionServer::joinFinished() {
  std::vector<std::thread> done;
  {
    std::lock_guard lock(mutex_);
    for (std::uint64_t id : finished_) {
      auto found = workers_.find(id);
      if (found != workers_.end()) {
        done.push_back(std::move(found->second.thread));
        workers_.erase(found);
      }
    }
    finished_.clear();
  }
  for (std::thread& thread : done) {
    thread.join();
  }
}

void ConnectionServer::stopWorkers() {
  {
    std::lock_guard lock(mutex_);
    for (auto& [id, worker] : workers_) {
      if (worker.socketFd >= 0) {
        ::shutdown(worker.socketFd, SHUT_RDWR);
      }
    }
  }
  std::vector<std::thread> all;
  {
    std::lock_guard lock(mutex_);
    for (auto& [id, worker] : workers_) {
      all.push_back(std::move(worker.thread));
    }
  }
  for (std::thread& thread : all) {
    if (thread.joinable()) {
      thread.join();
    }
  }
  std::lock_guard lock(mutex_);
  workers_.clear();
  finished_.clear();
}

}  // namespace host
