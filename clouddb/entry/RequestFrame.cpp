#include "clouddb/entry/RequestFrame.h"

#include "clouddb/entry/FrameTexts.h"

namespace clouddb::entry {
namespace {

constexpr std::uint32_t kDisconnectRequestTagId = 0x09000102u;
constexpr int kStrictReceiveTimeoutSeconds = 600;
constexpr int kNoTimeout = -1;
constexpr int kReplyTimeoutSeconds = 120;
constexpr int kResponseLineLevel = 0;

}  // namespace

RequestFrame::RequestFrame(CKwNetwork& connection, EvEvent& log, const char* tag)
    : connection_(connection), log_(log), tag_(tag) {}

CNMessageBase* RequestFrame::receiveStrict(std::uint32_t requestTagId) {
  CNMessageBase* received = nullptr;
  CLmError result =
      connection_.ReceiveXMLMessage(nullptr, &received, nullptr, 0, kStrictReceiveTimeoutSeconds, connectionFlag_);
  if (result.IsFailure() || received == nullptr) {
    log_.Error(tag_, texts::kReceiveFailed);
    abort();
    return nullptr;
  }
  const std::uint32_t tagId = received->getTagID();
  if (tagId == kDisconnectRequestTagId) {
    log_.Debug(tag_, texts::kDisconnectReceived);
    replyDisconnect();
    return nullptr;
  }
  if (tagId != requestTagId) {
    log_.Error(tag_, texts::kIncorrectMessageType, received->getTagName().c_str(), static_cast<unsigned long>(tagId));
    abort();
    return nullptr;
  }
  return received;
}

CNMessageBase* RequestFrame::receiveLenient() {
  CNMessageBase* received = nullptr;
  CLmError result = connection_.ReceiveXMLMessage(nullptr, &received, nullptr, 0, kNoTimeout, connectionFlag_);
  if (result.IsFailure() || received == nullptr) {
    // A missing message is as good as a failed receive: there is nothing to answer.
    const std::string reason = result.IsFailure() ? result.AsString() : std::string(texts::kNoMessageArrived);
    log_.Debug(tag_, texts::kNullMessage, reason.c_str());
    return nullptr;
  }
  log_.DebugMessage(tag_, EvDebug::kDebugLevel, texts::kMessageReceived, *received);
  return received;
}

void RequestFrame::sendStrict(CNMessageBase& response, bool logResponseOnFailure) {
  connectionFlag_ = false;
  CLmError result = connection_.SendXMLMessage(&response, 0, kNoTimeout, connectionFlag_);
  if (result.IsFailure()) {
    if (logResponseOnFailure) {
      log_.Error(tag_, texts::kSendFailedWithResponse, result.AsString().c_str(), response.AsString().c_str());
    } else {
      log_.Error(tag_, texts::kSendFailed, result.AsString().c_str());
    }
  }
}

void RequestFrame::sendLenient(CNMessageBase& response) {
  log_.DebugMessage(tag_, kResponseLineLevel, texts::kReturningResponse, response);
  connectionFlag_ = false;
  // The peer learns of a failed send from the missing response; there is no one else to tell.
  (void)connection_.SendXMLMessage(&response, 0, kNoTimeout, connectionFlag_);
  replyDisconnect();
}

void RequestFrame::replyDisconnect() { (void)connection_.ReplyDisconnect(kReplyTimeoutSeconds, connectionFlag_); }

void RequestFrame::abort() {
  int status = 0;
  (void)connection_.AbortConnection(&status, kReplyTimeoutSeconds, connectionFlag_);
}

}  // namespace clouddb::entry
