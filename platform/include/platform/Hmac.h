#pragma once
// HMAC-SHA256 of the host's crypto library, as the request signing uses it.
#include <cstddef>

inline constexpr std::size_t kHmacSha256Length = 32;

// Writes the 32-byte HMAC-SHA256 of data under key to out, which must have room for
// kHmacSha256Length bytes. Any key length is allowed (RFC 2104: longer keys are hashed first).
// False only when the crypto library fails; out is then zeroed.
bool HMAC_SHA256(unsigned char* out, const void* key, std::size_t keyLength, const void* data,
                 std::size_t dataLength);
