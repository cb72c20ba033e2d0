#pragma once
// HostKey: the 256-bit key the host holds to protect the secrets of its configuration.
//
// Secrets are stored as the text "enc:v1:<base64 of nonce | ciphertext | tag>", sealed with
// AES-256-GCM under this key (a fresh 96-bit nonce per secret, a 128-bit tag, the prefix bound in
// as associated data). decrypt answers the clear text or a failure, never garbage: a value that
// is not encrypted, damaged base64, a cut-short value, a changed byte and a value sealed under
// another key are all refused with a reason that names no part of the secret.
//
// Key file: one line of 64 hexadecimal digits (either case). Blank lines and lines that start
// with '#' are ignored, so a file may say what it is for. Any other content, or another number of
// digits, is refused with the file's path and what is wrong.
//
// The key bytes are wiped when a HostKey dies. A HostKey is immutable once made; copies are
// independent.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/CLmError.h"

class HostKey {
 public:
  static constexpr std::size_t kKeyBytes = 32;
  static constexpr std::string_view kSecretPrefix = "enc:v1:";
  // Every failure of this class carries this code.
  static constexpr std::int64_t kFailureCode = -13;

  using KeyBytes = std::array<std::uint8_t, kKeyBytes>;

  explicit HostKey(const KeyBytes& bytes);
  HostKey(const HostKey&) = default;
  HostKey& operator=(const HostKey&) = default;
  ~HostKey();

  // A new key from the system's random source.
  static CLmError Generate(std::optional<HostKey>& out);
  // The key written in the key-file format (see above); origin names the text in failures.
  static CLmError FromKeyFileText(std::string_view text, std::string_view origin, std::optional<HostKey>& out);
  static CLmError LoadFile(const std::string& path, std::optional<HostKey>& out);

  // The key-file text of this key: a comment line, then the 64 digits and a newline.
  std::string toKeyFileText() const;
  // Writes the key file readable by its owner only; refuses to replace an existing file.
  CLmError SaveFile(const std::string& path) const;

  // Whether a stored text claims to be an encrypted secret (carries the "enc:" family prefix).
  static bool LooksEncrypted(std::string_view stored);

  CLmError encrypt(std::string_view clear, std::string& stored) const;
  // Fills clear only on success.
  CLmError decrypt(std::string_view stored, std::string& clear) const;

 private:
  KeyBytes bytes_;
};
