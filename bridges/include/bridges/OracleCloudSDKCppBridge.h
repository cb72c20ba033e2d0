#pragma once
// COracleCloudSDKCppBridge: the Oracle Cloud client (classic platform services and OCI).
// Not served by the cloud simulator yet: every call fails with "... is not supported by this
// simulator yet" in GetLastErrorString (or "no cloud simulator installed").
#include <string>
#include <vector>

#include "bridges/CloudDBInfoStructs.h"
#include "bridges/VMInfoStructs.h"

namespace OracleCloudSDKCppBridge {

// What a bridge object is made for.
inline constexpr int kModeClassicServices = 1101;
inline constexpr int kModeInfrastructure = 1102;

class COracleCloudSDKCppBridge {
 public:
  explicit COracleCloudSDKCppBridge(int mode) : mode_(mode) {}
  COracleCloudSDKCppBridge(const COracleCloudSDKCppBridge&) = delete;
  COracleCloudSDKCppBridge& operator=(const COracleCloudSDKCppBridge&) = delete;

  int mode() const { return mode_; }

  // Infrastructure: tenancy id, "userId|fingerprint|privateKeyFile|region", key pass phrase.
  bool Connect(const std::string& tenancyId, const std::string& user, const std::string& passPhrase);
  // Classic services: end-point address, user name, password.
  bool ConnectToPAAS(const std::string& endPoint, const std::string& user, const std::string& password);
  void Disconnect();
  std::string GetLastErrorString() const;

  bool GetDBInstanceInfo(const std::string& serviceName, CloudDBInfoStructs::SOracleDBInstanceInfo& out);
  bool GetComputeNodeList(const std::string& serviceName, std::vector<CloudDBInfoStructs::SOracleDBComputeNode>& out);
  bool GetDBInstanceList(std::vector<CloudDBInfoStructs::SOracleDBInstanceInfo>& out);
  bool CreateDBInstance(CloudDBInfoStructs::SOracleDBInstanceInfo& service);
  bool DeleteDBInstance(const CloudDBInfoStructs::SOracleDBInstanceInfo& service);
  bool ScaleDBInstance(const CloudDBInfoStructs::SOracleDBInstanceInfo& service);
  bool StartDBInstance(const CloudDBInfoStructs::SOracleDBInstanceInfo& service);
  bool StopDBInstance(const CloudDBInfoStructs::SOracleDBInstanceInfo& service);
  bool RestartDBInstance(const CloudDBInfoStructs::SOracleDBInstanceInfo& service);
  bool GetJavaInstanceList(std::vector<CloudDBInfoStructs::SJavaInstanceInfo>& out);
  bool GetMySQLInstanceList(std::vector<CloudDBInfoStructs::SMySQLInstanceInfo>& out);

  // The list holds exactly the named parent's children afterwards, also when reused.
  bool GetDbSystemList(std::vector<CloudDBInfoStructs::SOCIDbSystemInfo>& out, const std::string& compartmentId);
  bool GetDbHomeList(std::vector<CloudDBInfoStructs::SOCIDbHomeInfo>& out, const std::string& compartmentId,
                     const std::string& dbSystemId);
  bool GetDatabaseList(std::vector<CloudDBInfoStructs::SOCIDatabaseInfo>& out, const std::string& compartmentId,
                       const std::string& dbHomeId);
  // Compartments of the tenancy (parent id 0, depth 0 and an empty filter: all of them).
  bool GetHostInfoList(unsigned long long parentId, int depth, const std::string& filter,
                       std::vector<VMInfoStructs::SHostInfo>& out);

 private:
  int mode_;
  std::string lastError_;
};

}  // namespace OracleCloudSDKCppBridge
