#pragma once
// HTTPProxySettingsHelper: answers the platform's HTTP proxy settings of a client.
//
// The request is an App::GetHTTPProxySettingsReq (module 30, class 3220) whose field 1 object
// carries the client id in its field 17. The answer fills the App::HTTPProxySettings response
// (module 30, class 3219): field 1 use-proxy (1/0), field 2 the proxy host, field 6 the port,
// field 7 authentication needed (1/0), field 9 an object with the user (its field 1) and the
// encrypted password (its field 2). A client without proxy settings is answered with use-proxy 0.
//
// Answers config::kOk with an empty error text when answered; otherwise non-zero with the reason
// in errorText (a client that is not configured, a message of the wrong type).
#include <string>

class CNMessageBase;

class HTTPProxySettingsHelper {
 public:
  static int GetHTTPProxySettings(const CNMessageBase& request, CNMessageBase& response, std::string& errorText);
};
