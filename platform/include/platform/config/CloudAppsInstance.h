#pragma once
// CloudAppsInstance: a cloud-application backup instance (kind "cloudApps") and its kinds, one
// per instance type: RDSInstance (4), AmazonDynamoDBInstance (22), AmazonRedshiftInstance (26),
// AmazonDocumentDBInstance (27), GoogleCloudSpannerInstance (37). A kind made for an instance
// of another type answers config::kWrongKind from every getter.
//
// The secret key and the Azure password are handed out encrypted, as stored.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/config/Instance.h"

class CloudAppsInstance : public Instance {
 public:
  explicit CloudAppsInstance(std::uint64_t instanceId);

  int getAccessKey(std::string& accessKey, void* context = nullptr) const;
  int getSecretKey(std::string& secretKey, void* context = nullptr) const;
  // The region end points as a list, or as one text joined with ",".
  int getRegionEndPoints(std::vector<std::string>& regions, void* context = nullptr) const;
  int getRegionEndPoints(std::string& regions, void* context = nullptr) const;
  int getAzureSubscriptionId(std::string& subscriptionId, void* context = nullptr) const;
  int getAzureTenantId(std::string& tenantId, void* context = nullptr) const;
  // The service principal's application id.
  int getAzureUserName(std::string& userName, void* context = nullptr) const;
  int getAzurePassword(std::string& password, void* context = nullptr) const;

 protected:
  CloudAppsInstance(std::uint64_t instanceId, std::uint64_t instanceType);
};

class RDSInstance : public CloudAppsInstance {
 public:
  static constexpr std::uint64_t kInstanceType = 4;
  explicit RDSInstance(std::uint64_t instanceId) : CloudAppsInstance(instanceId, kInstanceType) {}
};

class AmazonDynamoDBInstance : public CloudAppsInstance {
 public:
  static constexpr std::uint64_t kInstanceType = 22;
  explicit AmazonDynamoDBInstance(std::uint64_t instanceId) : CloudAppsInstance(instanceId, kInstanceType) {}
};

class AmazonRedshiftInstance : public CloudAppsInstance {
 public:
  static constexpr std::uint64_t kInstanceType = 26;
  explicit AmazonRedshiftInstance(std::uint64_t instanceId) : CloudAppsInstance(instanceId, kInstanceType) {}
};

class AmazonDocumentDBInstance : public CloudAppsInstance {
 public:
  static constexpr std::uint64_t kInstanceType = 27;
  explicit AmazonDocumentDBInstance(std::uint64_t instanceId) : CloudAppsInstance(instanceId, kInstanceType) {}
};

class GoogleCloudSpannerInstance : public CloudAppsInstance {
 public:
  static constexpr std::uint64_t kInstanceType = 37;
  explicit GoogleCloudSpannerInstance(std::uint64_t instanceId) : CloudAppsInstance(instanceId, kInstanceType) {}
};
