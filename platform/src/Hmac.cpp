#include "platform/Hmac.h"

#include <openssl/crypto.h>
#include <openssl/err.h>
#include <openssl/evp.h>

#include <cstring>

bool HMAC_SHA256(unsigned char* out, const void* key, std::size_t keyLength, const void* data,
                 std::size_t dataLength) {
  // OpenSSL wants non-null pointers even for empty keys and data.
  static const unsigned char kNothing = 0;
  const void* keyBytes = keyLength > 0 ? key : &kNothing;
  const void* dataBytes = dataLength > 0 ? data : &kNothing;
  std::size_t written = 0;
  if (EVP_Q_mac(nullptr, "HMAC", nullptr, "SHA256", nullptr, keyBytes, keyLength,
                static_cast<const unsigned char*>(dataBytes), dataLength, out, kHmacSha256Length, &written) == nullptr ||
      written != kHmacSha256Length) {
    ERR_clear_error();
    std::memset(out, 0, kHmacSha256Length);
    return false;
  }
  return true;
}
