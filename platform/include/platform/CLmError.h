#pragma once
// CLmError: the host's small error value, returned everywhere instead of thrown.
//
// Contract:
//  - A default-made value is success: code 0, empty message, empty stack.
//  - A negative code is a failure. Values made by FXErrorUtil carry the negated system code
//    (ErrorErrNo(loc, 774, ...) has code -774) and remember the kind and the positive system code.
//  - Push adds a call location while the error travels up; the stack lists the innermost first.
//  - AsString gives the one-line printable text that log lines quote.
#include <cstdint>
#include <string>
#include <vector>

struct CLmLocation {
  std::string file;
  std::string function;
  int line = 0;

  bool operator==(const CLmLocation&) const = default;
};

// The location of the current line, for Push and FXErrorUtil.
#define CLM_HERE (CLmLocation{__FILE__, __PRETTY_FUNCTION__, __LINE__})

class CLmError {
 public:
  enum class Kind { None, ErrNo, Win32 };

  CLmError() = default;
  CLmError(std::int64_t code, std::string message);
  CLmError(std::int64_t code, std::string message, CLmLocation where);
  CLmError(Kind kind, std::int64_t systemCode, std::string message, CLmLocation where);

  std::int64_t code() const { return code_; }
  const std::string& message() const { return message_; }
  Kind kind() const { return kind_; }
  // The positive code the error was built with (774, 1359, ...); 0 for plain values.
  std::int64_t systemCode() const { return systemCode_; }
  const std::vector<CLmLocation>& stack() const { return stack_; }

  bool IsFailure() const { return code_ < 0; }
  bool IsSuccess() const { return code_ >= 0; }
  explicit operator bool() const { return IsFailure(); }

  CLmError& Push(CLmLocation where);
  // "<message> [code <code>]" for failures, "Success" for success.
  std::string AsString() const;

  bool operator==(const CLmError&) const = default;

 private:
  std::int64_t code_ = 0;
  std::string message_;
  Kind kind_ = Kind::None;
  std::int64_t systemCode_ = 0;
  std::vector<CLmLocation> stack_;
};
