#include "clouddb/inventory/CloudInfoFactory.h"

#include <cstdint>

#include "clouddb/aws/CAmazonRDSInfo.h"
#include "clouddb/inventory/CAliRDSInfo.h"
#include "clouddb/inventory/CAzureRDSInfo.h"
#include "clouddb/inventory/CGoogleRDSInfo.h"
#include "clouddb/inventory/InventoryTexts.h"
#include "platform/config/ClientProperties.h"
#include "platform/config/ConfigStatus.h"
#include "platform/config/InstanceTypeVirtualServer.h"

namespace clouddb::inventory {

namespace {

constexpr char kTag[] = "CreateCloudInfoObject";
constexpr unsigned long kAmazonType = 301;
constexpr unsigned long kAzureType = 402;
constexpr unsigned long kAzureOtherType = 403;
constexpr unsigned long kGoogleType = 1301;
constexpr unsigned long kAlibabaType = 1401;

// The provider of one virtual-server instance type, with the cloud's name for the log; null for
// a type no provider serves.
std::unique_ptr<CRDSInfo> providerFor(unsigned long instanceType, const char*& cloudName) {
  switch (instanceType) {
    case kAmazonType: cloudName = "Amazon"; return std::make_unique<CAmazonRDSInfo>();
    case kAzureType:
    case kAzureOtherType: cloudName = "Azure"; return std::make_unique<CAzureRDSInfo>();
    case kGoogleType: cloudName = "Google"; return std::make_unique<CGoogleRDSInfo>();
    case kAlibabaType: cloudName = "Alibaba"; return std::make_unique<CAliRDSInfo>();
    default: return nullptr;
  }
}

}  // namespace

int CreateCloudInfoObject(const unsigned long& clientId, EvEvent& log, std::unique_ptr<CRDSInfo>& provider) {
  if (clientId == 0) {
    log.Debug(kTag, texts::kAssumingAmazon, kAmazonType);
    auto amazon = std::make_unique<CAmazonRDSInfo>();
    amazon->setVirtualServerInstanceId(0);
    provider = std::move(amazon);
    return 0;
  }

  std::int64_t virtualServerId = 0;
  if (ClientProperties(clientId).getCloudVSInstanceID(virtualServerId) != config::kOk) {
    log.Debug(kTag, texts::kVirtualServerLookupFailed, clientId);
    return -1;
  }
  // Instance ids of the platform fit an int; a larger one cannot name a virtual server.
  const int serverId = virtualServerId > INT32_MAX ? -1 : static_cast<int>(virtualServerId);
  log.Debug(kTag, texts::kGotVirtualServer, clientId, serverId);
  if (serverId <= 0) {
    log.Error(kTag, "%s", texts::kInstanceTypeNotKnown);
    return -1;
  }

  std::uint64_t instanceType = 0;
  if (InstanceTypeVirtualServer(static_cast<std::uint64_t>(serverId)).getInstanceType(instanceType) != config::kOk) {
    log.Error(kTag, texts::kInstanceTypeLookupFailed, serverId);
    return -1;
  }
  const char* cloudName = "";
  std::unique_ptr<CRDSInfo> made = providerFor(static_cast<unsigned long>(instanceType), cloudName);
  if (!made) {
    log.Error(kTag, texts::kInstanceTypeNotSupported, static_cast<unsigned long>(instanceType));
    return -1;
  }
  log.Debug(kTag, texts::kGotInstanceType, static_cast<unsigned long>(instanceType), cloudName, serverId);
  made->setVirtualServerInstanceId(serverId);
  provider = std::move(made);
  return 0;
}

}  // namespace clouddb::inventory
