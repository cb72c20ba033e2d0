#pragma once
// CAzureRDSInfo: the relational provider for Azure database servers, over the Azure client
// bridge. The factory makes it for virtual servers of instance types 402 and 403.
//
// Contract:
//  - One object serves one request: FetchCredentials (subscription and tenant, the application
//    id and its secret), Connect (which first names the job to the bridge), one listing,
//    destruction.
//  - FetchCredentials tries every credential read and answers 0 when any failed; each failure is
//    logged with its result code, and a secret that does not decrypt names its entry.
//  - Integer operations answer 1 on success and 0 on failure; the typed listing serves engine
//    types 1, 3 and 5 (MariaDB servers come back named "mariadb/<name>") and answers the Win32
//    kind with code 1359 otherwise and for a failed refresh.
//  - A failed connect or plain listing leaves the bridge's failure text in lastError().
//  - No proxy is handed to the bridge.
#include <memory>
#include <string>
#include <vector>

#include "bridges/AzureSDKCppBridge.h"
#include "clouddb/core/RDSInfo.h"

class CAzureRDSInfo : public CRDSInfo {
 public:
  CAzureRDSInfo();
  ~CAzureRDSInfo() override;

  static CAzureRDSInfo* CreateObject();
  // The counterpart of CreateObject: destroys the object (null is ignored).
  static void DeleteObject(CAzureRDSInfo* object);

  // --- Slots of the provider table (CRDSInfo). ---
  using CRDSInfo::GetDBInstanceInfoList;  // the overloads this provider keeps from the base
  int FetchCredentials() override;
  int Connect() override;
  int GetDBInstanceInfoList(ULONGLONG first, int count, std::vector<RDSInfoStructs::SDBInstanceInfo>& out) override;
  // The qualifiers narrow the listing to one location (region) and one server name; empty: any.
  int GetDBInstanceInfoList(ULONGLONG first, int count, std::vector<RDSInfoStructs::SDBInstanceInfo>& out,
                            std::string location, std::string serverName) override;
  CLmError GetDBInstanceInfoList(App::CloudDBEngineType engineType, std::vector<App::RDSDBInstance>& out,
                                 const std::string& location, const std::string& serverName) override;

  // --- The provider's own operations, continuing the table. ---
  virtual int Init();
  virtual int DeInit();
  // subscription: the subscription id, a backslash and the tenant id.
  virtual int Connect(std::string subscription, std::string applicationId, std::string password);
  virtual int Disconnect();

  // The bridge's last failure text.
  std::string GetLastErrorString() const;

 private:
  std::string m_subscription;
  std::string m_applicationId;
  std::string m_password;
  std::unique_ptr<AzureSDKCppBridge::CAzureSDKCppBridge> m_bridge;
};
