#include "clouddb/inventory/ProviderSupport.h"

#include "platform/config/ConfigStatus.h"
#include "platform/config/vsAppMgr.h"

namespace inventoryprovider {

void readInstanceProxies(std::uint64_t virtualServerId, std::vector<SHostCredentials>& proxies) {
  vsAppMgr applicationManager;
  applicationManager.resetCredentials();
  proxies.clear();
  if (applicationManager.querySettingsForInstance(virtualServerId) == config::kOk) {
    applicationManager.getCredentials(proxies);
  }
}

}  // namespace inventoryprovider
