#pragma once
// The stage of the content-rule tests of the service-base providers (DynamoDB, DocumentDB,
// Redshift): one simulated account whose names suit the pattern, tag and duplicate cases, the
// three backup instances of AwsServiceTestWorld (connection regions us-east-1 and eu-west-1; the
// account also has ap-south-1), and one subclient per service whose dynamic content a test sets.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "AwsServiceTestWorld.h"

namespace contenttest {

inline constexpr std::uint64_t kDynamoSubclientId = 3002;
inline constexpr std::uint64_t kDocumentDbSubclientId = awstest::kDocumentDbSubclientId;
inline constexpr std::uint64_t kRedshiftSubclientId = awstest::kRedshiftSubclientId;
inline constexpr std::uint64_t kUnknownSubclientId = 99999;

// Same names in two regions for the duplicate keys; a case twin for the case-sensitive patterns;
// one object of each service in ap-south-1, a region the instances' connections do not serve.
inline constexpr char kCloudFixture[] = R"({
  "accounts": [{
    "cloud": "aws",
    "accountId": "111122223333",
    "credentials": {"accessKeyId": "AKIAH8TESTACCOUNT001",
                    "secretAccessKey": "h8/secret/access/key/for/the/test/account"},
    "regions": [{"name": "us-east-1"}, {"name": "eu-west-1"}, {"name": "ap-south-1"}],
    "dynamodb": {"tables": [
      {"name": "orders", "region": "us-east-1", "tags": {"env": "prod"}, "itemCount": 12},
      {"name": "Orders-old", "region": "us-east-1"},
      {"name": "sessions", "region": "us-east-1", "tags": {"env": "test"}},
      {"name": "orders", "region": "eu-west-1", "tags": {"env": "prod"}},
      {"name": "audit", "region": "eu-west-1"},
      {"name": "orders", "region": "ap-south-1"}
    ]},
    "docdb": {
      "clusters": [
        {"identifier": "catalog", "region": "us-east-1", "tags": {"team": "search"}},
        {"identifier": "ledger", "region": "us-east-1"},
        {"identifier": "Catalog-v2", "region": "us-east-1"},
        {"identifier": "catalog", "region": "eu-west-1", "tags": {"team": "search"}},
        {"identifier": "archive", "region": "ap-south-1"}
      ],
      "instances": [
        {"identifier": "catalog-1", "region": "us-east-1", "clusterIdentifier": "catalog",
         "instanceClass": "db.r6g.large"}
      ]
    },
    "redshift": {"clusters": [
      {"identifier": "warehouse", "region": "us-east-1", "tags": {"env": "prod"}, "numberOfNodes": 4},
      {"identifier": "Warehouse-dev", "region": "us-east-1"},
      {"identifier": "warehouse", "region": "eu-west-1", "tags": {"env": "prod"}},
      {"identifier": "sandbox", "region": "eu-west-1", "tags": {"env": "test"}},
      {"identifier": "archive", "region": "ap-south-1"}
    ]}
  }]
})";

// A content document: the root entity holding the given rule entities.
inline std::string content(const std::string& rules) {
  return "<CloudDBEntity entityType=\"17\">" + rules + "</CloudDBEntity>";
}

// The default configuration plus a DynamoDB subclient; each subclient gets the given dynamic
// content (none when empty).
inline config::ConfigurationContents contentsWith(const std::string& dynamoContent = "",
                                                  const std::string& documentDbContent = "",
                                                  const std::string& redshiftContent = "") {
  config::ConfigurationContents contents =
      awstest::AwsServiceTestWorld::defaultContents(awstest::AwsServiceTestWorld::testKey());
  contents.backupSets.push_back(config::BackupSetRecord{kDynamoSubclientId + 100, "default", awstest::kDynamoInstanceId});
  config::SubclientRecord dynamo;
  dynamo.id = kDynamoSubclientId;
  dynamo.name = "default";
  dynamo.backupSetId = kDynamoSubclientId + 100;
  contents.subclients.push_back(dynamo);
  for (config::SubclientRecord& subclient : contents.subclients) {
    const std::string& text = subclient.id == kDynamoSubclientId       ? dynamoContent
                              : subclient.id == kDocumentDbSubclientId ? documentDbContent
                                                                       : redshiftContent;
    if (!text.empty()) subclient.dynamicContent = text;
  }
  return contents;
}

class ContentRulesTestWorld : public awstest::AwsServiceTestWorld {
 public:
  explicit ContentRulesTestWorld(config::ConfigurationContents contents = contentsWith(),
                                 std::int64_t jobId = HostEnvironment::kNoJobId)
      : AwsServiceTestWorld(std::move(contents), kCloudFixture, jobId) {}

  // The region argument of each recorded call of a listing operation, oldest first.
  std::vector<std::string> regionsAskedBy(const std::string& operation) const {
    std::vector<std::string> regions;
    for (const RecordedCall& call : callsOf(operation)) regions.push_back(call.arguments.at(2));
    return regions;
  }

  std::vector<JobEvent> majorEvents() {
    std::vector<JobEvent> major;
    for (const JobEvent& event : capture().events()) {
      if (event.kind == JobEvent::Kind::Major) major.push_back(event);
    }
    return major;
  }

  std::size_t criticalEventCount() { return capture().events().size() - majorEvents().size(); }
};

// Checks one regions-constraint job event: its id and its one text argument.
inline void expectConstraintEvent(const JobEvent& event, const std::string& text) {
  EXPECT_EQ(event.kind, JobEvent::Kind::Major);
  EXPECT_EQ(event.code, 0x4800006Au);
  ASSERT_EQ(event.arguments.size(), 1u);
  EXPECT_EQ(event.arguments[0].kind, 11);
  EXPECT_EQ(event.arguments[0].text, text);
}

}  // namespace contenttest
