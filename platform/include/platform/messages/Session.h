#pragma once
// Messages of the Session family (module 9): the control messages of the host connection. They
// carry no fields; the tag id alone says what happens to the exchange.
#include <cstdint>

#include "platform/CNMessageBase.h"

namespace Session {

// Sent by the host: end the exchange.
class DisconnectReq : public CNMessageBase {
 public:
  static constexpr std::uint32_t kTagId = 0x09000102;
  static constexpr msg::MessageTypeId kId = msg::typeIdFromTag(kTagId);
  static const msg::MessageType kType;
  DisconnectReq() : CNMessageBase(kType) {}
};

// The answer to a disconnect request, or the close of an exchange after a response.
class DisconnectReply : public CNMessageBase {
 public:
  static constexpr std::uint32_t kTagId = 0x09000103;
  static constexpr msg::MessageTypeId kId = msg::typeIdFromTag(kTagId);
  static const msg::MessageType kType;
  DisconnectReply() : CNMessageBase(kType) {}
};

// The exchange is aborted: no response follows.
class AbortNotice : public CNMessageBase {
 public:
  static constexpr std::uint32_t kTagId = 0x09000104;
  static constexpr msg::MessageTypeId kId = msg::typeIdFromTag(kTagId);
  static const msg::MessageType kType;
  AbortNotice() : CNMessageBase(kType) {}
};

}  // namespace Session
