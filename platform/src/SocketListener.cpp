#include "platform/SocketListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "SocketWait.h"
#include "UnixAddress.h"
#include "platform/NetworkErrors.h"

namespace {

// Listening sockets are non-blocking so that accept after poll cannot block on a client that gave
// up in between; accepted connections are blocking (accept4 does not inherit the flag).

// Makes room for a new Unix listener at path: nothing there is fine, a socket left behind by a
// run that ended is removed, anything else (a live server, a file) is refused.
CLmError clearStaleSocket(const std::string& path, const sockaddr_un& address) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) < 0) {
    return errno == ENOENT ? CLmError{} : kwnet::systemCallError("lstat", errno, CLM_HERE);
  }
  if (!S_ISSOCK(status.st_mode)) {
    return kwnet::networkError(kwnet::kInvalidArgument, "Path [" + path + "] exists and is not a socket", CLM_HERE);
  }
  kwnet::SocketFd probe(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!probe.valid()) {
    return kwnet::systemCallError("socket", errno, CLM_HERE);
  }
  // A live server with a full backlog answers EAGAIN: it is still in use.
  if (::connect(probe.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 || errno == EAGAIN) {
    return kwnet::networkError(EADDRINUSE, "A server already listens on [" + path + "]", CLM_HERE);
  }
  if (errno != ECONNREFUSED) {
    return kwnet::systemCallError("connect", errno, CLM_HERE);
  }
  if (::unlink(path.c_str()) < 0 && errno != ENOENT) {
    return kwnet::systemCallError("unlink", errno, CLM_HERE);
  }
  return {};
}

// ownerOnlyPath: the Unix path is made usable by its owner alone before the socket listens, so
// there is no moment in which another local user could connect (before listen, connect is refused).
CLmError bindAndListen(const kwnet::SocketFd& socket, const sockaddr* address, socklen_t length, int backlog,
                       const std::string& ownerOnlyPath) {
  if (::bind(socket.get(), address, length) < 0) {
    return kwnet::systemCallError("bind", errno, CLM_HERE);
  }
  if (!ownerOnlyPath.empty() && ::chmod(ownerOnlyPath.c_str(), S_IRUSR | S_IWUSR) < 0) {
    const int reason = errno;
    ::unlink(ownerOnlyPath.c_str());
    return kwnet::systemCallError("chmod", reason, CLM_HERE);
  }
  if (::listen(socket.get(), backlog) < 0) {
    return kwnet::systemCallError("listen", errno, CLM_HERE);
  }
  return {};
}

}  // namespace

SocketListener::SocketListener(kwnet::SocketFd socket, std::uint16_t port, std::string unixPath)
    : socket_(std::move(socket)), port_(port), unixPath_(std::move(unixPath)) {}

SocketListener::~SocketListener() {
  if (!unixPath_.empty()) {
    ::unlink(unixPath_.c_str());
  }
}

CLmError SocketListener::listenUnix(const std::string& path, std::unique_ptr<SocketListener>& listener, int backlog) {
  listener.reset();
  sockaddr_un address{};
  if (CLmError bad = kwnet::makeUnixAddress(path, address); bad) {
    return bad;
  }
  if (CLmError occupied = clearStaleSocket(path, address); occupied) {
    return occupied;
  }
  kwnet::SocketFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!socket.valid()) {
    return kwnet::systemCallError("socket", errno, CLM_HERE);
  }
  if (CLmError failed =
          bindAndListen(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address, backlog, path);
      failed) {
    return failed;
  }
  listener.reset(new SocketListener(std::move(socket), 0, path));
  return {};
}

CLmError SocketListener::listenLoopbackTcp(std::uint16_t port, std::unique_ptr<SocketListener>& listener,
                                           int backlog) {
  listener.reset();
  kwnet::SocketFd socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!socket.valid()) {
    return kwnet::systemCallError("socket", errno, CLM_HERE);
  }
  const int reuse = 1;
  ::setsockopt(socket.get(), SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (CLmError failed =
          bindAndListen(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address, backlog, std::string());
      failed) {
    return failed;
  }
  socklen_t length = sizeof address;
  if (::getsockname(socket.get(), reinterpret_cast<sockaddr*>(&address), &length) < 0) {
    return kwnet::systemCallError("getsockname", errno, CLM_HERE);
  }
  listener.reset(new SocketListener(std::move(socket), ntohs(address.sin_port), std::string()));
  return {};
}

CLmError SocketListener::accept(kwnet::SocketFd& connection, int timeoutSeconds) {
  connection.reset();
  const kwnet::Deadline deadline(timeoutSeconds);
  for (;;) {
    if (CLmError waited = kwnet::waitReady(socket_.get(), POLLIN, deadline, "a connection"); waited) {
      return waited;
    }
    const int accepted = ::accept4(socket_.get(), nullptr, nullptr, SOCK_CLOEXEC);
    if (accepted >= 0) {
      connection.reset(accepted);
      return {};
    }
    // The client may have given up between poll and accept; wait for the next one.
    if (errno != EINTR && errno != EAGAIN && errno != ECONNABORTED) {
      return kwnet::systemCallError("accept", errno, CLM_HERE);
    }
  }
}
