#pragma once
// Kwc: digest and hexadecimal helpers of the host's crypto library.
#include <cstddef>
#include <string_view>

#include "platform/CLmError.h"
#include "platform/KwcBucket.h"

namespace Kwc {

inline constexpr std::size_t kSha256Length = 32;

// The 32-byte SHA-256 digest of data. Used to derive keys, hence held in a bucket.
KwcBucket sha256(std::string_view data);
KwcBucket sha256(const KwcBucket& data);

// Decodes hexadecimal text (either case, no separators) into bytes. A text of odd length or
// with a character that is not a hexadecimal digit is a failure (EINVAL) and leaves out empty.
CLmError hex2bin(std::string_view text, KwcBucket& out);

}  // namespace Kwc
