#pragma once
// CAliRDSInfo: the relational provider for Alibaba Cloud ApsaraDB RDS, over the Alibaba client
// bridge. The factory makes it for virtual servers of instance type 1401.
//
// Contract:
//  - One object serves one request: FetchCredentials (the virtual server's Alibaba access key,
//    its secret, which is decrypted here, and its host), Connect, one listing, destruction.
//  - Integer operations answer 1 on success and 0 on failure; the typed listing answers the
//    Win32 kind with code 1359 for an engine type it does not serve (1, 3 and 5 are served) and
//    for a failed bridge call.
//  - A failed connect or plain listing leaves the bridge's failure text in lastError(), which the
//    inventory discovery hands on (and searches for the cloud's rate-limit text).
//  - The proxy entry is read but not handed to the bridge: the Alibaba client takes none.
#include <memory>
#include <string>
#include <vector>

#include "bridges/AliCloudSDKCppBridge.h"
#include "clouddb/core/RDSInfo.h"

class CAliRDSInfo : public CRDSInfo {
 public:
  CAliRDSInfo();
  ~CAliRDSInfo() override;

  static CAliRDSInfo* CreateObject();
  // The counterpart of CreateObject: destroys the object (null is ignored).
  static void DeleteObject(CAliRDSInfo* object);

  // --- Slots of the provider table (CRDSInfo). ---
  using CRDSInfo::GetDBInstanceInfoList;  // the overloads this provider keeps from the base
  int FetchCredentials() override;
  int Connect() override;
  int GetDBInstanceInfoList(ULONGLONG first, int count, std::vector<RDSInfoStructs::SDBInstanceInfo>& out) override;
  // The two qualifiers have no meaning for Alibaba Cloud and are ignored.
  int GetDBInstanceInfoList(ULONGLONG first, int count, std::vector<RDSInfoStructs::SDBInstanceInfo>& out,
                            std::string firstQualifier, std::string secondQualifier) override;
  // The regions the account may use; answers 1 also when the bridge fails (the list stays as it was).
  int GetRegionList(std::vector<VMInfoStructs::SDataCenterInfo>& out, int first, int count) override;
  CLmError GetDBInstanceInfoList(App::CloudDBEngineType engineType, std::vector<App::RDSDBInstance>& out,
                                 const std::string& firstQualifier, const std::string& secondQualifier) override;

  // --- The provider's own operations, continuing the table. ---
  virtual int Init();
  virtual int DeInit();
  // The region end point is not needed to reach ApsaraDB RDS; the keys are.
  virtual int Connect(const std::string& regionEndpoint, const std::string& accessKey, const std::string& secret);
  virtual int Connect(const std::string& regionEndpoint, const std::string& accessKey, const std::string& secret,
                      const std::vector<SHostCredentials>& proxies);
  virtual int Disconnect();

  // The bridge's last failure text.
  std::string GetLastErrorString() const;

 private:
  std::unique_ptr<AliCloudSDKCppBridge::CAliCloudSDKCppBridge> m_bridge;
};
