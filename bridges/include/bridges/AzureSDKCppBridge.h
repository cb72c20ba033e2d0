#pragma once
// CAzureSDKCppBridge: the Azure resource client (relational servers, storage accounts).
// Initialize names the job; Connect signs in to one subscription of the installed cloud
// simulator with an application's id and secret (docs/cloud-fixture.md); SetWebProxy names the
// proxy every later call goes through. The relational listing: RefreshDBInstanceInfoList runs the
// query (-1 on failure, else the number of records kept), GetDBInstanceInfoList appends (a slice
// of) the kept result. GetStorageAccountInfoList appends the subscription's storage accounts,
// GetTableStorageAuthenticationInfo gives one account's Table endpoint and access key. Other
// operations return true on success; GetLastErrorString gives the text of the last call's
// failure, empty after a success.
#include <memory>
#include <string>
#include <vector>

#include "bridges/RDSInfoStructs.h"
#include "bridges/VMInfoStructs.h"

namespace AzureSDKCppBridge {

class CAzureSDKCppBridge {
 public:
  CAzureSDKCppBridge();
  ~CAzureSDKCppBridge();
  CAzureSDKCppBridge(const CAzureSDKCppBridge&) = delete;
  CAzureSDKCppBridge& operator=(const CAzureSDKCppBridge&) = delete;

  // instanceType: the virtual-server instance type the calls serve (402).
  bool Initialize(const std::string& focusName, const std::string& applicationName, long long jobId,
                  int instanceType);
  // login: subscription id, a backslash and the tenant id.
  bool Connect(const std::string& login, const std::string& applicationId, const std::string& password);
  void Disconnect();
  bool SetWebProxy(const std::string& hostAndPort, const std::string& user, const std::string& password);
  std::string GetLastErrorString() const;

  // location: only servers of this region; serverName: only this server; empty: any.
  int RefreshDBInstanceInfoList(unsigned long long first, int count, const std::string& location,
                                const std::string& serverName);
  int RefreshDBInstanceInfoList(unsigned long long first, int count, const std::string& location,
                                const std::string& serverName, const RDSInfoStructs::SDBInstanceFilter& filter);
  bool GetDBInstanceInfoList(std::vector<RDSInfoStructs::SDBInstanceInfo>& out, unsigned long long first, int count);

  // filter: only the account of exactly this name; empty: every account. first: the index of the
  // first account to append, -1 from the start; count: how many, -1 (or 0) to the end. withKeys
  // also fills each record's access key.
  bool GetStorageAccountInfoList(const std::string& filter, int first, int count,
                                 std::vector<VMInfoStructs::SDatastoreInfo>& out, bool withKeys);
  // The account's Table service address and access key (either may be empty when the account has
  // none); both are emptied when the call fails.
  bool GetTableStorageAuthenticationInfo(const std::string& storageAccount, std::string& serviceAddress,
                                         std::string& accessKey);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace AzureSDKCppBridge
