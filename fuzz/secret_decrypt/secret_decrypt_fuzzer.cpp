// Stored secrets under the example host key: any stored text decrypts to its clear text or is
// refused, never decrypts to garbage and never reads outside its buffers; any clear text sealed
// under the key comes back unchanged.
//
// Input: the stored text as the configuration would hold it ("enc:v1:..." or anything else).
#include <array>
#include <cstring>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "platform/HostEnvironment.h"
#include "platform/HostKey.h"
#include "platform/config/ConfigStatus.h"
#include "platform/config/KWPassword.h"

namespace {

using fuzzsupport::require;

// The read-only key of every run, read once.
const HostKey& exampleKey() {
  static const HostKey key = [] {
    std::optional<HostKey> loaded;
    const CLmError error = HostKey::FromKeyFileText(fuzzsupport::exampleFile("host.key"), "examples/host.key", loaded);
    require(!error.IsFailure() && loaded.has_value(), "the example host key loads");
    return *loaded;
  }();
  return key;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const HostKey& key = exampleKey();
  const std::string_view stored = fuzzsupport::asText(data, size);

  std::string clear;
  const CLmError decrypted = key.decrypt(stored, clear);
  require(decrypted.IsFailure() || HostKey::LooksEncrypted(stored), "only an encrypted text decrypts");
  if (decrypted.IsFailure()) {
    require(clear.empty(), "a refused text gives no clear text");
  }

  // The host's own decryption into a caller's buffer, through the installed environment.
  HostEnvironment environment;
  environment.hostKey = &key;
  const HostEnvironment::Installation installed(environment);
  std::array<char, KWPassword::kBufferBytes> buffer{};
  buffer.fill('x');
  const int status = KWPassword::decrypt(stored, buffer.data(), buffer.size());
  const std::size_t length = ::strnlen(buffer.data(), buffer.size());
  require(length < buffer.size(), "the buffer always ends with a NUL");
  if (status == config::kOk) {
    // A C buffer ends at the first NUL, whatever the clear text holds after it.
    require(!decrypted.IsFailure() && std::string_view(buffer.data(), length) == clear.substr(0, clear.find('\0')),
            "the host's decryption gives the key's clear text");
  } else {
    require(length == 0, "a failed decryption leaves the buffer empty");
  }

  // Sealing the input as a clear text and opening it again gives it back.
  std::string sealed;
  require(!key.encrypt(stored, sealed).IsFailure(), "any clear text can be sealed");
  std::string opened;
  require(!key.decrypt(sealed, opened).IsFailure() && opened == stored, "a sealed text opens to itself");
  return 0;
}
