// The registry of message types: from a tag id, a (module, class) pair or an XML element name
// to the type, and from there to an empty message of its typed class. The lookup tables are
// built once, on first use, from the families' constant type lists and never change after.
#include <array>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "MessageFamilies.h"
#include "platform/CNMessageBase.h"

namespace {

using msg::MessageType;

class Registry {
 public:
  Registry() {
    const std::array families = {msg::families::appTypes(), msg::families::daxTypes(), msg::families::evGuiTypes(),
                                 msg::families::kwEntitiesTypes(), msg::families::smallFamilyTypes(),
                                 msg::families::hostTypes()};
    for (const auto& family : families) {
      for (const MessageType* type : family) {
        add(type);
      }
    }
  }

  std::span<const MessageType* const> all() const { return all_; }

  const MessageType* byId(msg::MessageTypeId id) const { return find(byId_, key(id)); }
  const MessageType* byTag(std::uint32_t tagId) const { return find(byTag_, tagId); }
  const MessageType* byElement(std::string_view element) const { return find(byElement_, element); }

 private:
  static std::uint64_t key(msg::MessageTypeId id) { return (std::uint64_t{id.module} << 32) | id.classId; }

  template <class Map, class Key>
  static const MessageType* find(const Map& map, const Key& wanted) {
    const auto found = map.find(wanted);
    return found != map.end() ? found->second : nullptr;
  }

  // A clash keeps the first type; the registry's tests check that there is none.
  void add(const MessageType* type) {
    all_.push_back(type);
    byId_.emplace(key(type->id), type);
    byTag_.emplace(type->tagId(), type);
    byElement_.emplace(type->xmlElement, type);
  }

  std::vector<const MessageType*> all_;
  std::unordered_map<std::uint64_t, const MessageType*> byId_;
  std::unordered_map<std::uint32_t, const MessageType*> byTag_;
  std::unordered_map<std::string_view, const MessageType*> byElement_;
};

const Registry& registry() {
  static const Registry instance;
  return instance;
}

}  // namespace

namespace msg {

std::span<const MessageType* const> registeredTypes() { return registry().all(); }

const MessageType* findType(MessageTypeId id) { return registry().byId(id); }

const MessageType* findTypeByElement(std::string_view xmlElement) { return registry().byElement(xmlElement); }

}  // namespace msg

std::unique_ptr<CNMessageBase> CNMessageBase::create(std::uint32_t module, std::uint32_t classId) {
  const MessageType* type = msg::findType(msg::MessageTypeId{module, classId});
  return type != nullptr ? type->make() : nullptr;
}

std::unique_ptr<CNMessageBase> CNMessageBase::createFromTag(std::uint32_t tagId) {
  const MessageType* type = findType(tagId);
  return type != nullptr ? type->make() : nullptr;
}

const MessageType* CNMessageBase::findType(std::uint32_t tagId) { return registry().byTag(tagId); }
