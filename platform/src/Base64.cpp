#include "platform/Base64.h"

#include <openssl/err.h>
#include <openssl/evp.h>

#include <cerrno>

#include "platform/FXErrorUtil.h"

namespace {

bool inAlphabet(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
}

// OpenSSL's block decoder skips blanks and takes '=' anywhere as zero bits, so the text is
// checked here first; the answer is the number of padding characters, or -1 when not canonical.
int paddingOf(std::string_view text) {
  if (text.size() % 4 != 0) {
    return -1;
  }
  int padding = 0;
  while (padding < 2 && padding < static_cast<int>(text.size()) && text[text.size() - 1 - padding] == '=') {
    ++padding;
  }
  for (std::size_t i = 0; i < text.size() - padding; ++i) {
    if (!inAlphabet(text[i])) {
      return -1;
    }
  }
  return padding;
}

}  // namespace

namespace Base64 {

std::string Encode(const void* data, std::size_t size) {
  if (size == 0) {
    return {};
  }
  // EVP_EncodeBlock writes a terminating NUL after the text.
  std::string buffer(4 * ((size + 2) / 3) + 1, '\0');
  const int written = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(buffer.data()),
                                      static_cast<const unsigned char*>(data), static_cast<int>(size));
  buffer.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return buffer;
}

CLmError Decode(std::string_view text, KwcBucket& out) {
  out.clear();
  const int padding = paddingOf(text);
  if (padding < 0) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, EINVAL, "Text of %zu characters is not canonical Base64", text.size());
  }
  if (text.empty()) {
    return {};
  }
  KwcBucket decoded(3 * (text.size() / 4));
  const int written = EVP_DecodeBlock(decoded.data(), reinterpret_cast<const unsigned char*>(text.data()),
                                      static_cast<int>(text.size()));
  if (written < 0 || static_cast<std::size_t>(written) != decoded.size()) {
    ERR_clear_error();
    return FXErrorUtil::ErrorErrNo(CLM_HERE, EINVAL, "Base64 text could not be decoded");
  }
  // The decoder turns padding into zero bytes; they are not part of the data.
  out = KwcBucket(decoded.data(), decoded.size() - static_cast<std::size_t>(padding));
  return {};
}

}  // namespace Base64
