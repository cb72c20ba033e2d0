#pragma once
// AmazonServiceBase: what the AWS non-relational providers (DynamoDB, DocumentDB, Redshift) share:
// one AWS client bridge, the credentials and proxy entries read for one backup instance or
// client, the connect, region-list and job-focus logic, and the refresh-then-get pattern of the
// bridge's listings.
//
// Contract:
//  - One object serves one request: made, credentials fetched (FetchCredentials for an instance,
//    FetchClientCredentials for a client, or MakeConnection for a backup set), connected, used,
//    destroyed. The bridge is made by every constructor and destroyed first by the destructor.
//  - The order of the virtual operations below is the provider table; do not reorder them. The
//    providers add their own operations and override none of these.
//  - Integer results: 1 = success, 0 = failure. GetHTTPProxySettings always answers 1, and so do
//    FetchCredentials and FetchClientCredentials unless a configured secret does not decrypt: a
//    credential that could not be read surfaces later as a failed connect.
//  - Nothing here throws; the secret in clear text never reaches a log line.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bridges/AmazonSDKCppBridge.h"
#include "bridges/VMInfoStructs.h"
#include "clouddb/core/AwsTexts.h"
#include "clouddb/core/CloudCredentials.h"
#include "platform/CLmError.h"
#include "platform/EvEvent.h"
#include "platform/FXErrorUtil.h"
#include "platform/config/SHostCredentials.h"

// The lookup failure of the cluster providers (region, tag key, tag value).
inline constexpr char kFailedToDetermineAllClusters[] =
    "Failed to determine all clusters for region '%s' tagKey '%s' tagValue '%s'";

class AmazonServiceBase {
 public:
  // A client for the RDS cloud type (1).
  AmazonServiceBase();
  explicit AmazonServiceBase(AmazonSDKCppBridge::CloudInfoCloudType cloudType);
  AmazonServiceBase(const AmazonServiceBase&) = delete;
  AmazonServiceBase& operator=(const AmazonServiceBase&) = delete;

  // --- The provider table, in slot order. ---
  virtual ~AmazonServiceBase();
  // Names the host's focus, application and job to the bridge; always 1.
  virtual int Init();
  virtual int DeInit();
  // Connects with the fetched region end points, access key, decrypted secret and proxy list.
  virtual int Connect();
  virtual int Connect(const std::string& url, const std::string& user, const std::string& password);
  // As above, through the first HTTP proxy entry (kind 3) whose host is not the lone ":".
  virtual int Connect(const std::string& url, const std::string& user, const std::string& password,
                      const std::vector<SHostCredentials>& proxies);
  virtual int Disconnect();
  // Keys, region end points and host credential records of a backup instance.
  virtual int FetchCredentials(unsigned long instanceId);
  // Keys of a client (when clientId is not 0); then decrypts the secret and looks up the proxy.
  virtual int FetchClientCredentials(unsigned long clientId);
  virtual std::string GetLastErrorString() const;
  // A user's wildcard pattern as an anchored regular expression, as the relational providers
  // make it.
  virtual std::string prepareForRegex(const std::string& pattern) const;
  // The regions of the connection, appended to out; 1 on success, 0 on failure.
  virtual int GetRegionList(std::vector<VMInfoStructs::SDataCenterInfo>& out, int first, int count);
  // The proxy entry: the platform's answer for the local client, else the global parameters.
  virtual int GetHTTPProxySettings();

  // --- Ids and credentials the browse handler, previews and expansions set and read. ---
  std::uint64_t instanceId() const { return m_instanceId; }
  // The client whose keys FetchClientCredentials reads during an expansion (0 = none).
  std::uint64_t clientId() const { return m_clientId; }
  void setClientId(std::uint64_t clientId) { m_clientId = clientId; }
  const std::string& regionEndpoint() const { return m_regionEndpoint; }
  void setRegionEndpoint(std::string regionEndpoint) { m_regionEndpoint = std::move(regionEndpoint); }
  const std::string& accessKey() const { return m_accessKey; }
  void setAccessKey(std::string accessKey) { m_accessKey = std::move(accessKey); }
  // The secret as stored (encrypted); FetchClientCredentials decrypts it.
  void setSecretKey(std::string encryptedSecret) { m_secretKey = std::move(encryptedSecret); }
  const std::vector<SHostCredentials>& proxyCredentials() const { return m_proxyCredentials; }
  AmazonSDKCppBridge::CloudInfoCloudType cloudType() const { return m_cloudType; }

 protected:
  // Finds the backup set's instance, fetches its and the client's credentials and connects: the
  // common first step of the cluster providers' snapshot operations. Errors are of the errno
  // kind with code 774.
  CLmError MakeConnection(const unsigned long& appId);

  // True when a listing refresh succeeded and fetch (the hand-over of what it kept) did too;
  // otherwise logs FailureFormat (one "%s" for the bridge's reason) as an error under tag. The
  // format is a template argument so that the compiler checks it against its argument.
  template <const char* FailureFormat, class Fetch>
  bool listingSucceeded(int refreshResult, const char* tag, Fetch fetch) {
    if (refreshResult != -1 && fetch()) return true;
    m_log.Error(tag, FailureFormat, m_bridge->GetLastErrorString().c_str());
    return false;
  }

  // The lookup failure of a list...Internal operation, located where it was made.
  template <const char* Format>
  static CLmError lookupFailure(const CLmLocation& where, const std::string& region, const std::string& tagKey,
                                const std::string& tagValue) {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, Format, region.c_str(), tagKey.c_str(),
                                   tagValue.c_str());
  }

  AmazonSDKCppBridge::CAmazonSDKCppBridge& bridge() { return *m_bridge; }
  EvEvent& log() { return m_log; }

  std::uint64_t m_instanceId = 0;
  std::string m_regionEndpoint;
  std::string m_accessKey;
  std::string m_secretKey;        // as stored (encrypted)
  std::string m_decryptedSecret;  // in clear text
  std::vector<SHostCredentials> m_proxyCredentials;
  AmazonSDKCppBridge::CloudInfoCloudType m_cloudType = AmazonSDKCppBridge::CLOUD_TYPE_RDS;
  EvEvent m_log;
  std::string m_url;       // given to the last Connect
  std::string m_user;      // given to the last Connect
  std::string m_password;  // given to the last Connect
  // The client whose keys an expansion or a backup-set connection reads (a preview for a client
  // sets it); 0 = none.
  std::uint64_t m_clientId = 0;
  // Last, so that it is destroyed first.
  std::unique_ptr<AmazonSDKCppBridge::CAmazonSDKCppBridge> m_bridge;

 private:
  // Both connect forms; proxies is null for the form without a proxy list.
  int connectWith(const std::string& url, const std::string& user, const std::string& password,
                  const std::vector<SHostCredentials>* proxies, const char* failureLine);
  // The clear form of the secret as stored; a secret that does not decrypt leaves it empty, is
  // logged with where it is configured, and answers false.
  bool decryptSecret(const cloudcredentials::SecretSetting& where);
  // The platform's proxy answer for the local client into the proxy list; false when the
  // platform did not answer.
  bool proxyFromPlatform();
};
