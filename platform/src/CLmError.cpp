#include "platform/CLmError.h"

#include <utility>

CLmError::CLmError(std::int64_t code, std::string message) : code_(code), message_(std::move(message)) {}

CLmError::CLmError(std::int64_t code, std::string message, CLmLocation where)
    : code_(code), message_(std::move(message)) {
  stack_.push_back(std::move(where));
}

CLmError::CLmError(Kind kind, std::int64_t systemCode, std::string message, CLmLocation where)
    : code_(systemCode > 0 ? -systemCode : systemCode),
      message_(std::move(message)),
      kind_(kind),
      systemCode_(systemCode) {
  stack_.push_back(std::move(where));
}

CLmError& CLmError::Push(CLmLocation where) {
  stack_.push_back(std::move(where));
  return *this;
}

std::string CLmError::AsString() const {
  if (!IsFailure()) {
    return message_.empty() ? "Success" : message_;
  }
  return message_ + " [code " + std::to_string(code_) + "]";
}
