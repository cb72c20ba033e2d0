#include "platform/FrameChannel.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <string>
#include <utility>

#include "SocketWait.h"
#include "platform/NetworkErrors.h"

namespace kwnet {

namespace {

using Header = std::array<unsigned char, kFrameHeaderBytes>;

void putBigEndian(unsigned char* out, std::uint32_t value) {
  out[0] = static_cast<unsigned char>(value >> 24);
  out[1] = static_cast<unsigned char>(value >> 16);
  out[2] = static_cast<unsigned char>(value >> 8);
  out[3] = static_cast<unsigned char>(value);
}

std::uint32_t getBigEndian(const unsigned char* in) {
  return (std::uint32_t{in[0]} << 24) | (std::uint32_t{in[1]} << 16) | (std::uint32_t{in[2]} << 8) |
         std::uint32_t{in[3]};
}

CLmError tooLarge(std::size_t size, std::size_t limit) {
  return networkError(kFrameTooLarge,
                      "Frame of " + std::to_string(size) + " bytes exceeds the limit of " + std::to_string(limit) +
                          " bytes",
                      CLM_HERE);
}

// Writes all of data before the deadline. MSG_DONTWAIT keeps a large write from blocking past
// the deadline once poll has said there is some room.
CLmError writeAll(int fd, const unsigned char* data, std::size_t length, const Deadline& deadline) {
  while (length > 0) {
    if (CLmError waited = waitReady(fd, POLLOUT, deadline, "the peer to take the frame"); waited) {
      return waited;
    }
    const ssize_t sent = ::send(fd, data, length, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent < 0) {
      if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) {
        continue;
      }
      return systemCallError("send", errno, CLM_HERE);
    }
    data += sent;
    length -= static_cast<std::size_t>(sent);
  }
  return {};
}

// Reads exactly length bytes; a peer that closes first gives kPeerClosed.
CLmError readExactly(int fd, unsigned char* data, std::size_t length, const Deadline& deadline) {
  while (length > 0) {
    if (CLmError waited = waitReady(fd, POLLIN, deadline, "a frame from the peer"); waited) {
      return waited;
    }
    const ssize_t got = ::recv(fd, data, length, MSG_DONTWAIT);
    if (got == 0) {
      return networkError(kPeerClosed, "The peer closed the connection", CLM_HERE);
    }
    if (got < 0) {
      if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) {
        continue;
      }
      return systemCallError("recv", errno, CLM_HERE);  // a reset is ECONNRESET, i.e. kPeerClosed
    }
    data += got;
    length -= static_cast<std::size_t>(got);
  }
  return {};
}

// Reads a payload of length bytes, growing it only as bytes arrive: a header that announces a
// large frame must not make us hold that much memory before the peer has sent it.
CLmError readPayload(int fd, std::string& payload, std::size_t length, const Deadline& deadline) {
  constexpr std::size_t kChunkBytes = std::size_t{64} << 10;
  while (payload.size() < length) {
    const std::size_t before = payload.size();
    const std::size_t chunk = std::min(kChunkBytes, length - before);
    payload.resize(before + chunk);  // amortised: the string grows geometrically
    if (CLmError error = readExactly(fd, reinterpret_cast<unsigned char*>(payload.data() + before), chunk, deadline);
        error) {
      return error;
    }
  }
  return {};
}

CLmError unusable(const char* direction) {
  return networkError(kConnectionUnusable,
                      std::string("The connection cannot ") + direction + " after an earlier failure", CLM_HERE);
}

CLmError closedConnection() { return networkError(kConnectionClosed, "The connection is closed", CLM_HERE); }

}  // namespace

FrameChannel::FrameChannel(SocketFd socket, std::size_t maxFrameBytes)
    : socket_(std::move(socket)), maxFrameBytes_(maxFrameBytes) {}

FrameChannel::Wait FrameChannel::capWait(int timeoutSeconds) const {
  if (idleLimitSeconds_ > 0 && (timeoutSeconds < 0 || timeoutSeconds > idleLimitSeconds_)) {
    return {idleLimitSeconds_, true};
  }
  return {timeoutSeconds, false};
}

// A wait the idle limit ended closes the connection: the peer has had its time.
CLmError FrameChannel::closeIfIdle(CLmError result, const Wait& wait) {
  if (wait.capped && result.systemCode() == kTimedOut) {
    shutdown();
    return networkError(kTimedOut,
                        "The peer was idle for more than " + std::to_string(wait.seconds) +
                            " seconds; the connection is closed",
                        CLM_HERE);
  }
  return result;
}

CLmError FrameChannel::sendFrame(std::uint32_t tagId, std::string_view payload, int timeoutSeconds) {
  if (!isOpen()) {
    return closedConnection();
  }
  if (sendClosed_) {
    return networkError(kConnectionClosed, "The sending side of the connection is closed", CLM_HERE);
  }
  if (sendBroken_) {
    return unusable("send");
  }
  if (payload.size() > maxFrameBytes_) {
    return tooLarge(payload.size(), maxFrameBytes_);
  }
  const Wait wait = capWait(timeoutSeconds);
  const Deadline deadline(wait.seconds);
  Header header{};
  putBigEndian(header.data(), static_cast<std::uint32_t>(payload.size()));
  putBigEndian(header.data() + 4, tagId);
  CLmError result = writeAll(fd(), header.data(), header.size(), deadline);
  if (!result) {
    result = writeAll(fd(), reinterpret_cast<const unsigned char*>(payload.data()), payload.size(), deadline);
  }
  if (result) {
    // Some bytes of the frame may be out: the peer could no longer find the next frame.
    sendBroken_ = true;
  }
  return closeIfIdle(std::move(result), wait);
}

CLmError FrameChannel::receiveFrame(Frame& frame, int timeoutSeconds) {
  frame = Frame{};
  if (!isOpen()) {
    return closedConnection();
  }
  if (receiveBroken_) {
    return unusable("receive");
  }
  const Wait wait = capWait(timeoutSeconds);
  const Deadline deadline(wait.seconds);
  // Wait for the first byte on its own: a time-out before it leaves the stream in step, and a
  // close before it is a close between frames.
  if (CLmError waited = waitReady(fd(), POLLIN, deadline, "a frame from the peer"); waited) {
    return closeIfIdle(std::move(waited), wait);
  }
  Header header{};
  if (CLmError first = readExactly(fd(), header.data(), 1, deadline); first) {
    receiveBroken_ = true;
    return first;
  }
  CLmError result = readExactly(fd(), header.data() + 1, header.size() - 1, deadline);
  if (!result) {
    frame.tagId = getBigEndian(header.data() + 4);
    const std::size_t length = getBigEndian(header.data());
    if (length > maxFrameBytes_) {
      result = tooLarge(length, maxFrameBytes_);
    } else {
      result = readPayload(fd(), frame.payload, length, deadline);
    }
  }
  if (result) {
    receiveBroken_ = true;
    frame.payload.clear();
    if (result.systemCode() == kPeerClosed) {
      return networkError(kFrameCutShort, "The peer closed the connection inside a frame", CLM_HERE);
    }
  }
  return closeIfIdle(std::move(result), wait);
}

void FrameChannel::shutdown() {
  if (socket_.valid() && !shutDown_) {
    ::shutdown(socket_.get(), SHUT_RDWR);
  }
  shutDown_ = true;
}

void FrameChannel::shutdownSending() {
  if (isOpen() && !sendClosed_) {
    ::shutdown(socket_.get(), SHUT_WR);
  }
  sendClosed_ = true;
}

}  // namespace kwnet
