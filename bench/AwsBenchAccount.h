#pragma once
// The simulated AWS account the product benchmarks run on: RDS instances spread over five regions,
// their roles (name prefix, engine, tags) cycling through the instances, and the platform
// configuration of the one instance (1001) that reaches it.
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bridges/simulator/CloudSimulator.h"
#include "platform/HostEnvironment.h"
#include "platform/HostKey.h"
#include "platform/LogWriter.h"
#include "platform/PlatformConfiguration.h"

namespace benchaccount {

inline constexpr std::uint64_t kInstanceId = 1001;
inline const std::vector<std::string> kRegions = {"us-east-1", "us-west-2", "eu-west-1", "eu-central-1", "ap-south-1"};

struct Role {
  const char* prefix;
  const char* engine;
  const char* env;
  const char* team;
};
inline constexpr Role kRoles[] = {{"prod-app-", "postgres", "prod", "payments"},
                                  {"dev-app-", "mysql", "dev", "search"},
                                  {"test-db-", "mariadb", "test", "payments"},
                                  {"Analytics-", "postgres", "prod", "data"},
                                  {"payments-ledger-", "mysql", "prod", "payments"}};
inline constexpr int kRoleCount = static_cast<int>(std::size(kRoles));

inline constexpr char kAccessKeyId[] = "AKIABENCHACCOUNT0001";
inline constexpr char kSecretAccessKey[] = "bench/secret/access/key";

inline std::string instanceName(int index) {
  const Role& role = kRoles[index % kRoleCount];
  return std::string(role.prefix) + std::to_string(index);
}
inline const std::string& instanceRegion(int index) {
  return kRegions[static_cast<std::size_t>(index / kRoleCount) % kRegions.size()];
}

inline std::string cloudFixture(int instances) {
  std::string json = R"({"accounts": [{"cloud": "aws", "accountId": "999988887777", "credentials": {"accessKeyId": ")";
  json += kAccessKeyId;
  json += R"(", "secretAccessKey": ")";
  json += kSecretAccessKey;
  json += R"("}, "regions": [)";
  for (std::size_t r = 0; r < kRegions.size(); ++r)
    json += (r ? ", " : "") + std::string(R"({"name": ")") + kRegions[r] + "\"}";
  json += R"(], "rds": {"instances": [)";
  json.reserve(static_cast<std::size_t>(instances) * 140);
  for (int i = 0; i < instances; ++i) {
    const Role& role = kRoles[i % kRoleCount];
    if (i) json += ",\n";
    json += R"({"identifier": ")" + instanceName(i) + R"(", "region": ")" + instanceRegion(i) + R"(", "engine": ")" +
            role.engine + R"(", "tags": {"env": ")" + role.env + R"(", "team": ")" + role.team + "\"}}";
  }
  json += "]}}]}";
  return json;
}

inline std::unique_ptr<CloudSimulator> simulatorOf(int instances) {
  std::string error;
  std::unique_ptr<CloudSimulator> simulator = CloudSimulator::fromJson(cloudFixture(instances), error);
  if (!simulator) {
    std::cerr << "fixture: " << error << "\n";
    std::abort();
  }
  return simulator;
}

inline HostKey benchKey() {
  HostKey::KeyBytes bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(0x6B ^ (i * 13));
  return HostKey(bytes);
}

inline std::string platformJson(const HostKey& key) {
  std::string sealed;
  if (key.encrypt(kSecretAccessKey, sealed).IsFailure()) std::abort();
  std::string regions;
  for (std::size_t r = 0; r < kRegions.size(); ++r) regions += (r ? ", \"" : "\"") + kRegions[r] + "\"";
  return std::string(R"({"machineName": "bench-agent", "clients": [{"id": 7, "name": "bench-agent"}],
  "instances": [{"id": 1001, "kind": "cloudApps", "name": "aws-rds", "instanceType": 4, "clientId": 7,
                 "accessKey": ")") +
         kAccessKeyId + R"(", "secretKey": ")" + sealed + R"(", "regionEndPoints": [)" + regions + R"(]}]})";
}

// The host of a benchmark program: the bench configuration, its key and a silent log, installed
// for the object's lifetime.
struct BenchHost {
  BenchHost() : key(benchKey()), writer("/dev/null", 0) {
    const CLmError loaded = PlatformConfiguration::LoadText(platformJson(key), "bench", configuration);
    if (loaded.IsFailure()) {
      std::cerr << "configuration: " << loaded.AsString() << "\n";
      std::abort();
    }
    environment.configuration = configuration.get();
    environment.logWriter = &writer;
    environment.hostKey = &key;
    installation.emplace(environment);
  }
  BenchHost(const BenchHost&) = delete;
  BenchHost& operator=(const BenchHost&) = delete;

  HostKey key;
  LogWriter writer;
  std::unique_ptr<const PlatformConfiguration> configuration;
  HostEnvironment environment;
  std::optional<HostEnvironment::Installation> installation;
};

}  // namespace benchaccount
