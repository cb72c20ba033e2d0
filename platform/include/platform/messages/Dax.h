#pragma once
// Messages of the Dax family (module 22): the Oracle Cloud database-service request, its response
// and the service description with its sub-objects. Field tables are in
// src/MessageTypesDax.cpp and docs/messages.md; the names of fields whose meaning belongs to the
// provider's record say which record slot they feed.
#include <cstdint>
#include <string>
#include <utility>

#include "platform/CNMessageBase.h"
#include "platform/messages/KwEntities.h"
#include "platform/messages/Security.h"

namespace Dax {

// Holds the entity whose name is the service's text 14.
class NamedObjectRef : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{22, 149};
  static const msg::MessageType kType;
  static constexpr int kEntity = 1;

  NamedObjectRef() : CNMessageBase(kType) {}
  const KwEntities::NamedEntity* entity() const { return static_cast<const KwEntities::NamedEntity*>(getObjectAccessor(kEntity)); }
  KwEntities::NamedEntity& mutableEntity() { return static_cast<KwEntities::NamedEntity&>(*getObjectAccessor(kEntity, true)); }
};

// The service details (tag 18 of the service).
class CloudDBServiceDetails : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{22, 493};
  static const msg::MessageType kType;
  static constexpr int kShape = 1;
  static constexpr int kAdminPassword = 5;
  static constexpr int kUsableStorage = 6;
  static constexpr int kInstance = 8;
  static constexpr int kStorage = 9;
  static constexpr int kCapacity = 10;
  static constexpr int kComputeNodes = 18;
  static constexpr int kPublicKeyName = 19;
  static constexpr int kSid = 23;
  static constexpr int kNodeText1 = 27;
  static constexpr int kNodeText2 = 31;
  static constexpr int kNodeText3 = 35;
  static constexpr int kNodeText4 = 39;
  static constexpr int kNodeNumber = 43;
  static constexpr int kNodeIpAddress = 44;
  static constexpr int kNodeFlag = 48;

  CloudDBServiceDetails() : CNMessageBase(kType) {}
  const KwEntities::CloudInstanceEntity* instance() const {
    return static_cast<const KwEntities::CloudInstanceEntity*>(getObjectAccessor(kInstance));
  }
  KwEntities::CloudInstanceEntity& mutableInstance() {
    return static_cast<KwEntities::CloudInstanceEntity&>(*getObjectAccessor(kInstance, true));
  }
  const NamedObjectRef* storage() const { return static_cast<const NamedObjectRef*>(getObjectAccessor(kStorage)); }
  NamedObjectRef& mutableStorage() { return static_cast<NamedObjectRef&>(*getObjectAccessor(kStorage, true)); }
  msg::ListView<KwEntities::VirtualMachineEntity> computeNodes() const {
    return msg::ListView<KwEntities::VirtualMachineEntity>(getlistobject(kComputeNodes));
  }
  std::string publicKeyName() const { return getstring(kPublicKeyName); }
  void setPublicKeyName(std::string text) { setstring(kPublicKeyName, std::move(text)); }
};

// The backup settings (tag 19 of the service).
class CloudDBBackupSettings : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{22, 494};
  static const msg::MessageType kType;
  static constexpr int kDestination = 1;  // 1 BOTH, 2 OSS, other NONE
  static constexpr int kContainer = 2;

  CloudDBBackupSettings() : CNMessageBase(kType) {}
  std::int64_t destination() const { return getint64(kDestination); }
  void setDestination(std::int64_t code) { setint64(kDestination, code); }
  std::string container() const { return getstring(kContainer); }
  void setContainer(std::string text) { setstring(kContainer, std::move(text)); }
};

// Where a new service takes its data from (tag 20 of the service; read from requests only).
class CloudDBSourceSettings : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{22, 495};
  static const msg::MessageType kType;
  static constexpr int kFromBackup = 1;
  static constexpr int kFromCloudStorage = 2;
  static constexpr int kBackupLocation = 3;
  static constexpr int kDatabaseId = 7;
  static constexpr int kWalletFile = 11;
  static constexpr int kDecryptionKey = 15;
  static constexpr int kBackupTag = 19;
  static constexpr int kStorageCredentials = 23;

  CloudDBSourceSettings() : CNMessageBase(kType) {}
  const Security::UserPassword* storageCredentials() const {
    return static_cast<const Security::UserPassword*>(getObjectAccessor(kStorageCredentials));
  }
  Security::UserPassword& mutableStorageCredentials() {
    return static_cast<Security::UserPassword&>(*getObjectAccessor(kStorageCredentials, true));
  }
};

class CloudDBService : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{22, 496};
  static const msg::MessageType kType;
  static constexpr int kServiceName = 1;
  static constexpr int kDescription = 5;
  static constexpr int kState = 9;
  static constexpr int kSubscriptionType = 10;
  static constexpr int kVersion = 11;  // 1 "12.2.0.1", 2 "12.1.0.2", other "11.2.0.4"
  static constexpr int kEdition = 12;  // 1 EE, 2 EE_EP, 3 EE_HP, other SE
  static constexpr int kOptionFlag = 13;
  static constexpr int kEndpoint = 14;
  static constexpr int kDetails = 18;
  static constexpr int kBackup = 19;
  static constexpr int kSource = 20;

  CloudDBService() : CNMessageBase(kType) {}
  std::string serviceName() const { return getstring(kServiceName); }
  void setServiceName(std::string text) { setstring(kServiceName, std::move(text)); }
  const CloudDBServiceDetails* details() const { return static_cast<const CloudDBServiceDetails*>(getObjectAccessor(kDetails)); }
  CloudDBServiceDetails& mutableDetails() { return static_cast<CloudDBServiceDetails&>(*getObjectAccessor(kDetails, true)); }
  const CloudDBBackupSettings* backup() const { return static_cast<const CloudDBBackupSettings*>(getObjectAccessor(kBackup)); }
  CloudDBBackupSettings& mutableBackup() { return static_cast<CloudDBBackupSettings&>(*getObjectAccessor(kBackup, true)); }
  const CloudDBSourceSettings* source() const { return static_cast<const CloudDBSourceSettings*>(getObjectAccessor(kSource)); }
  CloudDBSourceSettings& mutableSource() { return static_cast<CloudDBSourceSettings&>(*getObjectAccessor(kSource, true)); }
};

// The database-service request. Made as (22, 497), it travels under the tag id 0x16D7575C. The
// message the peer sends carries the request itself as the first element of its field 14, a
// list of messages of any type.
class CloudDBServiceReq : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{22, 497};
  static constexpr std::uint32_t kTagId = 0x16D7575C;
  static const msg::MessageType kType;
  static constexpr int kOperation = 1;  // 2 = create a database service
  static constexpr int kService = 2;
  static constexpr int kRequests = 14;

  CloudDBServiceReq() : CNMessageBase(kType) {}
  std::int64_t operation() const { return getint64(kOperation); }
  void setOperation(std::int64_t code) { setint64(kOperation, code); }
  const CloudDBService* service() const { return static_cast<const CloudDBService*>(getObjectAccessor(kService)); }
  CloudDBService& mutableService() { return static_cast<CloudDBService&>(*getObjectAccessor(kService, true)); }
  const MessageList& requests() const { return getlistobject(kRequests); }
  void addRequest(const CNMessageBase& request) { appendlistobject(kRequests, request); }
};

// The result record of a database-service response: status 1 on failure.
class ResultRecord : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{22, 422};
  static const msg::MessageType kType;
  static constexpr int kStatus = 1;

  ResultRecord() : CNMessageBase(kType) {}
  std::int64_t status() const { return getint64(kStatus); }
  void setStatus(std::int64_t code) { setint64(kStatus, code); }
};

class CloudDBServiceResp : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{22, 498};
  static const msg::MessageType kType;
  static constexpr int kServices = 1;
  static constexpr int kResult = 2;

  CloudDBServiceResp() : CNMessageBase(kType) {}
  msg::ListView<CloudDBService> services() const { return msg::ListView<CloudDBService>(getlistobject(kServices)); }
  void addService(const CloudDBService& service) { appendlistobject(kServices, service); }
  const ResultRecord* result() const { return static_cast<const ResultRecord*>(getObjectAccessor(kResult)); }
  ResultRecord& mutableResult() { return static_cast<ResultRecord&>(*getObjectAccessor(kResult, true)); }
};

}  // namespace Dax
