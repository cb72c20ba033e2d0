// Backup sets and subclients: their content, the instance that owns an application, and the
// lists of a client's instances, backup sets and subclients under one application type.
#include <gtest/gtest.h>

#include "config_test_support.h"
#include "platform/config/ApplicationId.h"
#include "platform/config/ClientApplicationList.h"
#include "platform/config/Subclient.h"

namespace {

const std::string kApplications = R"({
  "clients": [{"id": 10, "name": "agent-a"}, {"id": 11, "name": "agent-b"}],
  "instances": [
    {"kind": "cloudApps", "id": 1001, "name": "rds", "instanceType": 4, "clientId": 10, "applicationType": 134},
    {"kind": "cloudApps", "id": 1002, "name": "dynamo", "instanceType": 22, "clientId": 10, "applicationType": 134},
    {"kind": "cloudApps", "id": 1006, "name": "spanner-east", "instanceType": 37, "clientId": 10,
     "applicationType": 134},
    {"kind": "cloudApps", "id": 1007, "name": "other-type", "instanceType": 4, "clientId": 10, "applicationType": 22},
    {"kind": "cloudApps", "id": 1008, "name": "other-client", "instanceType": 4, "clientId": 11,
     "applicationType": 134},
    {"kind": "oracleCloudInfra", "id": 2002, "name": "oci", "clientId": 10, "applicationType": 134}
  ],
  "virtualServers": [
    {"id": 3002, "name": "google-account", "instanceType": 1301, "clientId": 10, "applicationType": 134}
  ],
  "backupSets": [
    {"id": 501, "name": "rds-default", "instanceId": 1001, "subclients": [
      {"id": 601, "name": "prod", "dynamicContent": ["<CloudDBEntity entityType=\"17\">",
                                                      "  <children name=\"prod-*\" entityType=\"51\"/>",
                                                      "</CloudDBEntity>"]},
      {"id": 602, "name": "empty"}
    ]},
    {"id": 502, "name": "dynamo-default", "instanceId": 1002, "subclients": [
      {"id": 603, "name": "tables", "dynamicContent": "<CloudDBEntity entityType=\"17\"/>"}
    ]},
    {"id": 503, "name": "spanner-default", "instanceId": 3002, "subclients": [
      {"id": 604, "name": "orders", "subclientInfo": "<info/>"}
    ]},
    {"id": 504, "name": "oci-default", "instanceId": 2002, "subclients": [
      {"id": 605, "name": "oci-content", "contentXml": "<content/>"}
    ]},
    {"id": 505, "name": "unbound", "subclients": [{"id": 606, "name": "orphan"}]},
    {"id": 506, "name": "foreign", "instanceId": 1008, "subclients": [{"id": 607, "name": "theirs"}]}
  ]
})";

class Applications : public ::testing::Test {
 protected:
  config_test::ConfiguredHost host_{kApplications};
};

TEST_F(Applications, SubclientsAnswerTheirOwnContent) {
  std::string text;
  EXPECT_EQ(CloudAppsSubclient(601).getDynamicContent(text, nullptr), config::kOk);
  EXPECT_EQ(text,
            "<CloudDBEntity entityType=\"17\">\n  <children name=\"prod-*\" entityType=\"51\"/>\n</CloudDBEntity>");
  EXPECT_EQ(AmazonDynamoDBSubclient(603).getDynamicContent(text, nullptr), config::kOk);
  EXPECT_EQ(text, "<CloudDBEntity entityType=\"17\"/>");
  EXPECT_EQ(GoogleCloudSpannerSubclient(604).getSubclientInfo(text, nullptr), config::kOk);
  EXPECT_EQ(text, "<info/>");
  EXPECT_EQ(OracleCloudSubclient(605).getContentXML(text, nullptr), config::kOk);
  EXPECT_EQ(text, "<content/>");

  std::uint64_t id = 0;
  Subclient prod(601);
  EXPECT_EQ(prod.getSubclientName(text), config::kOk);
  EXPECT_EQ(text, "prod");
  EXPECT_EQ(prod.getBackupSetId(id), config::kOk);
  EXPECT_EQ(id, 501u);
  EXPECT_EQ(prod.getInstanceId(id), config::kOk);
  EXPECT_EQ(id, 1001u);
}

TEST_F(Applications, MissingContentAndUnknownSubclientsLeaveTheOutputAlone) {
  std::string text = "untouched";
  std::uint64_t id = 77;
  EXPECT_EQ(CloudAppsSubclient(602).getDynamicContent(text), config::kValueNotSet);
  EXPECT_EQ(OracleCloudSubclient(601).getContentXML(text), config::kValueNotSet);
  EXPECT_EQ(CloudAppsSubclient(9999).getDynamicContent(text), config::kObjectNotFound);
  EXPECT_EQ(Subclient(606).getInstanceId(id), config::kValueNotSet);
  EXPECT_EQ(text, "untouched");
  EXPECT_EQ(id, 77u);
}

TEST_F(Applications, ApplicationIdFindsTheOwningInstanceOrNone) {
  const ApplicationId rds(ApplicationId::kSubclient, 601);
  ASSERT_NE(rds.getInstance(), nullptr);
  EXPECT_EQ(rds.getInstance()->getInstanceId(), 1001u);
  std::string name;
  EXPECT_EQ(rds.getInstance()->getInstanceName(name), config::kOk);
  EXPECT_EQ(name, "rds");

  EXPECT_EQ(ApplicationId(ApplicationId::kSubclient, 606).getInstance(), nullptr) << "backup set without instance";
  EXPECT_EQ(ApplicationId(ApplicationId::kSubclient, 9999).getInstance(), nullptr) << "unknown subclient";
  EXPECT_EQ(ApplicationId(1, 601).getInstance(), nullptr) << "kinds other than subclients are not served";
}

TEST_F(Applications, InstanceListHoldsTheClientsApplicationInstancesOfTheType) {
  std::vector<std::uint64_t> ids;
  std::vector<std::string> names;
  ASSERT_EQ(ClientApplicationList(10, 134).getInstanceList(ids, names), config::kOk);
  EXPECT_EQ(ids, (std::vector<std::uint64_t>{1001, 1002, 1006, 2002}));
  EXPECT_EQ(names, (std::vector<std::string>{"rds", "dynamo", "spanner-east", "oci"}));

  ASSERT_EQ(ClientApplicationList(10, 22).getInstanceList(ids, names), config::kOk);
  EXPECT_EQ(ids, std::vector<std::uint64_t>{1007});
  ASSERT_EQ(ClientApplicationList(10, 5).getInstanceList(ids, names), config::kOk);
  EXPECT_TRUE(ids.empty());
  EXPECT_TRUE(names.empty());
}

TEST_F(Applications, BackupSetAndSubclientListsFollowOwnership) {
  ClientApplicationList apps(10, 134);
  std::vector<std::uint64_t> ids;
  std::vector<std::string> names;
  ASSERT_EQ(apps.getBackupSetList(1001, ids, names), config::kOk);
  EXPECT_EQ(ids, std::vector<std::uint64_t>{501});
  EXPECT_EQ(names, std::vector<std::string>{"rds-default"});
  ASSERT_EQ(apps.getBackupSetList(3002, ids, names), config::kOk) << "a virtual server of the client owns backup sets";
  EXPECT_EQ(ids, std::vector<std::uint64_t>{503});
  ASSERT_EQ(apps.getSubclientList(501, ids, names), config::kOk);
  EXPECT_EQ(ids, (std::vector<std::uint64_t>{601, 602}));
  EXPECT_EQ(names, (std::vector<std::string>{"prod", "empty"}));
  ASSERT_EQ(apps.getBackupSetList(1006, ids, names), config::kOk);
  EXPECT_TRUE(ids.empty());
}

TEST_F(Applications, ListsOfOtherClientsOrTypesAreRefusedAndLeaveTheListsAlone) {
  std::vector<std::uint64_t> ids = {1};
  std::vector<std::string> names = {"untouched"};
  ClientApplicationList apps(10, 134);
  EXPECT_EQ(apps.getBackupSetList(1008, ids, names), config::kObjectNotFound) << "another client's instance";
  EXPECT_EQ(apps.getBackupSetList(1007, ids, names), config::kObjectNotFound) << "another application type";
  EXPECT_EQ(apps.getSubclientList(506, ids, names), config::kObjectNotFound);
  EXPECT_EQ(apps.getSubclientList(505, ids, names), config::kObjectNotFound) << "unbound backup set";
  EXPECT_EQ(apps.getSubclientList(9999, ids, names), config::kObjectNotFound);
  EXPECT_EQ(ClientApplicationList(99, 134).getInstanceList(ids, names), config::kObjectNotFound);
  EXPECT_EQ(ids, std::vector<std::uint64_t>{1});
  EXPECT_EQ(names, std::vector<std::string>{"untouched"});
}

}  // namespace
