#pragma once
// vsAppMgr: the host's application manager: the settings of one instance (its host credential
// records) and the decryption of stored secrets.
//
//  - querySettingsForInstance loads the instance's credential records, their passwords
//    decrypted; an unknown instance, or a password that does not decrypt, is a failure and
//    leaves no settings loaded. An instance without settings loads an empty list.
//  - getCredentials replaces the caller's list with the loaded records (config::kOk), or answers
//    config::kNoSettingsQueried when no query succeeded since construction or the last reset.
//  - resetCredentials forgets the loaded records.
//  - decryptPassword opens a stored secret with the host key; on failure clear is untouched.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/config/SHostCredentials.h"

class vsAppMgr {
 public:
  vsAppMgr() = default;
  ~vsAppMgr();
  vsAppMgr(const vsAppMgr&) = delete;
  vsAppMgr& operator=(const vsAppMgr&) = delete;

  int querySettingsForInstance(std::uint64_t instanceId);
  int getCredentials(std::vector<SHostCredentials>& credentials) const;
  void resetCredentials();

  static int decryptPassword(std::string_view encrypted, std::string& clear);

 private:
  std::optional<std::vector<SHostCredentials>> credentials_;
};
