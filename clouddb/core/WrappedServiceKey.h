#pragma once
// Google Cloud service-account keys that the platform stores wrapped.
//
// A virtual server's key-file setting holds either a ".p12" file name or a wrapped key: one marker
// character, then the hexadecimal text of an RFC 3394 AES key wrap under the SHA-256 digest of
// kServiceKeyWrapPassphrase. Both Google providers read keys this way, so the passphrase lives
// here only.
#include <string>
#include <string_view>

#include "platform/CLmError.h"

namespace clouddb {

// The 38-character braced GUID the platform derives its key-wrapping key from.
inline constexpr std::string_view kServiceKeyWrapPassphrase = "{4ab08fcc-ea4c-4071-b153-89025e6a454d}";

// True when the key-file text names a key file (".p12") rather than holding a wrapped key.
bool namesKeyFile(std::string_view keyFileText);

// Unwraps a wrapped key-file text into its key material. A text that is empty, whose hexadecimal
// part is not hexadecimal or has an odd length, or whose integrity check fails is a 774 failure
// that says which, and leaves keyMaterial empty: garbage never reaches the cloud client.
CLmError unwrapServiceKey(std::string_view wrappedText, std::string& keyMaterial);

}  // namespace clouddb
