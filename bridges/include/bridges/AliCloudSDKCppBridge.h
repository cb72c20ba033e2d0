#pragma once
// CAliCloudSDKCppBridge: the Alibaba Cloud client (ApsaraDB RDS).
// Not served by the cloud simulator yet: every call fails with "... is not supported by this
// simulator yet" in GetLastError (or "no cloud simulator installed").
#include <string>
#include <vector>

#include "bridges/RDSInfoStructs.h"
#include "bridges/VMInfoStructs.h"

namespace AliCloudSDKCppBridge {

class CAliCloudSDKCppBridge {
 public:
  CAliCloudSDKCppBridge() = default;
  CAliCloudSDKCppBridge(const CAliCloudSDKCppBridge&) = delete;
  CAliCloudSDKCppBridge& operator=(const CAliCloudSDKCppBridge&) = delete;

  bool ConnectRDS(const std::string& accessKey, const std::string& secretKey);
  void Disconnect();
  std::string GetLastError() const;

  bool RefreshDBInstanceInfoList(unsigned long long first, int count);
  bool RefreshDBInstanceInfoList(unsigned long long first, int count, const RDSInfoStructs::SDBInstanceFilter& filter);
  bool GetDBInstanceInfoList(std::vector<RDSInfoStructs::SDBInstanceInfo>& out, unsigned long long first, int count);
  bool GetDCInfoList(std::vector<VMInfoStructs::SDataCenterInfo>& out, unsigned long long first, int count);

 private:
  std::string lastError_;
};

}  // namespace AliCloudSDKCppBridge
