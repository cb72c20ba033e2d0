#pragma once
// CKwNetwork: the host connection an entry point reads its request from and writes its answer to.
//
// One object serves one remote request over one connected stream socket (Unix or TCP), which it
// owns and closes on destruction. Messages travel in the frames of FrameChannel: the message's
// tag id and its XML text.
//
// Contract (the host's shapes; every operation returns a CLmError, negative code = failure, with
// the kwnet failure codes of NetworkErrors.h as system codes):
//  - ReceiveXMLMessage reads one frame and makes its message. On success *message designates it;
//    the connection owns it and keeps it until the next receive or its own destruction, so a
//    caller must not delete it nor use it after receiving again. On failure *message is null.
//    tagId, when given, receives the frame's tag id once its header was read (0 otherwise).
//    The protocol header and the flags are accepted and not used.
//  - SendXMLMessage writes one message; the flags are accepted and not used.
//  - ReplyDisconnect writes the disconnect reply (tag 0x09000103) that ends a session the peer
//    asked to end, or that follows the answer of a browse request.
//  - AbortConnection writes the abort notice (tag 0x09000104) when the sending direction still
//    works, then shuts the socket down in both directions. The abort itself always succeeds;
//    *status (when given) is set to 1 when the notice went out and 0 when it could not be sent.
//  - Time-outs are in seconds; -1 (any negative value) waits without limit.
//  - The connection flag: every operation sets it to false when it starts and to true when it
//    completed and the connection can carry another frame. So a caller's flag is false at the
//    start of a call, and it tells after each operation whether the exchange is still alive;
//    after AbortConnection it is always false.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/CLmError.h"
#include "platform/CNMessageBase.h"
#include "platform/FrameChannel.h"
#include "platform/SocketFd.h"

class CKwNetwork {
 public:
  explicit CKwNetwork(kwnet::SocketFd socket, std::size_t maxFrameBytes = kwnet::kDefaultMaxFrameBytes);
  ~CKwNetwork();

  CKwNetwork(const CKwNetwork&) = delete;
  CKwNetwork& operator=(const CKwNetwork&) = delete;
  CKwNetwork(CKwNetwork&&) noexcept;
  CKwNetwork& operator=(CKwNetwork&&) noexcept;

  CLmError ReceiveXMLMessage(std::uint32_t* tagId, CNMessageBase** message, void* protocolHeader, int flags,
                             int timeoutSeconds, bool& connectionFlag);
  CLmError SendXMLMessage(CNMessageBase* message, int flags, int timeoutSeconds, bool& connectionFlag);
  CLmError ReplyDisconnect(int timeoutSeconds, bool& connectionFlag);
  CLmError AbortConnection(int* status, int timeoutSeconds, bool& connectionFlag);

  // For the host program: raw frames (its own session set-up) and the state of the socket.
  kwnet::FrameChannel& channel() { return channel_; }
  bool isOpen() const { return channel_.isOpen(); }

 private:
  void finish(const CLmError& result, bool& connectionFlag) const;

  kwnet::FrameChannel channel_;
  std::unique_ptr<CNMessageBase> received_;
};
