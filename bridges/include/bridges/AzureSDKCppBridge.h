#pragma once
// CAzureSDKCppBridge: the Azure resource client (relational servers, storage accounts).
// Initialize names the job; Connect signs in to one subscription of the installed cloud
// simulator with an application's id and secret (docs/cloud-fixture.md). The relational listing:
// RefreshDBInstanceInfoList runs the query (-1 on failure, else the number of records kept),
// GetDBInstanceInfoList appends (a slice of) the kept result. GetLastErrorString gives the text of
// the last call's failure. The storage operations and SetWebProxy are not served by the
// simulator yet: they fail with "... is not supported by this simulator yet".
#include <optional>
#include <string>
#include <vector>

#include "bridges/RDSInfoStructs.h"
#include "bridges/SimulatedConnection.h"
#include "bridges/VMInfoStructs.h"

namespace AzureSDKCppBridge {

class CAzureSDKCppBridge {
 public:
  CAzureSDKCppBridge() = default;
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

  bool GetStorageAccountInfoList(const std::string& filter, int first, int count,
                                 std::vector<VMInfoStructs::SDatastoreInfo>& out, bool withKeys);
  bool GetTableStorageAuthenticationInfo(const std::string& storageAccount, std::string& serviceAddress,
                                         std::string& accessKey);

 private:
  std::optional<cloudbridge::SimulatedConnection> connection_;
  std::vector<RDSInfoStructs::SDBInstanceInfo> instances_;
  std::string lastError_;
};

}  // namespace AzureSDKCppBridge
