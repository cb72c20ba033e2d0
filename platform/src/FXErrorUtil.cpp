#include "platform/FXErrorUtil.h"

#include <cstdarg>
#include <string>
#include <utility>

#include "platform/FXString.h"

namespace {

// Code 0 would read as success although the caller is reporting a failure.
constexpr std::int64_t kUnnamedFailureCode = -1;

CLmError makeFailure(CLmError::Kind kind, const CLmLocation& where, std::int64_t code, std::string message) {
  if (code == 0) {
    return CLmError(kUnnamedFailureCode, std::move(message), where);
  }
  return CLmError(kind, code, std::move(message), where);
}

}  // namespace

namespace FXErrorUtil {

CLmError ErrorErrNo(const CLmLocation& where, std::int64_t code, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string message = FXString::FormatV(format, args);
  va_end(args);
  return makeFailure(CLmError::Kind::ErrNo, where, code, std::move(message));
}

CLmError ErrorWin32(const CLmLocation& where, std::int64_t code, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string message = FXString::FormatV(format, args);
  va_end(args);
  return makeFailure(CLmError::Kind::Win32, where, code, std::move(message));
}

}  // namespace FXErrorUtil
