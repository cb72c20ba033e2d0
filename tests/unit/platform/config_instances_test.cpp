// The instance objects: every getter answers present values, reports missing ones without
// touching the out-argument, and the typed kinds refuse instances of another type.
#include <gtest/gtest.h>

#include "config_test_support.h"
#include "platform/config/CloudAppsInstance.h"
#include "platform/config/InstanceTypeVirtualServer.h"
#include "platform/config/OracleCloudInstance.h"
#include "platform/config/vsAppMgr.h"

namespace {

const std::string kInstances = R"({
  "instances": [
    {"kind": "cloudApps", "id": 1001, "name": "aws-rds", "instanceType": 4,
     "accessKey": "AKIA1", "secretKey": "{{seal:rds-secret}}",
     "regionEndPoints": ["us-east-1", "eu-west-1"]},
    {"kind": "cloudApps", "id": 1002, "name": "aws-dynamo", "instanceType": 22, "accessKey": "AKIA2"},
    {"kind": "cloudApps", "id": 1005, "name": "azure-tables", "instanceType": 32,
     "azureSubscriptionId": "sub-1", "azureTenantId": "tenant-1", "azureUserName": "app-1",
     "azurePassword": "{{seal:azure-secret}}", "regionEndPoints": []},
    {"kind": "cloudApps", "id": 1006, "name": "spanner", "instanceType": 37},
    {"kind": "oracleCloud", "id": 2001, "name": "oracle-classic", "endpointUrl": "https://dbcs.example",
     "userName": "admin", "userPassword": "{{seal:oracle-pass}}"},
    {"kind": "oracleCloudInfra", "id": 2002, "name": "oci", "tenancyId": "ocid1.tenancy", "userId": "ocid1.user",
     "privateKeyPassword": "{{seal:key-pass}}", "privateKeyFileName": "/keys/oci.pem",
     "fingerprint": "aa:bb", "regionName": "us-ashburn-1"}
  ],
  "virtualServers": [
    {"id": 3001, "name": "aws-account", "instanceType": 301, "host": "us-east-1,us-west-2",
     "amazonAccessKey": "AKIAVS", "amazonSecretKey": "{{seal:vs-secret}}"},
    {"id": 3002, "name": "google-account", "instanceType": 1301, "user": "/keys/account.p12",
     "password": "{{seal:p12-pass}}", "googleServiceAccountId": "svc@project"},
    {"id": 3003, "name": "alibaba-account", "instanceType": 1401, "alibabaAccessKey": "LTAI",
     "alibabaSecretKey": "{{seal:ali-secret}}"},
    {"id": 3004, "name": "azure-account", "instanceType": 402, "azureSubscriptionId": "sub-vs",
     "azureTenantId": "tenant-vs", "user": "app-vs", "password": "{{seal:vs-azure}}"}
  ]
})";

class InstanceObjects : public ::testing::Test {
 protected:
  config_test::ConfiguredHost host_{kInstances};
};

std::string opened(const std::string& stored) {
  std::string clear;
  EXPECT_EQ(vsAppMgr::decryptPassword(stored, clear), config::kOk);
  return clear;
}

TEST_F(InstanceObjects, CloudAppsGettersAnswerTheConfiguredValues) {
  CloudAppsInstance rds(1001);
  std::string text;
  std::uint64_t type = 0;
  EXPECT_EQ(rds.getInstanceName(text, nullptr), config::kOk);
  EXPECT_EQ(text, "aws-rds");
  EXPECT_EQ(rds.getInstanceType(type, nullptr), config::kOk);
  EXPECT_EQ(type, 4u);
  EXPECT_EQ(rds.getAccessKey(text, nullptr), config::kOk);
  EXPECT_EQ(text, "AKIA1");
  ASSERT_EQ(rds.getSecretKey(text, nullptr), config::kOk);
  EXPECT_TRUE(text.starts_with("enc:v1:")) << "secrets are handed out as stored";
  EXPECT_EQ(opened(text), "rds-secret");

  std::vector<std::string> regions;
  EXPECT_EQ(rds.getRegionEndPoints(regions, nullptr), config::kOk);
  EXPECT_EQ(regions, (std::vector<std::string>{"us-east-1", "eu-west-1"}));
  EXPECT_EQ(rds.getRegionEndPoints(text, nullptr), config::kOk);
  EXPECT_EQ(text, "us-east-1,eu-west-1");

  CloudAppsInstance azure(1005);
  EXPECT_EQ(azure.getAzureSubscriptionId(text), config::kOk);
  EXPECT_EQ(text, "sub-1");
  EXPECT_EQ(azure.getAzureTenantId(text), config::kOk);
  EXPECT_EQ(text, "tenant-1");
  EXPECT_EQ(azure.getAzureUserName(text), config::kOk);
  EXPECT_EQ(text, "app-1");
  ASSERT_EQ(azure.getAzurePassword(text), config::kOk);
  EXPECT_EQ(opened(text), "azure-secret");
  EXPECT_EQ(azure.getRegionEndPoints(text), config::kOk);
  EXPECT_EQ(text, "");
}

TEST_F(InstanceObjects, MissingValuesAnswerNotSetAndLeaveTheOutputAlone) {
  CloudAppsInstance dynamo(1002);
  std::string text = "untouched";
  std::vector<std::string> regions = {"untouched"};
  EXPECT_EQ(dynamo.getSecretKey(text), config::kValueNotSet);
  EXPECT_EQ(dynamo.getAzurePassword(text), config::kValueNotSet);
  EXPECT_EQ(dynamo.getRegionEndPoints(text), config::kValueNotSet);
  EXPECT_EQ(dynamo.getRegionEndPoints(regions), config::kValueNotSet);
  EXPECT_EQ(text, "untouched");
  EXPECT_EQ(regions, std::vector<std::string>{"untouched"});

  OracleCloudInstance oracle(2001);
  std::uint64_t type = 77;
  EXPECT_EQ(oracle.getInstanceType(type), config::kValueNotSet);
  EXPECT_EQ(type, 77u);
}

TEST_F(InstanceObjects, UnknownIdsAndOtherKindsAnswerEveryGetterWithTheReason) {
  std::string text = "untouched";
  std::uint64_t type = 77;
  CloudAppsInstance unknown(4242);
  EXPECT_EQ(unknown.status(), config::kObjectNotFound);
  EXPECT_EQ(unknown.getInstanceName(text), config::kObjectNotFound);
  EXPECT_EQ(unknown.getAccessKey(text), config::kObjectNotFound);

  // A virtual server is not a cloud-application instance, and the other way round.
  EXPECT_EQ(CloudAppsInstance(3001).getInstanceType(type), config::kWrongKind);
  EXPECT_EQ(InstanceTypeVirtualServer(1001).getVirtualServerHost(text), config::kWrongKind);
  EXPECT_EQ(OracleCloudInstance(2002).getEndpointURL(text), config::kWrongKind);
  EXPECT_EQ(OracleCloudInfraInstance(2001).getOracleCloudInfrastructureTenancyId(text), config::kWrongKind);
  EXPECT_EQ(text, "untouched");
  EXPECT_EQ(type, 77u);
  EXPECT_FALSE(Instance::getErrorMessage(config::kWrongKind).empty());

  // The generic Instance opens any kind.
  EXPECT_EQ(Instance(3001).getInstanceName(text), config::kOk);
  EXPECT_EQ(text, "aws-account");
}

TEST_F(InstanceObjects, TypedKindsOpenOnlyInstancesOfTheirType) {
  std::string text;
  EXPECT_EQ(RDSInstance(1001).getAccessKey(text), config::kOk);
  EXPECT_EQ(AmazonDynamoDBInstance(1002).getAccessKey(text), config::kOk);
  EXPECT_EQ(GoogleCloudSpannerInstance(1006).getInstanceName(text), config::kOk);
  EXPECT_EQ(text, "spanner");

  EXPECT_EQ(RDSInstance(1002).status(), config::kWrongKind);
  EXPECT_EQ(AmazonDynamoDBInstance(1001).getAccessKey(text), config::kWrongKind);
  EXPECT_EQ(AmazonDocumentDBInstance(1001).status(), config::kWrongKind);
  EXPECT_EQ(AmazonRedshiftInstance(1001).status(), config::kWrongKind);
  EXPECT_EQ(GoogleCloudSpannerInstance(1005).status(), config::kWrongKind);
}

TEST_F(InstanceObjects, VirtualServerHandsOutTheAmazonSecretInClearAndTheOthersAsAsked) {
  InstanceTypeVirtualServer amazon(3001);
  std::string text;
  std::uint64_t type = 0;
  EXPECT_EQ(amazon.getInstanceType(type), config::kOk);
  EXPECT_EQ(type, 301u);
  EXPECT_EQ(amazon.getVirtualServerHost(text), config::kOk);
  EXPECT_EQ(text, "us-east-1,us-west-2");
  EXPECT_EQ(amazon.getAmazonAccessKey(text), config::kOk);
  EXPECT_EQ(text, "AKIAVS");
  EXPECT_EQ(amazon.getAmazonSecretKey(text), config::kOk);
  EXPECT_EQ(text, "vs-secret");

  InstanceTypeVirtualServer google(3002);
  EXPECT_EQ(google.getGoogleCloudServiceAccountId(text), config::kOk);
  EXPECT_EQ(text, "svc@project");
  EXPECT_EQ(google.getVirtualServerUser(text), config::kOk);
  EXPECT_EQ(text, "/keys/account.p12");
  EXPECT_EQ(google.getVirtualServerPassword(text, false), config::kOk);
  EXPECT_EQ(text, "p12-pass");
  EXPECT_EQ(google.getVirtualServerPassword(text, true), config::kOk);
  EXPECT_EQ(opened(text), "p12-pass");

  InstanceTypeVirtualServer alibaba(3003);
  EXPECT_EQ(alibaba.getAlibabaAccessKey(text), config::kOk);
  EXPECT_EQ(text, "LTAI");
  ASSERT_EQ(alibaba.getAlibabaSecretKey(text), config::kOk);
  EXPECT_EQ(opened(text), "ali-secret");

  InstanceTypeVirtualServer azure(3004);
  EXPECT_EQ(azure.getAzureSubscriptionId(text), config::kOk);
  EXPECT_EQ(text, "sub-vs");
  EXPECT_EQ(azure.getAzureTenantId(text), config::kOk);
  EXPECT_EQ(text, "tenant-vs");
  text = "untouched";
  EXPECT_EQ(azure.getAmazonSecretKey(text), config::kValueNotSet);
  EXPECT_EQ(alibaba.getVirtualServerPassword(text, false), config::kValueNotSet);
  EXPECT_EQ(text, "untouched");
}

TEST_F(InstanceObjects, OracleInstancesAnswerTheirCredentials) {
  OracleCloudInstance classic(2001);
  std::string text;
  EXPECT_EQ(classic.getEndpointURL(text), config::kOk);
  EXPECT_EQ(text, "https://dbcs.example");
  EXPECT_EQ(classic.getUserName(text), config::kOk);
  EXPECT_EQ(text, "admin");
  ASSERT_EQ(classic.getUserPassword(text), config::kOk);
  EXPECT_EQ(opened(text), "oracle-pass");

  OracleCloudInfraInstance oci(2002);
  EXPECT_EQ(oci.getOracleCloudInfrastructureTenancyId(text), config::kOk);
  EXPECT_EQ(text, "ocid1.tenancy");
  ASSERT_EQ(oci.getOracleCloudInfrastructurePrivateKeyPassword(text), config::kOk);
  EXPECT_EQ(opened(text), "key-pass");
  EXPECT_EQ(oci.getOracleCloudInfrastructureUserId(text), config::kOk);
  EXPECT_EQ(text, "ocid1.user");
  EXPECT_EQ(oci.getOracleCloudInfrastructurePrivateKeyFileName(text), config::kOk);
  EXPECT_EQ(text, "/keys/oci.pem");
  EXPECT_EQ(oci.getOracleCloudInfrastructureFingerPrint(text), config::kOk);
  EXPECT_EQ(text, "aa:bb");
  EXPECT_EQ(oci.getOracleCloudInfrastructureRegionName(text), config::kOk);
  EXPECT_EQ(text, "us-ashburn-1");
}

TEST(InstanceObjectsWithoutConfiguration, EveryGetterSaysSo) {
  HostEnvironment bare;
  HostEnvironment::Installation installed(bare);
  std::string text = "untouched";
  EXPECT_EQ(CloudAppsInstance(1001).getAccessKey(text), config::kNoConfiguration);
  EXPECT_EQ(InstanceTypeVirtualServer(3001).getAmazonSecretKey(text), config::kNoConfiguration);
  EXPECT_EQ(text, "untouched");
}

TEST(InstanceObjectsWithAForeignKey, ClearTextGettersRefuseInsteadOfAnsweringGarbage) {
  config_test::ConfiguredHost host(kInstances);
  const HostKey other = config_test::testKey(99);
  HostEnvironment environment = HostEnvironment::current();
  environment.hostKey = &other;
  HostEnvironment::Installation installed(environment);
  std::string text = "untouched";
  EXPECT_EQ(InstanceTypeVirtualServer(3001).getAmazonSecretKey(text), config::kSecretRefused);
  EXPECT_EQ(InstanceTypeVirtualServer(3002).getVirtualServerPassword(text, false), config::kSecretRefused);
  EXPECT_EQ(text, "untouched");
}

}  // namespace
