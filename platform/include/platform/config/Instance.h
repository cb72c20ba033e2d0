#pragma once
// Instance: a configured instance of any kind, made from its id; the base of the instance
// classes (CloudAppsInstance and its kinds, InstanceTypeVirtualServer, the Oracle instances).
//
// The object looks its record up in the configuration of the current HostEnvironment when it is
// made. A missing configuration, an unknown id or a record of another class make every getter
// answer that reason (status()); nothing throws. Getters take their out-argument and a context
// pointer that callers pass as null, answer config::kOk and fill the out-argument, or a non-zero
// config::ConfigStatus and leave it untouched.
//
// Secrets are handed out as stored (encrypted) unless a getter says otherwise; callers decrypt
// them with vsAppMgr::decryptPassword.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/config/ConfigStatus.h"
#include "platform/config/ConfigurationRecords.h"

class Instance {
 public:
  // Any configured instance, of whatever kind.
  explicit Instance(std::uint64_t instanceId);
  virtual ~Instance() = default;
  Instance(const Instance&) = default;
  Instance& operator=(const Instance&) = default;

  std::uint64_t getInstanceId() const { return instanceId_; }
  // config::kOk when the object names a configured instance of its class.
  int status() const { return status_; }

  int getInstanceName(std::string& name, void* context = nullptr) const;
  int getInstanceType(std::uint64_t& type, void* context = nullptr) const;

  // The text of a result code, for log lines.
  static std::string getErrorMessage(int code);

 protected:
  // An instance of one kind; a type given as well must match the record's instance type.
  Instance(std::uint64_t instanceId, config::InstanceKind kind, std::optional<std::uint64_t> instanceType);

  // The record, or null when status() is not kOk.
  const config::InstanceRecord* record() const { return record_; }
  // Reads one optional member of the record.
  template <typename T>
  int read(const std::optional<T> config::InstanceRecord::*member, T& out) const {
    if (record_ == nullptr) return status_;
    const std::optional<T>& value = record_->*member;
    if (!value) return config::kValueNotSet;
    out = *value;
    return config::kOk;
  }
  // Reads a secret member and hands it out decrypted with the host key.
  int readDecrypted(const std::optional<std::string> config::InstanceRecord::*member, std::string& out) const;

 private:
  std::uint64_t instanceId_;
  const config::InstanceRecord* record_ = nullptr;
  int status_ = config::kObjectNotFound;
};
