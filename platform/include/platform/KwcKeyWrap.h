#pragma once
// KwcKeyWrap: the AES key wrap of RFC 3394 (default initial value A6A6A6A6A6A6A6A6) under the key
// of a KwcAES object, which it copies.
//
// wrap takes at least 16 bytes in whole 8-byte blocks and gives 8 bytes more; unWrap takes at
// least 24 bytes in whole 8-byte blocks and gives 8 bytes fewer. Wrong lengths and an AES object
// without a key are EINVAL failures; a wrapped text whose integrity check fails (wrong key or
// altered bytes) is an EBADMSG failure. On failure the output bucket is left empty.
#include "platform/CLmError.h"
#include "platform/KwcAES.h"
#include "platform/KwcBucket.h"

class KwcKeyWrap {
 public:
  explicit KwcKeyWrap(const KwcAES& aes) : aes_(aes) {}

  CLmError wrap(const KwcBucket& plain, KwcBucket& wrapped) const;
  CLmError unWrap(const KwcBucket& wrapped, KwcBucket& plain) const;

 private:
  KwcAES aes_;
};
