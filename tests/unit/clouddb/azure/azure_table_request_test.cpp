// The signed Table REST client: Shared Key signing, what it refuses to send, and its retries on
// the fake clock against a local HTTP server.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "../../../support/LocalHttpServer.h"
#include "AzureTestWorld.h"
#include "clouddb/azure/AzureTableRequestService.h"

namespace {

using azuretest::AzureTestWorld;
using testsupport::HttpReply;
using testsupport::HttpRequest;
using testsupport::LocalHttpServer;

constexpr char kFixedDate[] = "Fri, 15 Jan 2027 08:00:00 GMT";  // the fake clock's start

AzureTableRequest tablesRequest(const std::string& host, const std::string& path = "Tables") {
  AzureTableRequest request;
  request.accountName = azuretest::kDevAccount;
  request.accountKey = azuretest::kDevKey;
  request.host = host;
  request.path = path;
  return request;
}

std::vector<std::chrono::milliseconds> pauses(std::initializer_list<int> milliseconds) {
  std::vector<std::chrono::milliseconds> result;
  for (const int ms : milliseconds) result.emplace_back(ms);
  return result;
}

TEST(AzureTableSigning, KnownAnswerOfAGetWithoutContentType) {
  AzureTestWorld world;
  AzureTableRequestService service;
  AzureTableRequest request = tablesRequest("http://unused/");
  ASSERT_TRUE(service.signRequest(request));

  // Computed independently (HMAC-SHA256 of the string to sign with the decoded dev key).
  EXPECT_EQ(request.headers["Authorization"], "SharedKey devstoreaccount1:iYycG5s59nS7ZtsZ83tnGqrmmt5Qmw4j1SZ9sb58MJA=");
  EXPECT_EQ(request.headers["x-ms-date"], kFixedDate);
  EXPECT_EQ(request.headers["x-ms-version"], "2015-12-11");
  EXPECT_EQ(request.headers["MaxDataServiceVersion"], "3.0;NetFx");
  ASSERT_TRUE(request.headers.contains("Content-Type"));
  EXPECT_EQ(request.headers["Content-Type"], "");
  EXPECT_TRUE(world.capture().hasLine("signRequest", std::string("To Sign: GET\n\n\n") + kFixedDate +
                                                         "\n/devstoreaccount1/Tables"));
}

TEST(AzureTableSigning, CanonicalizedResource) {
  struct Case {
    std::string path;
    std::string comp;
    std::string resource;
  };
  for (const Case& c : {Case{"Tables", "", "/devstoreaccount1/Tables"}, Case{"/Tables", "", "/devstoreaccount1/Tables"},
                        Case{"Tables", "list", "/devstoreaccount1/Tables?comp=list"}}) {
    AzureTestWorld world;
    AzureTableRequestService service;
    AzureTableRequest request = tablesRequest("http://unused/", c.path);
    if (!c.comp.empty()) request.queryParameters["comp"] = c.comp;
    ASSERT_TRUE(service.signRequest(request));
    EXPECT_TRUE(world.capture().hasLine("signRequest", "Canonicalized resource: " + c.resource)) << c.path;
  }
}

TEST(AzureTableRequests, NothingIsSentWithoutABase64KeyOrAnHttpEndpoint) {
  struct Case {
    const char* key;
    const char* host;  // null: the server's address
  };
  for (const Case& c : {Case{"not base64!", nullptr}, Case{"", nullptr}, Case{azuretest::kDevKey, ""},
                        Case{azuretest::kDevKey, "ftp://127.0.0.1/"}, Case{azuretest::kDevKey, "devstoreaccount1/"}}) {
    AzureTestWorld world;
    LocalHttpServer server([](const HttpRequest&) { return HttpReply{}; });
    AzureTableRequestService service;
    AzureTableRequest request = tablesRequest(c.host != nullptr ? c.host : server.url("/"));
    request.accountKey = c.key;
    const AzureTableResponse response = service.executeRequest(request, 50, 60000);
    EXPECT_EQ(response.status, AzureTableRequestService::kNotSent) << c.key << " " << request.host;
    EXPECT_FALSE(response.success);
    EXPECT_TRUE(server.requests().empty());
  }
}

TEST(AzureTableRequests, RetriesDoubleThePauseUntilTheBudgetIsSpent) {
  AzureTestWorld world;
  LocalHttpServer server([](const HttpRequest&) { return HttpReply{503, "Service Unavailable", {}, "busy"}; });
  AzureTableRequestService service;
  AzureTableRequest request = tablesRequest(server.url("/"));
  const AzureTableResponse response = service.executeRequest(request, 50, 60000);

  EXPECT_EQ(response.status, 503);
  EXPECT_FALSE(response.success);
  EXPECT_EQ(server.requests().size(), 11U);
  // The eleventh pause follows the eleventh request: the budget is only tested after a pause.
  EXPECT_EQ(world.clock().sleeps(), pauses({50, 100, 200, 400, 800, 1600, 3200, 6400, 12800, 25600, 51200}));
}

TEST(AzureTableRequests, DefaultRuleRetriesServerErrorsOnly) {
  struct Case {
    std::vector<int> statuses;  // answered in turn
    std::size_t requests;
    int finalStatus;
  };
  for (const Case& c : {Case{{503, 500, 200}, 3, 200}, Case{{404}, 1, 404}, Case{{429}, 1, 429}, Case{{400}, 1, 400}}) {
    AzureTestWorld world;
    std::size_t served = 0;
    LocalHttpServer server([&](const HttpRequest&) {
      const int status = c.statuses[std::min(served++, c.statuses.size() - 1)];
      return HttpReply{status, "Status", {}, status == 200 ? R"({"value":[]})" : ""};
    });
    AzureTableRequestService service;
    AzureTableRequest request = tablesRequest(server.url("/"));
    const AzureTableResponse response = service.executeRequest(request, 50, 60000);
    EXPECT_EQ(response.status, c.finalStatus);
    EXPECT_EQ(response.success, c.finalStatus == 200);
    EXPECT_EQ(server.requests().size(), c.requests);
    EXPECT_EQ(world.clock().sleeps().size(), c.requests - 1);
  }
}

TEST(AzureTableRequests, AFirstDelayOfZeroEndsAfterTheLastAttempt) {
  AzureTestWorld world;
  azuretest::RecordingEnvironment environment;
  LocalHttpServer server([](const HttpRequest&) { return HttpReply{200, "OK", {}, "{}"}; });
  AzureTableRequestService service(environment, [](AzureTableResponse&) { return true; });
  AzureTableRequest request = tablesRequest(server.url("/"));
  const AzureTableResponse response = service.executeRequest(request, 0, 60000);
  EXPECT_EQ(response.status, 200);
  EXPECT_EQ(server.requests().size(), static_cast<std::size_t>(AzureTableRequestService::kMaxAttempts));
  EXPECT_TRUE(world.clock().sleeps().empty());
}

TEST(AzureTableRequests, SendsTheSignedHeadersAndNeverLogsTheSignatureOrKey) {
  AzureTestWorld world;
  LocalHttpServer server([](const HttpRequest&) {
    return HttpReply{200, "OK", {{"x-ms-continuation-NextTableName", "marker-1"}}, R"({"value":[]})"};
  });
  AzureTableRequestService service;
  AzureTableRequest request = tablesRequest(server.url("/"));
  const AzureTableResponse response = service.executeRequest(request, 50, 60000);
  ASSERT_TRUE(response.success);
  EXPECT_EQ(response.nextTableName, "marker-1");

  ASSERT_EQ(server.requests().size(), 1U);
  const HttpRequest sent = server.requests()[0];
  EXPECT_EQ(sent.target, "/Tables");
  EXPECT_EQ(sent.header("Authorization"), request.headers["Authorization"]);
  EXPECT_EQ(sent.header("x-ms-date"), std::string(kFixedDate));
  EXPECT_FALSE(sent.header("Content-Type").has_value());
  const std::string signature = request.headers["Authorization"].substr(request.headers["Authorization"].find(':') + 1);
  EXPECT_FALSE(world.anyLineContains(signature));
  EXPECT_FALSE(world.anyLineContains(azuretest::kDevKey));
  EXPECT_TRUE(world.capture().hasLine("executeRequest", "Authorization : ***NOT SHOWN***"));
  EXPECT_EQ(request.toString().find(signature), std::string::npos);
}

TEST(AzureTableRequests, APeerThatClosesMidResponseGivesNoResponse) {
  AzureTestWorld world;
  LocalHttpServer server([](const HttpRequest&) {
    HttpReply reply{200, "OK", {}, R"({"value":[{"TableName":"a"},{"TableName":"b"}]})"};
    reply.cutBodyShort = true;
    return reply;
  });
  AzureTableRequestService service;
  AzureTableRequest request = tablesRequest(server.url("/"));
  const AzureTableResponse response = service.executeRequest(request, 50, 60000);
  EXPECT_EQ(response.status, AzureTableRequestService::kNoResponse);
  EXPECT_FALSE(response.success);
  EXPECT_TRUE(response.body.empty());
}

TEST(AzureTableRequests, TrimSpacesCutsBlankRunsOnly) {
  EXPECT_EQ(AzureTableRequestService::trimSpaces("  a   b  "), "a b");
  EXPECT_EQ(AzureTableRequestService::trimSpaces(""), "");
  EXPECT_EQ(AzureTableRequestService::trimSpaces(" a\t\tb\n"), "a\t\tb\n");
  EXPECT_EQ(AzureTableRequestService::lowercase("X-Ms-Date"), "x-ms-date");
}

}  // namespace
