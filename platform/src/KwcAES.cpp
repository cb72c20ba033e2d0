#include "platform/KwcAES.h"

#include <cerrno>
#include <utility>

#include "platform/FXErrorUtil.h"

CLmError KwcAES::setKey(const KwcBucket& key) { return setKey(key.data(), key.size()); }

CLmError KwcAES::setKey(const void* key, std::size_t length) {
  if (length != 16 && length != 24 && length != 32) {
    key_.clear();
    return FXErrorUtil::ErrorErrNo(CLM_HERE, EINVAL, "AES key of %zu bytes; 16, 24 or 32 bytes are needed", length);
  }
  // Copied before the old key goes, so setting a key from key() itself works.
  KwcBucket fresh(key, length);
  key_ = std::move(fresh);
  return {};
}
