#pragma once
// CAzureCosmosSQLInfo: the SQL databases of an Azure Cosmos DB account and the containers of one
// database, for the browse tree. It connects and lists through the database account client
// alone (no resource-manager connection); the key and endpoint come from the same credential
// step as Table storage. queryContainers is the REST form of the container listing, over the
// signed request service.
//
// Contract: as CAzureTableStorageInfo; always made for instance type 23. Databases become type
// 44 nodes under the account, containers type 45 nodes under "account/database".
#include <string>
#include <vector>

#include "clouddb/azure/CAzureTableStorageInfo.h"

class CAzureCosmosSQLInfo : public CAzureTableStorageInfo {
 public:
  explicit CAzureCosmosSQLInfo(DaxEnvironment& environment);
  CAzureCosmosSQLInfo();
  ~CAzureCosmosSQLInfo() override;

  int Connect(const std::string& subscription, const std::string& applicationId,
              const std::string& secret) override;
  // Only the database account client gets the proxy.
  int Connect(const std::string& subscription, const std::string& applicationId, const std::string& secret,
              const std::vector<SHostCredentials>& proxies) override;
  using AzureServiceBase::Connect;

  bool BrowseDatabases(const std::string& account, App::CloudDBEntity& parent);
  bool BrowseContainers(const std::string& account, const std::string& database, App::CloudDBEntity& parent);
  bool queryContainers(const std::string& database, std::vector<std::string>& containers);
};
