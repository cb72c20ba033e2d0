#pragma once
// The result codes of the configuration objects. Every getter answers kOk and fills its
// out-argument, or one of the other codes and leaves the out-argument as it was.
namespace config {

enum ConfigStatus : int {
  kOk = 0,
  kNoConfiguration = 1,     // no configuration is installed in the host environment
  kObjectNotFound = 2,      // no object of that id (or name) is configured
  kWrongKind = 3,           // the object exists but is not of the class asked for
  kValueNotSet = 4,         // the object has no such value
  kValueNotInteger = 5,     // a text value was read as a whole number and is not one
  kNoHostKey = 6,           // a secret was to be decrypted but the host holds no key
  kSecretRefused = 7,       // a stored secret does not decrypt with the host key
  kBufferTooSmall = 8,      // the clear text does not fit the caller's buffer
  kMessageUnavailable = 9,  // a message type the answer needs is not registered
  kNoSettingsQueried = 10,  // credentials were asked for before settings were queried
  kWrongMessage = 11,       // a request or response message of the wrong type was passed
};

// A short text for a code, for log lines ("no such value is configured").
const char* describeStatus(int code);

}  // namespace config
