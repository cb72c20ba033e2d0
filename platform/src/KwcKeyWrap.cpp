#include "platform/KwcKeyWrap.h"

#include <openssl/err.h>
#include <openssl/evp.h>

#include <cerrno>
#include <memory>

#include "platform/FXErrorUtil.h"

namespace {

constexpr std::size_t kBlock = 8;
constexpr std::size_t kShortestPlain = 16;
constexpr std::size_t kShortestWrapped = kShortestPlain + kBlock;

struct CipherContextFree {
  void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};
using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, CipherContextFree>;

const EVP_CIPHER* wrapCipher(std::size_t keyBits) {
  switch (keyBits) {
    case 128: return EVP_aes_128_wrap();
    case 192: return EVP_aes_192_wrap();
    case 256: return EVP_aes_256_wrap();
    default: return nullptr;
  }
}

bool lengthFits(std::size_t length, std::size_t shortest) { return length >= shortest && length % kBlock == 0; }

// One pass of the wrap cipher; false when OpenSSL refuses, which for unwrapping means the
// integrity check failed.
bool runWrapCipher(const KwcAES& aes, bool wrapping, const KwcBucket& in, KwcBucket& out) {
  CipherContext context(EVP_CIPHER_CTX_new());
  if (!context) {
    return false;
  }
  EVP_CIPHER_CTX_set_flags(context.get(), EVP_CIPHER_CTX_FLAG_WRAP_ALLOW);
  // The default initial value of RFC 3394 is used when none is given.
  if (EVP_CipherInit_ex(context.get(), wrapCipher(aes.keyBits()), nullptr, aes.key().data(), nullptr,
                        wrapping ? 1 : 0) != 1) {
    return false;
  }
  const std::size_t expected = wrapping ? in.size() + kBlock : in.size() - kBlock;
  // Room for a whole extra block: OpenSSL may stage output before it checks the integrity value.
  KwcBucket result(in.size() + kBlock);
  int written = 0;
  if (EVP_CipherUpdate(context.get(), result.data(), &written, in.data(), static_cast<int>(in.size())) != 1) {
    return false;
  }
  int finalWritten = 0;
  if (EVP_CipherFinal_ex(context.get(), result.data() + written, &finalWritten) != 1) {
    return false;
  }
  if (static_cast<std::size_t>(written + finalWritten) != expected) {
    return false;
  }
  out = KwcBucket(result.data(), expected);
  return true;
}

}  // namespace

CLmError KwcKeyWrap::wrap(const KwcBucket& plain, KwcBucket& wrapped) const {
  wrapped.clear();
  if (!aes_.hasKey()) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, EINVAL, "Key wrap needs an AES key");
  }
  if (!lengthFits(plain.size(), kShortestPlain)) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, EINVAL,
                                   "Key to wrap has %zu bytes; whole 8-byte blocks, at least 16 bytes, are needed",
                                   plain.size());
  }
  if (!runWrapCipher(aes_, true, plain, wrapped)) {
    ERR_clear_error();
    wrapped.clear();
    return FXErrorUtil::ErrorErrNo(CLM_HERE, EIO, "AES key wrap failed");
  }
  return {};
}

CLmError KwcKeyWrap::unWrap(const KwcBucket& wrapped, KwcBucket& plain) const {
  plain.clear();
  if (!aes_.hasKey()) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, EINVAL, "Key unwrap needs an AES key");
  }
  if (!lengthFits(wrapped.size(), kShortestWrapped)) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, EINVAL,
                                   "Wrapped key has %zu bytes; whole 8-byte blocks, at least 24 bytes, are needed",
                                   wrapped.size());
  }
  if (!runWrapCipher(aes_, false, wrapped, plain)) {
    ERR_clear_error();
    plain.clear();
    return FXErrorUtil::ErrorErrNo(CLM_HERE, EBADMSG,
                                   "Wrapped key failed its integrity check (wrong key or altered bytes)");
  }
  return {};
}
