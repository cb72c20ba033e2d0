// Loading cloud fixtures: the example account loads, and a broken fixture is refused with a
// reason that says where and what.
#include <gtest/gtest.h>

#include <string>

#include "BridgeTestSupport.h"

using namespace bridgetest;

namespace {

std::string loadError(const std::string& json) {
  std::string error;
  auto simulator = CloudSimulator::fromJson(json, error);
  EXPECT_EQ(simulator, nullptr) << "fixture unexpectedly loads";
  return error;
}

// One AWS account with the given extra members (JSON text without the braces).
std::string awsAccount(const std::string& members) {
  return R"({"accounts": [{"cloud": "aws", "accountId": "111122223333",
    "credentials": {"accessKeyId": "AK1", "secretAccessKey": "S1"},
    "regions": [{"name": "us-east-1"}])" +
         (members.empty() ? std::string() : ", " + members) + "}]}";
}

}  // namespace

TEST(FixtureLoading, ExampleAccountAndTestAccountLoad) {
  std::string error;
  EXPECT_NE(CloudSimulator::fromFile(std::string(CLOUDDB_SOURCE_DIR) + "/examples/cloud.json", error), nullptr)
      << error;
  EXPECT_NE(CloudSimulator::fromJson(kAccountJson, error), nullptr) << error;
}

TEST(FixtureLoading, MissingFileIsNamed) {
  std::string error;
  EXPECT_EQ(CloudSimulator::fromFile("/nonexistent/cloud.json", error), nullptr);
  EXPECT_EQ(error, "cannot read cloud fixture \"/nonexistent/cloud.json\"");
}

TEST(FixtureLoading, MalformedJsonGivesOffsetAndReason) {
  const std::string error = loadError(R"({"accounts": [)");
  EXPECT_EQ(error.rfind("cloud fixture is not valid JSON at offset 14: ", 0), 0u) << error;
}

TEST(FixtureLoading, StructuralMistakesAreLocated) {
  EXPECT_EQ(loadError(R"({"accounts": [{"cloud": "aws"}]})"), "cloud fixture: accounts[0]: member \"accountId\" is missing");
  EXPECT_EQ(loadError(R"({"accounts": [{"cloud": "venus"}]})"),
            "cloud fixture: accounts[0]: unknown cloud \"venus\" (aws, azure, google, alibaba, oracle, oracle-classic)");
  EXPECT_EQ(loadError(R"({"acounts": []})"), "cloud fixture: unknown member \"acounts\"");
  EXPECT_EQ(loadError(awsAccount(R"("rds": {"instances": [{"identifier": "a", "region": "us-east-1", "engine": "mysql", "prot": 1}]})")),
            "cloud fixture: accounts[0].rds.instances[0]: unknown member \"prot\"");
  EXPECT_EQ(loadError(awsAccount(R"("rds": {"instances": [{"identifier": "a", "region": "us-east-1", "engine": "mysql", "port": "3306"}]})")),
            "cloud fixture: accounts[0].rds.instances[0]: member \"port\" must be an integer");
  EXPECT_EQ(loadError(R"({"accounts": [{"cloud": "aws", "accountId": "12", "credentials": {}}]})"),
            "cloud fixture: accounts[0]: member \"accountId\" must be twelve digits");
}

TEST(FixtureLoading, ObjectsMustBeConsistentAsInAws) {
  EXPECT_EQ(loadError(awsAccount(R"("dynamodb": {"tables": [{"name": "t", "region": "mars-1"}]})")),
            "cloud fixture: accounts[0].dynamodb.tables[0]: region \"mars-1\" is not one of the account's regions");
  EXPECT_EQ(loadError(awsAccount(R"("dynamodb": {"tables": [{"name": "t", "region": "us-east-1"},
                                                             {"name": "t", "region": "us-east-1"}]})")),
            "cloud fixture: accounts[0].dynamodb.tables[1]: \"t\" is given twice in region us-east-1");
  EXPECT_EQ(loadError(awsAccount(R"("rds": {"instances": [{"identifier": "a", "region": "us-east-1",
                                          "engine": "aurora-mysql", "clusterIdentifier": "nowhere"}]})")),
            "cloud fixture: accounts[0].rds.instances[0]: cluster \"nowhere\" is not in region us-east-1");
  EXPECT_EQ(loadError(awsAccount(R"("rds": {"clusters": [{"identifier": "c", "region": "us-east-1", "engine": "aurora-mysql"}],
                                   "instances": [{"identifier": "a", "region": "us-east-1", "engine": "mysql",
                                                  "clusterIdentifier": "c"}]})")),
            "cloud fixture: accounts[0].rds.instances[0]: engine \"mysql\" differs from its cluster's engine \"aurora-mysql\"");
  EXPECT_EQ(loadError(awsAccount(R"("docdb": {"instances": [{"identifier": "n", "region": "us-east-1", "clusterIdentifier": "x"}]})")),
            "cloud fixture: accounts[0].docdb.instances[0]: cluster \"x\" is not in region us-east-1");
}

TEST(FixtureLoading, ValuesAreChecked) {
  EXPECT_EQ(loadError(awsAccount(R"("rds": {"instanceSnapshots": [{"identifier": "s", "instance": "a",
                                          "region": "us-east-1", "createTime": "2024-02-30T00:00:00Z"}]})")),
            "cloud fixture: accounts[0].rds.instanceSnapshots[0]: member \"createTime\" must be a UTC time like "
            "2024-05-01T03:00:00Z, not \"2024-02-30T00:00:00Z\"");
  EXPECT_EQ(loadError(awsAccount(R"("rds": {"instanceSnapshots": [{"identifier": "s", "instance": "a",
                                          "region": "us-east-1", "type": "weekly"}]})")),
            "cloud fixture: accounts[0].rds.instanceSnapshots[0]: member \"type\" must be \"manual\" or \"automated\"");
  EXPECT_EQ(loadError(awsAccount(R"("dynamodb": {"tables": [{"name": "t", "region": "us-east-1",
                                          "tags": {"env": 1}}]})")),
            "cloud fixture: accounts[0].dynamodb.tables[0]: tag \"env\" must have a string value");
  EXPECT_EQ(loadError(R"({"faults": [{"bridge": "amazon", "operation": "Disconnect", "text": "x"}]})"),
            "cloud fixture: faults[0]: bridge \"amazon\" has no operation \"Disconnect\" that can fail");
  EXPECT_EQ(loadError(R"({"network": {"proxies": [{"address": "proxy-without-port"}]}})"),
            "cloud fixture: network.proxies[0]: member \"address\" must be host:port");
}

TEST(FixtureLoading, TwoAccountsWithOneAccessKeyAreRefused) {
  const std::string account = R"({"cloud": "aws", "accountId": "111122223333",
    "credentials": {"accessKeyId": "AK1", "secretAccessKey": "S1"}, "regions": [{"name": "us-east-1"}]})";
  EXPECT_EQ(loadError(R"({"accounts": [)" + account + "," + account + "]}"),
            "cloud fixture: accounts: two AWS accounts use the access key \"AK1\"");
}

TEST(FixtureLoading, OtherCloudsNeedTheirCredentials) {
  EXPECT_EQ(loadError(R"({"accounts": [{"cloud": "azure", "subscriptionId": "s", "tenantId": "t"}]})"),
            "cloud fixture: accounts[0]: member \"credentials\" is missing");
  EXPECT_EQ(loadError(R"({"accounts": [{"cloud": "oracle", "credentials": {"tenancyId": "t", "userId": "u",
                                       "fingerprint": "f"}}]})"),
            "cloud fixture: accounts[0].credentials: member \"privateKeyFile\" is missing");
}
