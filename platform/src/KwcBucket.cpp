#include "platform/KwcBucket.h"

#include <openssl/crypto.h>

#include <cstring>

void kwc_detail::wipe(void* data, std::size_t size) {
  if (data != nullptr && size > 0) {
    OPENSSL_cleanse(data, size);
  }
}

KwcBucket::KwcBucket(const void* data, std::size_t size) : bytes_(size) {
  if (size > 0) {
    std::memcpy(bytes_.data(), data, size);
  }
}

void KwcBucket::resize(std::size_t size) {
  kwc_detail::wipe(bytes_.data(), bytes_.size());
  bytes_.assign(size, 0);
}

void KwcBucket::clear() {
  kwc_detail::wipe(bytes_.data(), bytes_.size());
  bytes_.clear();
  bytes_.shrink_to_fit();
}

std::string_view KwcBucket::view() const {
  return std::string_view(reinterpret_cast<const char*>(bytes_.data()), bytes_.size());
}
