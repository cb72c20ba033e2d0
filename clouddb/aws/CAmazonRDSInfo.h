#pragma once
// CAmazonRDSInfo: the relational provider for Amazon RDS instances and Aurora / Multi-AZ
// clusters, over the AWS client bridge.
//
// Contract:
//  - One object serves one request: construct, fetch credentials (FetchCredentials, then
//    FetchClientCredentials, or MakeConnection for both and the connect), Connect, list, destroy.
//    Every Connect re-runs Init, so the bridge always knows the job the calls belong to.
//  - Integer and bool operations answer 1/true on success and log their failures; CLmError
//    operations answer the errno kind with code 774 for credential, connection and lookup
//    failures and the Win32 kind with code 1359 for unsupported engine types and failed bridge
//    refreshes, each at its own location (a called operation's error comes back with ours pushed).
//  - A failed connect or plain instance listing leaves the bridge's failure text in lastError(),
//    which the inventory discovery hands on (and searches for the cloud's rate-limit text).
//  - Listings append to the caller's vector. Engine-type listings serve 1, 3, 5 (instances) and
//    2, 4 (clusters); MariaDB instances come back named "mariadb/<name>" and clusters listed by
//    engine "aurora/<name>". listInstancesInternal reports each Aurora cluster once, under its
//    cluster identifier, then the other clusters.
#include <memory>
#include <string>
#include <vector>

#include "bridges/AmazonSDKCppBridge.h"
#include "bridges/RDSInfoStructs.h"
#include "bridges/VMInfoStructs.h"
#include "clouddb/aws/RdsListedRecord.h"
#include "clouddb/core/RDSInfo.h"
#include "platform/CLmError.h"
#include "platform/config/SHostCredentials.h"
#include "platform/messages/App.h"

class CAmazonRDSInfo : public CRDSInfo {
 public:
  CAmazonRDSInfo();
  ~CAmazonRDSInfo() override;

  static CAmazonRDSInfo* CreateObject();
  // The counterpart of CreateObject: destroys the object (null is ignored).
  static void DeleteObject(CAmazonRDSInfo* object);

  // --- Slots of the provider table (CRDSInfo). ---
  int FetchCredentials() override;
  int Connect() override;
  int GetDBInstanceInfoList(ULONGLONG first, int count, std::vector<RDSInfoStructs::SDBInstanceInfo>& out) override;
  // The two qualifiers are the tag key and value that the instances must carry (empty key: any).
  int GetDBInstanceInfoList(ULONGLONG first, int count, std::vector<RDSInfoStructs::SDBInstanceInfo>& out,
                            std::string tagKey, std::string tagValue) override;
  int FetchClientCredentials(unsigned long clientId) override;
  int GetRegionList(std::vector<VMInfoStructs::SDataCenterInfo>& out, int first, int count) override;
  CLmError GetDBInstanceInfoList(App::CloudDBEngineType engineType, std::vector<App::RDSDBInstance>& out,
                                 const std::string& tagKey, const std::string& tagValue) override;
  CLmError GetDBInstanceInfoList(App::CloudDBEngineType engineType, std::vector<App::RDSDBInstance>& out,
                                 const std::string& tagKey, const std::string& tagValue,
                                 const std::string& region) override;
  CLmError GetDBClusterInfoList(App::CloudDBEngineType engineType, std::vector<App::RDSDBInstance>& out,
                                const std::string& tagKey, const std::string& tagValue) override;

  // --- The provider's own operations, continuing the table. ---
  virtual bool Init();
  virtual bool DeInit();
  virtual bool Connect(const std::string& url, const std::string& user, const std::string& password);
  virtual bool Connect(const std::string& url, const std::string& user, const std::string& password,
                       const std::vector<SHostCredentials>& proxies);
  virtual bool Disconnect();
  // Credentials of the subclient's instance and the provider's client, then the connect.
  virtual CLmError MakeConnection(const unsigned long& appId);
  virtual CLmError GetDBClusterInfoList(const RDSInfoStructs::SDBInstanceFilter& filter,
                                        std::vector<App::RDSDBInstance>& out, const std::string& tagKey,
                                        const std::string& tagValue, const std::string& region);

  // The instance listing of one region (empty: every region of the connection) and tag.
  bool GetDBInstanceInfoList(ULONGLONG first, int count, std::vector<RDSInfoStructs::SDBInstanceInfo>& out,
                             std::string tagKey, std::string tagValue, std::string region);
  // The bridge's last failure text.
  std::string GetLastErrorString() const;

  // One lookup of the instances and clusters of one region (empty: every region the connection
  // allows) carrying one tag (empty key: no tag filter), appended to out: each Aurora cluster
  // once under its cluster identifier (with its first member's other fields), every other
  // instance, then the other clusters. A failed cluster step keeps the instance records in out.
  CLmError listInstancesInternal(const std::string& region, const std::string& tagKey, const std::string& tagValue,
                                 std::vector<App::RDSDBInstance>& out);
  // The same lookup, its records as the bridge gave them (for the content rules, which convert
  // only what they keep): kept in listing, and viewed from out.
  CLmError listInstanceRecords(const std::string& region, const std::string& tagKey, const std::string& tagValue,
                               clouddb::aws::RdsListing& listing, std::vector<clouddb::aws::RdsListedRecord>& out);

  // --- Content expansion, preview and snapshots; defined with the content-rule and snapshot
  // code of this folder. ---
  CLmError ExpandRdsContent(bool preview, std::vector<std::string>& regions, const std::string& contentXml,
                            std::vector<App::RDSDBInstance>& out, unsigned long instanceId, bool verify);
  // The same expansion, its records as the bridge listed them (what a preview shows needs no
  // host message), kept in store.
  CLmError ExpandRdsContentAsListed(bool preview, std::vector<std::string>& regions, const std::string& contentXml,
                                    clouddb::aws::RdsListingStore& store,
                                    std::vector<clouddb::aws::RdsListedRecord>& out, unsigned long instanceId,
                                    bool verify);
  CLmError PreviewRdsContent(const unsigned long& instanceId, std::vector<std::string>& regions,
                             const std::string& contentXml, App::CloudDBEntity& entity);
  CLmError PreviewRdsContent(std::vector<std::string>& regions, const std::string& contentXml,
                             App::CloudDBEntity& entity, unsigned long clientId);
  CLmError ExpandRdsSubclientContentInternal(const unsigned long& appId, std::vector<std::string>& regions,
                                             std::vector<App::RDSDBInstance>& out, bool verify);
  CLmError ExpandRdsSubclientContent(const unsigned long& appId, std::vector<std::string>& regions,
                                     std::vector<App::RDSDBInstance>& out, bool verify);
  CLmError DescribeDBInstanceSnapshot(const unsigned long& appId, const std::string& first, const std::string& second,
                                      std::vector<RDSInfoStructs::SDBSnapshotInfo>& out);
  CLmError DescribeDBClusterSnapshot(const unsigned long& appId, const std::string& first, const std::string& second,
                                     std::vector<RDSInfoStructs::SRDSClusterSnapshotInfo>& out);
  CLmError DeleteDBInstanceSnapshot(const unsigned long& appId, const std::string& first, const std::string& second);
  CLmError DeleteDBClusterSnapshot(const unsigned long& appId, const std::string& first, const std::string& second);

 private:
  // Appends the records of one Aurora-aware walk over the instance records.
  void collapseClusterMembers(std::vector<RDSInfoStructs::SDBInstanceInfo>& records,
                              std::vector<clouddb::aws::RdsListedRecord>& out) const;
  // The cluster listing of one filter, region and tag, as the bridge gave it.
  CLmError listClusterRecords(const RDSInfoStructs::SDBInstanceFilter& filter, const std::string& tagKey,
                              const std::string& tagValue, const std::string& region,
                              std::vector<RDSInfoStructs::SRDSClusterInfo>& records);
  template <typename Output>
  CLmError expandRdsContent(bool preview, std::vector<std::string>& regions, const std::string& contentXml,
                            clouddb::aws::RdsListingStore& store, std::vector<Output>& out, unsigned long instanceId,
                            bool verify, const CLmLocation& where);
  // The proxy entry a connect routes through, or null.
  static const SHostCredentials* usableProxy(const std::vector<SHostCredentials>& proxies);

  std::string m_url;
  std::string m_user;
  std::string m_password;
  std::unique_ptr<AmazonSDKCppBridge::CAmazonSDKCppBridge> m_bridge;
};
