#pragma once
// COracleCloudDBInfo: the library's one gateway to Oracle Cloud, for both the classic platform
// services (database services, Java and MySQL instances) and the infrastructure (OCI:
// compartments, DB systems, DB homes, databases).
//
// Contract:
//  - The object owns one Oracle client bridge, made for the mode given at construction (1101
//    classic, 1102 infrastructure), and lives for one operation of one request.
//  - Operations answer 1 on success and 0 on failure (Connect: true/false), after one log line
//    that says what failed; nothing throws for a cloud failure. Secrets never reach a log line.
//  - The thin wrappers leave their out arguments as the bridge left them.
//  - The browse-view operations and the OCI content expansion make their own provider for the
//    call, read the instance's credentials from the platform configuration and connect.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bridges/CloudDBInfoStructs.h"
#include "bridges/OracleCloudSDKCppBridge.h"
#include "bridges/VMInfoStructs.h"
#include "platform/CLmError.h"
#include "platform/EvEvent.h"

namespace VirtualServer {
// The kinds of objects a browse path or a backup-set entry names.
enum VSObjType : int {
  VS_OBJ_GROUP = 1,
  VS_OBJ_COMPARTMENT = 4,
  VS_OBJ_DB_SYSTEM = 7,
  VS_OBJ_DATABASE = 9,
  VS_OBJ_ALL = 17,
};
}  // namespace VirtualServer

class COracleCloudDBInfo {
 public:
  COracleCloudDBInfo();
  explicit COracleCloudDBInfo(int mode);
  virtual ~COracleCloudDBInfo();
  COracleCloudDBInfo(const COracleCloudDBInfo&) = delete;
  COracleCloudDBInfo& operator=(const COracleCloudDBInfo&) = delete;

  // Services 3 to 7 are infrastructure connections (tenancy, "user|fingerprint|key|region", key
  // pass phrase); every other value a classic one (end point, user, password).
  bool Connect(const std::string& endpoint, const std::string& user, const std::string& password,
               CloudDBInfoStructs::EOracleService service);
  int Disconnect();

  int GetDBInstanceInfo(const std::string& serviceName, CloudDBInfoStructs::SOracleDBInstanceInfo& out);
  int GetComputeNodeList(const std::string& serviceName, std::vector<CloudDBInfoStructs::SOracleDBComputeNode>& out);
  int GetDBInstanceList(std::vector<CloudDBInfoStructs::SOracleDBInstanceInfo>& out);
  int CreateDBInstance(CloudDBInfoStructs::SOracleDBInstanceInfo& service);
  int DeleteDBInstance(const CloudDBInfoStructs::SOracleDBInstanceInfo& service);
  int ScaleDBInstance(const CloudDBInfoStructs::SOracleDBInstanceInfo& service);
  int StartDBInstance(const CloudDBInfoStructs::SOracleDBInstanceInfo& service);
  int StopDBInstance(const CloudDBInfoStructs::SOracleDBInstanceInfo& service);
  int RestartDBInstance(const CloudDBInfoStructs::SOracleDBInstanceInfo& service);
  int GetJavaInstanceList(std::vector<CloudDBInfoStructs::SJavaInstanceInfo>& out);
  int GetMySQLInstanceList(std::vector<CloudDBInfoStructs::SMySQLInstanceInfo>& out);
  int GetCompartmentList(std::vector<VMInfoStructs::SHostInfo>& out);
  int GetDbSystemList(std::vector<CloudDBInfoStructs::SOCIDbSystemInfo>& out, const std::string& compartmentId);
  int GetDbHomeList(std::vector<CloudDBInfoStructs::SOCIDbHomeInfo>& out, const std::string& compartmentId,
                    const std::string& dbSystemId);
  int GetOCIDBInstanceList(std::vector<CloudDBInfoStructs::SOCIDatabaseInfo>& out, const std::string& compartmentId,
                           const std::string& dbHomeId);

  // Browse views. The OCI one lists every database of the tenancy (path and view unused); the
  // classic ones list the records whose view key (9: name, 1: group) equals the path's last
  // "/"-separated segment, and nothing for an empty path or view 17.
  int GetOCIDBInstanceList(const unsigned long& instanceId, std::vector<CloudDBInfoStructs::SOCIDatabaseInfo>& out,
                           const std::string& path, const VirtualServer::VSObjType& view);
  int GetOracleDBInstanceList(const unsigned long& instanceId,
                              std::vector<CloudDBInfoStructs::SOracleDBInstanceInfo>& out, const std::string& path,
                              const VirtualServer::VSObjType& view);
  int GetJavaInstanceList(const unsigned long& instanceId, std::vector<CloudDBInfoStructs::SJavaInstanceInfo>& out,
                          const std::string& path, const VirtualServer::VSObjType& view);
  int GetMySQLInstanceList(const unsigned long& instanceId, std::vector<CloudDBInfoStructs::SMySQLInstanceInfo>& out,
                           const std::string& path, const VirtualServer::VSObjType& view);

  // Resolves an OCI backup set's content into its databases, appended to out.
  CLmError ExpandOCIDatabaseSubclientContent(const unsigned long& subclientId, const unsigned long& instanceId,
                                             std::vector<CloudDBInfoStructs::DiscoverOCIDBResponse>& out);

  // Connects with the credentials of a configured instance: an infrastructure instance (service
  // 4; tenancyId receives the tenancy read for it) or a classic one (service 1).
  bool connectInfrastructure(std::uint64_t instanceId, std::string& tenancyId);
  bool connectClassic(std::uint64_t instanceId);

 private:
  // After a failure line: logs the cloud's reason for it and answers 0.
  int failedWithReason(const char* tag);
  template <class Record, class Fetch, class ViewKey>
  int browseClassic(const char* tag, const unsigned long& instanceId, std::vector<Record>& out, const std::string& path,
                    const VirtualServer::VSObjType& view, const char* fetchFailure, Fetch fetch, ViewKey viewKey);

  EvEvent log_;
  std::string url_;
  std::string userName_;
  std::string password_;
  std::unique_ptr<OracleCloudSDKCppBridge::COracleCloudSDKCppBridge> bridge_;
};
