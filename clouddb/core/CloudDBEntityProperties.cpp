#include "clouddb/core/CloudDBEntityProperties.h"

#include "clouddb/core/GlobalProxySettings.h"
#include "platform/EvEvent.h"

int CloudDBEntityProperties::GetHTTPProxySettings(std::vector<SHostCredentials>& proxies) {
  EvEvent log;
  return proxysettings::lookUpGlobalProxySettings(log, proxysettings::kErrorFetchingHttpProxy, proxies);
}
