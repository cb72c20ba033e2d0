#pragma once
// The Oracle Cloud instances: OracleCloudInstance (classic services, kind "oracleCloud") and
// OracleCloudInfraInstance (infrastructure, kind "oracleCloudInfra"). The passwords are handed
// out encrypted, as stored.
#include <cstdint>
#include <string>

#include "platform/config/Instance.h"

class OracleCloudInstance : public Instance {
 public:
  explicit OracleCloudInstance(std::uint64_t instanceId);

  int getEndpointURL(std::string& url, void* context = nullptr) const;
  int getUserName(std::string& userName, void* context = nullptr) const;
  int getUserPassword(std::string& password, void* context = nullptr) const;
};

class OracleCloudInfraInstance : public Instance {
 public:
  explicit OracleCloudInfraInstance(std::uint64_t instanceId);

  int getOracleCloudInfrastructureTenancyId(std::string& tenancyId, void* context = nullptr) const;
  int getOracleCloudInfrastructurePrivateKeyPassword(std::string& password, void* context = nullptr) const;
  int getOracleCloudInfrastructureUserId(std::string& userId, void* context = nullptr) const;
  int getOracleCloudInfrastructurePrivateKeyFileName(std::string& fileName, void* context = nullptr) const;
  int getOracleCloudInfrastructureFingerPrint(std::string& fingerprint, void* context = nullptr) const;
  int getOracleCloudInfrastructureRegionName(std::string& regionName, void* context = nullptr) const;
};
