#pragma once
// InstanceTypeVirtualServer: a cloud account configured as a virtual server (section
// "virtualServers"; instance types 301 Amazon, 402/403 Azure, 1301 Google, 1401 Alibaba).
//
// Which secrets come out in clear: the Amazon secret key is handed out decrypted (its callers
// connect with it as read); the Alibaba secret key is handed out encrypted (its callers decrypt
// it); the password follows the caller's flag.
#include <cstdint>
#include <string>

#include "platform/config/Instance.h"

class InstanceTypeVirtualServer : public Instance {
 public:
  explicit InstanceTypeVirtualServer(std::uint64_t instanceId);

  int getVirtualServerHost(std::string& host, void* context = nullptr) const;
  int getVirtualServerUser(std::string& user, void* context = nullptr) const;
  // encrypted true: the password as stored; false: decrypted with the host key.
  int getVirtualServerPassword(std::string& password, bool encrypted, void* context = nullptr) const;
  int getAmazonAccessKey(std::string& accessKey, void* context = nullptr) const;
  int getAmazonSecretKey(std::string& secretKey, void* context = nullptr) const;
  int getAlibabaAccessKey(std::string& accessKey, void* context = nullptr) const;
  int getAlibabaSecretKey(std::string& secretKey, void* context = nullptr) const;
  int getAzureSubscriptionId(std::string& subscriptionId, void* context = nullptr) const;
  int getAzureTenantId(std::string& tenantId, void* context = nullptr) const;
  int getGoogleCloudServiceAccountId(std::string& serviceAccountId, void* context = nullptr) const;
};
