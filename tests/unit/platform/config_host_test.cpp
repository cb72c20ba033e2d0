// Host-wide settings and services: global parameters, the local machine and client lookup, the
// application manager's credential records, client properties and the client proxy answer.
#include <gtest/gtest.h>

#include "config_test_support.h"
#include "platform/CNMessageBase.h"
#include "platform/config/ClientProperties.h"
#include "platform/config/HTTPProxySettingsHelper.h"
#include "platform/config/KWGlobalParam.h"
#include "platform/config/KWPlatformInfo.h"
#include "platform/config/vsAppMgr.h"

namespace {

const std::string kHost = R"({
  "machineName": "Demo-Agent",
  "clients": [
    {"id": 10, "name": "demo-agent", "accessKey": "AKIACLIENT", "secretKey": "{{seal:client-secret}}",
     "cloudVirtualServerId": 3001,
     "cloudAppsCredentials": {"subscriptionId": "sub-1", "tenantId": "tenant-1", "applicationId": "app-1",
                              "secret": "{{seal:principal-secret}}"},
     "httpProxy": {"enabled": true, "host": "proxy.local", "port": 3128, "authentication": true,
                   "user": "proxy-user", "password": "{{seal:proxy-pass}}"}},
    {"id": 11, "name": "bare-client"}
  ],
  "instances": [
    {"kind": "cloudApps", "id": 1001, "name": "rds", "instanceType": 4},
    {"kind": "cloudApps", "id": 1002, "name": "dynamo", "instanceType": 22}
  ],
  "virtualServers": [{"id": 3001, "name": "aws-account", "instanceType": 301}],
  "globalParameters": {
    "httpProxy.enabled": 1,
    "httpProxy.site": "proxy.example",
    "httpProxy.port": "8080",
    "httpProxy.useAuthentication": " 1 ",
    "httpProxy.user": "global-user",
    "httpProxy.password": "{{seal:global-pass}}",
    "huge": 9000000000,
    "notANumber": "80a"
  },
  "appManagerSettings": [
    {"instanceId": 1001, "credentials": [
      {"host": "proxy.local:3128", "user": "u", "password": "{{seal:instance-proxy-pass}}", "kind": 3},
      {"name": "api", "host": "api.local", "user": "api-user", "password": "", "kind": 1}
    ]},
    {"instanceId": 3001, "credentials": [{"host": ":", "kind": 3, "password": "enc:v1:AAAA"}]}
  ]
})";

class HostServices : public ::testing::Test {
 protected:
  config_test::ConfiguredHost host_{kHost};
};

TEST_F(HostServices, GlobalParametersReadAsTextOrNumber) {
  std::string text;
  std::int64_t number = 0;
  int small = 0;
  EXPECT_EQ(KWGlobalParam::get(SENDLOGS_USE_HTTP_PROXY, number), config::kOk);
  EXPECT_EQ(number, 1);
  EXPECT_EQ(KWGlobalParam::get(SENDLOGS_HTTP_PROXY_SITE, text), config::kOk);
  EXPECT_EQ(text, "proxy.example");
  EXPECT_EQ(KWGlobalParam::get(SENDLOGS_HTTP_PROXY_PORT, text), config::kOk);
  EXPECT_EQ(text, "8080");
  EXPECT_EQ(KWGlobalParam::get(SENDLOGS_HTTP_PROXY_PORT, small), config::kOk) << "a text of digits reads as a number";
  EXPECT_EQ(small, 8080);
  EXPECT_EQ(KWGlobalParam::get(HUBSERV_USE_PROXY_AUTHENTICATION, small), config::kOk);
  EXPECT_EQ(small, 1);
  EXPECT_EQ(KWGlobalParam::get(SENDLOGS_USE_HTTP_PROXY, text), config::kOk) << "a number reads as its text";
  EXPECT_EQ(text, "1");
  EXPECT_EQ(KWGlobalParam::get(SENDLOGS_HTTP_PROXY_USER, text), config::kOk);
  EXPECT_EQ(text, "global-user");
  ASSERT_EQ(KWGlobalParam::get(SENDLOGS_HTTP_PROXY_PASSWORD, text), config::kOk);
  std::string clear;
  EXPECT_EQ(vsAppMgr::decryptPassword(text, clear), config::kOk);
  EXPECT_EQ(clear, "global-pass");
}

TEST_F(HostServices, UnreadableGlobalParametersLeaveTheOutputAlone) {
  std::string text = "untouched";
  std::int64_t number = 77;
  int small = 77;
  EXPECT_EQ(KWGlobalParam::get("missing", text), config::kValueNotSet);
  EXPECT_EQ(KWGlobalParam::get("missing", number), config::kValueNotSet);
  EXPECT_EQ(KWGlobalParam::get("notANumber", number), config::kValueNotInteger);
  EXPECT_EQ(KWGlobalParam::get(SENDLOGS_HTTP_PROXY_SITE, small), config::kValueNotInteger);
  EXPECT_EQ(KWGlobalParam::get("huge", small), config::kValueNotInteger) << "does not fit an int";
  EXPECT_EQ(KWGlobalParam::get("huge", number), config::kOk);
  EXPECT_EQ(number, 9000000000);
  EXPECT_EQ(text, "untouched");
  EXPECT_EQ(small, 77);
}

TEST_F(HostServices, LocalMachineIsFoundAsAClientRegardlessOfCase) {
  EXPECT_EQ(KWPlatformInfo::getPhysicalMachine(), "Demo-Agent");
  std::uint64_t id = 0;
  EXPECT_EQ(KWClient(KWPlatformInfo::getPhysicalMachine()).getClientId(id), config::kOk);
  EXPECT_EQ(id, 10u);
  id = 77;
  EXPECT_EQ(KWClient("nobody").getClientId(id), config::kObjectNotFound);
  EXPECT_EQ(id, 77u);
}

TEST(HostServicesWithoutMachineName, FallBackToTheSystemHostName) {
  config_test::ConfiguredHost host(R"({"clients": []})");
  EXPECT_FALSE(KWPlatformInfo::getPhysicalMachine().empty());
}

TEST_F(HostServices, AppManagerLoadsTheInstanceCredentialsDecrypted) {
  vsAppMgr manager;
  std::vector<SHostCredentials> credentials = {SHostCredentials{"stale", "", "", "", 1}};
  EXPECT_EQ(manager.getCredentials(credentials), config::kNoSettingsQueried);
  ASSERT_EQ(manager.querySettingsForInstance(1001), config::kOk);
  ASSERT_EQ(manager.getCredentials(credentials), config::kOk);
  ASSERT_EQ(credentials.size(), 2u);
  EXPECT_EQ(credentials[0], (SHostCredentials{"", "proxy.local:3128", "u", "instance-proxy-pass", 3}));
  EXPECT_EQ(credentials[1], (SHostCredentials{"api", "api.local", "api-user", "", 1}));

  manager.resetCredentials();
  EXPECT_EQ(manager.getCredentials(credentials), config::kNoSettingsQueried);
  EXPECT_EQ(credentials.size(), 2u);
}

TEST_F(HostServices, AppManagerQueriesOfInstancesWithoutSettingsOrUnknownOnes) {
  vsAppMgr manager;
  std::vector<SHostCredentials> credentials;
  ASSERT_EQ(manager.querySettingsForInstance(1002), config::kOk);
  ASSERT_EQ(manager.getCredentials(credentials), config::kOk);
  EXPECT_TRUE(credentials.empty());

  ASSERT_EQ(manager.querySettingsForInstance(1001), config::kOk);
  EXPECT_EQ(manager.querySettingsForInstance(4242), config::kObjectNotFound);
  EXPECT_EQ(manager.getCredentials(credentials), config::kNoSettingsQueried) << "a failed query keeps nothing";
  EXPECT_EQ(manager.querySettingsForInstance(3001), config::kSecretRefused) << "damaged password";
  EXPECT_EQ(manager.getCredentials(credentials), config::kNoSettingsQueried);
}

TEST_F(HostServices, ClientPropertiesAnswerTheClientsValues) {
  ClientProperties client(10);
  std::string text;
  std::int64_t serverId = 0;
  EXPECT_EQ(client.getClientName(text), config::kOk);
  EXPECT_EQ(text, "demo-agent");
  EXPECT_EQ(client.getAccessKey(text, nullptr), config::kOk);
  EXPECT_EQ(text, "AKIACLIENT");
  ASSERT_EQ(client.getSecretKey(text, nullptr), config::kOk);
  std::string clear;
  EXPECT_EQ(vsAppMgr::decryptPassword(text, clear), config::kOk);
  EXPECT_EQ(clear, "client-secret");
  EXPECT_EQ(client.getCloudVSInstanceID(serverId, nullptr), config::kOk);
  EXPECT_EQ(serverId, 3001);

  ClientProperties bare(11);
  text = "untouched";
  serverId = 77;
  EXPECT_EQ(bare.getSecretKey(text), config::kValueNotSet);
  EXPECT_EQ(bare.getCloudVSInstanceID(serverId), config::kValueNotSet);
  EXPECT_EQ(bare.getCloudAppsCredentials(text), config::kValueNotSet);
  EXPECT_EQ(ClientProperties(99).getAccessKey(text), config::kObjectNotFound);
  EXPECT_EQ(text, "untouched");
  EXPECT_EQ(serverId, 77);
}

TEST_F(HostServices, CloudAppsCredentialsComeAsTheCredentialsMessage) {
  std::string xml;
  ASSERT_EQ(ClientProperties(10).getCloudAppsCredentials(xml, nullptr), config::kOk);
  std::unique_ptr<CNMessageBase> message = CNMessageBase::create(30, 257);
  ASSERT_NE(message, nullptr);
  ASSERT_FALSE(message->unserialize(xml)) << xml;
  EXPECT_EQ(message->getstring(3), "sub-1");
  EXPECT_EQ(message->getstring(4), "tenant-1");
  const CNMessageBase* principal = message->getObjectAccessor(1);
  ASSERT_NE(principal, nullptr);
  EXPECT_EQ(principal->getstring(1), "app-1");
  std::string clear;
  ASSERT_FALSE(principal->getPlainPassword(2, clear));
  EXPECT_EQ(clear, "principal-secret");
  EXPECT_EQ(xml.find("principal-secret"), std::string::npos) << "the secret travels encrypted";
}

std::unique_ptr<CNMessageBase> proxyRequest(std::int64_t clientId) {
  std::unique_ptr<CNMessageBase> request = CNMessageBase::create(30, 3220);
  EXPECT_NE(request, nullptr);
  if (request) {
    request->getObjectAccessor(1, true)->setint64(17, clientId);
    request->setint64(2, 0);
    request->setint64(3, 0);
  }
  return request;
}

TEST_F(HostServices, ProxySettingsOfAClientAreAnswered) {
  std::unique_ptr<CNMessageBase> request = proxyRequest(10);
  std::unique_ptr<CNMessageBase> response = CNMessageBase::create(30, 3219);
  ASSERT_TRUE(request && response);
  std::string error = "stale";
  ASSERT_EQ(HTTPProxySettingsHelper::GetHTTPProxySettings(*request, *response, error), config::kOk);
  EXPECT_EQ(error, "");
  EXPECT_EQ(response->getint64(1), 1);
  EXPECT_EQ(response->getstring(2), "proxy.local");
  EXPECT_EQ(response->getint64(6), 3128);
  EXPECT_EQ(response->getint64(7), 1);
  const CNMessageBase* credentials = response->getObjectAccessor(9);
  ASSERT_NE(credentials, nullptr);
  EXPECT_EQ(credentials->getstring(1), "proxy-user");
  std::string clear;
  ASSERT_FALSE(credentials->getPlainPassword(2, clear));
  EXPECT_EQ(clear, "proxy-pass");
}

TEST_F(HostServices, ProxySettingsOfAClientWithoutProxyOrUnknownClient) {
  std::unique_ptr<CNMessageBase> response = CNMessageBase::create(30, 3219);
  std::string error;
  ASSERT_EQ(HTTPProxySettingsHelper::GetHTTPProxySettings(*proxyRequest(11), *response, error), config::kOk);
  EXPECT_EQ(response->getint64(1), 0);
  EXPECT_FALSE(response->isSet(2));

  std::unique_ptr<CNMessageBase> fresh = CNMessageBase::create(30, 3219);
  EXPECT_EQ(HTTPProxySettingsHelper::GetHTTPProxySettings(*proxyRequest(0), *fresh, error), config::kObjectNotFound);
  EXPECT_EQ(error, "client [0] is not configured");
  EXPECT_FALSE(fresh->isSet(1));
  EXPECT_EQ(HTTPProxySettingsHelper::GetHTTPProxySettings(*fresh, *fresh, error), config::kWrongMessage);
  EXPECT_FALSE(error.empty());
}

}  // namespace
