#pragma once
// The failures of the host connection, its console side and the listener.
//
// Every failure is a CLmError of kind ErrNo whose system code is one of the errno values below
// (so its code is the negated value). Callers that must tell failures apart compare
// CLmError::systemCode() with these names; the message says what happened in words.
#include <cerrno>
#include <string>
#include <utility>

#include "platform/CLmError.h"

namespace kwnet {

inline constexpr int kTimedOut = ETIMEDOUT;         // the peer sent or took nothing in time
inline constexpr int kPeerClosed = ECONNRESET;      // the peer closed between frames
inline constexpr int kFrameCutShort = EPROTO;       // the peer closed inside a frame
inline constexpr int kFrameTooLarge = EMSGSIZE;     // a frame above the size limit
inline constexpr int kUnknownTag = ENOMSG;          // a tag id no message type is registered for
inline constexpr int kBadMessageText = EBADMSG;     // a payload that is not the tag's XML message
inline constexpr int kConnectionUnusable = EPIPE;   // an earlier failure left this direction unusable
inline constexpr int kConnectionClosed = EBADF;     // the connection was shut down or never opened
inline constexpr int kInvalidArgument = EINVAL;     // a null message, an address that cannot be used

inline CLmError networkError(int code, std::string message, CLmLocation where) {
  return CLmError(CLmError::Kind::ErrNo, code, std::move(message), std::move(where));
}

// A failure of a system call, carrying its errno and its text.
CLmError systemCallError(const char* what, int savedErrno, CLmLocation where);

}  // namespace kwnet
