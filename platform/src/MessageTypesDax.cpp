// The field tables of the Dax family (module 22).
#include "MessageFamilies.h"
#include "platform/messages/Dax.h"

using msg::decl::makeMessage;

namespace {

using namespace msg::decl;

constexpr msg::FieldDecl kNamedObjectRefFields[] = {
    object(1, 1, "entity", KwEntities::NamedEntity::kId),
};

constexpr msg::FieldDecl kCloudDBServiceDetailsFields[] = {
    text(1, 1, "shape"),
    integer(6, 6, "usableStorage"),
    text(10, 10, "capacity"),
    text(19, 19, "publicKeyName"),
    text(23, 23, "sid"),
    text(27, 27, "nodeText1"),
    text(31, 31, "nodeText2"),
    text(35, 35, "nodeText3"),
    text(39, 39, "nodeText4"),
    integer(43, 43, "nodeNumber"),
    text(44, 44, "nodeIpAddress"),
    integer(48, 48, "nodeFlag"),
    password(5, 5, "adminPassword"),
    object(8, 8, "instance", KwEntities::CloudInstanceEntity::kId),
    object(9, 9, "storage", Dax::NamedObjectRef::kId),
    objectList(18, 18, "computeNode", KwEntities::VirtualMachineEntity::kId),
};

constexpr msg::FieldDecl kCloudDBBackupSettingsFields[] = {
    integer(1, 1, "destination"),
    text(2, 2, "container"),
};

constexpr msg::FieldDecl kCloudDBSourceSettingsFields[] = {
    integer(1, 1, "fromBackup"),
    integer(2, 2, "fromCloudStorage"),
    text(3, 3, "backupLocation"),
    text(7, 7, "databaseId"),
    text(11, 11, "walletFile"),
    text(15, 15, "decryptionKey"),
    text(19, 19, "backupTag"),
    object(23, 23, "storageCredentials", Security::UserPassword::kId),
};

constexpr msg::FieldDecl kCloudDBServiceFields[] = {
    text(1, 1, "serviceName"),
    text(5, 5, "description"),
    integer(9, 9, "state"),
    integer(10, 10, "subscriptionType"),
    integer(11, 11, "version"),
    integer(12, 12, "edition"),
    integer(13, 13, "optionFlag"),
    text(14, 14, "endpoint"),
    object(18, 18, "details", Dax::CloudDBServiceDetails::kId),
    object(19, 19, "backup", Dax::CloudDBBackupSettings::kId),
    object(20, 20, "source", Dax::CloudDBSourceSettings::kId),
};

constexpr msg::FieldDecl kCloudDBServiceReqFields[] = {
    integer(1, 1, "operation"),
    object(2, 2, "service", Dax::CloudDBService::kId),
    objectList(14, 14, "requests", msg::kAnyMessageType),
};

constexpr msg::FieldDecl kResultRecordFields[] = {
    integer(1, 1, "status"),
};

constexpr msg::FieldDecl kCloudDBServiceRespFields[] = {
    objectList(1, 1, "service", Dax::CloudDBService::kId),
    object(2, 2, "result", Dax::ResultRecord::kId),
};

}  // namespace

namespace Dax {

constinit const msg::MessageType NamedObjectRef::kType{kId, "Dax::NamedObjectRef", "NamedObjectRef",
                                                       kNamedObjectRefFields, &makeMessage<NamedObjectRef>};
constinit const msg::MessageType CloudDBServiceDetails::kType{kId, "Dax::CloudDBServiceDetails",
                                                              "CloudDBServiceDetails", kCloudDBServiceDetailsFields,
                                                              &makeMessage<CloudDBServiceDetails>};
constinit const msg::MessageType CloudDBBackupSettings::kType{kId, "Dax::CloudDBBackupSettings",
                                                              "CloudDBBackupSettings", kCloudDBBackupSettingsFields,
                                                              &makeMessage<CloudDBBackupSettings>};
constinit const msg::MessageType CloudDBSourceSettings::kType{kId, "Dax::CloudDBSourceSettings",
                                                              "CloudDBSourceSettings", kCloudDBSourceSettingsFields,
                                                              &makeMessage<CloudDBSourceSettings>};
constinit const msg::MessageType CloudDBService::kType{kId, "Dax::CloudDBService", "CloudDBService",
                                                       kCloudDBServiceFields, &makeMessage<CloudDBService>};
constinit const msg::MessageType CloudDBServiceReq::kType{kId, "Dax::CloudDBServiceReq", "CloudDBServiceReq",
                                                          kCloudDBServiceReqFields, &makeMessage<CloudDBServiceReq>,
                                                          kTagId};
constinit const msg::MessageType ResultRecord::kType{kId, "Dax::ResultRecord", "ResultRecord", kResultRecordFields,
                                                     &makeMessage<ResultRecord>};
constinit const msg::MessageType CloudDBServiceResp::kType{kId, "Dax::CloudDBServiceResp", "CloudDBServiceResp",
                                                           kCloudDBServiceRespFields, &makeMessage<CloudDBServiceResp>};

}  // namespace Dax

namespace msg::families {

std::span<const MessageType* const> daxTypes() {
  static constexpr const MessageType* kTypes[] = {
      &Dax::CloudDBServiceReq::kType,     &Dax::CloudDBServiceResp::kType,    &Dax::CloudDBService::kType,
      &Dax::CloudDBServiceDetails::kType, &Dax::CloudDBBackupSettings::kType, &Dax::CloudDBSourceSettings::kType,
      &Dax::NamedObjectRef::kType,        &Dax::ResultRecord::kType,
  };
  return kTypes;
}

}  // namespace msg::families
