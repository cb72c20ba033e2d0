#include "platform/KwNetworkPeer.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <utility>

#include "SocketWait.h"
#include "UnixAddress.h"
#include "platform/MessageFrame.h"
#include "platform/NetworkErrors.h"

namespace {

CLmError setNonBlocking(int fd, bool nonBlocking) {
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, nonBlocking ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK)) < 0) {
    return kwnet::systemCallError("fcntl", errno, CLM_HERE);
  }
  return {};
}

// Connects without blocking past the deadline: a host that accepts nothing (a full backlog, a
// filtered port) must not hang the console.
CLmError connectSocket(int family, const sockaddr* address, socklen_t length, const kwnet::Deadline& deadline,
                       kwnet::SocketFd& connected) {
  kwnet::SocketFd socket(::socket(family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!socket.valid()) {
    return kwnet::systemCallError("socket", errno, CLM_HERE);
  }
  if (::connect(socket.get(), address, length) < 0) {
    if (errno != EINPROGRESS && errno != EAGAIN) {
      return kwnet::systemCallError("connect", errno, CLM_HERE);
    }
    if (CLmError waited = kwnet::waitReady(socket.get(), POLLOUT, deadline, "the host to accept"); waited) {
      return waited;
    }
    int failure = 0;
    socklen_t failureLength = sizeof failure;
    if (::getsockopt(socket.get(), SOL_SOCKET, SO_ERROR, &failure, &failureLength) < 0) {
      return kwnet::systemCallError("getsockopt", errno, CLM_HERE);
    }
    if (failure != 0) {
      return kwnet::systemCallError("connect", failure, CLM_HERE);
    }
  }
  if (CLmError blocking = setNonBlocking(socket.get(), false); blocking) {
    return blocking;
  }
  connected = std::move(socket);
  return {};
}

KwNetworkPeer::ReplyKind classify(std::uint32_t tagId) {
  switch (tagId) {
    case kwnet::kDisconnectReplyTag:
      return KwNetworkPeer::ReplyKind::DisconnectReply;
    case kwnet::kAbortNoticeTag:
      return KwNetworkPeer::ReplyKind::AbortNotice;
    default:
      return KwNetworkPeer::ReplyKind::Response;
  }
}

}  // namespace

KwNetworkPeer::KwNetworkPeer(kwnet::SocketFd socket, std::size_t maxFrameBytes)
    : channel_(std::move(socket), maxFrameBytes) {}

CLmError KwNetworkPeer::connectUnix(const std::string& path, int timeoutSeconds, std::unique_ptr<KwNetworkPeer>& peer) {
  peer.reset();
  sockaddr_un address{};
  if (CLmError bad = kwnet::makeUnixAddress(path, address); bad) {
    return bad;
  }
  kwnet::SocketFd socket;
  CLmError result = connectSocket(AF_UNIX, reinterpret_cast<const sockaddr*>(&address), sizeof address,
                                  kwnet::Deadline(timeoutSeconds), socket);
  if (result) {
    return result.Push(CLM_HERE);
  }
  peer = std::make_unique<KwNetworkPeer>(std::move(socket));
  return {};
}

CLmError KwNetworkPeer::connectTcp(const std::string& host, std::uint16_t port, int timeoutSeconds,
                                   std::unique_ptr<KwNetworkPeer>& peer) {
  peer.reset();
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (const int failure = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found); failure != 0) {
    return kwnet::networkError(kwnet::kInvalidArgument,
                               "Cannot resolve host [" + host + "]: " + ::gai_strerror(failure), CLM_HERE);
  }
  const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> addresses(found, &::freeaddrinfo);
  const kwnet::Deadline deadline(timeoutSeconds);
  CLmError result;
  for (const addrinfo* entry = addresses.get(); entry != nullptr; entry = entry->ai_next) {
    kwnet::SocketFd socket;
    result = connectSocket(entry->ai_family, entry->ai_addr, entry->ai_addrlen, deadline, socket);
    if (!result) {
      peer = std::make_unique<KwNetworkPeer>(std::move(socket));
      return {};
    }
  }
  return result.Push(CLM_HERE);
}

CLmError KwNetworkPeer::sendRequest(const CNMessageBase& request, int timeoutSeconds) {
  return kwnet::sendMessageFrame(channel_, request, timeoutSeconds);
}

CLmError KwNetworkPeer::sendDisconnectRequest(int timeoutSeconds) {
  return kwnet::sendControlFrame(channel_, kwnet::kDisconnectRequestTag, timeoutSeconds);
}

CLmError KwNetworkPeer::readReply(Reply& reply, int timeoutSeconds) {
  reply = Reply{};
  kwnet::Frame frame;
  CLmError result = channel_.receiveFrame(frame, timeoutSeconds);
  if (result.systemCode() == kwnet::kPeerClosed) {
    reply.kind = ReplyKind::PeerClosed;
    return {};
  }
  if (result) {
    return result;
  }
  reply.tagId = frame.tagId;
  reply.kind = classify(frame.tagId);
  return kwnet::decodeMessageFrame(frame, reply.message);
}

void KwNetworkPeer::closeSending() { channel_.shutdownSending(); }

const char* replyKindName(KwNetworkPeer::ReplyKind kind) {
  switch (kind) {
    case KwNetworkPeer::ReplyKind::Response:
      return "response";
    case KwNetworkPeer::ReplyKind::DisconnectReply:
      return "disconnect reply";
    case KwNetworkPeer::ReplyKind::AbortNotice:
      return "abort notice";
    case KwNetworkPeer::ReplyKind::PeerClosed:
      return "peer closed";
  }
  return "unknown";
}
