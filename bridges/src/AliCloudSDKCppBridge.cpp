// The Alibaba Cloud client over the cloud simulator: the access key pair signs in to an account,
// ApsaraDB RDS lists its instances.
#include "bridges/AliCloudSDKCppBridge.h"

#include "AmazonBridgeState.h"  // filterText, argumentText
#include "AwsQueries.h"
#include "AwsSession.h"
#include "RelationalServers.h"
#include "SimulatedCall.h"

namespace AliCloudSDKCppBridge {

using cloudsim::CallFailure;

namespace {

constexpr CloudBridgeKind kBridge = CloudBridgeKind::Alibaba;
constexpr const char* kServiceHost = "rds.aliyuncs.com";

// Worded as ApsaraDB answers them.
constexpr const char* kMissingAccessKey = "AccessKeyId is mandatory for this action.";
constexpr const char* kUnknownAccessKey = "Specified access key is not found.";
constexpr const char* kSignatureMismatch = "Specified signature is not matched with our calculation.";

CallFailure authenticateAlibaba(const cloudsim::CloudFixture& fixture, const std::string& accessKey,
                                const std::string& secretKey, std::size_t& account) {
  if (accessKey.empty()) return std::string(kMissingAccessKey);
  for (std::size_t index = 0; index < fixture.alibabaAccounts.size(); ++index) {
    const cloudsim::AlibabaAccount& candidate = fixture.alibabaAccounts[index];
    if (candidate.accessKeyId != accessKey) continue;
    // A secret still in its encrypted form is just a wrong secret to the cloud.
    if (secretKey.empty() || candidate.accessKeySecret != secretKey ||
        secretKey.rfind(cloudsim::kEncryptedSecretPrefix, 0) == 0) {
      return std::string(kSignatureMismatch);
    }
    account = index;
    return std::nullopt;
  }
  return std::string(kUnknownAccessKey);
}

const cloudsim::RelationalNaming kNaming{"", ".rds.aliyuncs.com"};

}  // namespace

bool CAliCloudSDKCppBridge::ConnectRDS(const std::string& accessKey, const std::string& secretKey) {
  instances_.clear();
  return cloudbridge::signIn(
      kBridge, "ConnectRDS", {accessKey, cloudbridge::kNotShown}, connection_,
      [&](const cloudsim::CloudFixture& fixture, std::size_t& account) {
        return authenticateAlibaba(fixture, accessKey, secretKey, account);
      },
      kServiceHost, lastError_);
}

void CAliCloudSDKCppBridge::Disconnect() {
  cloudbridge::signOut(kBridge, connection_, lastError_);
  instances_.clear();
}

std::string CAliCloudSDKCppBridge::GetLastError() const {
  return lastError_;
}

bool CAliCloudSDKCppBridge::RefreshDBInstanceInfoList(unsigned long long first, int count) {
  return RefreshDBInstanceInfoList(first, count, RDSInfoStructs::SDBInstanceFilter{});
}

bool CAliCloudSDKCppBridge::RefreshDBInstanceInfoList(unsigned long long first, int count,
                                                      const RDSInfoStructs::SDBInstanceFilter& filter) {
  instances_.clear();
  std::vector<RDSInfoStructs::SDBInstanceInfo> found;
  const bool ok = cloudbridge::simulatedCall(
      kBridge, "RefreshDBInstanceInfoList",
      {AmazonSDKCppBridge::argumentText(first), std::to_string(count), AmazonSDKCppBridge::filterText(filter)},
      connection_,
      [&](cloudsim::SimulatedClouds& clouds, RecordedCall&) -> CallFailure {
        if (auto unusable = cloudbridge::checkConnection(connection_, clouds, kServiceHost)) return unusable;
        if (auto bad = cloudsim::checkRange(first, count)) return bad;
        if (auto bad = cloudsim::checkInstanceFilter(filter)) return bad;
        found = cloudsim::selectRelationalServers(clouds.fixture.alibabaAccounts[connection_->account].rdsInstances,
                                                  filter, kNaming);
        return std::nullopt;
      },
      lastError_);
  if (ok) instances_ = cloudsim::sliceOf(found, first, count);
  return ok;
}

bool CAliCloudSDKCppBridge::GetDBInstanceInfoList(std::vector<RDSInfoStructs::SDBInstanceInfo>& out,
                                                  unsigned long long first, int count) {
  return cloudbridge::simulatedCall(
      kBridge, "GetDBInstanceInfoList", {AmazonSDKCppBridge::argumentText(first), std::to_string(count)}, connection_,
      [&](cloudsim::SimulatedClouds&, RecordedCall&) -> CallFailure {
        if (auto bad = cloudsim::checkRange(first, count)) return bad;
        const auto slice = cloudsim::sliceOf(instances_, first, count);
        out.insert(out.end(), slice.begin(), slice.end());
        return std::nullopt;
      },
      lastError_);
}

bool CAliCloudSDKCppBridge::GetDCInfoList(std::vector<VMInfoStructs::SDataCenterInfo>& out, unsigned long long first,
                                          int count) {
  return cloudbridge::simulatedCall(
      kBridge, "GetDCInfoList", {AmazonSDKCppBridge::argumentText(first), std::to_string(count)}, connection_,
      [&](cloudsim::SimulatedClouds& clouds, RecordedCall&) -> CallFailure {
        if (auto unusable = cloudbridge::checkConnection(connection_, clouds, kServiceHost)) return unusable;
        if (auto bad = cloudsim::checkRange(first, count)) return bad;
        const auto slice =
            cloudsim::sliceOf(clouds.fixture.alibabaAccounts[connection_->account].regions, first, count);
        out.insert(out.end(), slice.begin(), slice.end());
        return std::nullopt;
      },
      lastError_);
}

}  // namespace AliCloudSDKCppBridge
