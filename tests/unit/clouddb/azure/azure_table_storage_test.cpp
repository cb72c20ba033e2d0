// Table storage listing: which answers are retried, how pages are followed, and how bad
// answers end a listing with the report and a false result, never a wrong list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../../support/LocalHttpServer.h"
#include "AzureTestWorld.h"
#include "clouddb/azure/CAzureCosmosSQLInfo.h"
#include "clouddb/azure/CAzureTableStorageInfo.h"
#include "clouddb/azure/TableStorageRetryRule.h"

namespace {

using azuretest::AzureTestWorld;
using azuretest::RecordingEnvironment;
using testsupport::HttpReply;
using testsupport::HttpRequest;
using testsupport::LocalHttpServer;

// A provider pointed straight at a Table endpoint, as a successful credential step leaves it.
template <typename Provider>
class PointedAt : public Provider {
 public:
  template <typename... Args>
  PointedAt(const std::string& url, Args&&... args) : Provider(std::forward<Args>(args)...) {
    this->m_accountName = azuretest::kDevAccount;
    this->m_accountUrl = url;
    this->m_accessKey = azuretest::kDevKey;
  }
};
using PointedTableStorage = PointedAt<CAzureTableStorageInfo>;

TEST(TableStorageRetryRule, RetriesServerErrorsAndThrottlingOnly) {
  struct Case {
    int status;
    std::string body;
    bool retry;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {500, "", true, {"operator(): Internal service error response code 500"}},
      {503, "", true, {"operator(): Internal service error response code 503"}},
      {400, "x#LimitExceededException", true, {"operator(): Limit exceeded exception"}},
      {400, "#ThrottlingException #ProvisionedThroughputExceededException", true,
       {"operator(): Throttling exception", "operator(): Throughput exceeded exception"}},
      {400, "InvalidInput", false, {"operator(): Bad request with response InvalidInput"}},
      {400, "#throttlingexception", false, {"operator(): Bad request with response #throttlingexception"}},
      {404, "#ThrottlingException", false, {}},
      {429, "", false, {}},
  };
  for (const Case& c : cases) {
    RecordingEnvironment environment;
    AzureTableResponse response{false, c.status, c.body, ""};
    EXPECT_EQ(TableStorageRetryRule(environment)(response), c.retry) << c.status << " " << c.body;
    EXPECT_EQ(environment.lines, c.lines) << c.status << " " << c.body;
  }
}

TEST(TableStorageListing, BadAnswersEndTheListingWithTheReport) {
  struct Case {
    int status;
    std::string body;
    std::string report;
    std::size_t requests;
  };
  const Case cases[] = {
      {404, "", "Query tables failed with 404", 1},
      {429, "", "Query tables failed with 429", 1},
      {400, "#LimitExceededException", "Query tables failed with 400", 11},
      {200, "not json", "Query Tables did not return an array", 1},
      {200, R"({"value": {"TableName": "a"}})", "Query Tables did not return an array", 1},
      {200, R"({"value": [{"TableName": "a"}, {"Name": "b"}]})",
       "Query Tables returned a table without a text TableName; the listing is refused", 1},
      {200, R"({"value": [{"TableName": 7}]})",
       "Query Tables returned a table without a text TableName; the listing is refused", 1},
  };
  for (const Case& c : cases) {
    AzureTestWorld world;
    RecordingEnvironment environment;
    LocalHttpServer server([&](const HttpRequest&) { return HttpReply{c.status, "Status", {}, c.body}; });
    PointedTableStorage storage(server.url("/"), environment, 32);
    std::vector<std::string> tables;
    EXPECT_FALSE(storage.queryTables(tables)) << c.body;
    EXPECT_TRUE(tables.empty()) << c.body;
    EXPECT_TRUE(environment.has("queryTables: " + c.report)) << c.body;
    EXPECT_TRUE(environment.has("report: " + c.report)) << c.body;
    EXPECT_EQ(server.requests().size(), c.requests) << c.body;
  }
}

TEST(TableStorageListing, FollowsMarkersFromTheHeaderOrTheBodyAsAQueryParameter) {
  AzureTestWorld world;
  RecordingEnvironment environment;
  LocalHttpServer server([](const HttpRequest& request) {
    if (request.target == "/Tables") {
      return HttpReply{200, "OK", {{"x-ms-continuation-NextTableName", "page 2"}}, R"({"value":[{"TableName":"a"},{"TableName":"b"}]})"};
    }
    if (request.target == "/Tables?NextTableName=page%202") {
      return HttpReply{200, "OK", {}, R"({"x-ms-continuation-NextTableName":"p3","value":[{"TableName":"c"}]})"};
    }
    if (request.target == "/Tables?NextTableName=p3") {
      return HttpReply{200, "OK", {}, R"({"value":[]})"};
    }
    return HttpReply{404, "Not Found", {}, ""};
  });
  PointedTableStorage storage(server.url("/"), environment, 32);
  std::vector<std::string> tables;
  ASSERT_TRUE(storage.queryTables(tables));
  EXPECT_EQ(tables, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(server.requests().size(), 3U);
  // The marker stays out of the signed resource.
  for (const std::string& line : environment.lines) {
    if (line.rfind("signRequest: Canonicalized resource: ", 0) == 0) {
      EXPECT_EQ(line, "signRequest: Canonicalized resource: /devstoreaccount1/Tables");
    }
  }
}

TEST(TableStorageListing, AMarkerGivenBeforeEndsTheListing) {
  // The same marker at once, and a round of two.
  for (const std::vector<std::string>& markers : {std::vector<std::string>{"same"}, {"a", "b"}}) {
    AzureTestWorld world;
    RecordingEnvironment environment;
    std::size_t served = 0;
    LocalHttpServer server([&](const HttpRequest&) {
      const std::string& next = markers[served++ % markers.size()];
      return HttpReply{200, "OK", {{"x-ms-continuation-NextTableName", next}}, R"({"value":[{"TableName":"a"}]})"};
    });
    PointedTableStorage storage(server.url("/"), environment, 32);
    std::vector<std::string> tables;
    EXPECT_FALSE(storage.queryTables(tables));
    EXPECT_EQ(server.requests().size(), markers.size() + 1);
    EXPECT_TRUE(environment.has(
        "report: Query Tables announced a continuation marker it had given before; the listing stops"));
  }
}

TEST(TableStorageListing, AListingOfMoreTablesThanItKeepsEnds) {
  AzureTestWorld world;
  RecordingEnvironment environment;
  constexpr std::size_t kPerPage = 250000;
  std::string page = R"({"value":[)";
  for (std::size_t i = 0; i < kPerPage; ++i) {
    page += (i ? R"(,{"TableName":"t)" : R"({"TableName":"t)") + std::to_string(i) + R"("})";
  }
  page += "]}";
  std::size_t served = 0;
  LocalHttpServer server([&](const HttpRequest&) {
    return HttpReply{200, "OK", {{"x-ms-continuation-NextTableName", "m" + std::to_string(++served)}}, page};
  });
  PointedTableStorage storage(server.url("/"), environment, 32);
  std::vector<std::string> tables;
  EXPECT_FALSE(storage.queryTables(tables));
  EXPECT_EQ(server.requests().size(), CAzureTableStorageInfo::kMaxTables / kPerPage + 1);
  EXPECT_TRUE(environment.has("report: Query Tables listed more tables than a listing keeps; the listing stops"));
}

TEST(CosmosRestListing, ReadsCollectionIdsOrReports) {
  struct Case {
    int status;
    std::string body;
    bool listed;
    std::vector<std::string> containers;
    std::string report;
  };
  const Case cases[] = {
      {200, R"({"DocumentCollections":[{"id":"orders"},{"id":"stock"}],"_count":2})", true, {"orders", "stock"}, ""},
      {200, R"({"DocumentCollections":[]})", true, {}, ""},
      {404, R"({"message":""})", false, {}, "Query collections failed with 404"},
      {200, R"({"Databases":[]})", false, {}, "Query Collections did not return an array"},
      {200, R"({"DocumentCollections":[{"id":"orders"},{}]})", false, {},
       "Query Collections returned a collection without a text id; the listing is refused"},
  };
  for (const Case& c : cases) {
    AzureTestWorld world;
    RecordingEnvironment environment;
    std::string target;
    LocalHttpServer server([&](const HttpRequest& request) {
      target = request.target;
      return HttpReply{c.status, "Status", {}, c.body};
    });
    PointedAt<CAzureCosmosSQLInfo> cosmos(server.url("/"), environment);
    std::vector<std::string> containers;
    EXPECT_EQ(cosmos.queryContainers("sales db", containers), c.listed) << c.body;
    EXPECT_EQ(containers, c.containers) << c.body;
    EXPECT_EQ(target, "/dbs/sales%20db/colls");
    if (!c.report.empty()) {
      EXPECT_TRUE(environment.has("report: " + c.report)) << c.body;
    }
  }
}

}  // namespace
