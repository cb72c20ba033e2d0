#include "clouddb/inventory/CloudInfoFactory.h"

#include <cstdint>
#include <optional>

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

// What serves one virtual-server instance type: the cloud's name for the log and the provider's
// maker. The provider is made only after its line is logged, so its own lines follow it.
struct ProviderChoice {
  const char* cloudName;
  std::unique_ptr<CRDSInfo> (*make)();
};

template <class Provider>
std::unique_ptr<CRDSInfo> makeProvider() {
  return std::make_unique<Provider>();
}

std::optional<ProviderChoice> providerFor(unsigned long instanceType) {
  switch (instanceType) {
    case kAmazonType: return ProviderChoice{"Amazon", &makeProvider<CAmazonRDSInfo>};
    case kAzureType:
    case kAzureOtherType: return ProviderChoice{"Azure", &makeProvider<CAzureRDSInfo>};
    case kGoogleType: return ProviderChoice{"Google", &makeProvider<CGoogleRDSInfo>};
    case kAlibabaType: return ProviderChoice{"Alibaba", &makeProvider<CAliRDSInfo>};
    default: return std::nullopt;
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
  const std::optional<ProviderChoice> choice = providerFor(static_cast<unsigned long>(instanceType));
  if (!choice) {
    log.Error(kTag, texts::kInstanceTypeNotSupported, static_cast<unsigned long>(instanceType));
    return -1;
  }
  log.Debug(kTag, texts::kGotInstanceType, static_cast<unsigned long>(instanceType), choice->cloudName, serverId);
  std::unique_ptr<CRDSInfo> made = choice->make();
  made->setVirtualServerInstanceId(serverId);
  provider = std::move(made);
  return 0;
}

}  // namespace clouddb::inventory
