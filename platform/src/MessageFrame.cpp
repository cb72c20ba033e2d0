#include "platform/MessageFrame.h"

#include <cstdio>
#include <string>

#include "platform/NetworkErrors.h"

namespace kwnet {

namespace {
std::string hexTag(std::uint32_t tagId) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", tagId);
  return text;
}
}  // namespace

CLmError sendMessageFrame(FrameChannel& channel, const CNMessageBase& message, int timeoutSeconds) {
  return channel.sendFrame(message.getTagID(), message.serialize(), timeoutSeconds);
}

CLmError sendControlFrame(FrameChannel& channel, std::uint32_t tagId, int timeoutSeconds) {
  const std::unique_ptr<CNMessageBase> control = CNMessageBase::createFromTag(tagId);
  return channel.sendFrame(tagId, control ? control->serialize() : std::string(), timeoutSeconds);
}

CLmError decodeMessageFrame(const Frame& frame, std::unique_ptr<CNMessageBase>& message) {
  message.reset();
  std::unique_ptr<CNMessageBase> made = CNMessageBase::createFromTag(frame.tagId);
  if (!made) {
    return networkError(kUnknownTag, "Received a frame with the unknown tag id " + hexTag(frame.tagId), CLM_HERE);
  }
  const bool emptyControl = frame.payload.empty() && made->type().fields.empty();
  if (!emptyControl) {
    if (CLmError parsed = made->unserialize(frame.payload); parsed) {
      return networkError(kBadMessageText,
                          "The payload of a frame with tag id " + hexTag(frame.tagId) + " is not a " +
                              made->getTagName() + " message: " + parsed.AsString(),
                          CLM_HERE);
    }
  }
  message = std::move(made);
  return {};
}

}  // namespace kwnet
