// The Oracle Cloud accounts of the cloud fixture: "oracle" (an infrastructure tenancy) and
// "oracle-classic" (a classic platform-services account); described in docs/cloud-fixture.md.
#include <set>

#include "FixtureJsonReader.h"
#include "FixtureParser.h"
#include "OracleSession.h"

namespace cloudsim {
namespace {

using namespace CloudDBInfoStructs;

FixtureObject oracleCredentialsOf(FixtureObject& account) {
  std::optional<FixtureObject> credentials = account.optionalObject("credentials");
  if (!credentials) account.fail("member \"credentials\" is missing");
  return *credentials;
}

// OCIDs name one object each; a fixture that reuses one would make lookups a matter of order.
void requireUnique(std::set<std::string>& seen, const FixtureObject& where, const std::string& id) {
  if (!seen.insert(id).second) where.fail("id \"" + id + "\" is used twice");
}

SOCIDatabaseInfo parseDatabase(FixtureObject& item, const SOCIDbHomeInfo& home, const SOCIDbSystemInfo& system) {
  SOCIDatabaseInfo database;
  database.dbName = item.requiredString("name");
  database.id = item.requiredString("id");
  database.dbUniqueName = item.optionalString("uniqueName", database.dbName + "_unq");
  database.compartmentId = home.compartmentId;
  database.dbHomeId = home.id;
  database.dbSystemId = system.id;
  database.lifecycleState = item.optionalString("lifecycleState", "AVAILABLE");
  database.characterSet = "AL32UTF8";
  database.ncharacterSet = "AL16UTF16";
  database.dbWorkload = "OLTP";
  return database;
}

OracleDbSystem parseDbSystem(FixtureObject& item, const std::string& compartmentId, const std::string& region,
                             std::set<std::string>& ids) {
  OracleDbSystem system;
  system.record.id = item.requiredString("id");
  requireUnique(ids, item, system.record.id);
  system.record.compartmentId = compartmentId;
  system.record.displayName = item.requiredString("displayName");
  system.record.availabilityDomain = item.optionalString("availabilityDomain", "AD-1");
  system.record.shape = item.optionalString("shape", "VM.Standard2.1");
  system.record.databaseEdition = item.optionalString("databaseEdition", "ENTERPRISE_EDITION");
  system.record.lifecycleState = "AVAILABLE";
  system.record.hostname = system.record.displayName;
  system.record.version = item.optionalString("version", "19.0.0.0");
  system.record.nodeCount = 1;
  system.record.timeZone = "UTC";
  system.record.domain = "sub." + region + ".oraclevcn.com";
  item.forEachObject("dbHomes", [&](FixtureObject& homeItem) {
    OracleDbHome home;
    home.record.id = homeItem.requiredString("id");
    requireUnique(ids, homeItem, home.record.id);
    home.record.compartmentId = compartmentId;
    home.record.dbSystemId = system.record.id;
    home.record.displayName = homeItem.optionalString("displayName", "dbhome-" + system.record.displayName);
    home.record.dbVersion = homeItem.optionalString("dbVersion", system.record.version);
    home.record.lifecycleState = "AVAILABLE";
    homeItem.forEachObject("databases", [&](FixtureObject& databaseItem) {
      home.databases.push_back(parseDatabase(databaseItem, home.record, system.record));
      requireUnique(ids, databaseItem, home.databases.back().id);
    });
    system.dbHomes.push_back(std::move(home));
  });
  return system;
}

OracleClassicService parseClassicService(FixtureObject& item, const OracleClassicAccount& account) {
  OracleClassicService service;
  SOracleDBInstanceInfo& record = service.record;
  record.serviceName = item.requiredString("name");
  record.version = item.optionalString("version", "12.2.0.1");
  if (!isClassicVersion(record.version)) item.fail("\"" + record.version + "\" is not a database version");
  record.edition = item.optionalString("edition", "EE");
  if (!isClassicEdition(record.edition)) item.fail("\"" + record.edition + "\" is not a software edition");
  record.status = item.optionalString("status", "Running");
  record.description = item.optionalString("description");
  record.browseGroup = item.optionalString("group");
  record.shape = item.optionalString("shape", "oc3");
  record.backupDestination = item.optionalString("backupDestination", "NONE");
  record.identityDomain = account.identityDomain;
  record.serviceLevel = "PAAS";
  record.listenerPort = 1521;
  item.forEachObject("computeNodes", [&](FixtureObject& nodeItem) {
    SOracleDBComputeNode node;
    node.hostName = nodeItem.requiredString("hostName");
    node.ipAddress = nodeItem.requiredString("ipAddress");
    node.port = nodeItem.optionalInt("port", 1521);
    node.name = nodeItem.optionalString("name", node.hostName);
    node.status = "Running";
    node.shape = record.shape;
    service.computeNodes.push_back(std::move(node));
  });
  if (service.computeNodes.empty())
    service.computeNodes = makeClassicComputeNodes(record, account, 1, account.databaseServices.size() + 1);
  record.numberOfNodes = static_cast<std::int32_t>(service.computeNodes.size());
  return service;
}

template <class Record>
std::vector<Record> parseJavaOrMySQL(FixtureObject& account, const char* list, const std::string& identityDomain) {
  std::vector<Record> instances;
  account.forEachObject(list, [&](FixtureObject& item) {
    Record record;
    record.serviceName = item.requiredString("name");
    record.browseGroup = item.optionalString("group");
    record.version = item.optionalString("version");
    record.status = item.optionalString("status", "Running");
    record.identityDomain = identityDomain;
    instances.push_back(std::move(record));
  });
  return instances;
}

}  // namespace

OracleTenancy parseOracleTenancy(FixtureObject& account) {
  OracleTenancy oracle;
  FixtureObject credentials = oracleCredentialsOf(account);
  oracle.tenancyId = credentials.requiredString("tenancyId");
  oracle.userId = credentials.requiredString("userId");
  oracle.fingerprint = credentials.requiredString("fingerprint");
  oracle.privateKeyFile = credentials.requiredString("privateKeyFile");
  oracle.passPhrase = credentials.optionalString("passPhrase");
  credentials.finish();
  oracle.regions = account.optionalStringList("regions");
  if (oracle.regions.empty()) account.fail("member \"regions\" must name at least one region");
  std::set<std::string> ids;
  account.forEachObject("compartments", [&](FixtureObject& item) {
    OracleCompartment compartment;
    compartment.record.identifier = item.requiredString("id");
    requireUnique(ids, item, compartment.record.identifier);
    compartment.record.name = item.requiredString("name");
    compartment.record.description = item.optionalString("description");
    compartment.record.parentIdentifier = oracle.tenancyId;
    compartment.record.lifecycleState = "ACTIVE";
    compartment.databasesReadable = item.optionalBool("databasesReadable", true);
    item.forEachObject("dbSystems", [&](FixtureObject& systemItem) {
      compartment.dbSystems.push_back(
          parseDbSystem(systemItem, compartment.record.identifier, oracle.regions.front(), ids));
    });
    oracle.compartments.push_back(std::move(compartment));
  });
  return oracle;
}

OracleClassicAccount parseOracleClassicAccount(FixtureObject& account) {
  OracleClassicAccount classic;
  FixtureObject credentials = oracleCredentialsOf(account);
  classic.endpoint = credentials.requiredString("endpoint");
  classic.user = credentials.requiredString("user");
  classic.password = credentials.requiredString("password");
  credentials.finish();
  classic.identityDomain = account.optionalString("identityDomain", "demo");
  classic.computeNodesPerNewService = account.optionalInt("computeNodesPerNewService", 1);
  if (classic.computeNodesPerNewService < 1 || classic.computeNodesPerNewService > 8) {
    account.fail("member \"computeNodesPerNewService\" must be between 1 and 8");
  }
  std::set<std::string> names;
  account.forEachObject("databaseServices", [&](FixtureObject& item) {
    classic.databaseServices.push_back(parseClassicService(item, classic));
    if (!names.insert(classic.databaseServices.back().record.serviceName).second) {
      item.fail("service \"" + classic.databaseServices.back().record.serviceName + "\" is given twice");
    }
  });
  classic.javaInstances = parseJavaOrMySQL<SJavaInstanceInfo>(account, "javaInstances", classic.identityDomain);
  classic.mysqlInstances = parseJavaOrMySQL<SMySQLInstanceInfo>(account, "mysqlInstances", classic.identityDomain);
  return classic;
}

}  // namespace cloudsim
