#pragma once
// SocketListener: the listening socket of the reference host program.
//
// It binds a Unix socket path or a loopback TCP port (port 0 picks a free one; port() tells which)
// and accepts connections, each handed over as an owned SocketFd for a CKwNetwork.
//
// Contract:
//  - TCP listens on 127.0.0.1 only: the host serves this machine, never the network. Any local
//    user can reach a loopback port, so whoever opens one decides who may use it.
//  - A Unix socket is usable by its owner only (mode 0600), set before it listens.
//  - backlog is how many connections may wait to be accepted (at most the kernel's somaxconn).
//  - A Unix path that holds a socket nobody listens on (left by an earlier run) is replaced; a
//    path where a server answers, or that holds anything but a socket, is refused. Finding out
//    takes one connection attempt, which a live server accepts as a connection that closes
//    before its first frame. The listener removes its path when it is destroyed.
//  - accept waits at most timeoutSeconds (negative: no limit) and fails with kTimedOut.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/CLmError.h"
#include "platform/SocketFd.h"

class SocketListener {
 public:
  static constexpr int kDefaultBacklog = 512;

  static CLmError listenUnix(const std::string& path, std::unique_ptr<SocketListener>& listener,
                             int backlog = kDefaultBacklog);
  static CLmError listenLoopbackTcp(std::uint16_t port, std::unique_ptr<SocketListener>& listener,
                                    int backlog = kDefaultBacklog);

  ~SocketListener();
  SocketListener(const SocketListener&) = delete;
  SocketListener& operator=(const SocketListener&) = delete;

  CLmError accept(kwnet::SocketFd& connection, int timeoutSeconds);

  std::uint16_t port() const { return port_; }               // 0 for a Unix listener
  const std::string& unixPath() const { return unixPath_; }  // empty for a TCP listener
  int fd() const { return socket_.get(); }

 private:
  SocketListener(kwnet::SocketFd socket, std::uint16_t port, std::string unixPath);

  kwnet::SocketFd socket_;
  std::uint16_t port_;
  std::string unixPath_;
};
