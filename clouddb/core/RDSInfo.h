#pragma once
// CRDSInfo: the interface every relational-database provider implements (Amazon, Alibaba,
// Google Cloud SQL, Azure), and the connection data they all share.
//
// Contract:
//  - One provider serves one request: it is made, given its ids, fetches its credentials and
//    proxy entry, connects, lists, and is destroyed through the virtual destructor.
//  - The order of the virtual operations below is the provider table the factory drives; do not
//    reorder them. Operations a provider does not support answer -1 (integer forms) or the
//    unsupported-operation failure (Win32 kind, code 1359, "API not implemented"); nothing
//    here throws.
//  - The provider's own operations do not write the last-error text; a provider records there
//    the text that the inventory discovery hands on after a failed connect or listing.
//  - The static ConvertObject helpers append one App::RDSDBInstance per bridge record, copying
//    the record's members into the message fields in declaration order; the output list is
//    never cleared first.
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "bridges/RDSInfoStructs.h"
#include "bridges/VMInfoStructs.h"
#include "platform/CLmError.h"
#include "platform/EvEvent.h"
#include "platform/config/SHostCredentials.h"
#include "platform/messages/App.h"
#include "platform/messages/CloudDBEngineType.h"

using ULONGLONG = unsigned long long;

class CRDSInfo {
 public:
  CRDSInfo();
  CRDSInfo(const CRDSInfo&) = delete;
  CRDSInfo& operator=(const CRDSInfo&) = delete;

  // --- The provider table, in slot order. ---

  // Slot 1: reads the cloud credentials of the instance (or virtual server); 1 on success.
  virtual int FetchCredentials() = 0;
  // Slot 2: connects with the fetched credentials and proxy entry; 1 = connected.
  virtual int Connect() = 0;
  // Slots 3 and 4: the bridge's instance records, appended to out; 1 on success. The two texts
  // of slot 4 are qualifiers whose meaning is the provider's (a tag key and value for Amazon).
  virtual int GetDBInstanceInfoList(ULONGLONG first, int count, std::vector<RDSInfoStructs::SDBInstanceInfo>& out) = 0;
  virtual int GetDBInstanceInfoList(ULONGLONG first, int count, std::vector<RDSInfoStructs::SDBInstanceInfo>& out,
                                    std::string firstQualifier, std::string secondQualifier) = 0;
  // Slot 5: fills the proxy list from the host's global parameters; always 1.
  virtual int GetHTTPProxySettings();
  // Slot 6: credentials from a client's properties; -1 unless a provider supports it.
  virtual int FetchClientCredentials(unsigned long clientId);
  // Slot 7: the regions of the account; -1 unless a provider supports it.
  virtual int GetRegionList(std::vector<VMInfoStructs::SDataCenterInfo>& out, int first, int count);
  // Slot 8: a user's wildcard pattern as an anchored regular expression: "*" matches any run of
  // characters, "." and "+" are literal, every other character keeps its own meaning.
  virtual std::string prepareForRegex(const std::string& pattern);
  // Slots 9 to 11: listings of one engine type as host records, appended to out.
  virtual CLmError GetDBInstanceInfoList(App::CloudDBEngineType engineType, std::vector<App::RDSDBInstance>& out,
                                         const std::string& firstQualifier, const std::string& secondQualifier);
  virtual CLmError GetDBInstanceInfoList(App::CloudDBEngineType engineType, std::vector<App::RDSDBInstance>& out,
                                         const std::string& firstQualifier, const std::string& secondQualifier,
                                         const std::string& thirdQualifier);
  virtual CLmError GetDBClusterInfoList(App::CloudDBEngineType engineType, std::vector<App::RDSDBInstance>& out,
                                        const std::string& firstQualifier, const std::string& secondQualifier);
  // Slot 12.
  virtual ~CRDSInfo();

  // --- Record conversion. ---
  static void ConvertObject(const std::vector<RDSInfoStructs::SDBInstanceInfo>& records,
                            std::vector<App::RDSDBInstance>& out);
  static void ConvertObject(const std::vector<RDSInfoStructs::SRDSClusterInfo>& records,
                            std::vector<App::RDSDBInstance>& out);
  // The records of a typed instance listing, converted and appended to out. MariaDB shares its
  // wire protocol with MySQL, so its names carry kMariaDbPrefix to tell the two apart downstream.
  static void ConvertTypedListing(int engineType, std::vector<RDSInfoStructs::SDBInstanceInfo>& records,
                                  std::vector<App::RDSDBInstance>& out);
  static constexpr char kMariaDbPrefix[] = "mariadb/";
  // One message from one record, with the mapping of ConvertObject.
  static App::RDSDBInstance convertRecord(const RDSInfoStructs::SDBInstanceInfo& record);
  static App::RDSDBInstance convertRecord(const RDSInfoStructs::SRDSClusterInfo& record);

  // --- Ids and state the factory, the discovery and the entry points set and read. ---
  std::uint64_t instanceId() const { return m_instanceId; }
  void setInstanceId(std::uint64_t instanceId) { m_instanceId = instanceId; }
  int virtualServerInstanceId() const { return m_virtualServerInstanceId; }
  void setVirtualServerInstanceId(int instanceId) { m_virtualServerInstanceId = instanceId; }
  std::uint64_t clientId() const { return m_clientId; }
  void setClientId(std::uint64_t clientId) { m_clientId = clientId; }
  const std::string& regionEndpoint() const { return m_regionEndpoint; }
  void setRegionEndpoint(std::string regionEndpoint) { m_regionEndpoint = std::move(regionEndpoint); }
  // Keys given directly (a preview request's credentials): the access key or user, and the secret
  // as stored; FetchClientCredentials decrypts it.
  void setKeys(std::string accessKey, std::string encryptedSecret) {
    m_accessKey = std::move(accessKey);
    m_secret = std::move(encryptedSecret);
  }
  const std::vector<SHostCredentials>& proxyCredentials() const { return m_proxyCredentials; }
  // The text the inventory discovery hands on after a failed connect or listing.
  const std::string& lastError() const { return m_lastError; }
  // Whether an engine name denotes a cluster ("aurora", "aurora-mysql", "aurora-postgresql").
  bool isClusterEngine(const std::string& engine) const { return m_clusterEngines.contains(engine); }
  const std::unordered_set<std::string>& clusterEngines() const { return m_clusterEngines; }

 protected:
  // The unsupported-operation failure of a listing slot, located at its full signature.
  static CLmError apiNotImplemented(const char* signature, int line);

  std::uint64_t m_instanceId = 0;
  int m_virtualServerInstanceId = 0;
  std::uint64_t m_clientId = 0;
  std::string m_regionEndpoint;
  std::string m_accessKey;
  std::string m_secret;           // as stored (encrypted)
  std::string m_decryptedSecret;  // after the host's password decryption
  std::vector<SHostCredentials> m_proxyCredentials;
  std::string m_lastError;
  EvEvent m_log;
  std::unordered_set<std::string> m_clusterEngines;
};
