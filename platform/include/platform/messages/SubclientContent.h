#pragma once
// Messages of the SubclientContent family (module 26): the content of an OCI database backup set
// (OracleCloudSubclient::getContentXML), a list of entries picked in the Oracle Cloud tree.
#include <cstdint>
#include <string>
#include <utility>

#include "platform/CNMessageBase.h"

namespace SubclientContent {

// One picked object: its type (4 compartment, 7 DB system, 9 database, 17 all) and the object
// path the tree gave it.
class OCIDatabaseEntry : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{26, 55};
  static const msg::MessageType kType;
  static constexpr int kEntryType = 7;
  static constexpr int kPath = 8;

  OCIDatabaseEntry() : CNMessageBase(kType) {}
  std::int64_t entryType() const { return getint64(kEntryType); }
  void setEntryType(std::int64_t code) { setint64(kEntryType, code); }
  std::string path() const { return getstring(kPath); }
  void setPath(std::string text) { setstring(kPath, std::move(text)); }
};

class OCIDatabaseContent : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{26, 54};
  static const msg::MessageType kType;
  static constexpr int kEntries = 1;

  OCIDatabaseContent() : CNMessageBase(kType) {}
  msg::ListView<OCIDatabaseEntry> entries() const { return msg::ListView<OCIDatabaseEntry>(getlistobject(kEntries)); }
  void addEntry(const OCIDatabaseEntry& entry) { appendlistobject(kEntries, entry); }
};

}  // namespace SubclientContent
