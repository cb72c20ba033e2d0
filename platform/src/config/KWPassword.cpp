#include "platform/config/KWPassword.h"

#include <openssl/crypto.h>

#include <cstring>
#include <string>

#include "ConfigAccess.h"
#include "platform/config/ConfigStatus.h"

int KWPassword::decrypt(std::string_view encrypted, char* buffer, std::size_t length) {
  if (buffer == nullptr || length == 0) return config::kBufferTooSmall;
  buffer[0] = '\0';
  std::string clear;
  int status = config::detail::decryptSecret(encrypted, clear);
  if (status == config::kOk && clear.size() + 1 > length) status = config::kBufferTooSmall;
  if (status == config::kOk) std::memcpy(buffer, clear.c_str(), clear.size() + 1);
  OPENSSL_cleanse(clear.data(), clear.size());
  return status;
}
