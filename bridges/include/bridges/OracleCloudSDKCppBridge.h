#pragma once
// COracleCloudSDKCppBridge: the Oracle Cloud client (classic platform services and OCI).
//
// A client is made for one kind of service: mode 1101 serves the classic platform services
// (ConnectToPAAS, database services, Java and MySQL instances), mode 1102 the infrastructure
// (Connect, compartments, DB systems, DB homes, databases). A call of the other kind fails and
// says so. Every operation returns true on success; on failure GetLastErrorString gives the
// cloud's text. The list operations replace the caller's list with what they found (emptied on
// failure), so a list reused across parents never keeps another parent's children.
// docs/cloud-fixture.md describes what the simulated cloud checks.
#include <memory>
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
  explicit COracleCloudSDKCppBridge(int mode);
  ~COracleCloudSDKCppBridge();
  COracleCloudSDKCppBridge(const COracleCloudSDKCppBridge&) = delete;
  COracleCloudSDKCppBridge& operator=(const COracleCloudSDKCppBridge&) = delete;

  int mode() const;

  // Infrastructure: tenancy id, "userId|fingerprint|privateKeyFile|region", key pass phrase.
  bool Connect(const std::string& tenancyId, const std::string& user, const std::string& passPhrase);
  // Classic services: end-point address (its host selects the account), user name, password.
  bool ConnectToPAAS(const std::string& endPoint, const std::string& user, const std::string& password);
  void Disconnect();
  std::string GetLastErrorString() const;

  bool GetDBInstanceInfo(const std::string& serviceName, CloudDBInfoStructs::SOracleDBInstanceInfo& out);
  bool GetComputeNodeList(const std::string& serviceName, std::vector<CloudDBInfoStructs::SOracleDBComputeNode>& out);
  bool GetDBInstanceList(std::vector<CloudDBInfoStructs::SOracleDBInstanceInfo>& out);
  // Creates the service; the record comes back as the cloud completed it (status, nodes).
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
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace OracleCloudSDKCppBridge
