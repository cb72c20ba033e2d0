#include "platform/config/HTTPProxySettingsHelper.h"

#include "ConfigAccess.h"
#include "platform/CNMessageBase.h"
#include "platform/PlatformConfiguration.h"
#include "platform/config/ConfigStatus.h"

namespace {

constexpr msg::MessageTypeId kRequestType{30, 3220};
constexpr msg::MessageTypeId kResponseType{30, 3219};
constexpr int kRequestClientField = 1;
constexpr int kClientIdField = 17;
constexpr int kUseProxyField = 1;
constexpr int kHostField = 2;
constexpr int kPortField = 6;
constexpr int kAuthenticationField = 7;
constexpr int kCredentialsField = 9;
constexpr int kCredentialsUserField = 1;
constexpr int kCredentialsPasswordField = 2;

void fillResponse(const config::ClientProxyRecord& proxy, CNMessageBase& response) {
  response.setint64(kUseProxyField, proxy.enabled ? 1 : 0);
  if (proxy.host) response.setstring(kHostField, *proxy.host);
  response.setint64(kPortField, proxy.port);
  response.setint64(kAuthenticationField, proxy.authentication ? 1 : 0);
  if (proxy.user || proxy.password) {
    CNMessageBase* credentials = response.getObjectAccessor(kCredentialsField, true);
    if (credentials == nullptr) return;
    if (proxy.user) credentials->setstring(kCredentialsUserField, *proxy.user);
    if (proxy.password) credentials->setpstringobject(kCredentialsPasswordField, msg::PasswordString{*proxy.password, true});
  }
}

}  // namespace

int HTTPProxySettingsHelper::GetHTTPProxySettings(const CNMessageBase& request, CNMessageBase& response,
                                                  std::string& errorText) {
  errorText.clear();
  if (request.type().id != kRequestType || response.type().id != kResponseType) {
    errorText = "HTTP proxy settings asked with a message of the wrong type";
    return config::kWrongMessage;
  }
  const PlatformConfiguration* configuration = config::detail::installedConfiguration();
  if (configuration == nullptr) {
    errorText = config::describeStatus(config::kNoConfiguration);
    return config::kNoConfiguration;
  }
  const CNMessageBase* client = request.getObjectAccessor(kRequestClientField);
  const std::int64_t clientId = client != nullptr ? client->getint64(kClientIdField) : 0;
  const config::ClientRecord* record =
      clientId > 0 ? configuration->findClient(static_cast<std::uint64_t>(clientId)) : nullptr;
  if (record == nullptr) {
    errorText = "client [" + std::to_string(clientId) + "] is not configured";
    return config::kObjectNotFound;
  }
  fillResponse(record->httpProxy.value_or(config::ClientProxyRecord{}), response);
  return config::kOk;
}
