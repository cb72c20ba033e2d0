#pragma once
// A small AWS account for the bridge tests, and a simulator over it installed for the test.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bridges/AmazonSDKCppBridge.h"
#include "bridges/simulator/CloudSimulator.h"

namespace bridgetest {

inline constexpr const char* kAccessKey = "AKIATESTACCOUNT0001";
inline constexpr const char* kSecret = "test-secret-0001";

// Three regions; RDS instances of five engines, an Aurora MySQL cluster of two, an Aurora
// PostgreSQL cluster of one, a Multi-AZ PostgreSQL cluster of one; tags env/team.
inline const std::string kAccountJson = R"({
  "network": {"proxies": [{"address": "proxy.test:3128", "user": "pu", "password": "pp"}]},
  "accounts": [{
    "cloud": "aws", "accountId": "111122223333",
    "credentials": {"accessKeyId": "AKIATESTACCOUNT0001", "secretAccessKey": "test-secret-0001"},
    "regions": [{"name": "us-east-1"}, {"name": "us-west-2"}, {"name": "eu-west-1", "identifier": "ec2.eu"}],
    "rds": {
      "clusters": [
        {"identifier": "aur-my", "region": "us-east-1", "engine": "aurora-mysql", "tags": {"env": "prod"}},
        {"identifier": "aur-pg", "region": "us-west-2", "engine": "aurora-postgresql", "tags": {"env": "dev"}},
        {"identifier": "maz-pg", "region": "us-east-1", "engine": "postgres", "multiAZ": true, "tags": {"env": "prod"}}
      ],
      "instances": [
        {"identifier": "mysql-a", "region": "us-east-1", "engine": "mysql", "tags": {"env": "prod", "team": "a"}},
        {"identifier": "pg-a", "region": "us-east-1", "engine": "postgres", "tags": {"env": "dev", "team": "a"}},
        {"identifier": "maria-b", "region": "us-west-2", "engine": "mariadb", "tags": {"env": "prod", "team": "b"}},
        {"identifier": "oracle-c", "region": "eu-west-1", "engine": "oracle-ee", "tags": {"team": "c"}},
        {"identifier": "aur-1", "region": "us-east-1", "engine": "aurora-mysql", "clusterIdentifier": "aur-my",
         "writer": true, "tags": {"env": "prod"}},
        {"identifier": "aur-2", "region": "us-east-1", "engine": "aurora-mysql", "clusterIdentifier": "aur-my",
         "promotionTier": 2, "tags": {"env": "prod"}},
        {"identifier": "aurpg-1", "region": "us-west-2", "engine": "aurora-postgresql", "clusterIdentifier": "aur-pg"},
        {"identifier": "maz-1", "region": "us-east-1", "engine": "postgres", "clusterIdentifier": "maz-pg",
         "writer": true, "tags": {"env": "prod"}}
      ],
      "instanceSnapshots": [
        {"identifier": "mysql-a-manual", "instance": "mysql-a", "region": "us-east-1"},
        {"identifier": "rds:mysql-a-auto", "instance": "mysql-a", "region": "us-east-1", "type": "automated"},
        {"identifier": "pg-a-manual", "instance": "pg-a", "region": "us-east-1"},
        {"identifier": "twin", "instance": "mysql-a", "region": "us-east-1"},
        {"identifier": "twin", "instance": "maria-b", "region": "us-west-2"}
      ],
      "clusterSnapshots": [
        {"identifier": "aur-my-manual", "cluster": "aur-my", "region": "us-east-1"},
        {"identifier": "aur-pg-manual", "cluster": "aur-pg", "region": "us-west-2"}
      ]
    },
    "dynamodb": {"tables": [
      {"name": "sessions", "region": "us-east-1", "tags": {"env": "prod"}},
      {"name": "sessions", "region": "eu-west-1", "tags": {"env": "prod"}},
      {"name": "carts", "region": "us-east-1", "tags": {"env": "dev"}}
    ]},
    "docdb": {
      "clusters": [
        {"identifier": "cat", "region": "us-east-1", "tags": {"env": "prod"}},
        {"identifier": "cat-eu", "region": "eu-west-1"}
      ],
      "instances": [
        {"identifier": "node-1", "region": "us-east-1", "clusterIdentifier": "cat", "writer": true},
        {"identifier": "node-2", "region": "us-east-1", "clusterIdentifier": "cat", "instanceClass": "db.t4g.medium"},
        {"identifier": "node-1", "region": "eu-west-1", "clusterIdentifier": "cat-eu"}
      ],
      "clusterSnapshots": [
        {"identifier": "cat-manual", "cluster": "cat", "region": "us-east-1"},
        {"identifier": "rds:cat-auto", "cluster": "cat", "region": "us-east-1", "type": "automated"},
        {"identifier": "cat-eu-manual", "cluster": "cat-eu", "region": "eu-west-1"}
      ]
    },
    "redshift": {
      "clusters": [
        {"identifier": "dw", "region": "us-east-1", "tags": {"env": "prod"},
         "parameterGroups": [{"name": "A"}, {"name": "B", "applyStatus": "pending-reboot",
                              "parameters": [{"name": "wlm", "applyStatus": "pending-reboot"}]}]},
        {"identifier": "dw-dev", "region": "us-west-2"}
      ],
      "snapshots": [
        {"identifier": "dw-manual", "cluster": "dw", "region": "us-east-1"},
        {"identifier": "rs:dw-auto", "cluster": "dw", "region": "us-east-1", "type": "automated"}
      ]
    }
  }]
})";

// Loads a fixture and installs the simulator for the object's lifetime.
class InstalledSimulator {
 public:
  explicit InstalledSimulator(const std::string& json = kAccountJson) {
    std::string error;
    simulator_ = CloudSimulator::fromJson(json, error);
    if (simulator_ == nullptr) {
      ADD_FAILURE() << "fixture does not load: " << error;
      return;
    }
    installation_.emplace(*simulator_);
  }
  CloudSimulator& operator*() { return *simulator_; }
  CloudSimulator* operator->() { return simulator_.get(); }

 private:
  std::unique_ptr<CloudSimulator> simulator_;
  std::optional<CloudSimulator::Installation> installation_;
};

// The values of one member across records, in order.
template <class Record, class Member>
std::vector<Member> valuesOf(const std::vector<Record>& records, Member Record::*member) {
  std::vector<Member> values;
  for (const Record& record : records) values.push_back(record.*member);
  return values;
}

inline RDSInfoStructs::SDBInstanceFilter filterOf(int engineType, int scope = 0,
                                                  std::vector<std::string> identifiers = {}) {
  return RDSInfoStructs::SDBInstanceFilter{true, std::move(identifiers), engineType, scope};
}

using Names = std::vector<std::string>;

}  // namespace bridgetest
