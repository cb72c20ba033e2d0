#pragma once
// FrameChannel: the frames of the host connection over one connected stream socket.
//
// A frame is an 8-byte header, the payload length and the tag id as 32-bit big-endian numbers,
// followed by the payload (a message's XML text). Both the host side (CKwNetwork) and the
// console side (KwNetworkPeer) speak through this class.
//
// Contract:
//  - The channel owns the socket and closes it on destruction.
//  - A time-out is in seconds for the whole frame; a negative time-out waits without limit.
//    Waiting uses poll, so a silent peer yields kTimedOut once the time is up, never a hang.
//  - Frames above the size limit are refused on both sides: sendFrame sends nothing,
//    receiveFrame fails with kFrameTooLarge without reading the payload.
//  - The channel reads exactly one frame's bytes and never ahead, so a caller may read the first
//    frame itself and then hand the socket to someone else without losing data.
//  - A failure inside a frame (time-out, cut short, refused size) leaves that direction of the
//    stream out of step; further use of it fails with kConnectionUnusable. A time-out before the
//    first byte of a frame leaves the channel usable.
//  - Writes never raise SIGPIPE; a vanished peer is an ordinary failure.
//  - An idle limit (setIdleLimit) caps every wait, including those asked for without limit: a
//    frame that has not arrived, or could not be sent, within the limit ends the connection
//    (both directions shut down) with kTimedOut, so a silent peer cannot hold its server forever.
//    A caller's own shorter time-out behaves as before and leaves the connection open.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/CLmError.h"
#include "platform/SocketFd.h"

namespace kwnet {

inline constexpr std::size_t kDefaultMaxFrameBytes = std::size_t{64} << 20;
inline constexpr std::size_t kFrameHeaderBytes = 8;

struct Frame {
  std::uint32_t tagId = 0;
  std::string payload;
};

class FrameChannel {
  // The wait a call may take under the idle limit, and whether the limit shortened it.
  struct Wait {
    int seconds;
    bool capped;
  };
  Wait capWait(int timeoutSeconds) const;
  CLmError closeIfIdle(CLmError result, const Wait& wait);

 public:
  explicit FrameChannel(SocketFd socket, std::size_t maxFrameBytes = kDefaultMaxFrameBytes);

  FrameChannel(FrameChannel&&) noexcept = default;
  FrameChannel& operator=(FrameChannel&&) noexcept = default;

  CLmError sendFrame(std::uint32_t tagId, std::string_view payload, int timeoutSeconds);
  // A peer that closes between frames gives kPeerClosed; inside a frame, kFrameCutShort.
  CLmError receiveFrame(Frame& frame, int timeoutSeconds);

  // Caps every wait at seconds (0: no cap, the default).
  void setIdleLimit(int seconds) { idleLimitSeconds_ = seconds > 0 ? seconds : 0; }
  int idleLimit() const { return idleLimitSeconds_; }

  // Stops both directions at once; the peer sees the end of the stream. The descriptor stays
  // owned until destruction.
  void shutdown();
  // Stops the sending direction only: the peer reads the end of the stream, replies still come.
  void shutdownSending();

  bool isOpen() const { return socket_.valid() && !shutDown_; }
  bool canSend() const { return isOpen() && !sendBroken_ && !sendClosed_; }
  bool canReceive() const { return isOpen() && !receiveBroken_; }
  int fd() const { return socket_.get(); }
  std::size_t maxFrameBytes() const { return maxFrameBytes_; }

 private:
  SocketFd socket_;
  std::size_t maxFrameBytes_;
  int idleLimitSeconds_ = 0;
  bool shutDown_ = false;
  bool sendBroken_ = false;
  bool sendClosed_ = false;
  bool receiveBroken_ = false;
};

}  // namespace kwnet
