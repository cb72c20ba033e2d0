#pragma once
// Messages of the KwEntities family (module 18): references to the platform's configuration
// objects (instances, clients) and the virtual machine entity. Field tables are in
// src/MessageTypesKwEntities.cpp and docs/messages.md.
#include <cstdint>
#include <string>
#include <utility>

#include "platform/CNMessageBase.h"

namespace KwEntities {

// A backup instance named by its id (browse and preview requests).
class InstanceEntity : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{18, 10};
  static const msg::MessageType kType;
  static constexpr int kInstanceId = 19;

  InstanceEntity() : CNMessageBase(kType) {}
  std::int64_t instanceId() const { return getint64(kInstanceId); }
  void setInstanceId(std::int64_t id) { setint64(kInstanceId, id); }
};

// The client and instance a relational inventory request is about. Made as (18, 8); it travels
// under the tag id 0x1221ACF8, and its fields are addressed by index and field id.
class ClientInstanceEntity : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{18, 8};
  static constexpr std::uint32_t kTagId = 0x1221ACF8;
  static const msg::MessageType kType;
  static constexpr int kInstanceId = 0;  // id 0xC3CC90
  static constexpr int kClientId = 19;   // id 0x253646

  ClientInstanceEntity() : CNMessageBase(kType) {}
  std::int64_t instanceId() const { return getint64(kInstanceId); }
  void setInstanceId(std::int64_t id) { setint64(kInstanceId, id); }
  std::int64_t clientId() const { return getint64(kClientId); }
  void setClientId(std::int64_t id) { setint64(kClientId, id); }
};

// A client named by its id (browse and preview requests).
class ClientReference : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{18, 9};
  static const msg::MessageType kType;
  static constexpr int kClientId = 0;

  ClientReference() : CNMessageBase(kType) {}
  std::int64_t clientId() const { return getint64(kClientId); }
  void setClientId(std::int64_t id) { setint64(kClientId, id); }
};

// A client of the proxy-settings question.
class ClientEntity : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{18, 46};
  static const msg::MessageType kType;
  static constexpr int kClientId = 17;

  ClientEntity() : CNMessageBase(kType) {}
  std::int64_t clientId() const { return getint64(kClientId); }
  void setClientId(std::int64_t id) { setint64(kClientId, id); }
};

// The platform instance of an Oracle Cloud tree request.
class VirtualServerInstanceEntity : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{18, 12};
  static const msg::MessageType kType;
  static constexpr int kInstanceId = 3;

  VirtualServerInstanceEntity() : CNMessageBase(kType) {}
  std::int64_t instanceId() const { return getint64(kInstanceId); }
  void setInstanceId(std::int64_t id) { setint64(kInstanceId, id); }
};

// The instance of a database-service request: a kind code and an instance id.
class CloudInstanceEntity : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{18, 83};
  static const msg::MessageType kType;
  static constexpr int kKind = 5;
  static constexpr int kInstanceId = 9;

  CloudInstanceEntity() : CNMessageBase(kType) {}
  std::int64_t kind() const { return getint64(kKind); }
  void setKind(std::int64_t code) { setint64(kKind, code); }
  std::int64_t instanceId() const { return getint64(kInstanceId); }
  void setInstanceId(std::int64_t id) { setint64(kInstanceId, id); }
};

// An entity known by its name alone.
class NamedEntity : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{18, 82};
  static const msg::MessageType kType;
  static constexpr int kName = 1;

  NamedEntity() : CNMessageBase(kType) {}
  std::string name() const { return getstring(kName); }
  void setName(std::string text) { setstring(kName, std::move(text)); }
};

// A virtual machine (a compute node of a database service) known by its host name.
class VirtualMachineEntity : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{18, 68};
  static const msg::MessageType kType;
  static constexpr int kHostName = 4;

  VirtualMachineEntity() : CNMessageBase(kType) {}
  std::string hostName() const { return getstring(kHostName); }
  void setHostName(std::string text) { setstring(kHostName, std::move(text)); }
};

}  // namespace KwEntities
