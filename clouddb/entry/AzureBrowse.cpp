#include "clouddb/entry/AzureBrowse.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "clouddb/azure/CAzureCosmosSQLInfo.h"
#include "clouddb/azure/CAzureTableStorageInfo.h"
#include "clouddb/entry/BrowseInventoryHandler.h"
#include "clouddb/entry/BrowseTexts.h"
#include "platform/DaxEnvironment.h"
#include "platform/FXString.h"

namespace clouddb::entry {
namespace {

constexpr const char* kTag = kBrowseInventoryHandlerTag;

constexpr char kNeitherInstanceNorClient[] = "Got neither instanceId nor clientId";
constexpr char kAzureConnectFailed[] = "Azure connect failed with the given authentication information";
constexpr char kAzureConnectFailedForInstance[] = "Failed to connect to Azure for instanceId [%lu]";
constexpr char kAccountsNotBrowsed[] = "Failed to browse storage accounts for instance %lu";
constexpr char kCosmosCastFailed[] = "Failed to cast between AzureServiceBase and AzureCosmosSQLInfo";
constexpr char kCosmosCastFailedForInstance[] =
    "Failed to cast between AzureServiceBase and AzureCosmosSQLInfo for instanceId [%lu]";
constexpr char kTableCastFailed[] = "Failed to cast between AzureServiceBase and AzureTableStorageInfo";
constexpr char kTableCastFailedForInstance[] =
    "Failed to cast between AzureServiceBase and AzureTableStorageInfo for instanceId [%lu]";
constexpr char kSearchingContainers[] =
    "Searching for SQL API containers under storage account [%s] and database [%s].";
constexpr char kSearchingDatabases[] = "Searching for SQL API databases under [%s] storage account.";
constexpr char kContainersNotBrowsed[] = "Failed to browse containers for instance [%lu]";
constexpr char kDatabasesNotBrowsed[] = "Failed to browse databases for instance [%lu]";
constexpr char kSearchingTables[] = "Searching for tables under [%s] storage account.";
constexpr char kTablesNotBrowsed[] = "Failed to browse tables for instance [%lu]";

std::unique_ptr<AzureServiceBase> makeProvider(std::int64_t instanceType, DaxEnvironment& environment) {
  if (instanceType == AzureServiceBase::kCosmosSqlInstanceType) {
    return std::make_unique<CAzureCosmosSQLInfo>(environment);
  }
  return std::make_unique<CAzureTableStorageInfo>(environment, AzureServiceBase::kTableStorageInstanceType);
}

std::optional<std::string> browseCosmos(AzureServiceBase& provider, std::uint64_t instanceId, const std::string& path,
                                        App::CloudDBEntity& root, EvEvent& log) {
  auto* cosmos = dynamic_cast<CAzureCosmosSQLInfo*>(&provider);
  if (cosmos == nullptr) {
    log.Error(kTag, kCosmosCastFailedForInstance, static_cast<unsigned long>(instanceId));
    return kCosmosCastFailed;
  }
  // Exactly two parts name a database. The separators are counted rather than split apart, so
  // that a path of many of them costs no more than its own length.
  if (std::count(path.begin(), path.end(), '/') == 1) {
    const std::string account(*FXString::Segment(path, '/', 0));
    const std::string database(*FXString::Segment(path, '/', 1));
    log.Debug(kTag, kSearchingContainers, account.c_str(), database.c_str());
    if (!cosmos->BrowseContainers(account, database, root)) {
      log.Debug(kTag, kContainersNotBrowsed, static_cast<unsigned long>(instanceId));
    }
    return std::nullopt;
  }
  log.Debug(kTag, kSearchingDatabases, path.c_str());
  if (!cosmos->BrowseDatabases(path, root)) {
    log.Debug(kTag, kDatabasesNotBrowsed, static_cast<unsigned long>(instanceId));
  }
  return std::nullopt;
}

std::optional<std::string> browseTables(AzureServiceBase& provider, std::uint64_t instanceId, const std::string& path,
                                        App::CloudDBEntity& root, EvEvent& log) {
  log.Debug(kTag, kSearchingTables, path.c_str());
  auto* tables = dynamic_cast<CAzureTableStorageInfo*>(&provider);
  if (tables == nullptr) {
    log.Error(kTag, kTableCastFailedForInstance, static_cast<unsigned long>(instanceId));
    return kTableCastFailed;
  }
  if (!tables->BrowseTables(path, root)) {
    log.Debug(kTag, kTablesNotBrowsed, static_cast<unsigned long>(instanceId));
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> browseAzure(std::int64_t instanceType, std::uint64_t instanceId, std::uint64_t clientId,
                                       const std::string& path, App::CloudDBEntity& root, EvEvent& log) {
  DaxPrototypeEnvironmentDropOutputData environment("", log);
  const std::unique_ptr<AzureServiceBase> provider = makeProvider(instanceType, environment);

  if (instanceId == 0) {
    if (clientId != 0) {
      if (provider->FetchClientCredentials(clientId) == 0) {
        log.Error(kTag, texts::kFetchCredentialsFailedForClient, static_cast<unsigned long>(clientId));
        return texts::kFetchCredentialsFailed;
      }
    } else {
      log.Debug(kTag, "%s", kNeitherInstanceNorClient);
    }
  } else if (provider->FetchCredentials(instanceId) == 0) {
    log.Error(kTag, texts::kFetchCredentialsFailedForInstance, static_cast<unsigned long>(instanceId));
    return texts::kFetchCredentialsFailed;
  }

  if (provider->Connect() == 0) {
    log.Error(kTag, kAzureConnectFailedForInstance, static_cast<unsigned long>(instanceId));
    return kAzureConnectFailed;
  }

  if (path.empty()) {
    if (provider->BrowseAccounts(instanceType == AzureServiceBase::kCosmosSqlInstanceType, root) == 0) {
      log.Debug(kTag, kAccountsNotBrowsed, static_cast<unsigned long>(instanceId));
    }
    return std::nullopt;
  }
  if (instanceType == AzureServiceBase::kCosmosSqlInstanceType) {
    return browseCosmos(*provider, instanceId, path, root, log);
  }
  return browseTables(*provider, instanceId, path, root, log);
}

}  // namespace clouddb::entry
