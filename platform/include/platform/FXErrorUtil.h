#pragma once
// FXErrorUtil: builds the failure values that travel up as CLmError.
//
// ErrorErrNo and ErrorWin32 take the location, the positive system code (774, 1359, 13, ...) and
// a printf format for the message. The value they make has the negated code (774 gives -774),
// remembers the kind and the positive code, and starts its stack with the location.
// A code of 0 names no failure, yet the caller asked for one: such a value is still a failure,
// with code -1 and no kind, so it can never be taken for success.
#include <cstdint>

#include "platform/CLmError.h"

namespace FXErrorUtil {

CLmError ErrorErrNo(const CLmLocation& where, std::int64_t code, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
CLmError ErrorWin32(const CLmLocation& where, std::int64_t code, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

}  // namespace FXErrorUtil
