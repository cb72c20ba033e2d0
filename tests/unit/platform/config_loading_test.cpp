// Loading the platform configuration file: the shipped example, and every kind of bad file
// refused as a whole with the place and the reason.
#include <gtest/gtest.h>

#include "config_test_support.h"
#include "platform/CNMessageBase.h"
#include "platform/config/CloudAppsInstance.h"
#include "platform/config/Subclient.h"
#include "platform/config/vsAppMgr.h"

namespace {

using config_test::load;

std::string loadFailure(const std::string& json) {
  std::unique_ptr<const PlatformConfiguration> configuration;
  const CLmError error = load(json, configuration);
  EXPECT_TRUE(error.IsFailure()) << json;
  EXPECT_EQ(error.code(), PlatformConfiguration::kLoadFailureCode);
  EXPECT_EQ(configuration, nullptr);
  return error.message();
}

void expectRefused(const std::string& json, const std::string& expected) {
  const std::string message = loadFailure(json);
  EXPECT_TRUE(message.starts_with("test.json: ")) << message;
  EXPECT_NE(message.find(expected), std::string::npos) << "message: " << message << "\nexpected: " << expected;
}

const std::string kSealedSecret = config_test::seal(config_test::testKey(), "s");

TEST(ExampleConfiguration, LoadsAndItsSecretsOpenWithTheExampleKey) {
  const std::string folder = std::string(CLOUDDB_SOURCE_DIR) + "/examples/";
  std::optional<HostKey> key;
  ASSERT_FALSE(HostKey::LoadFile(folder + "host.key", key));
  std::unique_ptr<const PlatformConfiguration> configuration;
  const CLmError error = PlatformConfiguration::LoadFile(folder + "platform.json", configuration);
  ASSERT_FALSE(error) << error.AsString();

  HostEnvironment environment;
  environment.configuration = configuration.get();
  environment.hostKey = &*key;
  HostEnvironment::Installation installed(environment);
  for (const std::uint64_t id : {1001u, 1002u, 1003u, 1004u}) {
    std::string accessKey;
    std::string secret;
    std::string clear;
    CloudAppsInstance instance(id);
    EXPECT_EQ(instance.getAccessKey(accessKey), config::kOk) << id;
    EXPECT_EQ(accessKey, "AKIADEMOEXAMPLE0001");
    ASSERT_EQ(instance.getSecretKey(secret), config::kOk) << id;
    EXPECT_EQ(vsAppMgr::decryptPassword(secret, clear), config::kOk) << id;
    EXPECT_EQ(clear, "demo-secret-key-0001");
  }
  EXPECT_EQ(RDSInstance(1001).status(), config::kOk);
  EXPECT_EQ(AmazonDynamoDBInstance(1002).status(), config::kOk);
  EXPECT_EQ(AmazonDocumentDBInstance(1003).status(), config::kOk);
  EXPECT_EQ(AmazonRedshiftInstance(1004).status(), config::kOk);

  // The content rules are written by hand: each must parse as the entity tree it stands for.
  for (const std::uint64_t subclientId : {601u, 602u, 603u, 604u}) {
    std::string content;
    ASSERT_EQ(CloudAppsSubclient(subclientId).getDynamicContent(content), config::kOk) << subclientId;
    std::unique_ptr<CNMessageBase> entity = CNMessageBase::create(30, 2718);
    ASSERT_NE(entity, nullptr);
    const CLmError parsed = entity->unserialize(content);
    EXPECT_FALSE(parsed) << subclientId << ": " << parsed.AsString();
    EXPECT_FALSE(entity->getlistobject(1).empty()) << subclientId;
  }
}

TEST(MalformedConfiguration, UnreadableOrUnparsableFilesNameThePlace) {
  std::unique_ptr<const PlatformConfiguration> configuration;
  const CLmError missing = PlatformConfiguration::LoadFile("/nonexistent/platform.json", configuration);
  EXPECT_NE(missing.message().find("/nonexistent/platform.json: cannot be read"), std::string::npos);

  expectRefused("{\n  \"instances\": [\n    {\"id\": 1,,}\n  ]\n}", "line 3, column 14: Missing a name for object member");
  expectRefused("[1, 2]", "the file must hold one JSON object");
  expectRefused("", "line 1, column 1");
  expectRefused(std::string(100000, '[') , "line 1");
}

TEST(MalformedConfiguration, MembersOfTheWrongShapeAreRefused) {
  expectRefused(R"({"instances": {}})", "instances: must be an array");
  expectRefused(R"({"instances": [7]})", "instances[0]: must be an object");
  expectRefused(R"({"instances": [{"kind": "cloudApps", "id": "1001", "name": "a", "instanceType": 4}]})",
                "instances[0].id: must be a positive whole number");
  expectRefused(R"({"instances": [{"kind": "cloudApps", "id": 0, "name": "a", "instanceType": 4}]})",
                "instances[0].id: must be a positive whole number");
  expectRefused(R"({"instances": [{"kind": "cloudApps", "id": 1, "instanceType": 4}]})",
                "instances[0].name: is required");
  expectRefused(R"({"instances": [{"kind": "cloudApps", "id": 1, "name": "a"}]})",
                "instances[0].instanceType: is required");
  expectRefused(R"({"instances": [{"kind": "cloudApps", "id": 1, "name": "a", "instanceType": 4,
                                   "regionEndPoints": ["us-east-1", 5]}]})",
                "instances[0].regionEndPoints[1]: must be a text");
  expectRefused(R"({"virtualServers": [{"id": 1, "name": "a"}]})", "virtualServers[0].instanceType: is required");
  expectRefused(R"({"clients": [{"id": 1, "name": "c", "httpProxy": {"enabled": 1}}]})",
                "clients[0].httpProxy.enabled: must be true or false");
  expectRefused(R"({"clients": [{"id": 1, "name": "c", "httpProxy": {"port": 70000}}]})",
                "clients[0].httpProxy.port: must be between 0 and 65535");
  expectRefused(R"({"globalParameters": {"httpProxy.enabled": true}})",
                "globalParameters.httpProxy.enabled: must be a text or a whole number");
  expectRefused(R"({"appManagerSettings": [{"instanceId": 1, "credentials": [{"host": ":"}]}]})",
                "appManagerSettings[0].credentials[0].kind: is required");
  expectRefused(R"({"backupSets": [{"id": 5, "name": "b", "subclients": [{"id": 6, "name": "s",
                                   "dynamicContent": ["<a>", 3]}]}]})",
                "backupSets[0].subclients[0].dynamicContent[1]: must be a text");
}

TEST(MalformedConfiguration, UnknownRepeatedAndForeignMembersAreRefused) {
  expectRefused(R"({"instanceList": []})", "instanceList: is not a member this object can have");
  expectRefused(R"({"instances": [{"kind": "cloudApps", "id": 1, "name": "a", "instanceType": 4, "acessKey": "x"}]})",
                "instances[0].acessKey: is not a member this object can have");
  // An Oracle member on a cloud-application instance is a mistake, not a value to keep.
  expectRefused(R"({"instances": [{"kind": "cloudApps", "id": 1, "name": "a", "instanceType": 4, "tenancyId": "t"}]})",
                "instances[0].tenancyId: is not a member this object can have");
  expectRefused(R"({"instances": [{"kind": "cloudApps", "id": 1, "name": "a", "name": "b", "instanceType": 4}]})",
                "instances[0].name: is given twice");
  expectRefused(R"({"instances": [{"kind": "virtualServer", "id": 1, "name": "a", "instanceType": 301}]})",
                "instances[0].kind: must be \"cloudApps\", \"oracleCloud\" or \"oracleCloudInfra\"");
}

TEST(MalformedConfiguration, ClearTextSecretsAreRefusedWithoutRepeatingThem) {
  const std::string message = loadFailure(
      R"({"instances": [{"kind": "cloudApps", "id": 1, "name": "a", "instanceType": 4, "secretKey": "hunter2"}]})");
  EXPECT_NE(message.find("instances[0].secretKey: a secret must be stored encrypted"), std::string::npos) << message;
  EXPECT_EQ(message.find("hunter2"), std::string::npos);
  expectRefused(R"({"clients": [{"id": 1, "name": "c", "cloudAppsCredentials": {"secret": "plain"}}]})",
                "clients[0].cloudAppsCredentials.secret: a secret must be stored encrypted");
  expectRefused(R"({"instances": [{"kind": "oracleCloud", "id": 1, "name": "o", "userPassword": "plain"}]})",
                "instances[0].userPassword: a secret must be stored encrypted");
  expectRefused(R"({"globalParameters": {"httpProxy.password": "plain"}})",
                "globalParameters.httpProxy.password: a secret must be stored encrypted");

  std::unique_ptr<const PlatformConfiguration> configuration;
  EXPECT_FALSE(load(R"({"instances": [{"kind": "cloudApps", "id": 1, "name": "a", "instanceType": 4,
                                       "secretKey": ")" + kSealedSecret + R"(", "azurePassword": ""}]})",
                    configuration));
}

TEST(MalformedConfiguration, DuplicateIdsAndDanglingReferencesAreRefused) {
  expectRefused(R"({"instances": [{"kind": "cloudApps", "id": 7, "name": "a", "instanceType": 4}],
                    "virtualServers": [{"id": 7, "name": "v", "instanceType": 301}]})",
                "instance id 7 is configured twice");
  expectRefused(R"({"clients": [{"id": 1, "name": "a"}, {"id": 1, "name": "b"}]})", "client id 1 is configured twice");
  expectRefused(R"({"backupSets": [{"id": 2, "name": "a", "subclients": [{"id": 3, "name": "x"}]},
                                   {"id": 4, "name": "b", "subclients": [{"id": 3, "name": "y"}]}]})",
                "subclient id 3 is configured twice");
  expectRefused(R"({"instances": [{"kind": "cloudApps", "id": 1, "name": "a", "instanceType": 4, "clientId": 9}]})",
                "instance 1: clientId 9 is not a configured client");
  expectRefused(R"({"instances": [{"kind": "cloudApps", "id": 1, "name": "a", "instanceType": 4}],
                    "clients": [{"id": 2, "name": "c", "cloudVirtualServerId": 1}]})",
                "client 2: cloudVirtualServerId 1 is not a configured virtual server");
  expectRefused(R"({"backupSets": [{"id": 2, "name": "a", "instanceId": 99}]})",
                "backup set 2: instanceId 99 is not a configured instance");
  expectRefused(R"({"appManagerSettings": [{"instanceId": 99, "credentials": []}]})",
                "application-manager settings name instance 99, which is not configured");
}

TEST(ConfigurationLists, KeepTheOrderOfTheFile) {
  std::unique_ptr<const PlatformConfiguration> configuration;
  ASSERT_FALSE(load(R"({"clients": [{"id": 1, "name": "c"}],
                        "instances": [{"kind": "cloudApps", "id": 30, "name": "z", "instanceType": 37, "clientId": 1,
                                       "applicationType": 134},
                                      {"kind": "cloudApps", "id": 10, "name": "a", "instanceType": 37, "clientId": 1,
                                       "applicationType": 134}]})",
                    configuration));
  const auto instances = configuration->instancesOfClient(1, 134);
  ASSERT_EQ(instances.size(), 2u);
  EXPECT_EQ(instances[0]->id, 30u);
  EXPECT_EQ(instances[1]->id, 10u);
}

}  // namespace
