#include "platform/Kwc.h"

#include <openssl/crypto.h>
#include <openssl/err.h>
#include <openssl/evp.h>

#include <cerrno>
#include <string>

#include "platform/FXErrorUtil.h"

namespace Kwc {

KwcBucket sha256(std::string_view data) {
  KwcBucket digest(kSha256Length);
  unsigned int length = 0;
  if (EVP_Digest(data.data(), data.size(), digest.data(), &length, EVP_sha256(), nullptr) != 1 ||
      length != kSha256Length) {
    // Only a broken crypto library gets here; an empty digest is refused by every key user.
    ERR_clear_error();
    digest.clear();
  }
  return digest;
}

KwcBucket sha256(const KwcBucket& data) { return sha256(data.view()); }

CLmError hex2bin(std::string_view text, KwcBucket& out) {
  out.clear();
  if (text.size() % 2 != 0) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, EINVAL, "Hexadecimal text has an odd length [%zu]", text.size());
  }
  if (text.empty()) {
    return {};
  }
  // OpenSSL reads up to a NUL, so a NUL inside the text must not cut it short unnoticed.
  if (text.find('\0') != std::string_view::npos) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, EINVAL, "Hexadecimal text holds a NUL character");
  }
  out.resize(text.size() / 2);
  std::size_t length = 0;
  const std::string terminated(text);
  if (OPENSSL_hexstr2buf_ex(out.data(), out.size(), &length, terminated.c_str(), '\0') != 1 ||
      length != out.size()) {
    // Leave no stale entry in OpenSSL's error queue for the TLS code to trip over.
    ERR_clear_error();
    out.clear();
    return FXErrorUtil::ErrorErrNo(CLM_HERE, EINVAL, "Hexadecimal text holds a character that is not a hex digit");
  }
  return {};
}

}  // namespace Kwc
