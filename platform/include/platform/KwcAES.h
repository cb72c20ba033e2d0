#pragma once
// KwcAES: an AES key for the ciphers built on it (KwcKeyWrap). Keys are 128, 192 or 256 bits;
// any other length is refused and leaves the object without a key.
#include <cstddef>

#include "platform/CLmError.h"
#include "platform/KwcBucket.h"

class KwcAES {
 public:
  KwcAES() = default;

  CLmError setKey(const KwcBucket& key);
  CLmError setKey(const void* key, std::size_t length);

  bool hasKey() const { return !key_.empty(); }
  std::size_t keyBits() const { return key_.size() * 8; }
  const KwcBucket& key() const { return key_; }

 private:
  KwcBucket key_;
};
