#pragma once
// CCloudSDKCppBridge: the Azure resource-manager client for database (Cosmos DB) accounts.
// Not served by the cloud simulator yet: every call fails with "... is not supported by this
// simulator yet" in GetLastErrorString (or "no cloud simulator installed").
#include <string>
#include <vector>

namespace CloudSDKCppBridge {

// Which database accounts a listing returns.
enum CosmosDBAccountBrowseType : int {
  COSMOS_DB_SQL_API = 1,
};

// One storage or database account.
struct SStorageAccountInfo {
  std::string name;
  std::string endpoint;
  std::string location;
  std::string kind;  // "GlobalDocumentDB", ...
};

// One name in a listing.
struct SString {
  std::string value;
};

class CCloudSDKCppBridge {
 public:
  CCloudSDKCppBridge() = default;
  CCloudSDKCppBridge(const CCloudSDKCppBridge&) = delete;
  CCloudSDKCppBridge& operator=(const CCloudSDKCppBridge&) = delete;

  bool Initialize(const std::string& focusName, const std::string& applicationName, long long jobId,
                  int instanceType);
  bool Connect(const std::string& login, const std::string& applicationId, const std::string& password);
  bool SetWebProxy(const std::string& hostAndPort, const std::string& user, const std::string& password);
  std::string GetLastErrorString() const;

  bool GetDatabaseAccountInfoList(const std::string& filter, int browseType, std::vector<SStorageAccountInfo>& out);
  bool GetCosmosDBAuthenticationInfo(const std::string& account, std::string& accountAddress, std::string& key);
  bool ListCosmosDBDatabases(const std::string& accountAddress, const std::string& key, bool useGateway,
                             std::vector<SString>& out);
  bool ListCosmosDBContainers(const std::string& accountAddress, const std::string& key,
                              const std::string& database, bool useGateway, std::vector<SString>& out);

 private:
  std::string lastError_;
};

}  // namespace CloudSDKCppBridge
