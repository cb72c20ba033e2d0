#pragma once
// CAliCloudSDKCppBridge: the Alibaba Cloud client (ApsaraDB RDS).
//
// One object serves one provider and one thread. ConnectRDS signs in to one account of the
// installed cloud simulator with its access key pair; RefreshDBInstanceInfoList runs the query
// and keeps its result, GetDBInstanceInfoList appends (a slice of) it to the caller's list, and
// GetDCInfoList appends the account's regions. first/count select records [first, first + count);
// count 0 means "to the end". GetLastError gives the text of the last call's failure (empty after
// a success). Semantics of credentials and filters are in docs/cloud-fixture.md.
#include <optional>
#include <string>
#include <vector>

#include "bridges/RDSInfoStructs.h"
#include "bridges/SimulatedConnection.h"
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
  std::optional<cloudbridge::SimulatedConnection> connection_;
  std::vector<RDSInfoStructs::SDBInstanceInfo> instances_;
  std::string lastError_;
};

}  // namespace AliCloudSDKCppBridge
