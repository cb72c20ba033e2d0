#pragma once
// ClientApplicationList: the applications of one client under one application type (134: cloud
// apps), made from (client id, application type).
//
//  - getInstanceList: the client's application instances of that type (virtual servers are not
//    application instances and are never listed).
//  - getBackupSetList: the backup sets owned by one instance of the client and of that type (a
//    virtual server of the client may own backup sets too).
//  - getSubclientList: the subclients of one such backup set.
// Each replaces the id and name lists (in configuration order) and answers config::kOk, or
// answers non-zero and leaves both lists untouched: no configuration, no such client, or an
// instance or backup set that is not the client's under that application type.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/config/ConfigStatus.h"

class PlatformConfiguration;

class ClientApplicationList {
 public:
  ClientApplicationList(std::uint64_t clientId, std::uint64_t applicationType);

  int getInstanceList(std::vector<std::uint64_t>& ids, std::vector<std::string>& names) const;
  int getBackupSetList(std::uint64_t instanceId, std::vector<std::uint64_t>& ids,
                       std::vector<std::string>& names) const;
  int getSubclientList(std::uint64_t backupSetId, std::vector<std::uint64_t>& ids,
                       std::vector<std::string>& names) const;

 private:
  // Whether the instance is the client's under the application type.
  bool ownsInstance(std::uint64_t instanceId) const;

  std::uint64_t clientId_;
  std::uint64_t applicationType_;
  const PlatformConfiguration* configuration_ = nullptr;
  int status_ = config::kObjectNotFound;
};
