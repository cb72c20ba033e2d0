#include "platform/config/InstanceTypeVirtualServer.h"

using config::InstanceRecord;

InstanceTypeVirtualServer::InstanceTypeVirtualServer(std::uint64_t instanceId)
    : Instance(instanceId, config::InstanceKind::VirtualServer, std::nullopt) {}

int InstanceTypeVirtualServer::getVirtualServerHost(std::string& host, void*) const {
  return read(&InstanceRecord::host, host);
}

int InstanceTypeVirtualServer::getVirtualServerUser(std::string& user, void*) const {
  return read(&InstanceRecord::user, user);
}

int InstanceTypeVirtualServer::getVirtualServerPassword(std::string& password, bool encrypted, void*) const {
  return encrypted ? read(&InstanceRecord::password, password) : readDecrypted(&InstanceRecord::password, password);
}

int InstanceTypeVirtualServer::getAmazonAccessKey(std::string& accessKey, void*) const {
  return read(&InstanceRecord::amazonAccessKey, accessKey);
}

int InstanceTypeVirtualServer::getAmazonSecretKey(std::string& secretKey, void*) const {
  return readDecrypted(&InstanceRecord::amazonSecretKey, secretKey);
}

int InstanceTypeVirtualServer::getAlibabaAccessKey(std::string& accessKey, void*) const {
  return read(&InstanceRecord::alibabaAccessKey, accessKey);
}

int InstanceTypeVirtualServer::getAlibabaSecretKey(std::string& secretKey, void*) const {
  return read(&InstanceRecord::alibabaSecretKey, secretKey);
}

int InstanceTypeVirtualServer::getAzureSubscriptionId(std::string& subscriptionId, void*) const {
  return read(&InstanceRecord::azureSubscriptionId, subscriptionId);
}

int InstanceTypeVirtualServer::getAzureTenantId(std::string& tenantId, void*) const {
  return read(&InstanceRecord::azureTenantId, tenantId);
}

int InstanceTypeVirtualServer::getGoogleCloudServiceAccountId(std::string& serviceAccountId, void*) const {
  return read(&InstanceRecord::googleServiceAccountId, serviceAccountId);
}
