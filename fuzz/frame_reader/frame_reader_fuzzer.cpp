// Bytes a peer sends on a host connection: the connection reads frame after frame and makes
// their messages until the bytes run out, and never hangs, over-reads or grows without bound.
//
// Input: the raw bytes of the stream, written into one end of a socket pair whose sending side
// is then closed, so every read ends with the data or with the end of the stream.
#include <memory>

#include "FuzzSupport.h"
#include "platform/CKwNetwork.h"
#include "platform/NetworkErrors.h"

namespace {

using fuzzsupport::require;

// Well inside a socket pair's buffer, so the writer never blocks.
constexpr std::size_t kMaxStreamBytes = 96 * 1024;
// The bytes are all there before the first read: a wait this long means a read that hangs.
constexpr int kReceiveTimeoutSeconds = 5;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > kMaxStreamBytes) {
    return 0;
  }
  auto [hostEnd, peerEnd] = fuzzsupport::socketPair();
  require(fuzzsupport::writeAll(peerEnd.get(), fuzzsupport::asText(data, size)), "the stream fits the socket");
  ::shutdown(peerEnd.get(), SHUT_WR);

  CKwNetwork connection(std::move(hostEnd));
  // Every frame takes at least its 8-byte header, so the loop ends.
  for (std::size_t frames = 0; frames <= size / kwnet::kFrameHeaderBytes; ++frames) {
    bool connectionFlag = true;
    CNMessageBase* message = nullptr;
    const CLmError received =
        connection.ReceiveXMLMessage(nullptr, &message, nullptr, 0, kReceiveTimeoutSeconds, connectionFlag);
    if (received.IsFailure()) {
      require(message == nullptr, "a failed receive hands out no message");
      require(received.systemCode() != kwnet::kTimedOut, "a stream that has ended never times out");
      // A failure inside a frame leaves the stream out of step; a message that is not
      // understood leaves it usable, and the next frame is read.
      if (!connectionFlag) {
        return 0;
      }
      continue;
    }
    require(message != nullptr && connectionFlag, "a received frame gives a message on a live connection");
    // Whatever arrived can be answered: it renders to XML again.
    (void)message->serialize();
  }
  return 0;
}
