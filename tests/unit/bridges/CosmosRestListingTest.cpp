// The resource manager lists a Cosmos DB account's databases and containers with real signed
// REST requests, here to a local HTTPS server whose certificate a throw-away CA signed: the
// requests carry the master-key authorization, follow continuations, and any answer that is
// not a well-formed listing fails the call with the reason.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BridgeTestSupport.h"
#include "LocalHttpServer.h"
#include "ScratchDir.h"
#include "TestPki.h"
#include "bridges/CloudSDKCppBridge.h"
#include "platform/Clock.h"
#include "platform/HostEnvironment.h"

using namespace bridgetest;
using testsupport::HttpReply;
using testsupport::HttpRequest;
using testsupport::LocalHttpServer;

namespace {

// base64 of "cosmos-test-master-key-0001"
constexpr const char* kKey = "Y29zbW9zLXRlc3QtbWFzdGVyLWtleS0wMDAx";

const std::string kSubscription = R"({"accounts": [{
  "cloud": "azure", "subscriptionId": "sub-1", "tenantId": "tenant-1",
  "credentials": {"applicationId": "app-1", "password": "azure-secret"}}]})";

using Names = std::vector<std::string>;

Names namesOf(const std::vector<CloudSDKCppBridge::SString>& list) {
  Names names;
  for (const auto& item : list) names.push_back(item.value);
  return names;
}

HttpReply json(std::string body, int status = 200) {
  HttpReply reply;
  reply.status = status;
  reply.reason = status == 200 ? "OK" : "Error";
  reply.headers = {{"Content-Type", "application/json"}};
  reply.body = std::move(body);
  return reply;
}

class CosmosRestListing : public ::testing::Test {
 protected:
  CosmosRestListing() : pki_(testsupport::makeTestPki(scratch_.path().string())), installed_(environment()) {}

  const HostEnvironment& environment() {
    host_.clock = &clock_;
    host_.httpsExtraCaFile = pki_.caCertificateFile;
    return host_;
  }

  // A server answering every request with handler, and a signed-in resource manager.
  void serve(LocalHttpServer::Handler handler) {
    server_.emplace(std::move(handler), LocalHttpServer::TlsFiles{pki_.serverCertificateFile, pki_.serverKeyFile});
    ASSERT_TRUE(manager_.Connect("sub-1\\tenant-1", "app-1", "azure-secret"));
  }

  testsupport::ScratchDir scratch_;
  testsupport::TestPki pki_;
  FakeClock clock_;  // 2027-01-15 08:00:00 UTC
  HostEnvironment host_;
  HostEnvironment::Installation installed_;
  InstalledSimulator simulator_{kSubscription};
  std::optional<LocalHttpServer> server_;
  CloudSDKCppBridge::CCloudSDKCppBridge manager_;
  std::vector<CloudSDKCppBridge::SString> names_{{"stale"}};
};

TEST_F(CosmosRestListing, ListsDatabasesAndContainersWithSignedRequestsAcrossPages) {
  serve([](const HttpRequest& request) {
    if (request.target == "/dbs" && !request.header("x-ms-continuation")) {
      HttpReply first = json(R"({"_rid": "", "Databases": [{"id": "a", "_rid": "x"}, {"id": "b"}], "_count": 2})");
      first.headers.emplace_back("x-ms-continuation", "page-2");
      return first;
    }
    if (request.target == "/dbs") return json(R"({"Databases": [{"id": "c"}]})");
    if (request.target == "/dbs/my%20db/colls") return json(R"({"DocumentCollections": [{"id": "c1"}, {"id": "c2"}]})");
    return json(R"({"code": "NotFound", "message": "no such resource"})", 404);
  });
  ASSERT_TRUE(manager_.ListCosmosDBDatabases(server_->url("/"), kKey, false, names_)) << manager_.GetLastErrorString();
  EXPECT_EQ(namesOf(names_), (Names{"a", "b", "c"}));
  ASSERT_TRUE(manager_.ListCosmosDBContainers(server_->url(""), kKey, "my db", false, names_))
      << manager_.GetLastErrorString();
  EXPECT_EQ(namesOf(names_), (Names{"c1", "c2"}));

  const auto requests = server_->requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[1].header("x-ms-continuation"), "page-2");
  EXPECT_EQ(requests[0].header("x-ms-date"), "Fri, 15 Jan 2027 08:00:00 GMT");
  EXPECT_EQ(requests[0].header("x-ms-version"), "2018-12-31");
  // Known answers: HMAC-SHA256 under the decoded key of "get\ndbs\n\n<date>\n\n", and of
  // "get\ncolls\ndbs/my db\n<date>\n\n", computed apart from this code.
  EXPECT_EQ(requests[0].header("Authorization"),
            "type%3Dmaster%26ver%3D1.0%26sig%3DpyDf8C1hIvquRuOxZhzdfU6tZb35bNvP3ISmNkTY8B0%3D");
  EXPECT_EQ(requests[2].header("Authorization"),
            "type%3Dmaster%26ver%3D1.0%26sig%3DN1301LR1JYLGeehbtEhHEyfyBPGUH2tnFDFjRQeLPXs%3D");
  const auto calls = simulator_->calls();
  EXPECT_EQ(calls.back().arguments, (Names{server_->url(""), "***NOT SHOWN***", "my db", "false"}));
}

TEST_F(CosmosRestListing, RefusesAnswersThatAreNotAWellFormedListing) {
  struct Case {
    HttpReply reply;
    std::string error;
  };
  std::string huge = R"({"Databases": [)";
  while (huge.size() <= 4 * 1024 * 1024) huge += R"({"id": "padding-padding-padding-padding"},)";
  HttpReply looping = json(R"({"Databases": [{"id": "a"}]})");
  looping.headers.emplace_back("x-ms-continuation", "again");
  const Case cases[] = {
      {json(R"({"code": "Unauthorized", "message": "The input authorization token can't serve the request.\r\nActivityId: 7"})",
            401),
       "The Cosmos DB service refused the listing: HTTP status 401 (Unauthorized): The input authorization token can't "
       "serve the request.  ActivityId: 7"},
      {json("<html>busy</html>", 503), "The Cosmos DB service refused the listing: HTTP status 503"},
      {json("Databases: a, b"), "The Cosmos DB service's answer is not JSON (Invalid value. at offset 0)"},
      {json(R"({"Databases": {"id": "a"}})"), "The Cosmos DB service's answer has no \"Databases\" array"},
      {json(R"([{"id": "a"}])"), "The Cosmos DB service's answer has no \"Databases\" array"},
      {json(R"({"Databases": [{"id": "a"}, {"name": "b"}]})"),
       "The Cosmos DB service's answer has an element without a string \"id\" (Databases[1]); the listing is refused"},
      {json(R"({"Databases": [{"id": 7}]})"),
       "The Cosmos DB service's answer has an element without a string \"id\" (Databases[0]); the listing is refused"},
      {json(huge), "The Cosmos DB service's answer is larger than 4194304 bytes; the listing is stopped"},
      {looping, "The Cosmos DB service handed back the continuation it was given; the listing is stopped"},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.error);
    serve([&](const HttpRequest&) { return each.reply; });
    names_ = {{"stale"}};
    EXPECT_FALSE(manager_.ListCosmosDBDatabases(server_->url("/"), kKey, false, names_));
    EXPECT_EQ(manager_.GetLastErrorString(), each.error);
    EXPECT_TRUE(names_.empty());
  }
}

TEST_F(CosmosRestListing, RefusesCallsThatCannotBeMadeSafely) {
  serve([](const HttpRequest&) { return json(R"({"DocumentCollections": []})"); });
  struct Case {
    std::string address;
    std::string key;
    std::string database;
    std::string error;
  };
  const std::string address = server_->url("/");
  const Case cases[] = {
      {"http://127.0.0.1:1/", kKey, "db",
       "The Cosmos DB account address is not an https:// address: \"http://127.0.0.1:1/\""},
      {address + "?x=1", kKey, "db",
       "The Cosmos DB account address is not an https:// address: \"" + address + "?x=1\""},
      {address, "enc:v1:sealed", "db", "The Cosmos DB account key is not a base64 master key"},
      {address, "", "db", "The Cosmos DB account key is not a base64 master key"},
      {address, kKey, "a/b", "Invalid database name \"a/b\""},
      {address, kKey, "", "Invalid database name \"\""},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.error);
    EXPECT_FALSE(manager_.ListCosmosDBContainers(each.address, each.key, each.database, false, names_));
    EXPECT_EQ(manager_.GetLastErrorString(), each.error);
  }
  EXPECT_TRUE(server_->requests().empty());

  ASSERT_TRUE(simulator_->failNext(CloudBridgeKind::AzureResourceManager, "ListCosmosDBDatabases", 1,
                                   "Request rate is large"));
  EXPECT_FALSE(manager_.ListCosmosDBDatabases(address, kKey, false, names_));
  EXPECT_EQ(manager_.GetLastErrorString(), "Request rate is large");
  EXPECT_TRUE(server_->requests().empty());

  const std::string closed = "https://127.0.0.1:1/";
  EXPECT_FALSE(manager_.ListCosmosDBDatabases(closed, kKey, false, names_));
  EXPECT_EQ(manager_.GetLastErrorString().rfind("Could not reach the Cosmos DB account at https://127.0.0.1:1/dbs: ", 0),
            0u)
      << manager_.GetLastErrorString();

  CloudSDKCppBridge::CCloudSDKCppBridge unconnected;
  EXPECT_FALSE(unconnected.ListCosmosDBDatabases(address, kKey, false, names_));
  EXPECT_EQ(unconnected.GetLastErrorString(), "The client is not connected; call Connect first.");
}

}  // namespace
