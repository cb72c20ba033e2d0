#include "platform/HostKey.h"

#include <fcntl.h>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "platform/Base64.h"
#include "platform/KwcBucket.h"

namespace {

constexpr std::size_t kNonceBytes = 12;
constexpr std::size_t kMaxKeyFileBytes = 64 * 1024;

// Closes a descriptor when the scope ends.
struct OpenFile {
  explicit OpenFile(int descriptor) : fd(descriptor) {}
  int fd;
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  ~OpenFile() { ::close(fd); }
};
constexpr std::size_t kTagBytes = 16;
constexpr std::string_view kEncryptedFamilyPrefix = "enc:";
constexpr std::string_view kKeyFileComment = "# clouddb host key: 256-bit AES key, 64 hexadecimal digits\n";

CLmError failure(std::string message) { return CLmError(HostKey::kFailureCode, std::move(message)); }

struct CipherContextDeleter {
  void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};
using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter>;

int hexValue(char digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
  if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
  return -1;
}

std::string_view trimmed(std::string_view line) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
  return line;
}

// The one line of digits of a key file, or a failure naming what is wrong.
CLmError keyDigits(std::string_view text, std::string_view origin, std::string& digits) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == '#') continue;
    if (!digits.empty()) {
      return failure("host key file '" + std::string(origin) + "' holds more than one key line");
    }
    digits.assign(line);
  }
  if (digits.size() != 2 * HostKey::kKeyBytes) {
    return failure("host key file '" + std::string(origin) + "' must hold 64 hexadecimal digits (a 256-bit key), found " +
                   std::to_string(digits.size()) + " characters");
  }
  return {};
}

}  // namespace

HostKey::HostKey(const KeyBytes& bytes) : bytes_(bytes) {}

HostKey::~HostKey() { OPENSSL_cleanse(bytes_.data(), bytes_.size()); }

CLmError HostKey::Generate(std::optional<HostKey>& out) {
  KeyBytes bytes{};
  if (RAND_bytes(bytes.data(), static_cast<int>(bytes.size())) != 1) {
    return failure("the system's random source gave no key");
  }
  out.emplace(bytes);
  OPENSSL_cleanse(bytes.data(), bytes.size());
  return {};
}

CLmError HostKey::FromKeyFileText(std::string_view text, std::string_view origin, std::optional<HostKey>& out) {
  std::string digits;
  CLmError error = keyDigits(text, origin, digits);
  KeyBytes bytes{};
  for (std::size_t i = 0; !error && i < kKeyBytes; ++i) {
    const int high = hexValue(digits[2 * i]);
    const int low = hexValue(digits[2 * i + 1]);
    if (high < 0 || low < 0) {
      error = failure("host key file '" + std::string(origin) + "' holds a character that is not a hexadecimal digit");
    } else {
      bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
  }
  if (!error) out.emplace(bytes);
  OPENSSL_cleanse(digits.data(), digits.size());
  OPENSSL_cleanse(bytes.data(), bytes.size());
  return error;
}

CLmError HostKey::LoadFile(const std::string& path, std::optional<HostKey>& out) {
  out.reset();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return failure("host key file '" + path + "' cannot be read: " + std::strerror(errno));
  const OpenFile closer(fd);
  struct stat status {};
  if (::fstat(fd, &status) < 0) return failure("host key file '" + path + "' cannot be read: " + std::strerror(errno));
  if (!S_ISREG(status.st_mode)) return failure("host key file '" + path + "' is not a regular file");
  // Whoever can read the key can open every secret of the configuration: like ssh with its
  // private keys, a key that group or others may read is not used.
  if ((status.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(status.st_mode & 07777));
    return failure("host key file '" + path + "' is accessible by group or others (mode " + mode +
                   "); make it readable by its owner only (chmod 600)");
  }
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return failure("host key file '" + path + "' cannot be read: " + std::strerror(errno));
    if (got == 0) break;
    // A key file is a few lines; anything much larger is not one.
    if (text.size() + static_cast<std::size_t>(got) > kMaxKeyFileBytes) {
      OPENSSL_cleanse(text.data(), text.size());
      return failure("host key file '" + path + "' is larger than a key file can be");
    }
    text.append(buffer, static_cast<std::size_t>(got));
  }
  OPENSSL_cleanse(buffer, sizeof buffer);
  CLmError error = FromKeyFileText(text, path, out);
  OPENSSL_cleanse(text.data(), text.size());
  return error;
}

std::string HostKey::toKeyFileText() const {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text(kKeyFileComment);
  for (std::uint8_t byte : bytes_) {
    text.push_back(kDigits[byte >> 4]);
    text.push_back(kDigits[byte & 0x0F]);
  }
  text.push_back('\n');
  return text;
}

CLmError HostKey::SaveFile(const std::string& path) const {
  // O_EXCL: a key file is never silently replaced, since every secret sealed under it would be lost.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return failure("host key file '" + path + "' cannot be created: " + std::strerror(errno));
  std::string text = toKeyFileText();
  const std::size_t expected = text.size();
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  const bool closed = ::close(fd) == 0;
  OPENSSL_cleanse(text.data(), text.size());
  if (written != expected || !closed) {
    return failure("host key file '" + path + "' could not be written completely");
  }
  return {};
}

bool HostKey::LooksEncrypted(std::string_view stored) { return stored.starts_with(kEncryptedFamilyPrefix); }

CLmError HostKey::encrypt(std::string_view clear, std::string& stored) const {
  std::vector<std::uint8_t> sealed(kNonceBytes + clear.size() + kTagBytes);
  std::uint8_t* nonce = sealed.data();
  std::uint8_t* cipherText = nonce + kNonceBytes;
  std::uint8_t* tag = cipherText + clear.size();
  if (RAND_bytes(nonce, static_cast<int>(kNonceBytes)) != 1) return failure("the system's random source gave no nonce");

  CipherContext context(EVP_CIPHER_CTX_new());
  int aadLength = 0;
  int length = 0;
  int finalLength = 0;
  const bool sealedOk =
      context && EVP_EncryptInit_ex(context.get(), EVP_aes_256_gcm(), nullptr, bytes_.data(), nonce) == 1 &&
      EVP_EncryptUpdate(context.get(), nullptr, &aadLength, reinterpret_cast<const unsigned char*>(kSecretPrefix.data()),
                        static_cast<int>(kSecretPrefix.size())) == 1 &&
      (clear.empty() ||
       EVP_EncryptUpdate(context.get(), cipherText, &length, reinterpret_cast<const unsigned char*>(clear.data()),
                         static_cast<int>(clear.size())) == 1) &&
      EVP_EncryptFinal_ex(context.get(), cipherText + length, &finalLength) == 1 &&
      EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_GET_TAG, static_cast<int>(kTagBytes), tag) == 1;
  if (!sealedOk) return failure("the secret could not be encrypted");
  stored = std::string(kSecretPrefix) + Base64::Encode(sealed.data(), sealed.size());
  return {};
}

CLmError HostKey::decrypt(std::string_view stored, std::string& clear) const {
  if (!stored.starts_with(kSecretPrefix)) {
    return failure("the value is not an encrypted secret (expected the '" + std::string(kSecretPrefix) + "' prefix)");
  }
  KwcBucket sealed;
  if (Base64::Decode(stored.substr(kSecretPrefix.size()), sealed)) {
    return failure("the encrypted secret is damaged (its text is not base64)");
  }
  if (sealed.size() < kNonceBytes + kTagBytes) return failure("the encrypted secret is truncated");

  const std::size_t cipherLength = sealed.size() - kNonceBytes - kTagBytes;
  const std::uint8_t* nonce = sealed.data();
  const std::uint8_t* cipherText = nonce + kNonceBytes;
  std::uint8_t* tag = sealed.data() + kNonceBytes + cipherLength;
  KwcBucket opened(cipherLength);

  CipherContext context(EVP_CIPHER_CTX_new());
  int aadLength = 0;
  int length = 0;
  int finalLength = 0;
  const bool openedOk =
      context && EVP_DecryptInit_ex(context.get(), EVP_aes_256_gcm(), nullptr, bytes_.data(), nonce) == 1 &&
      EVP_DecryptUpdate(context.get(), nullptr, &aadLength, reinterpret_cast<const unsigned char*>(kSecretPrefix.data()),
                        static_cast<int>(kSecretPrefix.size())) == 1 &&
      (cipherLength == 0 ||
       EVP_DecryptUpdate(context.get(), opened.data(), &length, cipherText, static_cast<int>(cipherLength)) == 1) &&
      EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_TAG, static_cast<int>(kTagBytes), tag) == 1 &&
      EVP_DecryptFinal_ex(context.get(), opened.data() + length, &finalLength) == 1;
  // GCM checks the tag only in the final step, so nothing of a refused value leaves this function.
  if (!openedOk) {
    return failure("the encrypted secret does not open with this host key (changed, cut short, or sealed under another key)");
  }
  clear = opened.toText();
  return {};
}
