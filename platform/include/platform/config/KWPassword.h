#pragma once
// KWPassword: decrypts a stored password into the caller's character buffer.
//
// On success the buffer holds the clear text and a terminating NUL, and the answer is
// config::kOk. A clear text that does not fit (with its NUL) in length bytes is refused with
// config::kBufferTooSmall rather than cut short. On every failure the buffer is left holding
// the empty text (when it has room for the NUL), so a caller that reads it anyway sees no
// password instead of stale bytes.
#include <cstddef>
#include <string_view>

class KWPassword {
 public:
  static constexpr std::size_t kBufferBytes = 1024;

  static int decrypt(std::string_view encrypted, char* buffer, std::size_t length);
};
