// The HTTP proxy lookup in the host's global parameters, through both of its callers: the
// relational providers (CRDSInfo) and CloudDBEntityProperties.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BareRdsProvider.h"
#include "RdsTestWorld.h"
#include "clouddb/core/CloudDBEntityProperties.h"
#include "clouddb/core/RDSInfo.h"

namespace {

using rdstest::platformJson;
using rdstest::RdsTestWorld;

constexpr char kTag[] = "GetHTTPProxySettings";

using ProxyReader = rdstest::BareRdsProvider;

SHostCredentials proxyEntry(const std::string& host, const std::string& user = "", const std::string& password = "") {
  return SHostCredentials{"", host, user, password, 3};
}

// The one entry a provider's lookup leaves.
SHostCredentials providerLookup() {
  ProxyReader provider;
  EXPECT_EQ(provider.GetHTTPProxySettings(), 1);
  EXPECT_EQ(provider.proxyCredentials().size(), 1u);
  return provider.proxyCredentials().empty() ? SHostCredentials{} : provider.proxyCredentials().front();
}

TEST(ProxyLookupUseProxy, UnreadableSettingMeansNoProxyWithEachCallersWording) {
  RdsTestWorld world(platformJson("{}"));
  EXPECT_EQ(providerLookup(), proxyEntry(":"));
  EXPECT_TRUE(world.capture().hasLine(kTag, "No HTTP Proxy"));

  world.capture().clear();
  std::vector<SHostCredentials> proxies;
  EXPECT_EQ(CloudDBEntityProperties().GetHTTPProxySettings(proxies), 1);
  EXPECT_EQ(proxies, std::vector<SHostCredentials>{proxyEntry(":")});
  EXPECT_TRUE(world.capture().hasLine(kTag, "Error fetching HTTP Proxy"));
  EXPECT_FALSE(world.capture().hasLine(kTag, "No HTTP Proxy"));
}

TEST(ProxyLookupUseProxy, NonNumericSettingIsUnreadable) {
  RdsTestWorld world(platformJson(R"({"httpProxy.enabled": "yes", "httpProxy.site": "proxy.corp",
                                      "httpProxy.port": "3128"})"));
  EXPECT_EQ(providerLookup(), proxyEntry(":"));
  EXPECT_TRUE(world.capture().hasLine(kTag, "No HTTP Proxy"));
  EXPECT_FALSE(world.capture().hasLine(kTag, "Using HTTP Proxy"));
}

TEST(ProxyLookupUseProxy, ZeroReadsNothingElse) {
  RdsTestWorld world(platformJson(R"({"httpProxy.enabled": 0, "httpProxy.site": "proxy.corp",
                                      "httpProxy.port": "3128"})"));
  EXPECT_EQ(providerLookup(), proxyEntry(":"));
  EXPECT_FALSE(world.capture().hasLine(kTag, "Using HTTP Proxy"));
  EXPECT_FALSE(world.capture().hasLine(kTag, "HTTP Proxy [proxy.corp]:[3128]"));
}

TEST(ProxyLookupSite, SiteAndPortAreJoined) {
  RdsTestWorld world(platformJson(R"({"httpProxy.enabled": 1, "httpProxy.site": "proxy.corp",
                                      "httpProxy.port": 3128})"));
  EXPECT_EQ(providerLookup(), proxyEntry("proxy.corp:3128"));
  EXPECT_TRUE(world.capture().hasLine(kTag, "Using HTTP Proxy"));
  EXPECT_TRUE(world.capture().hasLine(kTag, "HTTP Proxy [proxy.corp]:[3128]"));
  // No authentication setting: the lookup says so and goes on without a user.
  EXPECT_TRUE(world.capture().hasLine(kTag, "Error fetching HTTP Proxy Authentication parameters"));
}

TEST(ProxyLookupSite, UnroutableSiteSkipsAuthentication) {
  RdsTestWorld world(platformJson(R"({"httpProxy.enabled": 1, "httpProxy.site": "0.0.0.0",
      "httpProxy.port": "8080", "httpProxy.useAuthentication": 1, "httpProxy.user": "alice",
      "httpProxy.password": "{{seal:s3cret}}"})"));
  EXPECT_EQ(providerLookup(), proxyEntry(":"));
  EXPECT_TRUE(world.capture().hasLine(kTag, "HTTP Proxy Name is pointing to 0.0.0.0. Proceeding without http proxy."));
  EXPECT_TRUE(world.capture().hasLine(kTag, "HTTP Proxy [0.0.0.0]:[8080]"));
  EXPECT_FALSE(world.capture().hasLine(kTag, "Using HTTP Proxy Authentication parameters"));
}

TEST(ProxyLookupSite, UnreadablePortMeansNoProxy) {
  RdsTestWorld world(platformJson(R"({"httpProxy.enabled": 1, "httpProxy.site": "proxy.corp"})"));
  EXPECT_EQ(providerLookup(), proxyEntry(":"));
  EXPECT_TRUE(world.capture().hasLine(kTag, "Could not get HTTP Proxy port. Proceeding without http proxy."));
  EXPECT_TRUE(world.capture().hasLine(kTag, "HTTP Proxy [proxy.corp]:[]"));
}

TEST(ProxyLookupSite, UnreadableSiteMeansNoProxy) {
  RdsTestWorld world(platformJson(R"({"httpProxy.enabled": 1, "httpProxy.port": "3128"})"));
  EXPECT_EQ(providerLookup(), proxyEntry(":"));
  EXPECT_TRUE(world.capture().hasLine(kTag, "Could not get HTTP Proxy Name. Proceeding without http proxy."));
}

TEST(ProxyLookupAuthentication, UserAndPasswordAreKeptInClear) {
  RdsTestWorld world(platformJson(R"({"httpProxy.enabled": 1, "httpProxy.site": "proxy.corp",
      "httpProxy.port": "3128", "httpProxy.useAuthentication": 1, "httpProxy.user": "alice",
      "httpProxy.password": "{{seal:s3cret}}"})"));
  EXPECT_EQ(providerLookup(), proxyEntry("proxy.corp:3128", "alice", "s3cret"));
  EXPECT_TRUE(world.capture().hasLine(kTag, "Using HTTP Proxy Authentication parameters"));
  for (const LogLine& line : world.capture().lines()) {
    EXPECT_EQ(line.text.find("s3cret"), std::string::npos) << line.text;
  }
}

TEST(ProxyLookupAuthentication, EmptyPasswordMeansNoAuthentication) {
  RdsTestWorld world(platformJson(R"({"httpProxy.enabled": 1, "httpProxy.site": "proxy.corp",
      "httpProxy.port": "3128", "httpProxy.useAuthentication": 1, "httpProxy.user": "alice",
      "httpProxy.password": ""})"));
  const SHostCredentials entry = providerLookup();
  EXPECT_EQ(entry.host, "proxy.corp:3128");
  EXPECT_TRUE(entry.password.empty());
  EXPECT_TRUE(world.capture().hasLine(kTag, "User name/pwd is empty. Trying without authentication. [alice]"));
}

TEST(ProxyLookupAuthentication, UnreadableUserIsLoggedAndAuthenticationDropped) {
  RdsTestWorld world(platformJson(R"({"httpProxy.enabled": 1, "httpProxy.site": "proxy.corp",
      "httpProxy.port": "3128", "httpProxy.useAuthentication": 1,
      "httpProxy.password": "{{seal:s3cret}}"})"));
  EXPECT_EQ(providerLookup(), proxyEntry("proxy.corp:3128"));
  EXPECT_TRUE(world.capture().hasLine(kTag, "Error fetching HTTP Proxy Authentication user Name"));
  // The password is not read once the user is missing.
  EXPECT_FALSE(world.capture().hasLine(kTag, "Error fetching HTTP Proxy Authentication user password"));
}

TEST(ProxyLookupAuthentication, PasswordSealedUnderAnotherKeyGivesNoPassword) {
  std::string foreign;
  HostKey::KeyBytes other{};
  other.fill(0x11);
  ASSERT_TRUE(HostKey(other).encrypt("s3cret", foreign).IsSuccess());
  RdsTestWorld world(platformJson(R"({"httpProxy.enabled": 1, "httpProxy.site": "proxy.corp",
      "httpProxy.port": "3128", "httpProxy.useAuthentication": 1, "httpProxy.user": "alice",
      "httpProxy.password": ")" + foreign + R"("})"));
  const SHostCredentials entry = providerLookup();
  EXPECT_EQ(entry.host, "proxy.corp:3128");
  EXPECT_TRUE(entry.password.empty());
  EXPECT_TRUE(world.capture().hasLine("The HTTP Proxy Authentication user password does not decrypt"));
}

TEST(ProxyLookupList, RepeatedLookupsLeaveOneEntry) {
  RdsTestWorld world(platformJson(R"({"httpProxy.enabled": 1, "httpProxy.site": "proxy.corp",
                                      "httpProxy.port": "3128"})"));
  ProxyReader provider;
  provider.GetHTTPProxySettings();
  provider.GetHTTPProxySettings();
  EXPECT_EQ(provider.proxyCredentials(), std::vector<SHostCredentials>{proxyEntry("proxy.corp:3128")});

  std::vector<SHostCredentials> proxies{proxyEntry("old:1"), SHostCredentials{}};
  CloudDBEntityProperties properties;
  properties.GetHTTPProxySettings(proxies);
  properties.GetHTTPProxySettings(proxies);
  EXPECT_EQ(proxies, std::vector<SHostCredentials>{proxyEntry("proxy.corp:3128")});
}

}  // namespace
