#include "platform/config/ConfigStatus.h"

namespace config {

const char* describeStatus(int code) {
  switch (code) {
    case kOk:
      return "success";
    case kNoConfiguration:
      return "no platform configuration is installed";
    case kObjectNotFound:
      return "no such object is configured";
    case kWrongKind:
      return "the configured object is of another kind";
    case kValueNotSet:
      return "no such value is configured";
    case kValueNotInteger:
      return "the configured value is not a whole number";
    case kNoHostKey:
      return "the host holds no key to decrypt secrets";
    case kSecretRefused:
      return "the stored secret does not decrypt with the host key";
    case kBufferTooSmall:
      return "the clear text does not fit the buffer";
    case kMessageUnavailable:
      return "the message type of the answer is not available";
    case kNoSettingsQueried:
      return "no instance settings were queried";
    case kWrongMessage:
      return "a message of the wrong type was given";
    default:
      return "unknown configuration error";
  }
}

}  // namespace config
