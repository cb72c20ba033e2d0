#pragma once
// Messages in frames: a message travels as a frame whose tag id is the message's and whose
// payload is its XML text (CNMessageBase::serialize).
//
// The control messages of a session (disconnect request and reply, abort notice) have no fields;
// a frame of theirs may carry their XML text or nothing at all.
#include <cstdint>
#include <memory>

#include "platform/CLmError.h"
#include "platform/CNMessageBase.h"
#include "platform/FrameChannel.h"
#include "platform/messages/Session.h"

namespace kwnet {

inline constexpr std::uint32_t kDisconnectRequestTag = Session::DisconnectReq::kTagId;
inline constexpr std::uint32_t kDisconnectReplyTag = Session::DisconnectReply::kTagId;
inline constexpr std::uint32_t kAbortNoticeTag = Session::AbortNotice::kTagId;

CLmError sendMessageFrame(FrameChannel& channel, const CNMessageBase& message, int timeoutSeconds);

// Sends one of the control messages above.
CLmError sendControlFrame(FrameChannel& channel, std::uint32_t tagId, int timeoutSeconds);

// Makes the message a received frame carries: kUnknownTag when no message type is registered for
// its tag id, kBadMessageText when the payload is not that type's XML.
CLmError decodeMessageFrame(const Frame& frame, std::unique_ptr<CNMessageBase>& message);

}  // namespace kwnet
