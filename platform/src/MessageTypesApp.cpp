// The field tables of the App family (module 30). Declaration order is rendering order:
// attributes first as listed, then child elements as listed.
#include "MessageFamilies.h"
#include "platform/messages/App.h"

using msg::decl::makeMessage;

namespace {

using namespace msg::decl;

constexpr msg::FieldDecl kErrorRecordFields[] = {
    integer(1, 1, "errorCode"),
    text(2, 2, "errorMessage"),
};

constexpr msg::FieldDecl kCloudDBEntityFields[] = {
    text(3, 3, "name"),
    integer(4, 7, "entityType"),
    text(5, 8, "region"),
    text(6, 12, "identifier"),
    text(9, 21, "tagValue"),
    integer(25, 25, "negated"),
    objectList(1, 1, "children", App::CloudDBEntity::kId),
};

constexpr msg::FieldDecl kRDSDBInstanceFields[] = {
    text(1, 1, "field1"),          text(2, 5, "name"),           text(3, 9, "field3"),
    text(4, 13, "field4"),         text(5, 17, "engine"),        text(6, 21, "engineVersion"),
    text(7, 25, "field7"),         integer(8, 29, "field8"),     text(9, 30, "region"),
    text(10, 34, "field10"),       text(11, 38, "field11"),      text(12, 42, "field12"),
    integer(14, 50, "field14"),    integer(15, 51, "field15"),   integer(16, 52, "field16"),
    integer(17, 53, "field17"),    text(18, 54, "field18"),      text(19, 58, "field19"),
    integer(20, 62, "field20"),    integer(21, 63, "field21"),   integer(22, 64, "field22"),
    text(23, 65, "field23"),       text(24, 69, "field24"),      text(25, 73, "field25"),
    text(26, 77, "field26"),       integer(27, 81, "field27"),   text(28, 82, "field28"),
    text(29, 86, "field29"),
};

constexpr msg::FieldDecl kDynamoDBTableFields[] = {
    text(1, 1, "region"),
    text(2, 5, "tableName"),
};

constexpr msg::FieldDecl kDocumentDBClusterFields[] = {
    text(1, 1, "region"),        text(3, 9, "clusterIdentifier"), text(4, 13, "engine"),
    text(5, 17, "field5"),       text(7, 22, "field7"),           text(8, 26, "field8"),
    text(9, 30, "field9"),       text(10, 34, "field10"),         text(11, 38, "field11"),
    text(13, 43, "field13"),     integer(14, 47, "field14"),      integer(15, 48, "field15"),
    textList(6, 21, "member"),   textList(12, 42, "field12"),
};

constexpr msg::FieldDecl kRedshiftClusterFields[] = {
    text(1, 1, "region"),       text(2, 5, "clusterIdentifier"), text(3, 9, "field3"),
    text(4, 13, "field4"),      text(5, 17, "field5"),           text(6, 21, "field6"),
    text(8, 26, "field8"),      text(9, 30, "field9"),           text(10, 34, "field10"),
    text(11, 38, "field11"),    text(12, 42, "field12"),         text(13, 46, "field13"),
    integer(14, 50, "field14"), integer(15, 51, "field15"),      integer(16, 52, "field16"),
    integer(17, 53, "field17"), text(18, 54, "parameterGroups"), integer(19, 58, "field19"),
};

constexpr msg::FieldDecl kAccessKeyCredentialsFields[] = {
    text(1, 1, "accessKeyId"),
    password(2, 2, "secretKey"),
};

constexpr msg::FieldDecl kUserCredentialsFields[] = {
    text(1, 1, "user"),
    password(2, 2, "password"),
};

constexpr msg::FieldDecl kAppCredentialsFields[] = {
    text(1, 1, "applicationId"),
    password(2, 2, "secret"),
};

constexpr msg::FieldDecl kCloudAppsCredentialsFields[] = {
    text(3, 3, "subscriptionId"),
    text(4, 4, "tenantId"),
    object(1, 1, "application", App::AppCredentials::kId),
};

// The field ids of the inventory request are its positions.
constexpr msg::FieldDecl kBrowseRDSInventoryReqFields[] = {
    integer(2, 0xAD84FB, "applicationType"),
    integer(4, 0xB6226F, "engineType"),
    object(1, 0x169495, "instance", KwEntities::ClientInstanceEntity::kId),
};

constexpr msg::FieldDecl kBrowseRDSInventoryRespFields[] = {
    objectList(1, 1, "instance", App::RDSDBInstance::kId),
    object(2, 2, "error", App::ErrorRecord::kId),
};

constexpr msg::FieldDecl kBrowseInventoryReqFields[] = {
    text(2, 2, "path"),
    integer(6, 6, "instanceType"),
    object(1, 1, "instance", KwEntities::InstanceEntity::kId),
    object(9, 9, "client", KwEntities::ClientReference::kId),
};

constexpr msg::FieldDecl kBrowsePreviewReqFields[] = {
    integer(4, 4, "instanceType"),
    text(9, 9, "spannerPath"),
    object(1, 1, "instance", KwEntities::InstanceEntity::kId),
    object(2, 2, "content", App::CloudDBEntity::kId),
    object(5, 5, "accessKey", App::AccessKeyCredentials::kId),
    object(6, 6, "userCredentials", App::UserCredentials::kId),
    object(8, 8, "client", KwEntities::ClientReference::kId),
};

constexpr msg::FieldDecl kBrowseInventoryRespFields[] = {
    object(1, 1, "root", App::CloudDBEntity::kId),
    object(2, 2, "error", App::ErrorRecord::kId),
};

constexpr msg::FieldDecl kGetHTTPProxySettingsReqFields[] = {
    integer(2, 2, "kind"),
    integer(3, 3, "flags"),
    object(1, 1, "client", KwEntities::ClientEntity::kId),
};

constexpr msg::FieldDecl kHTTPProxySettingsFields[] = {
    integer(1, 1, "useProxy"),
    text(2, 2, "host"),
    integer(6, 6, "port"),
    integer(7, 7, "useAuthentication"),
    object(9, 9, "credentials", App::UserCredentials::kId),
};

constexpr msg::FieldDecl kSpannerContentEntryFields[] = {
    text(5, 5, "databaseName"),
};

constexpr msg::FieldDecl kSpannerSubclientInfoFields[] = {
    objectList(1, 1, "entry", App::SpannerContentEntry::kId),
};

}  // namespace

namespace App {

constinit const msg::MessageType ErrorRecord::kType{kId, "App::ErrorRecord", "ErrorRecord", kErrorRecordFields,
                                                    &makeMessage<ErrorRecord>};
constinit const msg::MessageType CloudDBEntity::kType{kId, "App::CloudDBEntity", "CloudDBEntity",
                                                      kCloudDBEntityFields, &makeMessage<CloudDBEntity>};
constinit const msg::MessageType RDSDBInstance::kType{kId, "App::RDSDBInstance", "RDSDBInstance",
                                                      kRDSDBInstanceFields, &makeMessage<RDSDBInstance>};
constinit const msg::MessageType DynamoDBTable::kType{kId, "App::DynamoDBTable", "DynamoDBTable",
                                                      kDynamoDBTableFields, &makeMessage<DynamoDBTable>};
constinit const msg::MessageType DocumentDBCluster::kType{kId, "App::DocumentDBCluster", "DocumentDBCluster",
                                                          kDocumentDBClusterFields, &makeMessage<DocumentDBCluster>};
constinit const msg::MessageType RedshiftCluster::kType{kId, "App::RedshiftCluster", "RedshiftCluster",
                                                        kRedshiftClusterFields, &makeMessage<RedshiftCluster>};
constinit const msg::MessageType AccessKeyCredentials::kType{kId, "App::AccessKeyCredentials",
                                                             "AccessKeyCredentials", kAccessKeyCredentialsFields,
                                                             &makeMessage<AccessKeyCredentials>};
constinit const msg::MessageType UserCredentials::kType{kId, "App::UserCredentials", "UserCredentials",
                                                        kUserCredentialsFields, &makeMessage<UserCredentials>};
constinit const msg::MessageType AppCredentials::kType{kId, "App::AppCredentials", "AppCredentials",
                                                       kAppCredentialsFields, &makeMessage<AppCredentials>};
constinit const msg::MessageType CloudAppsCredentials::kType{kId, "App::CloudAppsCredentials",
                                                             "CloudAppsCredentials", kCloudAppsCredentialsFields,
                                                             &makeMessage<CloudAppsCredentials>};
constinit const msg::MessageType BrowseRDSInventoryReq::kType{kId, "App::BrowseRDSInventoryReq",
                                                              "BrowseRDSInventoryReq", kBrowseRDSInventoryReqFields,
                                                              &makeMessage<BrowseRDSInventoryReq>};
constinit const msg::MessageType BrowseRDSInventoryResp::kType{
    kId, "App::BrowseRDSInventoryResp", "BrowseRDSInventoryResp", kBrowseRDSInventoryRespFields,
    &makeMessage<BrowseRDSInventoryResp>};
constinit const msg::MessageType BrowseInventoryReq::kType{kId, "App::BrowseInventoryReq", "BrowseInventoryReq",
                                                           kBrowseInventoryReqFields, &makeMessage<BrowseInventoryReq>};
constinit const msg::MessageType BrowsePreviewReq::kType{kId, "App::BrowsePreviewReq", "BrowsePreviewReq",
                                                         kBrowsePreviewReqFields, &makeMessage<BrowsePreviewReq>};
constinit const msg::MessageType BrowseInventoryResp::kType{kId, "App::BrowseInventoryResp",
                                                            "BrowseInventoryResp", kBrowseInventoryRespFields,
                                                            &makeMessage<BrowseInventoryResp>};
constinit const msg::MessageType GetHTTPProxySettingsReq::kType{
    kId, "App::GetHTTPProxySettingsReq", "GetHTTPProxySettingsReq", kGetHTTPProxySettingsReqFields,
    &makeMessage<GetHTTPProxySettingsReq>};
constinit const msg::MessageType HTTPProxySettings::kType{kId, "App::HTTPProxySettings", "HTTPProxySettings",
                                                          kHTTPProxySettingsFields, &makeMessage<HTTPProxySettings>};
constinit const msg::MessageType SpannerContentEntry::kType{kId, "App::SpannerContentEntry",
                                                            "SpannerContentEntry", kSpannerContentEntryFields,
                                                            &makeMessage<SpannerContentEntry>};
constinit const msg::MessageType SpannerSubclientInfo::kType{kId, "App::SpannerSubclientInfo",
                                                             "SpannerSubclientInfo", kSpannerSubclientInfoFields,
                                                             &makeMessage<SpannerSubclientInfo>};

}  // namespace App

namespace msg::families {

std::span<const MessageType* const> appTypes() {
  static constexpr const MessageType* kTypes[] = {
      &App::CloudDBEntity::kType,         &App::ErrorRecord::kType,
      &App::BrowseRDSInventoryReq::kType, &App::BrowseRDSInventoryResp::kType,
      &App::BrowseInventoryReq::kType,    &App::BrowsePreviewReq::kType,
      &App::BrowseInventoryResp::kType,   &App::RDSDBInstance::kType,
      &App::DynamoDBTable::kType,         &App::DocumentDBCluster::kType,
      &App::RedshiftCluster::kType,       &App::AccessKeyCredentials::kType,
      &App::UserCredentials::kType,       &App::AppCredentials::kType,
      &App::CloudAppsCredentials::kType,  &App::GetHTTPProxySettingsReq::kType,
      &App::HTTPProxySettings::kType,     &App::SpannerSubclientInfo::kType,
      &App::SpannerContentEntry::kType,
  };
  return kTypes;
}

}  // namespace msg::families
