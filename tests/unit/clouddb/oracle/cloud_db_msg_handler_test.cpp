// The database-service handler: the message/record mappings field by field, and whole requests
// served over a socket pair against the simulated classic account and a real local key peer.
#include <gtest/gtest.h>

#include <memory>

#include "OracleKeyPeer.h"
#include "OracleTestWorld.h"
#include "SocketPair.h"
#include "clouddb/oracle/CloudDBMsgHandler.h"
#include "platform/KwNetworkPeer.h"

using namespace oracletest;
using namespace CloudDBInfoStructs;

namespace {

Dax::CloudDBService requestedService(const std::string& name = "sales-db") {
  Dax::CloudDBService service;
  service.setServiceName(name);
  service.setint64(Dax::CloudDBService::kVersion, 1);
  service.setint64(Dax::CloudDBService::kEdition, 1);
  service.setstring(Dax::CloudDBService::kEndpoint, "dbaas.test.example");
  Dax::CloudDBServiceDetails& details = service.mutableDetails();
  details.setstring(Dax::CloudDBServiceDetails::kShape, "ORCL");
  details.setpstringobject(Dax::CloudDBServiceDetails::kAdminPassword, msg::PasswordString{"Admin#123", false});
  details.setstring(Dax::CloudDBServiceDetails::kCapacity, "50");
  details.mutableStorage().mutableEntity().setName("oc3");
  details.setPublicKeyName("/Compute-acme/admin/deploy");
  details.mutableInstance().setKind(11);
  details.mutableInstance().setInstanceId(static_cast<std::int64_t>(kClassicInstanceId));
  return service;
}

// The configuration with the classic account's API settings pointing at the key peer.
config::ConfigurationContents withApiSettings(const std::string& apiHost) {
  config::ConfigurationContents contents = defaultContents();
  config::AppManagerSettingsRecord settings;
  settings.instanceId = kClassicInstanceId;
  settings.credentials.push_back(config::StoredHostCredential{"api", apiHost, "admin", seal("classic-pw"), 1});
  contents.appManagerSettings.push_back(settings);
  return contents;
}

struct Exchange {
  std::unique_ptr<Dax::CloudDBServiceResp> response;
  bool disconnectReplied = false;
};

// Sends the request in its envelope to a fresh handler and reads what comes back.
// Serves one envelope holding request (none when null).
Exchange serve(const CNMessageBase* request) {
  auto [hostEnd, peerEnd] = testsupport::makeSocketPair();
  CKwNetwork connection(std::move(hostEnd));
  KwNetworkPeer peer(std::move(peerEnd));
  Dax::CloudDBServiceReq envelope;
  if (request != nullptr) envelope.addRequest(*request);
  EXPECT_TRUE(peer.sendRequest(envelope, 5).IsSuccess());
  CloudDBMsgHandler handler;
  handler.ProcessMessage(&connection);
  Exchange exchange;
  KwNetworkPeer::Reply reply;
  EXPECT_TRUE(peer.readReply(reply, 5).IsSuccess());
  if (reply.kind == KwNetworkPeer::ReplyKind::Response) {
    exchange.response.reset(dynamic_cast<Dax::CloudDBServiceResp*>(reply.message.release()));
    EXPECT_TRUE(peer.readReply(reply, 5).IsSuccess());
  }
  exchange.disconnectReplied = reply.kind == KwNetworkPeer::ReplyKind::DisconnectReply;
  return exchange;
}

Dax::CloudDBServiceReq createRequest(const Dax::CloudDBService& service) {
  Dax::CloudDBServiceReq request;
  request.setOperation(2);
  request.mutableService() = service;
  return request;
}

std::int64_t statusOf(const Exchange& exchange) {
  return exchange.response && exchange.response->result() ? exchange.response->result()->status() : 0;
}

}  // namespace

TEST(CloudDBServiceMapping, RequestBecomesTheRecordFieldByField) {
  OracleTestWorld world;
  CloudDBMsgHandler handler;
  Dax::CloudDBService service = requestedService();
  service.mutableBackup().setDestination(2);
  service.mutableBackup().setContainer("backups");
  service.setint64(Dax::CloudDBService::kSubscriptionType, 1);
  service.setint64(Dax::CloudDBService::kOptionFlag, 1);
  service.mutableDetails().setstring(Dax::CloudDBServiceDetails::kSid, "AL16UTF16");
  Dax::CloudDBSourceSettings& source = service.mutableSource();
  source.setint64(Dax::CloudDBSourceSettings::kFromBackup, 1);
  source.setint64(Dax::CloudDBSourceSettings::kFromCloudStorage, 1);
  source.setstring(Dax::CloudDBSourceSettings::kDatabaseId, "container-39");
  source.setstring(Dax::CloudDBSourceSettings::kBackupTag, "source-36");
  source.setstring(Dax::CloudDBSourceSettings::kDecryptionKey, "id-40");
  source.setstring(Dax::CloudDBSourceSettings::kWalletFile, "key-43");
  source.mutableStorageCredentials().setUser("user-38");
  source.mutableStorageCredentials().setPassword(msg::PasswordString{"secret-37", false});

  SOracleDBInstanceInfo record;
  record.isRac = record.failoverDatabase = record.hybridDataGuard = record.bringYourOwnLicense = true;
  ASSERT_TRUE(handler.Serialize(&service, &record));
  EXPECT_EQ(record.serviceName, "sales-db");
  EXPECT_EQ(record.description, "DBaaS");
  EXPECT_EQ(record.version, "12.2.0.1");
  EXPECT_EQ(record.edition, "EE");
  EXPECT_EQ(record.serviceLevel, "PAAS");
  EXPECT_EQ(record.meteringFrequency, 1);
  EXPECT_TRUE(record.useHighPerformanceStorage);
  EXPECT_FALSE(record.isRac || record.failoverDatabase || record.hybridDataGuard || record.bringYourOwnLicense);
  EXPECT_EQ(record.sid, "ORCL");
  EXPECT_EQ(record.shape, "oc3");
  EXPECT_EQ(record.adminPassword, "Admin#123");
  EXPECT_EQ(record.usableStorageGB, 50);
  EXPECT_EQ(record.nationalCharacterSet, "AL16UTF16");
  EXPECT_EQ(record.backupDestination, "OSS");
  EXPECT_EQ(record.cloudStorageContainer, "backups");
  EXPECT_EQ(record.instantiateFromBackup, "yes");
  EXPECT_EQ(record.useCloudStorageBackup, "yes");
  EXPECT_EQ((std::vector<std::string>{record.sourceServiceName, record.sourceCloudStoragePassword,
                                      record.sourceCloudStorageUser, record.sourceCloudStorageContainer,
                                      record.sourceDatabaseId, record.backupDecryptionKey}),
            (std::vector<std::string>{"source-36", "secret-37", "user-38", "container-39", "id-40", "key-43"}));

  // Codes outside the known ones fall back; a source that is not a backup touches nothing else.
  service.setint64(Dax::CloudDBService::kVersion, 7);
  service.setint64(Dax::CloudDBService::kEdition, 9);
  service.setint64(Dax::CloudDBService::kSubscriptionType, 3);
  service.setstring(Dax::CloudDBService::kDescription, "mine");
  service.mutableBackup().setDestination(5);
  service.mutableSource().setint64(Dax::CloudDBSourceSettings::kFromBackup, 0);
  SOracleDBInstanceInfo fallback;
  fallback.sourceServiceName = "kept";
  ASSERT_TRUE(handler.Serialize(&service, &fallback));
  EXPECT_EQ(fallback.version, "11.2.0.4");
  EXPECT_EQ(fallback.edition, "SE");
  EXPECT_EQ(fallback.meteringFrequency, 2);
  EXPECT_EQ(fallback.description, "mine");
  EXPECT_EQ(fallback.backupDestination, "NONE");
  EXPECT_EQ(fallback.instantiateFromBackup, "no");
  EXPECT_EQ(fallback.sourceServiceName, "kept");
  EXPECT_TRUE(fallback.useCloudStorageBackup.empty());
}

TEST(CloudDBServiceMapping, ACapacityThatIsNotA32BitNumberIsRefused) {
  OracleTestWorld world;
  CloudDBMsgHandler handler;
  for (const std::string capacity : {"", "12GB", " 12", "2147483648", "-2147483649", "0x10"}) {
    Dax::CloudDBService service = requestedService();
    service.mutableDetails().setstring(Dax::CloudDBServiceDetails::kCapacity, capacity);
    SOracleDBInstanceInfo record;
    EXPECT_FALSE(handler.Serialize(&service, &record)) << capacity;
    EXPECT_TRUE(world.capture().hasLine("Service capacity [" + capacity +
                                        "] must be a whole number between -2147483648 and 2147483647"));
  }
  Dax::CloudDBService service = requestedService();
  service.mutableDetails().setstring(Dax::CloudDBServiceDetails::kCapacity, "2147483647");
  SOracleDBInstanceInfo record;
  EXPECT_TRUE(handler.Serialize(&service, &record));
  EXPECT_EQ(record.usableStorageGB, 2147483647);
}

TEST(CloudDBServiceMapping, RecordAndComputeNodesBecomeTheMessage) {
  OracleTestWorld world;
  CloudDBMsgHandler handler;
  struct Case {
    std::string version, edition, destination;
    std::int64_t versionCode, editionCode, destinationCode;
  };
  for (const Case& c : {Case{"12.2.0.1", "EE", "BOTH", 1, 1, 1}, Case{"12.1.0.2", "EE_EP", "OSS", 2, 2, 2},
                        Case{"11.2.0.4", "EE_HP", "NONE", 0, 3, 3}, Case{"9", "XE", "", 0, 0, 3}}) {
    SOracleDBInstanceInfo record;
    record.serviceName = "orders";
    record.version = c.version;
    record.edition = c.edition;
    record.backupDestination = c.destination;
    record.shape = "oc3";
    Dax::CloudDBService service;
    handler.Serialize(&record, &service);
    EXPECT_EQ(service.getint64(Dax::CloudDBService::kVersion), c.versionCode) << c.version;
    EXPECT_EQ(service.getint64(Dax::CloudDBService::kEdition), c.editionCode) << c.edition;
    EXPECT_EQ(service.backup()->destination(), c.destinationCode) << c.destination;
    EXPECT_EQ(service.getint64(Dax::CloudDBService::kState), 1);
    EXPECT_EQ(service.details()->storage()->entity()->name(), "oc3");
  }
  std::vector<SOracleDBComputeNode> nodes(2);
  nodes[0].hostName = "node-a";
  nodes[0].ipAddress = "10.0.0.1";
  nodes[1].name = "second";
  nodes[1].hostName = "node-b";
  nodes[1].ipAddress = "10.0.0.2";
  nodes[1].port = 1522;
  nodes[1].storageGB = 64;
  nodes[1].reservedIp = true;
  Dax::CloudDBService service;
  handler.Serialize(nodes, &service);
  const Dax::CloudDBServiceDetails& details = *service.details();
  ASSERT_EQ(details.computeNodes().size(), 2u);
  EXPECT_EQ(details.computeNodes()[1].hostName(), "node-b");
  EXPECT_EQ(details.getstring(Dax::CloudDBServiceDetails::kNodeText1), "second");
  EXPECT_EQ(details.getstring(Dax::CloudDBServiceDetails::kNodeIpAddress), "10.0.0.2");
  EXPECT_EQ(details.getint64(Dax::CloudDBServiceDetails::kNodeNumber), 64);
  EXPECT_EQ(details.getint64(Dax::CloudDBServiceDetails::kNodeFlag), 1);
  EXPECT_TRUE(world.capture().hasLine("PORT [1522]"));
  EXPECT_TRUE(world.capture().hasLine("Compute Node HostName [node-a]"));
}

TEST(CloudDBMsgHandler, CreatesTheServiceAndAnswersWithItsComputeNodes) {
  OracleKeyPeer peer;
  OracleTestWorld world(withApiSettings(peer.apiHost()));
  world.trustCa(peer.caFile());
  const Dax::CloudDBServiceReq request = createRequest(requestedService());
  const Exchange exchange = serve(&request);
  ASSERT_TRUE(exchange.response) << world.allText();
  EXPECT_TRUE(exchange.disconnectReplied);
  EXPECT_EQ(statusOf(exchange), 0);
  ASSERT_EQ(exchange.response->services().size(), 1u);
  const Dax::CloudDBService& answered = exchange.response->services()[0];
  EXPECT_EQ(answered.serviceName(), "sales-db");
  EXPECT_EQ(answered.details()->computeNodes().size(), 2u);
  EXPECT_EQ(answered.details()->getstring(Dax::CloudDBServiceDetails::kNodeText1), "sales-db-node-2");

  // The cloud now lists it, created with the fetched key.
  COracleCloudDBInfo provider;
  ASSERT_TRUE(provider.connectClassic(kClassicInstanceId));
  SOracleDBInstanceInfo created;
  ASSERT_EQ(provider.GetDBInstanceInfo("sales-db", created), 1);
  EXPECT_EQ(created.vmPublicKey, "ssh-rsa AAAAB3Nza deploy@acme");
  EXPECT_EQ(world.allText().find("Admin#123"), std::string::npos);
  EXPECT_EQ(world.allText().find("classic-pw"), std::string::npos);
}

TEST(CloudDBMsgHandler, FailuresAnswerWithAFailedResult) {
  struct Case {
    const char* what;
    std::optional<CNMessageBase> request;
    std::string faultOperation;
    std::string line;
    std::int64_t status;
  };
  Dax::CloudDBService noKey = requestedService();
  noKey.mutableDetails().setPublicKeyName("/Compute-acme/admin/none");
  Dax::CloudDBService existing = requestedService("orders");
  Dax::CloudDBService badCapacity = requestedService();
  badCapacity.mutableDetails().setstring(Dax::CloudDBServiceDetails::kCapacity, "lots");
  Dax::CloudDBService otherKind = requestedService();
  otherKind.mutableDetails().mutableInstance().setKind(7);
  Dax::CloudDBService unconfigured = requestedService();
  unconfigured.mutableDetails().mutableInstance().setInstanceId(999);
  Dax::CloudDBServiceReq withoutService;
  withoutService.setOperation(2);
  Dax::CloudDBServiceReq listing = createRequest(requestedService());
  listing.setOperation(1);
  const Case cases[] = {
      {"empty envelope", std::nullopt, "", "The received message holds no request", 1},
      {"no service", withoutService, "", "Connect failed", 1},
      {"instance of another kind", createRequest(otherKind), "", "Connect failed", 1},
      {"unconfigured instance", createRequest(unconfigured), "", "QuerySettingsForInstance Failed", 1},
      {"unknown key", createRequest(noKey), "", "GetPubicKey failed for key name [/Compute-acme/admin/none]", 1},
      {"capacity", createRequest(badCapacity), "",
       "Service capacity [lots] must be a whole number between -2147483648 and 2147483647", 1},
      {"name taken", createRequest(existing), "", "CreateDBInstance failed", 1},
      {"nodes unreadable", createRequest(requestedService()), "GetComputeNodeList",
       "GetComputeNodeList failed for service [sales-db]", 1},
      // Only creation is served: any other operation answers with a failed result, never as done.
      {"operation 1", listing, "", "Operation [1] is not served", 1},
      {"another kind of request", requestedService(), "",
       "The received request [" + std::to_string(Dax::CloudDBService().getTagID()) +
           "] is not a database service request",
       1},
  };
  for (const Case& c : cases) {
    OracleKeyPeer peer;
    OracleTestWorld world(withApiSettings(peer.apiHost()));
    world.trustCa(peer.caFile());
    if (!c.faultOperation.empty()) {
      ASSERT_TRUE(world.simulator().failNext(CloudBridgeKind::Oracle, c.faultOperation, 1, "Service Unavailable"));
    }
    const Exchange exchange = serve(c.request ? &*c.request : nullptr);
    ASSERT_TRUE(exchange.response) << c.what;
    EXPECT_TRUE(exchange.disconnectReplied) << c.what;
    EXPECT_EQ(statusOf(exchange), c.status) << c.what;
    EXPECT_TRUE(exchange.response->services().empty()) << c.what;
    if (!c.line.empty()) {
      EXPECT_TRUE(world.capture().hasLine(c.line)) << c.what << "\n" << world.allText();
    }
  }
}
