#pragma once
// Base64 (RFC 4648, standard alphabet, '=' padding) for keys and signatures.
//
// Decode accepts only canonical text: a length that is a multiple of 4, characters of the
// alphabet, and at most two '=' at the very end. Blanks, line ends and anything else are refused
// (EINVAL) and leave out empty.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/CLmError.h"
#include "platform/KwcBucket.h"

namespace Base64 {

std::string Encode(const void* data, std::size_t size);
inline std::string Encode(std::string_view bytes) { return Encode(bytes.data(), bytes.size()); }
inline std::string Encode(const KwcBucket& bytes) { return Encode(bytes.data(), bytes.size()); }

CLmError Decode(std::string_view text, KwcBucket& out);

}  // namespace Base64
