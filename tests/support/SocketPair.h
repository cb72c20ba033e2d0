#pragma once
// Two connected stream sockets, one for each end of a host connection under test.
#include <sys/socket.h>

#include <stdexcept>
#include <utility>

#include "platform/SocketFd.h"

namespace testsupport {

inline std::pair<kwnet::SocketFd, kwnet::SocketFd> makeSocketPair() {
  int ends[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
    throw std::runtime_error("socketpair failed");
  }
  return {kwnet::SocketFd(ends[0]), kwnet::SocketFd(ends[1])};
}

}  // namespace testsupport
