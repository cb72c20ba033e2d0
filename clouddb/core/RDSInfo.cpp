#include "clouddb/core/RDSInfo.h"

#include "clouddb/core/GlobalProxySettings.h"
#include "clouddb/core/WildcardPattern.h"
#include "platform/FXErrorUtil.h"

namespace {

constexpr char kApiNotImplemented[] = "API not implemented";
// The unsupported-operation failures name the interface header and the slot's full signature,
// so a log reader can tell which provider slot was missing.
constexpr char kInterfaceHeader[] = "RDSInfo.h";
constexpr std::int64_t kUnsupportedOperationCode = 1359;
constexpr int kUnsupported = -1;

constexpr char kInstanceListSignature[] =
    "virtual CLmError CRDSInfo::GetDBInstanceInfoList(App::CloudDBEngineType, "
    "std::vector<App::RDSDBInstance>&, const string&, const string&)";
constexpr char kInstanceListInRegionSignature[] =
    "virtual CLmError CRDSInfo::GetDBInstanceInfoList(App::CloudDBEngineType, "
    "std::vector<App::RDSDBInstance>&, const string&, const string&, const string&)";
constexpr char kClusterListSignature[] =
    "virtual CLmError CRDSInfo::GetDBClusterInfoList(App::CloudDBEngineType, "
    "std::vector<App::RDSDBInstance>&, const string&, const string&)";

// Engine names whose records stand for a cluster rather than a single instance.
constexpr const char* kClusterEngineNames[] = {"aurora", "aurora-mysql", "aurora-postgresql"};

std::int64_t flag(bool value) { return value ? 1 : 0; }

}  // namespace

CRDSInfo::CRDSInfo() : m_clusterEngines(std::begin(kClusterEngineNames), std::end(kClusterEngineNames)) {}

CRDSInfo::~CRDSInfo() = default;

int CRDSInfo::GetHTTPProxySettings() {
  return proxysettings::lookUpGlobalProxySettings(m_log, proxysettings::kNoHttpProxy, m_proxyCredentials);
}

int CRDSInfo::FetchClientCredentials(unsigned long /*clientId*/) { return kUnsupported; }

int CRDSInfo::GetRegionList(std::vector<VMInfoStructs::SDataCenterInfo>& /*out*/, int /*first*/, int /*count*/) {
  return kUnsupported;
}

std::string CRDSInfo::prepareForRegex(const std::string& pattern) { return wildcardPatternToRegex(pattern); }

CLmError CRDSInfo::GetDBInstanceInfoList(App::CloudDBEngineType /*engineType*/,
                                         std::vector<App::RDSDBInstance>& /*out*/,
                                         const std::string& /*firstQualifier*/,
                                         const std::string& /*secondQualifier*/) {
  return apiNotImplemented(kInstanceListSignature, __LINE__);
}

CLmError CRDSInfo::GetDBInstanceInfoList(App::CloudDBEngineType /*engineType*/,
                                         std::vector<App::RDSDBInstance>& /*out*/,
                                         const std::string& /*firstQualifier*/,
                                         const std::string& /*secondQualifier*/,
                                         const std::string& /*thirdQualifier*/) {
  return apiNotImplemented(kInstanceListInRegionSignature, __LINE__);
}

CLmError CRDSInfo::GetDBClusterInfoList(App::CloudDBEngineType /*engineType*/,
                                        std::vector<App::RDSDBInstance>& /*out*/,
                                        const std::string& /*firstQualifier*/,
                                        const std::string& /*secondQualifier*/) {
  return apiNotImplemented(kClusterListSignature, __LINE__);
}

CLmError CRDSInfo::apiNotImplemented(const char* signature, int line) {
  return FXErrorUtil::ErrorWin32(CLmLocation{kInterfaceHeader, signature, line}, kUnsupportedOperationCode, "%s",
                                 kApiNotImplemented);
}

void CRDSInfo::ConvertObject(const std::vector<RDSInfoStructs::SDBInstanceInfo>& records,
                             std::vector<App::RDSDBInstance>& out) {
  for (const RDSInfoStructs::SDBInstanceInfo& record : records) {
    out.push_back(convertRecord(record));
  }
}

void CRDSInfo::ConvertTypedListing(int engineType, std::vector<RDSInfoStructs::SDBInstanceInfo>& records,
                                   std::vector<App::RDSDBInstance>& out) {
  if (engineType == RDSInfoStructs::kMariaDB) {
    for (RDSInfoStructs::SDBInstanceInfo& record : records) {
      record.instanceIdentifier = kMariaDbPrefix + record.instanceIdentifier;
    }
  }
  ConvertObject(records, out);
}

void CRDSInfo::ConvertObject(const std::vector<RDSInfoStructs::SRDSClusterInfo>& records,
                             std::vector<App::RDSDBInstance>& out) {
  for (const RDSInfoStructs::SRDSClusterInfo& record : records) {
    out.push_back(convertRecord(record));
  }
}

// Members 1 to 29 in declaration order; member 13 (the read replicas, a list) has no field.
App::RDSDBInstance CRDSInfo::convertRecord(const RDSInfoStructs::SDBInstanceInfo& record) {
  App::RDSDBInstance message;
  message.setstring(1, record.instanceArn);
  message.setstring(2, record.instanceIdentifier);
  message.setstring(3, record.status);
  message.setstring(4, record.endpointAddress);
  message.setstring(5, record.engine);
  message.setstring(6, record.engineVersion);
  message.setstring(7, record.instanceClass);
  message.setint64(8, flag(record.multiAZ));
  message.setstring(9, record.region);
  message.setstring(10, record.availabilityZone);
  message.setstring(11, record.secondaryAvailabilityZone);
  message.setstring(12, record.masterUsername);
  message.setint64(14, record.port);
  message.setint64(15, record.allocatedStorageGiB);
  message.setint64(16, flag(record.publiclyAccessible));
  message.setint64(17, record.backupRetentionPeriod);
  message.setstring(18, record.preferredBackupWindow);
  message.setstring(19, record.storageType);
  message.setint64(20, record.iops);
  message.setint64(21, record.monitoringInterval);
  message.setint64(22, record.createTime);
  message.setstring(23, record.caCertificateIdentifier);
  message.setstring(24, record.kmsKeyId);
  message.setstring(25, record.databaseName);
  message.setstring(26, record.parameterGroupName);
  message.setint64(27, flag(record.autoMinorVersionUpgrade));
  message.setstring(28, record.licenseModel);
  message.setstring(29, record.optionGroupName);
  return message;
}

// A cluster shares only some fields with an instance; 7, 10, 11, 16, 19, 21, 23, 27, 28 and 29
// stay unset.
App::RDSDBInstance CRDSInfo::convertRecord(const RDSInfoStructs::SRDSClusterInfo& record) {
  App::RDSDBInstance message;
  message.setstring(1, record.clusterArn);
  message.setstring(2, record.clusterIdentifier);
  message.setstring(3, record.status);
  message.setstring(4, record.endpointAddress);
  message.setstring(5, record.engine);
  message.setstring(6, record.engineVersion);
  message.setint64(8, flag(record.multiAZ));
  message.setstring(9, record.region);
  message.setstring(12, record.masterUsername);
  message.setint64(14, record.port);
  message.setint64(15, record.allocatedStorageGiB);
  message.setint64(17, record.backupRetentionPeriod);
  message.setstring(18, record.preferredBackupWindow);
  message.setint64(20, record.iops);
  message.setint64(22, record.createTime);
  message.setstring(24, record.kmsKeyId);
  message.setstring(25, record.databaseName);
  message.setstring(26, record.parameterGroupName);
  return message;
}
