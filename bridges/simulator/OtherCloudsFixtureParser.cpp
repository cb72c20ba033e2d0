// The accounts of Azure, Google Cloud and Alibaba Cloud in the cloud fixture. The
// simulator keeps them so that the bridges of those clouds can be built on the same fixture;
// their sections are described in docs/cloud-fixture.md.
#include <algorithm>

#include "FixtureJsonReader.h"
#include "FixtureParser.h"

namespace cloudsim {
namespace {

FixtureObject credentialsOf(FixtureObject& account) {
  std::optional<FixtureObject> credentials = account.optionalObject("credentials");
  if (!credentials) account.fail("member \"credentials\" is missing");
  return *credentials;
}

std::vector<NamedItem> namedItems(FixtureObject& owner, const char* list, const char* nameMember,
                                  const char* detailMember) {
  std::vector<NamedItem> items;
  owner.forEachObject(list, [&](FixtureObject& item) {
    items.push_back(NamedItem{item.requiredString(nameMember), item.optionalString(detailMember)});
  });
  return items;
}

std::string sameAsName(const std::string& name) { return name; }

// Relational servers: a name and an engine, and optionally the engine version, the status and
// the region (one of the account's; its first one when left out).
std::vector<RelationalServer> relationalServers(FixtureObject& owner, const char* list,
                                                const std::vector<VMInfoStructs::SDataCenterInfo>& regions,
                                                const char* runningStatus) {
  std::vector<RelationalServer> servers;
  owner.forEachObject(list, [&](FixtureObject& item) {
    RelationalServer server{item.requiredString("name"), item.requiredString("engine"),
                            item.optionalString("engineVersion"), item.optionalString("region"),
                            item.optionalString("status", runningStatus)};
    if (server.region.empty() && !regions.empty()) server.region = regions.front().name;
    if (!regions.empty()) requireKnownRegion(item, regions, server.region);
    servers.push_back(std::move(server));
  });
  return servers;
}

// An Azure account's location: one of the subscription's regions, its first when left out.
std::string azureLocation(FixtureObject& item, const std::vector<VMInfoStructs::SDataCenterInfo>& regions) {
  std::string location = item.optionalString("location");
  if (location.empty() && !regions.empty()) location = regions.front().name;
  if (!regions.empty()) requireKnownRegion(item, regions, location);
  return location;
}

}  // namespace

AzureSubscription parseAzureSubscription(FixtureObject& account) {
  AzureSubscription azure;
  azure.subscriptionId = account.requiredString("subscriptionId");
  azure.tenantId = account.requiredString("tenantId");
  FixtureObject credentials = credentialsOf(account);
  azure.applicationId = credentials.requiredString("applicationId");
  azure.password = credentials.requiredString("password");
  credentials.finish();
  if (account.has("regions")) azure.regions = parseRegions(account, sameAsName);
  account.forEachObject("storageAccounts", [&](FixtureObject& storage) {
    AzureStorageAccount table;
    table.name = storage.requiredString("name");
    table.tableEndpoint = storage.optionalString("tableEndpoint");
    table.accessKey = storage.optionalString("accessKey");
    table.location = azureLocation(storage, azure.regions);
    table.resourceGroup = storage.optionalString("resourceGroup", "resources");
    table.kind = storage.optionalString("kind", "StorageV2");
    azure.storageAccounts.push_back(std::move(table));
  });
  account.forEachObject("databaseAccounts", [&](FixtureObject& database) {
    AzureDatabaseAccount cosmos;
    cosmos.name = database.requiredString("name");
    cosmos.endpoint = database.optionalString("endpoint");
    cosmos.key = database.optionalString("key");
    cosmos.location = azureLocation(database, azure.regions);
    cosmos.kind = database.optionalString("kind", "GlobalDocumentDB");
    if (cosmos.kind != "GlobalDocumentDB" && cosmos.kind != "MongoDB") {
      database.fail("member \"kind\" must be \"GlobalDocumentDB\" or \"MongoDB\"");
    }
    database.forEachObject("databases", [&](FixtureObject& item) {
      cosmos.databases.emplace_back(item.requiredString("name"), item.optionalStringList("containers"));
    });
    azure.databaseAccounts.push_back(std::move(cosmos));
  });
  azure.databaseServers = relationalServers(account, "databaseServers", azure.regions, "Ready");
  return azure;
}

GoogleAccount parseGoogleAccount(FixtureObject& account) {
  GoogleAccount google;
  FixtureObject credentials = credentialsOf(account);
  google.serviceAccountId = credentials.requiredString("serviceAccountId");
  google.keyFile = credentials.optionalString("keyFile");
  google.keyPassword = credentials.requiredString("keyPassword");
  credentials.finish();
  google.projects = namedItems(account, "projects", "id", "name");
  google.sqlInstances = relationalServers(account, "sqlInstances", {}, "RUNNABLE");
  account.forEachObject("spannerInstances", [&](FixtureObject& instance) {
    GoogleSpannerInstance spanner;
    spanner.name = instance.requiredString("name");
    spanner.project = instance.requiredString("project");
    spanner.databases = instance.optionalStringList("databases");
    spanner.displayName = instance.optionalString("displayName", spanner.name);
    spanner.config = instance.optionalString("config", "regional-us-central1");
    spanner.nodeCount = instance.optionalInt64("nodeCount", 1);
    const bool ownProject = std::any_of(google.projects.begin(), google.projects.end(),
                                        [&](const NamedItem& project) { return project.name == spanner.project; });
    if (!ownProject) instance.fail("member \"project\" must name one of the account's projects");
    google.spannerInstances.push_back(std::move(spanner));
  });
  return google;
}

AlibabaAccount parseAlibabaAccount(FixtureObject& account) {
  AlibabaAccount alibaba;
  FixtureObject credentials = credentialsOf(account);
  alibaba.accessKeyId = credentials.requiredString("accessKeyId");
  alibaba.accessKeySecret = credentials.requiredString("accessKeySecret");
  credentials.finish();
  alibaba.regions = parseRegions(account, sameAsName);
  alibaba.rdsInstances = relationalServers(account, "rdsInstances", alibaba.regions, "Running");
  return alibaba;
}

}  // namespace cloudsim
