#include "platform/config/Instance.h"

#include "ConfigAccess.h"
#include "platform/PlatformConfiguration.h"

Instance::Instance(std::uint64_t instanceId) : instanceId_(instanceId) {
  const PlatformConfiguration* configuration = config::detail::installedConfiguration();
  if (configuration == nullptr) {
    status_ = config::kNoConfiguration;
    return;
  }
  record_ = configuration->findInstance(instanceId);
  status_ = record_ != nullptr ? config::kOk : config::kObjectNotFound;
}

Instance::Instance(std::uint64_t instanceId, config::InstanceKind kind, std::optional<std::uint64_t> instanceType)
    : Instance(instanceId) {
  if (record_ == nullptr) return;
  if (record_->kind != kind || (instanceType && record_->instanceType != instanceType)) {
    record_ = nullptr;
    status_ = config::kWrongKind;
  }
}

int Instance::getInstanceName(std::string& name, void*) const {
  if (record_ == nullptr) return status_;
  name = record_->name;
  return config::kOk;
}

int Instance::getInstanceType(std::uint64_t& type, void*) const { return read(&config::InstanceRecord::instanceType, type); }

std::string Instance::getErrorMessage(int code) { return config::describeStatus(code); }

int Instance::readDecrypted(const std::optional<std::string> config::InstanceRecord::*member, std::string& out) const {
  std::string stored;
  const int result = read(member, stored);
  if (result != config::kOk) return result;
  return config::detail::decryptSecret(stored, out);
}
