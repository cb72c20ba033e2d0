#include "clouddb/inventory/CGoogleRDSInfo.h"

#include <openssl/crypto.h>

#include <string_view>

#include "clouddb/core/CloudCredentials.h"
#include "clouddb/core/ProviderObjects.h"
#include "clouddb/core/WrappedServiceKey.h"
#include "clouddb/inventory/ProviderSupport.h"
#include "platform/FXErrorUtil.h"
#include "platform/config/InstanceTypeVirtualServer.h"

namespace {

constexpr char kFetched[] = "Fetched P12Key [%s], UserId [%s]";
constexpr char kKeyDoesNotUnwrap[] =
    "The wrapped service-account key of configuration entry [virtual server %llu] setting [user] is unusable: %s";
constexpr char kConnectingLine[] = "Connecting to P12Key [%s], UserId [%s], KeyPass [***NOT SHOWN***]";
constexpr char kConnectFailed[] = "CGoogleCloudSDKCppBridge::Connect failed";
constexpr char kListingTag[] =
    "virtual int CGoogleRDSInfo::GetDBInstanceInfoList(UINT64, int, std::vector<RDSInfoStructs::SDBInstanceInfo>&, "
    "std::string, std::string)";
constexpr char kShortListingTag[] =
    "virtual int CGoogleRDSInfo::GetDBInstanceInfoList(UINT64, int, std::vector<RDSInfoStructs::SDBInstanceInfo>&)";
constexpr char kCallingRefresh[] = "Calling CGoogleCloudSDKCppBridge::RefreshDBInstanceInfoList";
constexpr char kCallingGet[] = "Calling CGoogleCloudSDKCppBridge::GetDBInstanceInfoList";
constexpr char kReturning[] = "Returning DBInstanceInfoList";
constexpr char kCallingShort[] = "Calling CGoogleRDSInfo::GetDBInstanceInfoList";
constexpr char kRefreshFailed[] = "Failed to refresh DBInstanceInfoList, error [%s]";
constexpr char kSourceUnit[] = "GoogleRDSInfo";
constexpr char kTypedListingSignature[] =
    "virtual CLmError CGoogleRDSInfo::GetDBInstanceInfoList(App::CloudDBEngineType, "
    "std::vector<App::RDSDBInstance>&, const string&, const string&)";

using namespace inventoryprovider;

// Cloud SQL names its engines by family and version ("POSTGRES_15", "MYSQL_8_0").
std::string_view enginePrefix(int engineType) {
  switch (engineType) {
    case RDSInfoStructs::kPostgreSQL: return "postgres";
    case RDSInfoStructs::kMySQL: return "mysql";
    default: return {};
  }
}

}  // namespace

CGoogleRDSInfo::CGoogleRDSInfo() {
  m_log.DebugLvl("CGoogleRDSInfo", kFlowLevel, "%s", kStart);
  m_bridge = std::make_unique<GoogleCloudSDKCppBridge::CGoogleCloudSDKCppBridge>();
}

CGoogleRDSInfo::~CGoogleRDSInfo() {
  m_bridge.reset();
  OPENSSL_cleanse(m_keySecret.data(), m_keySecret.size());
}

CGoogleRDSInfo* CGoogleRDSInfo::CreateObject() {
  return clouddb::core::createProviderObject<CGoogleRDSInfo>();
}

void CGoogleRDSInfo::DeleteObject(CGoogleRDSInfo* object) {
  clouddb::core::deleteProviderObject(object, false);
}

int CGoogleRDSInfo::Init() {
  m_log.DebugLvl("Init", kFlowLevel, "%s", kStart);
  m_log.DebugLvl("Init", kFlowLevel, "%s", kEnd);
  return kSuccess;
}

int CGoogleRDSInfo::DeInit() {
  return kSuccess;
}

int CGoogleRDSInfo::FetchCredentials() {
  static constexpr char kTag[] = "FetchCredentials";
  EvEvent log;
  log.DebugLvl(kTag, kFlowLevel, "%s", kStart);
  const auto serverId = static_cast<std::uint64_t>(m_virtualServerInstanceId);
  const InstanceTypeVirtualServer server(serverId);
  server.getGoogleCloudServiceAccountId(m_userId);
  server.getVirtualServerUser(m_keyFile);
  const int passwordRead = server.getVirtualServerPassword(m_keySecret, false);

  if (clouddb::namesKeyFile(m_keyFile)) {
    // The key file's password opens the file; one that does not decrypt could only fail later.
    if (cloudcredentials::secretDidNotDecrypt(passwordRead)) {
      cloudcredentials::logUndecryptableSecret(log, kTag, {"virtual server", serverId, "password"}, passwordRead);
      return kFailure;
    }
  } else {
    std::string material;
    const CLmError unwrapped = clouddb::unwrapServiceKey(m_keyFile, material);
    OPENSSL_cleanse(m_keySecret.data(), m_keySecret.size());
    m_keySecret.clear();
    if (unwrapped.IsFailure()) {
      log.Error(kTag, kKeyDoesNotUnwrap, static_cast<unsigned long long>(serverId), unwrapped.message().c_str());
      return kFailure;
    }
    m_keySecret = std::move(material);
    m_keyFile.clear();
  }
  log.Debug(kTag, kFetched, m_keyFile.c_str(), m_userId.c_str());
  inventoryprovider::readInstanceProxies(serverId, m_proxyCredentials);
  log.DebugLvl(kTag, kFlowLevel, "%s", kEnd);
  return kSuccess;
}

int CGoogleRDSInfo::Connect() {
  return Connect(m_keyFile, m_userId, m_keySecret);
}

int CGoogleRDSInfo::Connect(const std::string& keyFile, const std::string& userId, const std::string& keySecret) {
  static constexpr char kTag[] = "Connect";
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kStart);
  Init();
  // Copies first: the caller may have handed in the members themselves.
  std::string file = keyFile;
  std::string user = userId;
  std::string secret = keySecret;
  m_keyFile = std::move(file);
  m_userId = std::move(user);
  m_keySecret = std::move(secret);
  m_log.Debug(kTag, kConnectingLine, m_keyFile.c_str(), m_userId.c_str());
  int result = kSuccess;
  if (m_bridge->Connect(m_keyFile, m_userId, m_keySecret)) {
    m_log.Debug(kTag, "%s", kConnected);
  } else {
    m_lastError = m_bridge->GetLastError();
    m_log.Debug(kTag, "%s", kConnectFailed);
    cloudcredentials::logConnectRefusal(m_log, kTag, m_lastError, m_keySecret);
    result = kFailure;
  }
  m_log.DebugLvl(kTag, kFlowLevel, "%s", kEnd);
  return result;
}

int CGoogleRDSInfo::Disconnect() {
  m_log.DebugLvl("Disconnect", kFlowLevel, "%s", kStart);
  m_bridge->Disconnect();
  m_log.DebugLvl("Disconnect", kFlowLevel, "%s", kEnd);
  return kSuccess;
}

std::string CGoogleRDSInfo::GetLastErrorString() const {
  return m_bridge->GetLastError();
}

int CGoogleRDSInfo::GetDBInstanceInfoList(ULONGLONG first, int count,
                                          std::vector<RDSInfoStructs::SDBInstanceInfo>& out) {
  m_log.Debug(kShortListingTag, "%s", kCallingShort);
  return GetDBInstanceInfoList(first, count, out, std::string(), std::string());
}

int CGoogleRDSInfo::GetDBInstanceInfoList(ULONGLONG first, int count, std::vector<RDSInfoStructs::SDBInstanceInfo>& out,
                                          std::string /*firstQualifier*/, std::string /*secondQualifier*/) {
  m_log.Debug(kListingTag, "%s", kCallingRefresh);
  if (!m_bridge->RefreshDBInstanceInfoList(first, count)) {
    m_lastError = m_bridge->GetLastError();
    m_log.Error("GetDBInstanceInfoList", kRefreshFailed, m_lastError.c_str());
    return kFailure;
  }
  m_log.Debug(kListingTag, "%s", kCallingGet);
  // A refused hand-over of the kept records fails the listing as a refused refresh does.
  if (!m_bridge->GetDBInstanceInfoList(out, first, count)) {
    m_lastError = m_bridge->GetLastError();
    m_log.Error("GetDBInstanceInfoList", kRefreshFailed, m_lastError.c_str());
    return kFailure;
  }
  m_log.Debug(kListingTag, "%s", kReturning);
  return kSuccess;
}

CLmError CGoogleRDSInfo::GetDBInstanceInfoList(App::CloudDBEngineType engineType, std::vector<App::RDSDBInstance>& out,
                                               const std::string& /*firstQualifier*/,
                                               const std::string& /*secondQualifier*/) {
  const CLmLocation where{kSourceUnit, kTypedListingSignature, __LINE__};
  const int engine = static_cast<int>(engineType);
  const std::string_view prefix = enginePrefix(engine);
  if (prefix.empty()) {
    return FXErrorUtil::ErrorWin32(where, kUnsupportedCode, kEngineNotSupported, engine);
  }
  if (!m_bridge->RefreshDBInstanceInfoList(0, 0)) {
    return FXErrorUtil::ErrorWin32(where, kUnsupportedCode, kTypedRefreshFailed, m_bridge->GetLastError().c_str());
  }
  std::vector<RDSInfoStructs::SDBInstanceInfo> records;
  if (!m_bridge->GetDBInstanceInfoList(records, 0, 0)) {
    return FXErrorUtil::ErrorWin32(where, kUnsupportedCode, kTypedGetFailed, m_bridge->GetLastError().c_str());
  }
  std::erase_if(records, [&](const RDSInfoStructs::SDBInstanceInfo& record) {
    return !startsWithIgnoringCase(record.engine, prefix);
  });
  ConvertObject(records, out);
  return CLmError();
}
