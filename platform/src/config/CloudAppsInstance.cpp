#include "platform/config/CloudAppsInstance.h"

using config::InstanceRecord;

CloudAppsInstance::CloudAppsInstance(std::uint64_t instanceId)
    : Instance(instanceId, config::InstanceKind::CloudApps, std::nullopt) {}

CloudAppsInstance::CloudAppsInstance(std::uint64_t instanceId, std::uint64_t instanceType)
    : Instance(instanceId, config::InstanceKind::CloudApps, instanceType) {}

int CloudAppsInstance::getAccessKey(std::string& accessKey, void*) const {
  return read(&InstanceRecord::accessKey, accessKey);
}

int CloudAppsInstance::getSecretKey(std::string& secretKey, void*) const {
  return read(&InstanceRecord::secretKey, secretKey);
}

int CloudAppsInstance::getRegionEndPoints(std::vector<std::string>& regions, void*) const {
  return read(&InstanceRecord::regionEndPoints, regions);
}

int CloudAppsInstance::getRegionEndPoints(std::string& regions, void* context) const {
  std::vector<std::string> list;
  const int result = getRegionEndPoints(list, context);
  if (result != config::kOk) return result;
  std::string joined;
  for (const std::string& region : list) {
    if (!joined.empty()) joined += ',';
    joined += region;
  }
  regions = std::move(joined);
  return config::kOk;
}

int CloudAppsInstance::getAzureSubscriptionId(std::string& subscriptionId, void*) const {
  return read(&InstanceRecord::azureSubscriptionId, subscriptionId);
}

int CloudAppsInstance::getAzureTenantId(std::string& tenantId, void*) const {
  return read(&InstanceRecord::azureTenantId, tenantId);
}

int CloudAppsInstance::getAzureUserName(std::string& userName, void*) const {
  return read(&InstanceRecord::azureUserName, userName);
}

int CloudAppsInstance::getAzurePassword(std::string& password, void*) const {
  return read(&InstanceRecord::azurePassword, password);
}
