#pragma once
// One REST request to an Azure storage account's Table service, and its outcome.
//
// The owner fills the account, method, address parts and headers; the request service adds the
// date, version and Authorization headers when it signs the request, and they stay in it.
#include <cstdint>
#include <map>
#include <string>

struct AzureTableRequest {
  std::string accountName;  // names the account in the signed resource and the Authorization
  std::string accountUrl;   // the account's Table endpoint as the cloud client returned it
  std::string accountKey;   // Base64 text
  int method = 0;           // KWLibCurl's kinds: 0 GET, 1 POST, 2 PUT, 3 DELETE
  std::string host;         // base address the request goes to
  std::string path;         // resource path after the host, e.g. "Tables"
  std::string query;        // without the leading "?"; appended when not empty
  std::string body;         // sent for POST and PUT only
  std::map<std::string, std::string> headers;          // by name, byte order
  std::map<std::string, std::string> queryParameters;  // only "comp" enters the signature

  // The method, the address, one "name:  value" line per header and the body, for a log. The
  // Authorization value is never shown.
  std::string toString() const;
};

struct AzureTableResponse {
  bool success = false;  // the status is 200
  int status = 0;        // HTTP status of the last attempt; 600 when nothing was sent, 0 when no
                         // complete response came back
  std::string body;
  // The continuation marker the service announced in the x-ms-continuation-NextTableName
  // header; empty when it sent none.
  std::string nextTableName;
};
