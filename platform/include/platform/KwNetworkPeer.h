#pragma once
// KwNetworkPeer: the console side of a host connection.
//
// It connects to the host (a Unix socket path or a TCP host and port), sends a request message
// and reads what comes back, telling apart the four things a host can do: answer with a response
// message, send the disconnect reply, send the abort notice, or close the connection.
//
// Contract:
//  - Time-outs are in seconds; a negative time-out waits without limit.
//  - readReply succeeds for all four outcomes; a close between frames is the outcome PeerClosed,
//    not a failure. A time-out, a frame cut short, an unknown tag id or a payload that does not
//    parse are failures with the kwnet codes of NetworkErrors.h.
//  - Frames follow FrameChannel, with the same size limit on both sides.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/CLmError.h"
#include "platform/CNMessageBase.h"
#include "platform/FrameChannel.h"
#include "platform/SocketFd.h"

class KwNetworkPeer {
 public:
  enum class ReplyKind { Response, DisconnectReply, AbortNotice, PeerClosed };

  struct Reply {
    ReplyKind kind = ReplyKind::PeerClosed;
    std::uint32_t tagId = 0;                  // 0 for PeerClosed
    std::unique_ptr<CNMessageBase> message;   // the response; the control message for the others
  };

  explicit KwNetworkPeer(kwnet::SocketFd socket, std::size_t maxFrameBytes = kwnet::kDefaultMaxFrameBytes);

  static CLmError connectUnix(const std::string& path, int timeoutSeconds, std::unique_ptr<KwNetworkPeer>& peer);
  // host is a numeric address or a name such as "localhost".
  static CLmError connectTcp(const std::string& host, std::uint16_t port, int timeoutSeconds,
                             std::unique_ptr<KwNetworkPeer>& peer);

  CLmError sendRequest(const CNMessageBase& request, int timeoutSeconds);
  // Asks the host to end the session; the host answers with the disconnect reply.
  CLmError sendDisconnectRequest(int timeoutSeconds);
  CLmError readReply(Reply& reply, int timeoutSeconds);

  // Stops sending; the host then reads the end of the stream.
  void closeSending();

  kwnet::FrameChannel& channel() { return channel_; }

 private:
  kwnet::FrameChannel channel_;
};

const char* replyKindName(KwNetworkPeer::ReplyKind kind);
