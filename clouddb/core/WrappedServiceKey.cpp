#include "clouddb/core/WrappedServiceKey.h"

#include "platform/FXErrorUtil.h"
#include "platform/Kwc.h"
#include "platform/KwcAES.h"
#include "platform/KwcBucket.h"
#include "platform/KwcKeyWrap.h"

namespace clouddb {

namespace {
constexpr const char* kNotHex = "The wrapped service-account key is not an even-length hexadecimal text";
constexpr const char* kDoesNotUnwrap = "The wrapped service-account key does not unwrap: %s";
}  // namespace

bool namesKeyFile(std::string_view keyFileText) {
  return keyFileText.find(".p12") != std::string_view::npos;
}

CLmError unwrapServiceKey(std::string_view wrappedText, std::string& keyMaterial) {
  keyMaterial.clear();
  // The first character is the platform's marker, not part of the hexadecimal text.
  const std::string_view hex = wrappedText.empty() ? wrappedText : wrappedText.substr(1);
  KwcBucket wrapped;
  if (hex.empty() || Kwc::hex2bin(hex, wrapped).IsFailure()) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, 774, "%s", kNotHex);
  }
  KwcAES aes;
  if (CLmError keyError = aes.setKey(Kwc::sha256(kServiceKeyWrapPassphrase)); keyError.IsFailure()) {
    return keyError.Push(CLM_HERE);
  }
  KwcBucket plain;
  if (CLmError unwrapError = KwcKeyWrap(aes).unWrap(wrapped, plain); unwrapError.IsFailure()) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, 774, kDoesNotUnwrap, unwrapError.message().c_str());
  }
  keyMaterial = plain.toText();
  return {};
}

}  // namespace clouddb
