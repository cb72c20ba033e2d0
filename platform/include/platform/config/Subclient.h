#pragma once
// The subclient objects, made from a subclient id: CloudAppsSubclient and
// AmazonDynamoDBSubclient (getDynamicContent: the content rules), GoogleCloudSpannerSubclient
// (getSubclientInfo) and OracleCloudSubclient (getContentXML). Each reads its own content member
// of the subclient; a subclient that has none answers config::kValueNotSet.
//
// Getters follow the rules of Instance.h: config::kOk and the out-argument filled, or a non-zero
// code and the out-argument untouched.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/config/ConfigStatus.h"
#include "platform/config/ConfigurationRecords.h"

class Subclient {
 public:
  explicit Subclient(std::uint64_t subclientId);
  virtual ~Subclient() = default;
  Subclient(const Subclient&) = default;
  Subclient& operator=(const Subclient&) = default;

  std::uint64_t getSubclientId() const { return subclientId_; }
  // config::kOk when the object names a configured subclient.
  int status() const { return status_; }

  int getSubclientName(std::string& name, void* context = nullptr) const;
  int getBackupSetId(std::uint64_t& backupSetId, void* context = nullptr) const;
  // The instance that owns the subclient's backup set (kValueNotSet when it has none).
  int getInstanceId(std::uint64_t& instanceId, void* context = nullptr) const;

 protected:
  int read(const std::optional<std::string> config::SubclientRecord::*member, std::string& out) const;

 private:
  std::uint64_t subclientId_;
  const config::SubclientRecord* record_ = nullptr;
  const config::InstanceRecord* owner_ = nullptr;
  int status_ = config::kObjectNotFound;
};

class CloudAppsSubclient : public Subclient {
 public:
  explicit CloudAppsSubclient(std::uint64_t subclientId) : Subclient(subclientId) {}
  // The content rules: one CloudDBEntity as XML text.
  int getDynamicContent(std::string& content, void* context = nullptr) const;
};

class AmazonDynamoDBSubclient : public CloudAppsSubclient {
 public:
  explicit AmazonDynamoDBSubclient(std::uint64_t subclientId) : CloudAppsSubclient(subclientId) {}
};

class GoogleCloudSpannerSubclient : public Subclient {
 public:
  explicit GoogleCloudSpannerSubclient(std::uint64_t subclientId) : Subclient(subclientId) {}
  // The subclient's settings as XML text.
  int getSubclientInfo(std::string& info, void* context = nullptr) const;
};

class OracleCloudSubclient : public Subclient {
 public:
  explicit OracleCloudSubclient(std::uint64_t subclientId) : Subclient(subclientId) {}
  // The content entries as XML text.
  int getContentXML(std::string& content, void* context = nullptr) const;
};
