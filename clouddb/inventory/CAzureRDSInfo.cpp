#include "clouddb/inventory/CAzureRDSInfo.h"

#include <openssl/crypto.h>

#include "clouddb/core/CloudCredentials.h"
#include "clouddb/core/ProviderObjects.h"
#include "clouddb/inventory/ProviderSupport.h"
#include "platform/FXErrorUtil.h"
#include "platform/HostEnvironment.h"
#include "platform/config/ConfigStatus.h"
#include "platform/config/InstanceTypeVirtualServer.h"

namespace {

// The virtual-server instance type the bridge serves for relational listings.
constexpr int kBridgeInstanceType = 402;

constexpr char kResettingJobId[] = "Resetting Job Id from [%lld] to [0]";
constexpr char kFocusLine[] = "Focus name [%s],  App name [%s], Job Id [%lld], VirtualServer instance type [%d]";
constexpr char kInitializeFailed[] = "CAzureSDKCppBridge::initialize Failed";
constexpr char kSubscriptionReadFailed[] = "InstanceTypeVirtualServer::getAzureSubscriptionId Failed, error [%ld]";
constexpr char kTenantReadFailed[] = "InstanceTypeVirtualServer::getAzureTenantId Failed, error [%ld]";
constexpr char kUserReadFailed[] = "InstanceTypeVirtualServer::getVirtualServerUser Failed, error [%ld]";
constexpr char kPasswordReadFailed[] = "InstanceTypeVirtualServer::getVirtualServerPassword Failed, error [%ld]";
constexpr char kItemsMissing[] = "Failed to get one or more credential items from InstanceTypeVirtualServer";
constexpr char kFetched[] = "Fetched Subscription Id [%s], Application Id [%s], Password [***NOT SHOWN***]";
constexpr char kConnectingLine[] =
    "Connecting to Azure with Subscription Id [%s], Application Id [%s], Password [***NOT SHOWN***]";
constexpr char kConnectSucceeded[] = "CAzureSDKCppBridge::Connect Succeeded";
constexpr char kConnectFailed[] = "CAzureSDKCppBridge::Connect Failed";
constexpr char kRefreshFailed[] = "RefreshDBInstanceInfoList Failed, error [%s]";
constexpr char kGetFailed[] = "GetDBInstanceInfoList Failed, error [%s]";
constexpr char kSourceUnit[] = "AzureRDSInfo";
constexpr char kTypedListingSignature[] =
    "virtual CLmError CAzureRDSInfo::GetDBInstanceInfoList(App::CloudDBEngineType, "
    "std::vector<App::RDSDBInstance>&, const string&, const string&)";
constexpr int kRefreshFailedResult = -1;

using namespace inventoryprovider;

}  // namespace

CAzureRDSInfo::CAzureRDSInfo() {
  m_log.DebugLvl("CAzureRDSInfo", kFlowLevel, "%s", kStart);
  m_bridge = std::make_unique<AzureSDKCppBridge::CAzureSDKCppBridge>();
  m_log.DebugLvl("CAzureRDSInfo", kFlowLevel, "%s", kEnd);
}

CAzureRDSInfo::~CAzureRDSInfo() {
  m_log.DebugLvl("~CAzureRDSInfo", kFlowLevel, "%s", kStart);
  m_bridge.reset();
  OPENSSL_cleanse(m_password.data(), m_password.size());
  m_log.DebugLvl("~CAzureRDSInfo", kFlowLevel, "%s", kEnd);
}

CAzureRDSInfo* CAzureRDSInfo::CreateObject() {
  return clouddb::core::createProviderObject<CAzureRDSInfo>();
}

void CAzureRDSInfo::DeleteObject(CAzureRDSInfo* object) {
  clouddb::core::deleteProviderObject(object, true);
}

int CAzureRDSInfo::Init() {
  static constexpr char kTag[] = "Init";
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kStart);
  const std::string focus = KWPI_Focus::getFocus();
  const std::string application = m_log.getApplicationName();
  long long jobId = m_log.getJobId();
  // The bridge must not see the host's marker for "no job".
  if (jobId == HostEnvironment::kNoJobId) {
    m_log.Debug(kTag, kResettingJobId, jobId);
    jobId = 0;
  }
  m_log.Debug(kTag, kFocusLine, focus.c_str(), application.c_str(), jobId, kBridgeInstanceType);
  if (!m_bridge->Initialize(focus, application, jobId, kBridgeInstanceType)) {
    m_log.Error(kTag, "%s", kInitializeFailed);
  }
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kEnd);
  return kSuccess;
}

int CAzureRDSInfo::DeInit() {
  return kSuccess;
}

int CAzureRDSInfo::FetchCredentials() {
  static constexpr char kTag[] = "FetchCredentials";
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kStart);
  const auto serverId = static_cast<std::uint64_t>(m_virtualServerInstanceId);
  const InstanceTypeVirtualServer server(serverId);
  std::string subscriptionId;
  std::string tenantId;
  std::string user;
  std::string password;
  bool itemsRead = true;
  // Every read is tried, so that one run of the log names every missing item.
  if (const int result = server.getAzureSubscriptionId(subscriptionId); result != config::kOk) {
    m_log.Error(kTag, kSubscriptionReadFailed, static_cast<long>(result));
    itemsRead = false;
  }
  if (const int result = server.getAzureTenantId(tenantId); result != config::kOk) {
    m_log.Error(kTag, kTenantReadFailed, static_cast<long>(result));
    itemsRead = false;
  }
  if (const int result = server.getVirtualServerUser(user); result != config::kOk) {
    m_log.Error(kTag, kUserReadFailed, static_cast<long>(result));
    itemsRead = false;
  }
  bool passwordRead = true;
  if (const int result = server.getVirtualServerPassword(password, false); result != config::kOk) {
    if (cloudcredentials::secretDidNotDecrypt(result)) {
      cloudcredentials::logUndecryptableSecret(m_log, kTag, {"virtual server", serverId, "password"}, result);
    }
    m_log.Error(kTag, kPasswordReadFailed, static_cast<long>(result));
    m_log.Error(kTag, "%s", kItemsMissing);
    passwordRead = false;
  }

  int fetched = kFailure;
  if (itemsRead && passwordRead) {
    m_subscription = subscriptionId + "\\" + tenantId;
    m_applicationId = user;
    OPENSSL_cleanse(m_password.data(), m_password.size());
    m_password = password;
    m_log.Debug(kTag, kFetched, m_subscription.c_str(), m_applicationId.c_str());
    fetched = kSuccess;
  } else if (!itemsRead) {
    m_log.Error(kTag, "%s", kItemsMissing);
  }
  OPENSSL_cleanse(password.data(), password.size());
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kEnd);
  return fetched;
}

int CAzureRDSInfo::Connect() {
  return Connect(m_subscription, m_applicationId, m_password);
}

int CAzureRDSInfo::Connect(std::string subscription, std::string applicationId, std::string password) {
  static constexpr char kTag[] = "Connect";
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kStart);
  Init();
  m_log.Debug(kTag, kConnectingLine, subscription.c_str(), applicationId.c_str());
  int result = kSuccess;
  if (m_bridge->Connect(subscription, applicationId, password)) {
    m_log.Debug(kTag, "%s", kConnectSucceeded);
  } else {
    m_lastError = m_bridge->GetLastErrorString();
    m_log.Debug(kTag, "%s", kConnectFailed);
    cloudcredentials::logConnectRefusal(m_log, kTag, m_lastError, password);
    result = kFailure;
  }
  OPENSSL_cleanse(password.data(), password.size());
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kEnd);
  return result;
}

int CAzureRDSInfo::Disconnect() {
  m_log.DebugLvl("Disconnect", kFlowLevel, "%s", kStart);
  m_bridge->Disconnect();
  m_log.DebugLvl("Disconnect", kFlowLevel, "%s", kEnd);
  return kSuccess;
}

std::string CAzureRDSInfo::GetLastErrorString() const {
  return m_bridge->GetLastErrorString();
}

int CAzureRDSInfo::GetDBInstanceInfoList(ULONGLONG first, int count,
                                         std::vector<RDSInfoStructs::SDBInstanceInfo>& out) {
  return GetDBInstanceInfoList(first, count, out, std::string(), std::string());
}

int CAzureRDSInfo::GetDBInstanceInfoList(ULONGLONG first, int count, std::vector<RDSInfoStructs::SDBInstanceInfo>& out,
                                         std::string location, std::string serverName) {
  static constexpr char kTag[] = "GetDBInstanceInfoList";
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kStart);
  int result = kSuccess;
  if (m_bridge->RefreshDBInstanceInfoList(first, count, location, serverName) == kRefreshFailedResult) {
    m_lastError = m_bridge->GetLastErrorString();
    m_log.Error(kTag, kRefreshFailed, m_lastError.c_str());
    result = kFailure;
  }
  // The bridge's kept result (empty after a failed refresh) goes to the caller either way; a
  // refused hand-over of it fails the listing too.
  if (!m_bridge->GetDBInstanceInfoList(out, first, count) && result == kSuccess) {
    m_lastError = m_bridge->GetLastErrorString();
    m_log.Error(kTag, kGetFailed, m_lastError.c_str());
    result = kFailure;
  }
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kEnd);
  return result;
}

CLmError CAzureRDSInfo::GetDBInstanceInfoList(App::CloudDBEngineType engineType, std::vector<App::RDSDBInstance>& out,
                                              const std::string& location, const std::string& serverName) {
  const CLmLocation where{kSourceUnit, kTypedListingSignature, __LINE__};
  const int engine = static_cast<int>(engineType);
  if (!servesEngine(engine, kInstanceEngines)) {
    return FXErrorUtil::ErrorWin32(where, kUnsupportedCode, kEngineNotSupported, engine);
  }
  if (m_bridge->RefreshDBInstanceInfoList(0, 0, location, serverName, engineFilter(engine)) == kRefreshFailedResult) {
    return FXErrorUtil::ErrorWin32(where, kUnsupportedCode, kTypedRefreshFailed,
                                   m_bridge->GetLastErrorString().c_str());
  }
  // A refused hand-over of the kept records must not read as an account without databases.
  std::vector<RDSInfoStructs::SDBInstanceInfo> records;
  if (!m_bridge->GetDBInstanceInfoList(records, 0, 0)) {
    return FXErrorUtil::ErrorWin32(where, kUnsupportedCode, kTypedGetFailed, m_bridge->GetLastErrorString().c_str());
  }
  ConvertTypedListing(engine, records, out);
  return CLmError();
}
