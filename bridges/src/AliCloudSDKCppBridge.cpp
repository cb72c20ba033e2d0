// The Alibaba Cloud client. The simulator does not serve Alibaba Cloud yet, so every call
// fails honestly; the fixture's "alibaba" accounts are what it will serve.
#include "bridges/AliCloudSDKCppBridge.h"

#include "UnsupportedCall.h"

namespace AliCloudSDKCppBridge {
namespace {
constexpr CloudBridgeKind kBridge = CloudBridgeKind::Alibaba;
}  // namespace

bool CAliCloudSDKCppBridge::ConnectRDS(const std::string& accessKey, const std::string& /*secretKey*/) {
  return cloudsim::failUnsupported(kBridge, "ConnectRDS", {accessKey, "***NOT SHOWN***"}, lastError_);
}

void CAliCloudSDKCppBridge::Disconnect() { cloudsim::failUnsupported(kBridge, "Disconnect", {}, lastError_); }

std::string CAliCloudSDKCppBridge::GetLastError() const { return lastError_; }

bool CAliCloudSDKCppBridge::RefreshDBInstanceInfoList(unsigned long long first, int count) {
  return cloudsim::failUnsupported(kBridge, "RefreshDBInstanceInfoList", {std::to_string(first), std::to_string(count)},
                                   lastError_);
}

bool CAliCloudSDKCppBridge::RefreshDBInstanceInfoList(unsigned long long first, int count,
                                                      const RDSInfoStructs::SDBInstanceFilter& filter) {
  return cloudsim::failUnsupported(kBridge, "RefreshDBInstanceInfoList",
                                   {std::to_string(first), std::to_string(count), std::to_string(filter.engineType)},
                                   lastError_);
}

bool CAliCloudSDKCppBridge::GetDBInstanceInfoList(std::vector<RDSInfoStructs::SDBInstanceInfo>& /*out*/,
                                                  unsigned long long first, int count) {
  return cloudsim::failUnsupported(kBridge, "GetDBInstanceInfoList", {std::to_string(first), std::to_string(count)},
                                   lastError_);
}

bool CAliCloudSDKCppBridge::GetDCInfoList(std::vector<VMInfoStructs::SDataCenterInfo>& /*out*/,
                                          unsigned long long first, int count) {
  return cloudsim::failUnsupported(kBridge, "GetDCInfoList", {std::to_string(first), std::to_string(count)},
                                   lastError_);
}

}  // namespace AliCloudSDKCppBridge
