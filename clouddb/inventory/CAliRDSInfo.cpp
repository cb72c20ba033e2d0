#include "clouddb/inventory/CAliRDSInfo.h"

#include "clouddb/core/CloudCredentials.h"
#include "clouddb/core/ProviderObjects.h"
#include "clouddb/inventory/ProviderSupport.h"
#include "platform/FXErrorUtil.h"
#include "platform/LogWriter.h"
#include "platform/config/ConfigStatus.h"
#include "platform/config/InstanceTypeVirtualServer.h"

namespace {

constexpr char kDecryptFailed[] = "Failed to decrypt secret key. Error: [%s]";
constexpr char kConnectFailed[] = "Connect failed.";
constexpr char kRefreshFailed[] = "Failed to refresh DB Info list . Error [%s]";
constexpr char kRegionListFailed[] = "Failed to get region list . Error [%s]";
// The host log writer line above is written only when the writer is this verbose.
constexpr int kDecryptLineMinimumThreshold = -1;
constexpr char kSourceUnit[] = "AliRDSInfo";
constexpr char kTypedListingSignature[] =
    "virtual CLmError CAliRDSInfo::GetDBInstanceInfoList(App::CloudDBEngineType, "
    "std::vector<App::RDSDBInstance>&, const string&, const string&)";

using namespace inventoryprovider;

}  // namespace

CAliRDSInfo::CAliRDSInfo() {
  m_log.DebugLvl("CAliRDSInfo", kFlowLevel, "%s", kStart);
  m_bridge = std::make_unique<AliCloudSDKCppBridge::CAliCloudSDKCppBridge>();
}

CAliRDSInfo::~CAliRDSInfo() {
  m_bridge.reset();
}

CAliRDSInfo* CAliRDSInfo::CreateObject() {
  return clouddb::core::createProviderObject<CAliRDSInfo>();
}

void CAliRDSInfo::DeleteObject(CAliRDSInfo* object) {
  clouddb::core::deleteProviderObject(object, false);
}

int CAliRDSInfo::Init() {
  m_log.DebugLvl("Init", kFlowLevel, "%s", kStart);
  m_log.DebugLvl("Init", kFlowLevel, "%s", kEnd);
  return kSuccess;
}

int CAliRDSInfo::DeInit() {
  return kSuccess;
}

int CAliRDSInfo::FetchCredentials() {
  static constexpr char kTag[] = "FetchCredentials";
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kStart);
  const auto serverId = static_cast<std::uint64_t>(m_virtualServerInstanceId);
  const InstanceTypeVirtualServer server(serverId);
  server.getAlibabaAccessKey(m_accessKey);
  server.getAlibabaSecretKey(m_secret);
  server.getVirtualServerHost(m_regionEndpoint);
  const int decrypted = cloudcredentials::openSecret(m_log, kTag, {"virtual server", serverId, "alibabaSecretKey"},
                                                     m_secret, m_decryptedSecret);
  if (decrypted != config::kOk) {
    if (LogWriter* writer = g_ptrLogWriter; writer != nullptr && writer->threshold() >= kDecryptLineMinimumThreshold) {
      writer->LogMessage(0, __PRETTY_FUNCTION__, __LINE__, kDecryptFailed,
                         Instance::getErrorMessage(decrypted).c_str());
    }
    return kFailure;
  }
  readInstanceProxies(serverId, m_proxyCredentials);
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kEnd);
  return kSuccess;
}

int CAliRDSInfo::Connect() {
  return Connect(m_regionEndpoint, m_accessKey, m_decryptedSecret, m_proxyCredentials);
}

int CAliRDSInfo::Connect(const std::string& regionEndpoint, const std::string& accessKey, const std::string& secret,
                         const std::vector<SHostCredentials>& /*proxies*/) {
  return Connect(regionEndpoint, accessKey, secret);
}

int CAliRDSInfo::Connect(const std::string& /*regionEndpoint*/, const std::string& accessKey,
                         const std::string& secret) {
  static constexpr char kTag[] = "Connect";
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kStart);
  int result = kSuccess;
  if (!m_bridge->ConnectRDS(accessKey, secret)) {
    m_lastError = m_bridge->GetLastError();
    m_log.Error(kTag, "%s", kConnectFailed);
    cloudcredentials::logConnectRefusal(m_log, kTag, m_lastError, secret);
    result = kFailure;
  }
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kEnd);
  return result;
}

int CAliRDSInfo::Disconnect() {
  m_log.DebugLvl("Disconnect", kFlowLevel, "%s", kStart);
  m_bridge->Disconnect();
  m_log.DebugLvl("Disconnect", kFlowLevel, "%s", kEnd);
  return kSuccess;
}

std::string CAliRDSInfo::GetLastErrorString() const {
  return m_bridge->GetLastError();
}

int CAliRDSInfo::GetDBInstanceInfoList(ULONGLONG first, int count, std::vector<RDSInfoStructs::SDBInstanceInfo>& out) {
  return GetDBInstanceInfoList(first, count, out, std::string(), std::string());
}

int CAliRDSInfo::GetDBInstanceInfoList(ULONGLONG first, int count, std::vector<RDSInfoStructs::SDBInstanceInfo>& out,
                                       std::string /*firstQualifier*/, std::string /*secondQualifier*/) {
  // A refused hand-over of the kept records fails the listing as a refused refresh does.
  if (!m_bridge->RefreshDBInstanceInfoList(first, count) || !m_bridge->GetDBInstanceInfoList(out, first, count)) {
    m_lastError = m_bridge->GetLastError();
    m_log.Error("GetDBInstanceInfoList", kRefreshFailed, m_lastError.c_str());
    return kFailure;
  }
  return kSuccess;
}

int CAliRDSInfo::GetRegionList(std::vector<VMInfoStructs::SDataCenterInfo>& out, int first, int count) {
  // A region list the cloud did not give must not read as an account without regions.
  if (!m_bridge->GetDCInfoList(out, static_cast<ULONGLONG>(first), count)) {
    m_log.Error("GetRegionList", kRegionListFailed, m_bridge->GetLastError().c_str());
    return kFailure;
  }
  return kSuccess;
}

CLmError CAliRDSInfo::GetDBInstanceInfoList(App::CloudDBEngineType engineType, std::vector<App::RDSDBInstance>& out,
                                            const std::string& /*firstQualifier*/,
                                            const std::string& /*secondQualifier*/) {
  const CLmLocation where{kSourceUnit, kTypedListingSignature, __LINE__};
  const int engine = static_cast<int>(engineType);
  if (!servesEngine(engine, kInstanceEngines)) {
    return FXErrorUtil::ErrorWin32(where, kUnsupportedCode, kEngineNotSupported, engine);
  }
  if (!m_bridge->RefreshDBInstanceInfoList(0, 0, engineFilter(engine))) {
    return FXErrorUtil::ErrorWin32(where, kUnsupportedCode, kTypedRefreshFailed, m_bridge->GetLastError().c_str());
  }
  std::vector<RDSInfoStructs::SDBInstanceInfo> records;
  if (!m_bridge->GetDBInstanceInfoList(records, 0, 0)) {
    return FXErrorUtil::ErrorWin32(where, kUnsupportedCode, kTypedGetFailed, m_bridge->GetLastError().c_str());
  }
  ConvertObject(records, out);
  return CLmError();
}
