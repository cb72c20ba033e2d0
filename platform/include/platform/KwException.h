#pragma once
// KwException: what host helpers throw on a hard failure. Only the two large handlers catch it,
// inside the function that throws, so it never leaves an entry point.
#include <cstdint>
#include <exception>
#include <string>

#include "platform/CLmError.h"

class KwException : public std::exception {
 public:
  KwException(std::string message, std::string file, std::string function, int line, std::int64_t code);

  // The message, as given.
  const char* what() const noexcept override { return message_.c_str(); }

  const std::string& message() const { return message_; }
  const std::string& file() const { return file_; }
  const std::string& function() const { return function_; }
  int line() const { return line_; }
  std::int64_t code() const { return code_; }
  CLmLocation location() const { return CLmLocation{file_, function_, line_}; }

 private:
  std::string message_;
  std::string file_;
  std::string function_;
  int line_;
  std::int64_t code_;
};
