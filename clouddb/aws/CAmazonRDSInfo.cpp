#include "clouddb/aws/CAmazonRDSInfo.h"

#include <set>
#include <string_view>
#include <tuple>
#include <utility>

#include "clouddb/core/AwsTexts.h"
#include "clouddb/core/CloudCredentials.h"
#include "clouddb/core/ProviderObjects.h"
#include "platform/FXErrorUtil.h"
#include "platform/HostEnvironment.h"
#include "platform/LogWriter.h"
#include "platform/config/ApplicationId.h"
#include "platform/config/CloudAppsInstance.h"
#include "platform/config/ConfigStatus.h"
#include "platform/config/InstanceTypeVirtualServer.h"

namespace {

constexpr int kFlowLevel = 2;
// The level of the host log writer line that names the proxy a connection goes through.
constexpr int kProxyLineLevel = 1;

constexpr char kFocusLine[] = "AmazonInfo Focus:[%s] App:[%s] JobId:[%lld]";
constexpr char kNoJobLine[] = "AmazonInfo Focus: Job ID is -123456 setting it to Zero before calling SetAmazonFcous";
constexpr char kFocusFailed[] = "AmazonSDKCppBridge::SetAmazonFcous Failed";
constexpr char kWebProxyEnabled[] = "Web proxy is enabled, host [%s] , user [%s]";
constexpr char kBridgeConnectFailed[] = "CAmazonSDKCppBridge::Connect failed";
constexpr char kConnectWithProxiesFailed[] = "CAmazonRDSInfo::Connect::Connect failed";
constexpr char kNoInstanceId[] = "Instance id is not set unable to fetch cloud credentials";
constexpr char kFetchedUrl[] = "End <<< url [%s]";
constexpr char kRegionRefreshFailed[] = "Failed to refresh region list list . Error [%s]";
constexpr char kInstanceRefreshFailed[] = "Failed to refresh VM Info list . Error [%s]";
constexpr char kEngineNotSupported[] = "Engine type [%d] not supported.";
constexpr char kTypedInstanceRefreshFailed[] = "Failed to refresh DB Instance Info.Error[%s]";
constexpr char kClusterRefreshFailed[] = "Failed to refresh DB Cluster Info.Error[%s]";
constexpr char kLookupFailed[] = "Failed to determine all clusters for region '%s' tagKey '%s' tagValue '%s'";
constexpr char kAuroraPrefix[] = "aurora/";

constexpr std::int64_t kUnsupportedCode = 1359;
constexpr int kRefreshFailed = -1;
constexpr int kSuccess = 1;
constexpr int kFailure = 0;

// Filters of the listings: the flag, identifiers, engine type and the Aurora scope.
RDSInfoStructs::SDBInstanceFilter plainFilter() {
  return {};
}
RDSInfoStructs::SDBInstanceFilter engineFilter(int engineType) {
  return {true, {}, engineType, RDSInfoStructs::kAnyScope};
}
// The clusters that are not collapsed from their Aurora members.
RDSInfoStructs::SDBInstanceFilter nonAuroraClusterFilter() {
  return {true, {}, RDSInfoStructs::kAnyEngine, RDSInfoStructs::kNonAuroraOnly};
}

bool servesInstances(int engineType) {
  return engineType == RDSInfoStructs::kPostgreSQL || engineType == RDSInfoStructs::kMySQL ||
         engineType == RDSInfoStructs::kMariaDB;
}
bool servesClusters(int engineType) {
  return engineType == RDSInfoStructs::kAuroraPostgreSQL || engineType == RDSInfoStructs::kAuroraMySQL;
}

long asLong(std::uint64_t id) {
  return static_cast<long>(id);
}

}  // namespace

CAmazonRDSInfo::CAmazonRDSInfo() {
  m_log.DebugLvl("CAmazonRDSInfo", kFlowLevel, "%s", kStart);
  m_bridge = std::make_unique<AmazonSDKCppBridge::CAmazonSDKCppBridge>();
}

CAmazonRDSInfo::~CAmazonRDSInfo() {
  m_bridge.reset();
}

CAmazonRDSInfo* CAmazonRDSInfo::CreateObject() {
  return clouddb::core::createProviderObject<CAmazonRDSInfo>();
}

void CAmazonRDSInfo::DeleteObject(CAmazonRDSInfo* object) {
  clouddb::core::deleteProviderObject(object, false);
}

// --- Session ---

bool CAmazonRDSInfo::Init() {
  static constexpr char kTag[] = "Init";
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kStart);
  long long jobId = m_log.getJobId();
  const std::string focus = KWPI_Focus::getFocus();
  const std::string application = m_log.getApplicationName();
  m_log.Debug(kTag, kFocusLine, focus.c_str(), application.c_str(), jobId);
  // The bridge must not see the host's marker for "no job".
  if (jobId == HostEnvironment::kNoJobId) {
    m_log.Debug(kTag, "%s", kNoJobLine);
    jobId = 0;
  }
  if (!m_bridge->initialize(focus, application, jobId)) {
    m_log.Debug(kTag, "%s", kFocusFailed);
  }
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kEnd);
  return true;
}

bool CAmazonRDSInfo::DeInit() {
  return true;
}

int CAmazonRDSInfo::Connect() {
  return Connect(m_regionEndpoint, m_accessKey, m_decryptedSecret, m_proxyCredentials) ? kSuccess : kFailure;
}

bool CAmazonRDSInfo::Connect(const std::string& url, const std::string& user, const std::string& password) {
  static constexpr char kTag[] = "Connect";
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kStart);
  Init();
  m_url = url;
  m_user = user;
  m_password = password;
  m_log.Debug(kTag, kConnecting, m_url.c_str(), m_user.c_str());
  const bool connected = m_bridge->Connect(m_url, m_user, m_password, AmazonSDKCppBridge::CLOUD_TYPE_RDS);
  if (connected) {
    m_log.Debug(kTag, "%s", kConnected);
  } else {
    m_lastError = m_bridge->GetLastErrorString();
    m_log.Debug(kTag, "%s", kBridgeConnectFailed);
    cloudcredentials::logConnectRefusal(m_log, kTag, m_lastError, m_password);
  }
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kEnd);
  return connected;
}

bool CAmazonRDSInfo::Connect(const std::string& url, const std::string& user, const std::string& password,
                             const std::vector<SHostCredentials>& proxies) {
  static constexpr char kTag[] = "Connect";
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kStart);
  Init();
  m_url = url;
  m_user = user;
  m_password = password;
  m_log.Debug(kTag, kConnecting, m_url.c_str(), m_user.c_str());
  bool proxyTaken = true;
  if (const SHostCredentials* proxy = usableProxy(proxies)) {
    g_ptrLogWriter->LogMessage(kProxyLineLevel, __PRETTY_FUNCTION__, __LINE__, kWebProxyEnabled, proxy->host.c_str(),
                               proxy->user.c_str());
    proxyTaken = m_bridge->SetWebProxy(proxy->host, proxy->user, proxy->password, 0);
    if (!proxyTaken) {
      m_lastError = m_bridge->GetLastErrorString();
      cloudcredentials::logProxyRefusal(m_log, kTag, proxy->host, m_lastError, proxy->password);
    }
  }
  const bool connected =
      proxyTaken && m_bridge->Connect(m_url, m_user, m_password, AmazonSDKCppBridge::CLOUD_TYPE_RDS);
  if (connected) {
    m_log.Debug(kTag, "%s", kConnected);
  } else {
    m_log.Debug(kTag, "%s", kConnectWithProxiesFailed);
    if (proxyTaken) {
      m_lastError = m_bridge->GetLastErrorString();
      cloudcredentials::logConnectRefusal(m_log, kTag, m_lastError, m_password);
    }
  }
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kEnd);
  return connected;
}

// The first HTTP proxy entry with a real "site:port"; the lone ":" stands for "no proxy".
const SHostCredentials* CAmazonRDSInfo::usableProxy(const std::vector<SHostCredentials>& proxies) {
  for (const SHostCredentials& entry : proxies) {
    if (entry.kind == 3 && entry.host.size() > 1) {
      return &entry;
    }
  }
  return nullptr;
}

bool CAmazonRDSInfo::Disconnect() {
  static constexpr char kTag[] = "Disconnect";
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kStart);
  m_bridge->Disconnect();
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kEnd);
  return true;
}

std::string CAmazonRDSInfo::GetLastErrorString() const {
  return m_bridge->GetLastErrorString();
}

// --- Credentials ---

int CAmazonRDSInfo::FetchCredentials() {
  static constexpr char kTag[] = "FetchCredentials";
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kStart);
  if (m_instanceId != 0) {
    const RDSInstance instance(m_instanceId);
    instance.getAccessKey(m_accessKey, nullptr);
    instance.getSecretKey(m_secret, nullptr);
    instance.getRegionEndPoints(m_regionEndpoint, nullptr);
    if (cloudcredentials::openSecret(m_log, kTag, {"instance", m_instanceId, "secretKey"}, m_secret,
                                     m_decryptedSecret) != config::kOk) {
      return kFailure;
    }
  } else if (m_virtualServerInstanceId == 0) {
    m_log.Error(kTag, "%s", kNoInstanceId);
    return kFailure;
  } else {
    // The virtual server hands its Amazon secret out in clear.
    const InstanceTypeVirtualServer server(static_cast<std::uint64_t>(m_virtualServerInstanceId));
    server.getAmazonAccessKey(m_accessKey, nullptr);
    const int secretRead = server.getAmazonSecretKey(m_secret, nullptr);
    if (cloudcredentials::secretDidNotDecrypt(secretRead)) {
      cloudcredentials::logUndecryptableSecret(
          m_log, kTag, {"virtual server", static_cast<std::uint64_t>(m_virtualServerInstanceId), "amazonSecretKey"},
          secretRead);
      return kFailure;
    }
    server.getVirtualServerHost(m_regionEndpoint, nullptr);
    m_decryptedSecret = m_secret;
  }
  GetHTTPProxySettings();
  m_log.DebugLvl(kTag, kFlowLevel, kFetchedUrl, m_regionEndpoint.c_str());
  return kSuccess;
}

int CAmazonRDSInfo::FetchClientCredentials(unsigned long clientId) {
  static constexpr char kTag[] = "FetchClientCredentials";
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kStart);
  // A client's own keys take precedence over the instance's.
  if (clientId != 0) {
    cloudcredentials::readClientKeys(clientId, m_accessKey, m_secret);
  }
  // Without a client the secret is the instance's, or the one a request handed over.
  const cloudcredentials::SecretSetting where = cloudcredentials::clientSecretSetting(clientId, m_instanceId);
  if (cloudcredentials::openSecret(m_log, kTag, where, m_secret, m_decryptedSecret) != config::kOk) {
    return kFailure;
  }
  GetHTTPProxySettings();
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kEnd);
  return kSuccess;
}

CLmError CAmazonRDSInfo::MakeConnection(const unsigned long& appId) {
  const ApplicationId application(ApplicationId::kSubclient, appId);
  const Instance* owner = application.getInstance();
  if (owner == nullptr) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, kAwsLookupErrorCode, kInstanceNotFoundForAppId, asLong(appId));
  }
  const std::uint64_t instanceId = owner->getInstanceId();
  if (instanceId != 0) {
    m_instanceId = instanceId;
    if (FetchCredentials() != kSuccess) {
      return FXErrorUtil::ErrorErrNo(CLM_HERE, kAwsLookupErrorCode, kFetchCredentialsFailedForInstance,
                                     asLong(instanceId));
    }
  }
  if (FetchClientCredentials(static_cast<unsigned long>(m_clientId)) != kSuccess) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, kAwsLookupErrorCode, kFetchCredentialsFailedForClient, asLong(m_clientId));
  }
  if (Connect() != kSuccess) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, kAwsLookupErrorCode, kAwsConnectFailedForInstance, asLong(instanceId));
  }
  return CLmError();
}

// --- Regions and plain instance listings ---

int CAmazonRDSInfo::GetRegionList(std::vector<VMInfoStructs::SDataCenterInfo>& out, int first, int count) {
  const auto from = static_cast<ULONGLONG>(first);
  // A refresh that kept regions whose hand-over then fails is a failure like the refresh's own.
  if (m_bridge->RefreshDCInfoList(from, count) > 0 && m_bridge->GetDCInfoList(out, from, count)) {
    return kSuccess;
  }
  m_log.Error("GetRegionList", kRegionRefreshFailed, m_bridge->GetLastErrorString().c_str());
  return kFailure;
}

int CAmazonRDSInfo::GetDBInstanceInfoList(ULONGLONG first, int count,
                                          std::vector<RDSInfoStructs::SDBInstanceInfo>& out) {
  return GetDBInstanceInfoList(first, count, out, std::string(), std::string());
}

int CAmazonRDSInfo::GetDBInstanceInfoList(ULONGLONG first, int count, std::vector<RDSInfoStructs::SDBInstanceInfo>& out,
                                          std::string tagKey, std::string tagValue) {
  return GetDBInstanceInfoList(first, count, out, std::move(tagKey), std::move(tagValue), std::string()) ? kSuccess
                                                                                                         : kFailure;
}

bool CAmazonRDSInfo::GetDBInstanceInfoList(ULONGLONG first, int count,
                                           std::vector<RDSInfoStructs::SDBInstanceInfo>& out, std::string tagKey,
                                           std::string tagValue, std::string region) {
  // The records' hand-over can fail after a good refresh; either way the listing is incomplete.
  if (m_bridge->RefreshDBInstanceInfoList(first, count, tagKey, tagValue, region, plainFilter()) == kRefreshFailed ||
      !m_bridge->GetDBInstanceInfoList(out, first, count)) {
    m_lastError = m_bridge->GetLastErrorString();
    m_log.Error("GetDBInstanceInfoList", kInstanceRefreshFailed, m_lastError.c_str());
    return false;
  }
  return true;
}

// --- Listings by engine type ---

CLmError CAmazonRDSInfo::GetDBInstanceInfoList(App::CloudDBEngineType engineType, std::vector<App::RDSDBInstance>& out,
                                               const std::string& tagKey, const std::string& tagValue) {
  return GetDBInstanceInfoList(engineType, out, tagKey, tagValue, std::string());
}

CLmError CAmazonRDSInfo::GetDBInstanceInfoList(App::CloudDBEngineType engineType, std::vector<App::RDSDBInstance>& out,
                                               const std::string& tagKey, const std::string& tagValue,
                                               const std::string& region) {
  const int engine = static_cast<int>(engineType);
  if (!servesInstances(engine)) {
    return FXErrorUtil::ErrorWin32(CLM_HERE, kUnsupportedCode, kEngineNotSupported, engine);
  }
  std::vector<RDSInfoStructs::SDBInstanceInfo> records;
  if (m_bridge->RefreshDBInstanceInfoList(0, 0, tagKey, tagValue, region, engineFilter(engine)) == kRefreshFailed ||
      !m_bridge->GetDBInstanceInfoList(records, 0, 0)) {
    return FXErrorUtil::ErrorWin32(CLM_HERE, kUnsupportedCode, kTypedInstanceRefreshFailed,
                                   m_bridge->GetLastErrorString().c_str());
  }
  ConvertTypedListing(engine, records, out);
  return CLmError();
}

CLmError CAmazonRDSInfo::GetDBClusterInfoList(const RDSInfoStructs::SDBInstanceFilter& filter,
                                              std::vector<App::RDSDBInstance>& out, const std::string& tagKey,
                                              const std::string& tagValue, const std::string& region) {
  std::vector<RDSInfoStructs::SRDSClusterInfo> records;
  CLmError error = listClusterRecords(filter, tagKey, tagValue, region, records);
  if (error.IsFailure()) {
    return error;
  }
  ConvertObject(records, out);
  return CLmError();
}

CLmError CAmazonRDSInfo::listClusterRecords(const RDSInfoStructs::SDBInstanceFilter& filter, const std::string& tagKey,
                                            const std::string& tagValue, const std::string& region,
                                            std::vector<RDSInfoStructs::SRDSClusterInfo>& records) {
  if (m_bridge->RefreshRDSClusterInfoList(0, 0, tagKey, tagValue, filter, region) == kRefreshFailed ||
      !m_bridge->GetRDSClusterInfoList(records, 0, 0)) {
    return FXErrorUtil::ErrorWin32(CLM_HERE, kUnsupportedCode, kClusterRefreshFailed,
                                   m_bridge->GetLastErrorString().c_str());
  }
  return CLmError();
}

CLmError CAmazonRDSInfo::GetDBClusterInfoList(App::CloudDBEngineType engineType, std::vector<App::RDSDBInstance>& out,
                                              const std::string& tagKey, const std::string& tagValue) {
  const int engine = static_cast<int>(engineType);
  if (!servesClusters(engine)) {
    return FXErrorUtil::ErrorWin32(CLM_HERE, kUnsupportedCode, kEngineNotSupported, engine);
  }
  const std::size_t listedBefore = out.size();
  CLmError error = GetDBClusterInfoList(engineFilter(engine), out, tagKey, tagValue, std::string());
  if (error.IsFailure()) {
    return error.Push(CLM_HERE);
  }
  // Only the clusters listed here are renamed; what the caller already held stays as it was.
  for (std::size_t i = listedBefore; i < out.size(); ++i) {
    out[i].setName(kAuroraPrefix + out[i].name());
  }
  return CLmError();
}

// --- The lookup behind content expansion ---

CLmError CAmazonRDSInfo::listInstancesInternal(const std::string& region, const std::string& tagKey,
                                               const std::string& tagValue, std::vector<App::RDSDBInstance>& out) {
  clouddb::aws::RdsListing listing;
  std::vector<clouddb::aws::RdsListedRecord> listed;
  CLmError result = listInstanceRecords(region, tagKey, tagValue, listing, listed);
  out.reserve(out.size() + listed.size());
  for (const clouddb::aws::RdsListedRecord& record : listed) {
    out.push_back(clouddb::aws::listedMessage(record));
  }
  return result;
}

CLmError CAmazonRDSInfo::listInstanceRecords(const std::string& region, const std::string& tagKey,
                                             const std::string& tagValue, clouddb::aws::RdsListing& listing,
                                             std::vector<clouddb::aws::RdsListedRecord>& out) {
  if (!GetDBInstanceInfoList(0, 0, listing.instances, tagKey, tagValue, region)) {
    return FXErrorUtil::ErrorErrNo(CLM_HERE, kAwsLookupErrorCode, kLookupFailed, region.c_str(), tagKey.c_str(),
                                   tagValue.c_str());
  }
  collapseClusterMembers(listing.instances, out);

  // The instance records stay in out when the cluster step fails: the caller decides.
  const CLmError clusters = listClusterRecords(nonAuroraClusterFilter(), tagKey, tagValue, region, listing.clusters);
  if (clusters.IsFailure()) {
    m_log.Debug("listInstancesInternal", "%s", clusters.AsString().c_str());
    return FXErrorUtil::ErrorErrNo(CLM_HERE, kAwsLookupErrorCode, kLookupFailed, region.c_str(), tagKey.c_str(),
                                   tagValue.c_str());
  }
  out.reserve(out.size() + listing.clusters.size());
  for (const RDSInfoStructs::SRDSClusterInfo& cluster : listing.clusters) {
    out.emplace_back(&cluster);
  }
  return CLmError();
}

// Aurora members stand for their cluster: the first member of each cluster is reported under
// the cluster identifier, the others are skipped. Cluster identifiers are unique only within a
// region, so two same-named clusters of two regions are two databases and both are reported.
void CAmazonRDSInfo::collapseClusterMembers(std::vector<RDSInfoStructs::SDBInstanceInfo>& records,
                                            std::vector<clouddb::aws::RdsListedRecord>& out) const {
  // (region, engine, cluster identifier) of the clusters already reported; the views stay valid
  // because records is not resized here.
  std::set<std::tuple<std::string_view, std::string_view, std::string_view>> reportedClusters;
  out.reserve(out.size() + records.size());
  for (RDSInfoStructs::SDBInstanceInfo& record : records) {
    if (isClusterEngine(record.engine)) {
      record.instanceIdentifier = record.clusterIdentifier;
      if (!reportedClusters.emplace(record.region, record.engine, record.clusterIdentifier).second) {
        continue;
      }
    }
    out.emplace_back(&record);
  }
}
