#pragma once
// Messages of the Security family (module 20): a user with a password object.
#include <string>
#include <utility>

#include "platform/CNMessageBase.h"

namespace Security {

class UserPassword : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{20, 0};
  static const msg::MessageType kType;
  static constexpr int kUser = 1;
  static constexpr int kPassword = 5;

  UserPassword() : CNMessageBase(kType) {}
  std::string user() const { return getstring(kUser); }
  void setUser(std::string text) { setstring(kUser, std::move(text)); }
  msg::PasswordString password() const { return getpstringobject(kPassword); }
  void setPassword(msg::PasswordString secret) { setpstringobject(kPassword, std::move(secret)); }
};

}  // namespace Security
