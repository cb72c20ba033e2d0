#pragma once
// CAzureSDKCppBridge: the Azure resource client (relational servers, storage accounts).
// Not served by the cloud simulator yet: every call fails with "... is not supported by this
// simulator yet" in GetLastErrorString (or "no cloud simulator installed").
#include <string>
#include <vector>

#include "bridges/RDSInfoStructs.h"
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
  bool SetWebProxy(const std::string& hostAndPort, const std::string& user, const std::string& password);
  std::string GetLastErrorString() const;

  int RefreshDBInstanceInfoList(unsigned long long first, int count, const std::string& firstText,
                                const std::string& secondText);
  int RefreshDBInstanceInfoList(unsigned long long first, int count, const std::string& firstText,
                                const std::string& secondText, const RDSInfoStructs::SDBInstanceFilter& filter);
  bool GetDBInstanceInfoList(std::vector<RDSInfoStructs::SDBInstanceInfo>& out, unsigned long long first, int count);

  bool GetStorageAccountInfoList(const std::string& filter, int first, int count,
                                 std::vector<VMInfoStructs::SDatastoreInfo>& out, bool withKeys);
  bool GetTableStorageAuthenticationInfo(const std::string& storageAccount, std::string& serviceAddress,
                                         std::string& accessKey);

 private:
  std::string lastError_;
};

}  // namespace AzureSDKCppBridge
