#pragma once
// ClientProperties: the configured properties of one client, made from its client id.
//
// The secret key is handed out encrypted, as stored. getCloudAppsCredentials answers the XML
// text of the credentials message (module 30, class 257): subscription (field 3), tenant
// (field 4) and an object (field 1) holding the application id (its field 1) and the encrypted
// secret (its field 2); members the client does not configure are left unset.
#include <cstdint>
#include <string>

#include "platform/config/ConfigStatus.h"
#include "platform/config/ConfigurationRecords.h"

class ClientProperties {
 public:
  explicit ClientProperties(std::uint64_t clientId);

  std::uint64_t getClientId() const { return clientId_; }
  int status() const { return status_; }

  int getClientName(std::string& name, void* context = nullptr) const;
  int getAccessKey(std::string& accessKey, void* context = nullptr) const;
  int getSecretKey(std::string& secretKey, void* context = nullptr) const;
  // The virtual server (cloud account) the client's relational inventory uses.
  int getCloudVSInstanceID(std::int64_t& instanceId, void* context = nullptr) const;
  int getCloudAppsCredentials(std::string& credentialsXml, void* context = nullptr) const;

 private:
  std::uint64_t clientId_;
  const config::ClientRecord* record_ = nullptr;
  int status_ = config::kObjectNotFound;
};
