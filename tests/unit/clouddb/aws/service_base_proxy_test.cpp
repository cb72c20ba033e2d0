// AmazonServiceBase::GetHTTPProxySettings: the platform's answer for the local client first, the
// global parameters when the platform cannot answer.
#include <gtest/gtest.h>

#include "AwsServiceTestWorld.h"
#include "clouddb/aws/CAmazonDocumentDBInfo.h"
#include "clouddb/aws/CAmazonRedshiftInfo.h"
#include "platform/HostKey.h"
#include "platform/config/KWGlobalParam.h"

namespace {

using awstest::AwsServiceTestWorld;

const SHostCredentials kNoProxy{"", ":", "", "", 3};

class ServiceBaseProxyTest : public ::testing::Test {
 protected:
  // The platform's answer for the local machine's client.
  config::ClientProxyRecord& answeredProxy() {
    if (!contents_.clients[0].httpProxy) contents_.clients[0].httpProxy = config::ClientProxyRecord{};
    return *contents_.clients[0].httpProxy;
  }
  void setGlobal(const char* name, config::GlobalValue value) {
    contents_.globalParameters.push_back(config::GlobalParameterRecord{name, std::move(value)});
  }
  // The proxy list after one lookup (in the world that is installed).
  static std::vector<SHostCredentials> lookUp() {
    CAmazonRedshiftInfo provider;
    EXPECT_EQ(provider.GetHTTPProxySettings(), 1);
    return provider.proxyCredentials();
  }

  HostKey key_ = AwsServiceTestWorld::testKey();
  config::ConfigurationContents contents_ = AwsServiceTestWorld::defaultContents(key_);
};

TEST_F(ServiceBaseProxyTest, ThePlatformsAnswerForTheLocalClientBecomesTheEntry) {
  config::ClientProxyRecord& proxy = answeredProxy();
  proxy.enabled = true;
  proxy.host = "proxy.local";
  proxy.port = 3128;
  proxy.authentication = true;
  proxy.user = "puser";
  proxy.password = AwsServiceTestWorld::seal(key_, "ppass");
  // The global parameters name another proxy: they must not be consulted.
  setGlobal(SENDLOGS_USE_HTTP_PROXY, std::int64_t{1});
  setGlobal(SENDLOGS_HTTP_PROXY_SITE, std::string("global.local"));
  setGlobal(SENDLOGS_HTTP_PROXY_PORT, std::string("8080"));
  AwsServiceTestWorld world(contents_, awstest::behindProxy("proxy.local:3128", "puser", "ppass"));

  EXPECT_EQ(lookUp(), (std::vector<SHostCredentials>{{"", "proxy.local:3128", "puser", "ppass", 3}}));
  EXPECT_TRUE(world.capture().hasLine("get http settings for clientid [7]"));

  // The whole way: the cloud is reachable only through that proxy, with its password.
  CAmazonRedshiftInfo provider;
  provider.FetchCredentials(awstest::kRedshiftInstanceId);
  provider.FetchClientCredentials(0);
  EXPECT_EQ(provider.Connect(), 1);
}

TEST_F(ServiceBaseProxyTest, AnUnknownLocalClientFallsBackToTheGlobalParameters) {
  contents_.clients[0].name = "some-other-host";
  setGlobal(SENDLOGS_USE_HTTP_PROXY, std::int64_t{1});
  setGlobal(SENDLOGS_HTTP_PROXY_SITE, std::string("global.local"));
  setGlobal(SENDLOGS_HTTP_PROXY_PORT, std::string("8080"));
  setGlobal(HUBSERV_USE_PROXY_AUTHENTICATION, std::int64_t{0});
  AwsServiceTestWorld world(contents_);

  EXPECT_EQ(lookUp(), (std::vector<SHostCredentials>{{"", "global.local:8080", "", "", 3}}));
  EXPECT_TRUE(world.capture().hasLine("Error during client lookup."));
  EXPECT_TRUE(world.capture().hasLine("get http settings for clientid [0]"));
}

TEST_F(ServiceBaseProxyTest, WithoutAnySettingTheFallbackUsesNoProxy) {
  contents_.clients.clear();
  AwsServiceTestWorld world(contents_);
  EXPECT_EQ(lookUp(), std::vector<SHostCredentials>{kNoProxy});
  EXPECT_TRUE(world.capture().hasLine("Error fetching HTTP Proxy"));
}

TEST_F(ServiceBaseProxyTest, AnAnsweredProxyThatIsOffOrUnroutableMeansNoProxy) {
  answeredProxy().enabled = false;
  answeredProxy().host = "proxy.local";
  {
    AwsServiceTestWorld world(contents_);
    EXPECT_EQ(lookUp(), std::vector<SHostCredentials>{kNoProxy});
  }
  config::ClientProxyRecord& proxy = answeredProxy();
  proxy.enabled = true;
  proxy.host = "0.0.0.0";
  proxy.port = 3128;
  AwsServiceTestWorld world(contents_);
  EXPECT_EQ(lookUp(), std::vector<SHostCredentials>{kNoProxy});
  EXPECT_TRUE(world.capture().hasLine("HTTP Proxy Name is pointing to 0.0.0.0. Proceeding without http proxy."));
}

TEST_F(ServiceBaseProxyTest, AUserWithoutPasswordMeansAProxyWithoutAuthentication) {
  config::ClientProxyRecord& proxy = answeredProxy();
  proxy.enabled = true;
  proxy.host = "proxy.local";
  proxy.port = 3128;
  proxy.authentication = true;
  proxy.user = "puser";
  AwsServiceTestWorld world(contents_);
  EXPECT_EQ(lookUp(), (std::vector<SHostCredentials>{{"", "proxy.local:3128", "", "", 3}}));
  EXPECT_TRUE(world.capture().hasLine("User name/pwd is empty. Trying without authentication. [puser]"));
}

TEST_F(ServiceBaseProxyTest, EveryLookupReplacesTheList) {
  answeredProxy().enabled = true;
  answeredProxy().host = "proxy.local";
  answeredProxy().port = 3128;
  AwsServiceTestWorld world(contents_);
  CAmazonRedshiftInfo provider;
  provider.GetHTTPProxySettings();
  provider.FetchClientCredentials(0);
  EXPECT_EQ(provider.proxyCredentials(), (std::vector<SHostCredentials>{{"", "proxy.local:3128", "", "", 3}}));
}

}  // namespace

// Browsing by instance alone fetches only the instance's credentials. Without a proxy of the
// instance's own, the machine's proxy still carries the connection: the cloud is reachable only
// through it, so going around it fails.
TEST_F(ServiceBaseProxyTest, AnInstanceWithoutItsOwnProxyStillGoesThroughTheMachinesProxy) {
  setGlobal(SENDLOGS_USE_HTTP_PROXY, std::int64_t{1});
  setGlobal(SENDLOGS_HTTP_PROXY_SITE, std::string("global.local"));
  setGlobal(SENDLOGS_HTTP_PROXY_PORT, std::string("8080"));
  contents_.clients[0].name = "some-other-host";
  AwsServiceTestWorld world(contents_, awstest::behindProxy("global.local:8080"));
  CAmazonRedshiftInfo redshift;
  redshift.FetchCredentials(awstest::kRedshiftInstanceId);
  EXPECT_EQ(redshift.Connect(), 1);
  CAmazonDocumentDBInfo documentDb;
  documentDb.FetchCredentials(awstest::kDocumentDbInstanceId);
  EXPECT_EQ(documentDb.Connect(), 1);
  EXPECT_EQ(world.callsOf("SetWebProxy").size(), 2u);
}

// An instance that names its own proxy keeps it; the machine's is not consulted.
TEST_F(ServiceBaseProxyTest, AnInstancesOwnProxyIsKept) {
  setGlobal(SENDLOGS_USE_HTTP_PROXY, std::int64_t{1});
  setGlobal(SENDLOGS_HTTP_PROXY_SITE, std::string("global.local"));
  setGlobal(SENDLOGS_HTTP_PROXY_PORT, std::string("8080"));
  config::StoredHostCredential own;
  own.host = "instance.local:3128";
  own.kind = 3;
  contents_.appManagerSettings.push_back(config::AppManagerSettingsRecord{awstest::kRedshiftInstanceId, {own}});
  AwsServiceTestWorld world(contents_, awstest::behindProxy("instance.local:3128"));
  CAmazonRedshiftInfo redshift;
  redshift.FetchCredentials(awstest::kRedshiftInstanceId);
  EXPECT_EQ(redshift.Connect(), 1);
  EXPECT_EQ(redshift.proxyCredentials().size(), 1u);
}
