#pragma once
// SessionHandler: serves one connection of the host.
//
// The first frame of a connection is a Host::OpenSession message naming the network entry point
// (and the number it is called with). The handler looks the entry point up in the product
// library and hands it the connection; from then on the entry point owns the exchange. A first
// frame that is not a session opening, or that names no network entry point, is answered with an
// abort notice; a peer that goes away before opening a session is only logged.
//
// Every connection has an idle limit: a frame that does not arrive within it (the opening one, a
// request an entry point waits for without limit) closes the connection, so one silent client
// cannot hold a worker, and with one worker the whole host, forever. The entry point then sees a
// failed receive and ends as it does when a console goes away.
//
// The handler keeps no state between connections: it only reads the library, so connections
// can be served side by side.
#include "platform/SocketFd.h"

namespace host {

class ProductLibrary;

class SessionHandler {
 public:
  // How long a new connection may take to open its session.
  static constexpr int kOpenTimeoutSeconds = 60;
  // The host's own log lines carry this tag.
  static constexpr char kLogTag[] = "clouddb-host";

  // The idle limit a connection gets unless the host is told otherwise.
  static constexpr int kDefaultIdleSeconds = 300;

  explicit SessionHandler(const ProductLibrary& library, int idleSeconds = kDefaultIdleSeconds)
      : library_(library), idleSeconds_(idleSeconds) {}

  void serve(kwnet::SocketFd socket) const;

 private:
  const ProductLibrary& library_;
  int idleSeconds_;
};

}  // namespace host
