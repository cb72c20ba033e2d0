#pragma once
// The stage of the Oracle Cloud tests: a classic instance and an infrastructure instance in the
// platform configuration (secrets sealed with a test key), a simulated tenancy and classic
// account, and a log capture, all installed for the lifetime of one OracleTestWorld.
//
// The tenancy holds two compartments named "Sales" (so a name can select more than one), one
// named "sales" (case matters) and an empty one:
//   Sales  c1: db1 s1 (AD-1) home h1 [ORCL d2, HR d1]; db2 s2 (AD-2) home h2 [DW d3]
//   sales  c2: db1 s4 (AD-1) home h4 [LOW d5]
//   Sales  c3: db1 s3 (AD-3) home h3 [CRM d4]
//   Empty  c5
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../TestStage.h"
#include "bridges/simulator/CloudSimulator.h"
#include "platform/HostEnvironment.h"
#include "platform/HostKey.h"
#include "platform/LogWriter.h"
#include "platform/PlatformConfiguration.h"
#include "platform/config/ConfigurationRecords.h"

namespace oracletest {

inline constexpr std::uint64_t kClassicInstanceId = 2001;
inline constexpr std::uint64_t kOciInstanceId = 2002;
inline constexpr std::uint64_t kOciSubclientId = 2101;
inline constexpr char kTenancy[] = "ocid1.tenancy.t";
inline constexpr char kUserString[] = "ocid1.user.u|aa:bb|key.pem|us-ashburn-1";
inline constexpr char kClassicEndpoint[] = "https://dbaas.test.example/paas/api";
inline constexpr char kClassicPassword[] = "classic-pw";

inline constexpr char kCloudFixture[] = R"({"accounts": [
  {"cloud": "oracle",
   "credentials": {"tenancyId": "ocid1.tenancy.t", "userId": "ocid1.user.u", "fingerprint": "aa:bb",
                   "privateKeyFile": "key.pem", "passPhrase": "phrase"},
   "regions": ["us-ashburn-1"],
   "compartments": [
     {"id": "c1", "name": "Sales", "dbSystems": [
       {"id": "s1", "displayName": "db1", "availabilityDomain": "AD-1",
        "dbHomes": [{"id": "h1", "databases": [{"name": "ORCL", "id": "d2"}, {"name": "HR", "id": "d1"}]}]},
       {"id": "s2", "displayName": "db2", "availabilityDomain": "AD-2",
        "dbHomes": [{"id": "h2", "databases": [{"name": "DW", "id": "d3"}]}]}]},
     {"id": "c2", "name": "sales", "dbSystems": [
       {"id": "s4", "displayName": "db1", "availabilityDomain": "AD-1",
        "dbHomes": [{"id": "h4", "databases": [{"name": "LOW", "id": "d5"}]}]}]},
     {"id": "c3", "name": "Sales", "dbSystems": [
       {"id": "s3", "displayName": "db1", "availabilityDomain": "AD-3",
        "dbHomes": [{"id": "h3", "databases": [{"name": "CRM", "id": "d4"}]}]}]},
     {"id": "c5", "name": "Empty"}]},
  {"cloud": "oracle-classic", "identityDomain": "acme", "computeNodesPerNewService": 2,
   "credentials": {"endpoint": "https://dbaas.test.example/paas/api", "user": "admin", "password": "classic-pw"},
   "databaseServices": [{"name": "orders", "group": "g1"}, {"name": "billing", "group": "g2"}],
   "javaInstances": [{"name": "shop", "group": "g1"}],
   "mysqlInstances": [{"name": "blog", "group": "g2"}]}
]})";

// The fixture with one compartment whose databases the user's policies hide.
inline std::string withUnreadable(const std::string& compartmentId) {
  std::string fixture = kCloudFixture;
  const std::string marker = "{\"id\": \"" + compartmentId + "\", ";
  fixture.replace(fixture.find(marker), marker.size(), marker + "\"databasesReadable\": false, ");
  return fixture;
}

inline HostKey testKey() {
  HostKey::KeyBytes bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(0x3C ^ (i * 5));
  return HostKey(bytes);
}

inline std::string seal(const std::string& clear) {
  std::string stored;
  EXPECT_TRUE(testKey().encrypt(clear, stored).IsSuccess());
  return stored;
}

// Both instances with the fixture's credentials, and one OCI subclient with the given content.
inline config::ConfigurationContents defaultContents(std::optional<std::string> ociContent = std::nullopt) {
  config::ConfigurationContents contents;
  config::InstanceRecord classic;
  classic.id = kClassicInstanceId;
  classic.kind = config::InstanceKind::OracleCloud;
  classic.name = "oracle-classic";
  classic.endpointUrl = kClassicEndpoint;
  classic.userName = "admin";
  classic.userPassword = seal(kClassicPassword);
  contents.instances.push_back(classic);
  config::InstanceRecord oci;
  oci.id = kOciInstanceId;
  oci.kind = config::InstanceKind::OracleCloudInfra;
  oci.name = "oci";
  oci.tenancyId = kTenancy;
  oci.userId = "ocid1.user.u";
  oci.fingerprint = "aa:bb";
  oci.privateKeyFileName = "key.pem";
  oci.regionName = "us-ashburn-1";
  oci.privateKeyPassword = seal("phrase");
  contents.instances.push_back(oci);
  contents.backupSets.push_back(config::BackupSetRecord{kOciSubclientId + 100, "oci-set", kOciInstanceId});
  config::SubclientRecord subclient;
  subclient.id = kOciSubclientId;
  subclient.name = "databases";
  subclient.backupSetId = kOciSubclientId + 100;
  subclient.contentXml = std::move(ociContent);
  contents.subclients.push_back(subclient);
  return contents;
}

class OracleTestWorld {
 public:
  explicit OracleTestWorld(config::ConfigurationContents contents = defaultContents(),
                           std::string cloudFixture = kCloudFixture)
      : stage_(testKey(), teststage::configurationOf(std::move(contents)), cloudFixture, HostEnvironment::kNoJobId,
               3) {}

  // Makes the platform's HTTP client trust this CA as well; call before the product runs.
  void trustCa(const std::string& caFile) { stage_.environment().httpsExtraCaFile = caFile; }

  CloudSimulator& simulator() { return stage_.simulator(); }
  LogCapture& capture() { return stage_.capture(); }
  // Every captured line's text, for asserting that no secret reached the log.
  std::string allText() const {
    std::string text;
    for (const LogLine& line : stage_.capture().lines()) text += line.text + "\n";
    return text;
  }
  std::vector<std::string> operations() const {
    std::vector<std::string> names;
    for (const RecordedCall& call : stage_.simulator().calls()) names.push_back(call.operation);
    return names;
  }

 private:
  teststage::TestStage stage_;
};

}  // namespace oracletest
