#pragma once
// Messages of the App family (module 30): the entity tree of browse answers and content rules,
// the browse, preview and inventory requests and responses, the cloud database records, the
// credentials and proxy-settings messages. Field tables are in src/MessageTypesApp.cpp and
// docs/messages.md; the constants below are the field numbers.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/CNMessageBase.h"
#include "platform/messages/KwEntities.h"

namespace App {

// The error record the App responses hold as their field 2.
class ErrorRecord : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{30, 1595};
  static const msg::MessageType kType;
  static constexpr int kErrorCode = 1;
  static constexpr int kErrorMessage = 2;

  ErrorRecord() : CNMessageBase(kType) {}
  std::int64_t errorCode() const { return getint64(kErrorCode); }
  void setErrorCode(std::int64_t code) { setint64(kErrorCode, code); }
  std::string errorMessage() const { return getstring(kErrorMessage); }
  void setErrorMessage(std::string text) { setstring(kErrorMessage, std::move(text)); }
};

// A node of browse answers and of backup-set content rules ("dynamic content").
class CloudDBEntity : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{30, 2718};
  static const msg::MessageType kType;
  static constexpr int kChildren = 1;    // position 1
  static constexpr int kName = 3;        // position 3
  static constexpr int kEntityType = 4;  // position 7
  static constexpr int kRegion = 5;      // position 8
  static constexpr int kIdentifier = 6;  // position 12
  static constexpr int kTagValue = 9;    // position 21
  static constexpr int kNegated = 25;    // position 25
  static constexpr int kEntityTypePosition = 7;
  static constexpr int kNegatedPosition = 25;

  CloudDBEntity() : CNMessageBase(kType) {}
  msg::ListView<CloudDBEntity> children() const { return msg::ListView<CloudDBEntity>(getlistobject(kChildren)); }
  void addChild(const CloudDBEntity& child) { appendlistobject(kChildren, child); }
  // Takes the child over without copying its subtree.
  void addChild(CloudDBEntity&& child) { appendlistobject(kChildren, std::make_unique<CloudDBEntity>(std::move(child))); }
  std::string name() const { return getstring(kName); }
  void setName(std::string text) { setstring(kName, std::move(text)); }
  std::int64_t entityType() const { return getint64(kEntityType); }
  void setEntityType(std::int64_t code) { setint64(kEntityType, code); }
  std::string region() const { return getstring(kRegion); }
  void setRegion(std::string text) { setstring(kRegion, std::move(text)); }
  std::string identifier() const { return getstring(kIdentifier); }
  void setIdentifier(std::string text) { setstring(kIdentifier, std::move(text)); }
  std::string tagValue() const { return getstring(kTagValue); }
  void setTagValue(std::string text) { setstring(kTagValue, std::move(text)); }
  bool negated() const { return getint64(kNegated) != 0; }
  void setNegated(bool negated) { setint64(kNegated, negated ? 1 : 0); }
};

// A relational database instance or cluster record. The fields whose role belongs to the cloud
// client's record are named after their number (field1, field3, ...).
class RDSDBInstance : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{30, 622};
  static const msg::MessageType kType;
  static constexpr int kName = 2;           // position 5
  static constexpr int kEngine = 5;         // position 17
  static constexpr int kEngineVersion = 6;  // position 21
  static constexpr int kRegion = 9;         // position 30

  RDSDBInstance() : CNMessageBase(kType) {}
  const std::string& name() const { return stringRef(kName); }
  void setName(std::string text) { setstring(kName, std::move(text)); }
  const std::string& engine() const { return stringRef(kEngine); }
  void setEngine(std::string text) { setstring(kEngine, std::move(text)); }
  const std::string& engineVersion() const { return stringRef(kEngineVersion); }
  void setEngineVersion(std::string text) { setstring(kEngineVersion, std::move(text)); }
  const std::string& region() const { return stringRef(kRegion); }
  void setRegion(std::string text) { setstring(kRegion, std::move(text)); }
};

class DynamoDBTable : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{30, 2585};
  static const msg::MessageType kType;
  static constexpr int kRegion = 1;     // position 1
  static constexpr int kTableName = 2;  // position 5

  DynamoDBTable() : CNMessageBase(kType) {}
  const std::string& region() const { return stringRef(kRegion); }
  void setRegion(std::string text) { setstring(kRegion, std::move(text)); }
  const std::string& tableName() const { return stringRef(kTableName); }
  void setTableName(std::string text) { setstring(kTableName, std::move(text)); }
};

class DocumentDBCluster : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{30, 2790};
  static const msg::MessageType kType;
  static constexpr int kRegion = 1;             // position 1
  static constexpr int kClusterIdentifier = 3;  // position 9
  static constexpr int kEngine = 4;             // position 13
  static constexpr int kMembers = 6;            // position 21, "instance/detail" texts

  DocumentDBCluster() : CNMessageBase(kType) {}
  const std::string& region() const { return stringRef(kRegion); }
  void setRegion(std::string text) { setstring(kRegion, std::move(text)); }
  const std::string& clusterIdentifier() const { return stringRef(kClusterIdentifier); }
  void setClusterIdentifier(std::string text) { setstring(kClusterIdentifier, std::move(text)); }
  const std::string& engine() const { return stringRef(kEngine); }
  void setEngine(std::string text) { setstring(kEngine, std::move(text)); }
  std::vector<std::string> members() const { return getliststring(kMembers); }
  void setMembers(std::vector<std::string> texts) { setliststring(kMembers, std::move(texts)); }
};

class RedshiftCluster : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{30, 2793};
  static const msg::MessageType kType;
  static constexpr int kRegion = 1;              // position 1
  static constexpr int kClusterIdentifier = 2;   // position 5
  static constexpr int kParameterGroups = 18;    // position 54, "A;B;"

  RedshiftCluster() : CNMessageBase(kType) {}
  const std::string& region() const { return stringRef(kRegion); }
  void setRegion(std::string text) { setstring(kRegion, std::move(text)); }
  const std::string& clusterIdentifier() const { return stringRef(kClusterIdentifier); }
  void setClusterIdentifier(std::string text) { setstring(kClusterIdentifier, std::move(text)); }
  const std::string& parameterGroups() const { return stringRef(kParameterGroups); }
  void setParameterGroups(std::string text) { setstring(kParameterGroups, std::move(text)); }
};

// Access-key credentials of a preview request: access key id and encrypted secret.
class AccessKeyCredentials : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{30, 2741};
  static const msg::MessageType kType;
  static constexpr int kAccessKeyId = 1;
  static constexpr int kSecretKey = 2;

  AccessKeyCredentials() : CNMessageBase(kType) {}
  std::string accessKeyId() const { return getstring(kAccessKeyId); }
  void setAccessKeyId(std::string text) { setstring(kAccessKeyId, std::move(text)); }
  msg::PasswordString secretKey() const { return getpstringobject(kSecretKey); }
  void setSecretKey(msg::PasswordString secret) { setpstringobject(kSecretKey, std::move(secret)); }
};

// A user and an encrypted password: preview user credentials, proxy credentials.
class UserCredentials : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{30, 2742};
  static const msg::MessageType kType;
  static constexpr int kUser = 1;
  static constexpr int kPassword = 2;

  UserCredentials() : CNMessageBase(kType) {}
  std::string user() const { return getstring(kUser); }
  void setUser(std::string text) { setstring(kUser, std::move(text)); }
  msg::PasswordString password() const { return getpstringobject(kPassword); }
  void setPassword(msg::PasswordString secret) { setpstringobject(kPassword, std::move(secret)); }
};

// The application registration inside the cloud-apps credentials: application id and secret.
class AppCredentials : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{30, 258};
  static const msg::MessageType kType;
  static constexpr int kApplicationId = 1;
  static constexpr int kSecret = 2;

  AppCredentials() : CNMessageBase(kType) {}
  std::string applicationId() const { return getstring(kApplicationId); }
  void setApplicationId(std::string text) { setstring(kApplicationId, std::move(text)); }
  msg::PasswordString secret() const { return getpstringobject(kSecret); }
  void setSecret(msg::PasswordString value) { setpstringobject(kSecret, std::move(value)); }
};

// A client's cloud-application credentials (the text ClientProperties::getCloudAppsCredentials
// yields): subscription, tenant and the application registration.
class CloudAppsCredentials : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{30, 257};
  static const msg::MessageType kType;
  static constexpr int kApplication = 1;
  static constexpr int kSubscriptionId = 3;
  static constexpr int kTenantId = 4;

  CloudAppsCredentials() : CNMessageBase(kType) {}
  const AppCredentials* application() const { return static_cast<const AppCredentials*>(getObjectAccessor(kApplication)); }
  AppCredentials& mutableApplication() { return static_cast<AppCredentials&>(*getObjectAccessor(kApplication, true)); }
  std::string subscriptionId() const { return getstring(kSubscriptionId); }
  void setSubscriptionId(std::string text) { setstring(kSubscriptionId, std::move(text)); }
  std::string tenantId() const { return getstring(kTenantId); }
  void setTenantId(std::string text) { setstring(kTenantId, std::move(text)); }
};

// The relational inventory request. Its fields are addressed by index and field id: the field
// ids are the positions.
class BrowseRDSInventoryReq : public CNMessageBase {
 public:
  static constexpr std::uint32_t kTagId = 0x1E7CE4B9;
  static constexpr msg::MessageTypeId kId = msg::typeIdFromTag(kTagId);
  static const msg::MessageType kType;
  static constexpr int kInstance = 1;         // id 0x169495
  static constexpr int kApplicationType = 2;  // id 0xAD84FB
  static constexpr int kEngineType = 4;       // id 0xB6226F

  BrowseRDSInventoryReq() : CNMessageBase(kType) {}
  const KwEntities::ClientInstanceEntity* instance() const {
    return static_cast<const KwEntities::ClientInstanceEntity*>(getObjectAccessor(kInstance));
  }
  KwEntities::ClientInstanceEntity& mutableInstance() {
    return static_cast<KwEntities::ClientInstanceEntity&>(*getObjectAccessor(kInstance, true));
  }
  std::int64_t applicationType() const { return getint64(kApplicationType); }
  void setApplicationType(std::int64_t value) { setint64(kApplicationType, value); }
  std::int64_t engineType() const { return getint64(kEngineType); }
  void setEngineType(std::int64_t value) { setint64(kEngineType, value); }
};

class BrowseRDSInventoryResp : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{30, 624};
  static const msg::MessageType kType;
  static constexpr int kInstances = 1;
  static constexpr int kError = 2;

  BrowseRDSInventoryResp() : CNMessageBase(kType) {}
  msg::ListView<RDSDBInstance> instances() const { return msg::ListView<RDSDBInstance>(getlistobject(kInstances)); }
  void addInstance(const RDSDBInstance& instance) { appendlistobject(kInstances, instance); }
  const ErrorRecord* error() const { return static_cast<const ErrorRecord*>(getObjectAccessor(kError)); }
  ErrorRecord& mutableError() { return static_cast<ErrorRecord&>(*getObjectAccessor(kError, true)); }
};

// The browse request of the browse inventory handler.
class BrowseInventoryReq : public CNMessageBase {
 public:
  static constexpr std::uint32_t kTagId = 0x1EA69FE1;
  static constexpr msg::MessageTypeId kId = msg::typeIdFromTag(kTagId);
  static const msg::MessageType kType;
  static constexpr int kInstance = 1;
  static constexpr int kPath = 2;
  static constexpr int kInstanceType = 6;
  static constexpr int kClient = 9;

  BrowseInventoryReq() : CNMessageBase(kType) {}
  const KwEntities::InstanceEntity* instance() const {
    return static_cast<const KwEntities::InstanceEntity*>(getObjectAccessor(kInstance));
  }
  KwEntities::InstanceEntity& mutableInstance() {
    return static_cast<KwEntities::InstanceEntity&>(*getObjectAccessor(kInstance, true));
  }
  std::string path() const { return getstring(kPath); }
  void setPath(std::string text) { setstring(kPath, std::move(text)); }
  std::int64_t instanceType() const { return getint64(kInstanceType); }
  void setInstanceType(std::int64_t value) { setint64(kInstanceType, value); }
  const KwEntities::ClientReference* client() const {
    return static_cast<const KwEntities::ClientReference*>(getObjectAccessor(kClient));
  }
  KwEntities::ClientReference& mutableClient() {
    return static_cast<KwEntities::ClientReference&>(*getObjectAccessor(kClient, true));
  }
};

// The preview request of the browse inventory handler.
class BrowsePreviewReq : public CNMessageBase {
 public:
  static constexpr std::uint32_t kTagId = 0x1EB16DAF;
  static constexpr msg::MessageTypeId kId = msg::typeIdFromTag(kTagId);
  static const msg::MessageType kType;
  static constexpr int kInstance = 1;
  static constexpr int kContent = 2;
  static constexpr int kInstanceType = 4;
  static constexpr int kAccessKey = 5;
  static constexpr int kUserCredentials = 6;
  static constexpr int kClient = 8;
  static constexpr int kSpannerPath = 9;

  BrowsePreviewReq() : CNMessageBase(kType) {}
  const KwEntities::InstanceEntity* instance() const {
    return static_cast<const KwEntities::InstanceEntity*>(getObjectAccessor(kInstance));
  }
  KwEntities::InstanceEntity& mutableInstance() {
    return static_cast<KwEntities::InstanceEntity&>(*getObjectAccessor(kInstance, true));
  }
  const CloudDBEntity* content() const { return static_cast<const CloudDBEntity*>(getObjectAccessor(kContent)); }
  void setContent(const CloudDBEntity& content) { setObjectAccessor(kContent, content); }
  std::int64_t instanceType() const { return getint64(kInstanceType); }
  void setInstanceType(std::int64_t value) { setint64(kInstanceType, value); }
  const AccessKeyCredentials* accessKey() const {
    return static_cast<const AccessKeyCredentials*>(getObjectAccessor(kAccessKey));
  }
  AccessKeyCredentials& mutableAccessKey() {
    return static_cast<AccessKeyCredentials&>(*getObjectAccessor(kAccessKey, true));
  }
  const UserCredentials* userCredentials() const {
    return static_cast<const UserCredentials*>(getObjectAccessor(kUserCredentials));
  }
  UserCredentials& mutableUserCredentials() {
    return static_cast<UserCredentials&>(*getObjectAccessor(kUserCredentials, true));
  }
  const KwEntities::ClientReference* client() const {
    return static_cast<const KwEntities::ClientReference*>(getObjectAccessor(kClient));
  }
  KwEntities::ClientReference& mutableClient() {
    return static_cast<KwEntities::ClientReference&>(*getObjectAccessor(kClient, true));
  }
  std::string spannerPath() const { return getstring(kSpannerPath); }
  void setSpannerPath(std::string text) { setstring(kSpannerPath, std::move(text)); }
};

// The answer to a browse or a preview request.
class BrowseInventoryResp : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{30, 2740};
  static const msg::MessageType kType;
  static constexpr int kRoot = 1;
  static constexpr int kError = 2;

  BrowseInventoryResp() : CNMessageBase(kType) {}
  const CloudDBEntity* root() const { return static_cast<const CloudDBEntity*>(getObjectAccessor(kRoot)); }
  void setRoot(const CloudDBEntity& root) { setObjectAccessor(kRoot, root); }
  // Takes the tree over without copying it.
  void setRoot(CloudDBEntity&& root) { setObjectAccessor(kRoot, std::make_unique<CloudDBEntity>(std::move(root))); }
  const ErrorRecord* error() const { return static_cast<const ErrorRecord*>(getObjectAccessor(kError)); }
  ErrorRecord& mutableError() { return static_cast<ErrorRecord&>(*getObjectAccessor(kError, true)); }
};

// The proxy question asked of the host for one client; fields 2 and 3 are sent as 0.
class GetHTTPProxySettingsReq : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{30, 3220};
  static const msg::MessageType kType;
  static constexpr int kClient = 1;
  static constexpr int kKind = 2;
  static constexpr int kFlags = 3;

  GetHTTPProxySettingsReq() : CNMessageBase(kType) {}
  const KwEntities::ClientEntity* client() const {
    return static_cast<const KwEntities::ClientEntity*>(getObjectAccessor(kClient));
  }
  KwEntities::ClientEntity& mutableClient() {
    return static_cast<KwEntities::ClientEntity&>(*getObjectAccessor(kClient, true));
  }
  std::int64_t kind() const { return getint64(kKind); }
  void setKind(std::int64_t value) { setint64(kKind, value); }
  std::int64_t flags() const { return getint64(kFlags); }
  void setFlags(std::int64_t value) { setint64(kFlags, value); }
};

class HTTPProxySettings : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{30, 3219};
  static const msg::MessageType kType;
  static constexpr int kUseProxy = 1;
  static constexpr int kHost = 2;
  static constexpr int kPort = 6;
  static constexpr int kUseAuthentication = 7;
  static constexpr int kCredentials = 9;

  HTTPProxySettings() : CNMessageBase(kType) {}
  std::int64_t useProxy() const { return getint64(kUseProxy); }
  void setUseProxy(std::int64_t value) { setint64(kUseProxy, value); }
  std::string host() const { return getstring(kHost); }
  void setHost(std::string text) { setstring(kHost, std::move(text)); }
  std::int64_t port() const { return getint64(kPort); }
  void setPort(std::int64_t value) { setint64(kPort, value); }
  std::int64_t useAuthentication() const { return getint64(kUseAuthentication); }
  void setUseAuthentication(std::int64_t value) { setint64(kUseAuthentication, value); }
  const UserCredentials* credentials() const { return static_cast<const UserCredentials*>(getObjectAccessor(kCredentials)); }
  UserCredentials& mutableCredentials() { return static_cast<UserCredentials&>(*getObjectAccessor(kCredentials, true)); }
};

// One database named in a Spanner backup set's content.
class SpannerContentEntry : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{30, 3192};
  static const msg::MessageType kType;
  static constexpr int kDatabaseName = 5;

  SpannerContentEntry() : CNMessageBase(kType) {}
  std::string databaseName() const { return getstring(kDatabaseName); }
  void setDatabaseName(std::string text) { setstring(kDatabaseName, std::move(text)); }
};

// A Spanner subclient's settings (GoogleCloudSpannerSubclient::getSubclientInfo).
class SpannerSubclientInfo : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{30, 3191};
  static const msg::MessageType kType;
  static constexpr int kEntries = 1;

  SpannerSubclientInfo() : CNMessageBase(kType) {}
  msg::ListView<SpannerContentEntry> entries() const {
    return msg::ListView<SpannerContentEntry>(getlistobject(kEntries));
  }
  void addEntry(const SpannerContentEntry& entry) { appendlistobject(kEntries, entry); }
};

}  // namespace App
