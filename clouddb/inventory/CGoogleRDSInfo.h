#pragma once
// CGoogleRDSInfo: the relational provider for Google Cloud SQL, over the Google client bridge.
// The factory makes it for virtual servers of instance type 1301.
//
// Contract:
//  - One object serves one request: FetchCredentials, Connect, one listing, destruction.
//  - The virtual server's user setting names a ".p12" key file (whose password is the server's
//    password) or holds a wrapped key, which FetchCredentials unwraps into the key material. A
//    wrapped key that does not unwrap, or a password that does not decrypt, ends the fetch with 0
//    and an error line: garbage never reaches the cloud client.
//  - Integer operations answer 1 on success and 0 on failure; the typed listing serves engine
//    types 1 (PostgreSQL) and 3 (MySQL) and answers the Win32 kind with code 1359 otherwise and
//    for a failed bridge call.
//  - A failed connect or plain listing leaves the bridge's failure text in lastError().
//  - No proxy is handed to the bridge: the Google client takes none.
#include <memory>
#include <string>
#include <vector>

#include "bridges/GoogleCloudSDKCppBridge.h"
#include "clouddb/core/RDSInfo.h"

class CGoogleRDSInfo : public CRDSInfo {
 public:
  CGoogleRDSInfo();
  ~CGoogleRDSInfo() override;

  static CGoogleRDSInfo* CreateObject();
  // The counterpart of CreateObject: destroys the object (null is ignored).
  static void DeleteObject(CGoogleRDSInfo* object);

  // --- Slots of the provider table (CRDSInfo). ---
  using CRDSInfo::GetDBInstanceInfoList;  // the overloads this provider keeps from the base
  int FetchCredentials() override;
  int Connect() override;
  int GetDBInstanceInfoList(ULONGLONG first, int count, std::vector<RDSInfoStructs::SDBInstanceInfo>& out) override;
  // The two qualifiers have no meaning for Cloud SQL and are ignored.
  int GetDBInstanceInfoList(ULONGLONG first, int count, std::vector<RDSInfoStructs::SDBInstanceInfo>& out,
                            std::string firstQualifier, std::string secondQualifier) override;
  CLmError GetDBInstanceInfoList(App::CloudDBEngineType engineType, std::vector<App::RDSDBInstance>& out,
                                 const std::string& firstQualifier, const std::string& secondQualifier) override;

  // --- The provider's own operations, continuing the table. ---
  virtual int Init();
  virtual int DeInit();
  // keyFile: a ".p12" file name, or empty when keySecret holds the key material.
  virtual int Connect(const std::string& keyFile, const std::string& userId, const std::string& keySecret);
  virtual int Disconnect();

  // The bridge's last failure text.
  std::string GetLastErrorString() const;

 private:
  std::string m_keyFile;
  std::string m_userId;
  std::string m_keySecret;
  std::unique_ptr<GoogleCloudSDKCppBridge::CGoogleCloudSDKCppBridge> m_bridge;
};
