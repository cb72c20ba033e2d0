#pragma once
// Messages of the EVGui family (module 13): the Oracle Cloud browse tree request, its response
// and the tree node. Field tables are in src/MessageTypesEVGui.cpp and docs/messages.md.
#include <cstdint>
#include <string>
#include <utility>

#include "platform/CNMessageBase.h"
#include "platform/messages/KwEntities.h"

namespace EVGui {

// One node of the Oracle Cloud tree: a compartment (4), a DB system (7) or a database (9).
class VMInventoryInfo : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{13, 298};
  static const msg::MessageType kType;
  static constexpr int kDisplayName = 1;
  static constexpr int kNodeType = 5;
  static constexpr int kObjectPath = 6;

  VMInventoryInfo() : CNMessageBase(kType) {}
  std::string displayName() const { return getstring(kDisplayName); }
  void setDisplayName(std::string text) { setstring(kDisplayName, std::move(text)); }
  std::int64_t nodeType() const { return getint64(kNodeType); }
  void setNodeType(std::int64_t code) { setint64(kNodeType, code); }
  std::string objectPath() const { return getstring(kObjectPath); }
  void setObjectPath(std::string text) { setstring(kObjectPath, std::move(text)); }
};

class OracleCloudTreeReq : public CNMessageBase {
 public:
  static constexpr std::uint32_t kTagId = 0x0D0F8722;
  static constexpr msg::MessageTypeId kId = msg::typeIdFromTag(kTagId);
  static const msg::MessageType kType;
  static constexpr int kInstance = 1;
  static constexpr int kPath = 2;

  OracleCloudTreeReq() : CNMessageBase(kType) {}
  const KwEntities::VirtualServerInstanceEntity* instance() const {
    return static_cast<const KwEntities::VirtualServerInstanceEntity*>(getObjectAccessor(kInstance));
  }
  KwEntities::VirtualServerInstanceEntity& mutableInstance() {
    return static_cast<KwEntities::VirtualServerInstanceEntity&>(*getObjectAccessor(kInstance, true));
  }
  std::string path() const { return getstring(kPath); }
  void setPath(std::string text) { setstring(kPath, std::move(text)); }
};

class OracleCloudTreeResp : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{13, 537};
  static const msg::MessageType kType;
  static constexpr int kNodes = 1;

  OracleCloudTreeResp() : CNMessageBase(kType) {}
  msg::ListView<VMInventoryInfo> nodes() const { return msg::ListView<VMInventoryInfo>(getlistobject(kNodes)); }
  void addNode(const VMInventoryInfo& node) { appendlistobject(kNodes, node); }
};

}  // namespace EVGui
