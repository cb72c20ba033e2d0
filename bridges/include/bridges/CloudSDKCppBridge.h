#pragma once
// CCloudSDKCppBridge: the Azure resource-manager client for database (Cosmos DB) accounts.
// Initialize names the job; Connect signs in to one subscription of the installed cloud
// simulator, as the Azure resource client does (docs/cloud-fixture.md); SetWebProxy names the
// proxy every later call goes through. The account list and an account's endpoint and key come
// from the subscription; the database and container listings are real REST requests to the
// account endpoint they are given, over HTTPS, signed with its master key. Every operation
// returns true on success; GetLastErrorString gives the text of the last call's failure, empty
// after a success. A listing replaces the caller's list, and leaves it empty when it fails.
#include <memory>
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
  CCloudSDKCppBridge();
  ~CCloudSDKCppBridge();
  CCloudSDKCppBridge(const CCloudSDKCppBridge&) = delete;
  CCloudSDKCppBridge& operator=(const CCloudSDKCppBridge&) = delete;

  // instanceType: the virtual-server instance type the calls serve (402).
  bool Initialize(const std::string& focusName, const std::string& applicationName, long long jobId,
                  int instanceType);
  // login: subscription id, a backslash and the tenant id.
  bool Connect(const std::string& login, const std::string& applicationId, const std::string& password);
  bool SetWebProxy(const std::string& hostAndPort, const std::string& user, const std::string& password);
  std::string GetLastErrorString() const;

  // filter: only the account of exactly this name; empty: every account. browseType 1
  // (COSMOS_DB_SQL_API) lists the accounts of the SQL interface, kind "GlobalDocumentDB".
  bool GetDatabaseAccountInfoList(const std::string& filter, int browseType, std::vector<SStorageAccountInfo>& out);
  // The account's document endpoint and primary key; both are emptied when the call fails.
  bool GetCosmosDBAuthenticationInfo(const std::string& account, std::string& accountAddress, std::string& key);
  // accountAddress: "https://host[:port]/", with or without the last slash. useGateway is
  // recorded; the REST interface is the gateway either way.
  bool ListCosmosDBDatabases(const std::string& accountAddress, const std::string& key, bool useGateway,
                             std::vector<SString>& out);
  bool ListCosmosDBContainers(const std::string& accountAddress, const std::string& key,
                              const std::string& database, bool useGateway, std::vector<SString>& out);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace CloudSDKCppBridge
