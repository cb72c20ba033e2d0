#include "platform/CKwNetwork.h"

#include <utility>

#include "platform/MessageFrame.h"
#include "platform/NetworkErrors.h"

CKwNetwork::CKwNetwork(kwnet::SocketFd socket, std::size_t maxFrameBytes) : channel_(std::move(socket), maxFrameBytes) {}

CKwNetwork::~CKwNetwork() = default;
CKwNetwork::CKwNetwork(CKwNetwork&&) noexcept = default;
CKwNetwork& CKwNetwork::operator=(CKwNetwork&&) noexcept = default;

void CKwNetwork::finish(const CLmError& result, bool& connectionFlag) const {
  connectionFlag = result.IsSuccess() && channel_.canSend() && channel_.canReceive();
}

CLmError CKwNetwork::ReceiveXMLMessage(std::uint32_t* tagId, CNMessageBase** message, void* /*protocolHeader*/,
                                       int /*flags*/, int timeoutSeconds, bool& connectionFlag) {
  connectionFlag = false;
  if (tagId != nullptr) {
    *tagId = 0;
  }
  if (message == nullptr) {
    return kwnet::networkError(kwnet::kInvalidArgument, "ReceiveXMLMessage needs a message pointer to fill",
                               CLM_HERE);
  }
  *message = nullptr;
  received_.reset();  // the previous message lives until the next receive, as promised

  kwnet::Frame frame;
  CLmError result = channel_.receiveFrame(frame, timeoutSeconds);
  if (tagId != nullptr) {
    *tagId = frame.tagId;
  }
  if (!result) {
    result = kwnet::decodeMessageFrame(frame, received_);
  }
  if (!result) {
    *message = received_.get();
  }
  finish(result, connectionFlag);
  return result;
}

CLmError CKwNetwork::SendXMLMessage(CNMessageBase* message, int /*flags*/, int timeoutSeconds, bool& connectionFlag) {
  connectionFlag = false;
  if (message == nullptr) {
    return kwnet::networkError(kwnet::kInvalidArgument, "SendXMLMessage was given no message", CLM_HERE);
  }
  CLmError result = kwnet::sendMessageFrame(channel_, *message, timeoutSeconds);
  finish(result, connectionFlag);
  return result;
}

CLmError CKwNetwork::ReplyDisconnect(int timeoutSeconds, bool& connectionFlag) {
  connectionFlag = false;
  CLmError result = kwnet::sendControlFrame(channel_, kwnet::kDisconnectReplyTag, timeoutSeconds);
  finish(result, connectionFlag);
  return result;
}

CLmError CKwNetwork::AbortConnection(int* status, int timeoutSeconds, bool& connectionFlag) {
  connectionFlag = false;
  bool noticeSent = false;
  if (channel_.canSend()) {
    noticeSent = !kwnet::sendControlFrame(channel_, kwnet::kAbortNoticeTag, timeoutSeconds).IsFailure();
  }
  channel_.shutdown();
  if (status != nullptr) {
    *status = noticeSent ? 1 : 0;
  }
  return {};
}
