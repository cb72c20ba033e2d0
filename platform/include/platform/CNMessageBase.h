#pragma once
// CNMessageBase: the host's message object.
//
// Every message type declares its fields once, in a MessageType table (number, position, kind,
// XML name, sub-message type). Typed accessors, deep copies and the XML rendering all read that
// one table, so a field cannot be spelled two ways. Typed classes (App::CloudDBEntity, ...) add
// no data: they derive from CNMessageBase, name their field numbers and offer named accessors.
// The typed classes live in platform/messages/*.h; docs/messages.md lists every rendering.
//
// Contract:
//  - Reading an absent field yields an empty text, 0, an empty list or null; isSet tells apart.
//  - Accessing a field number the type does not declare, or with the wrong kind, is a programming
//    fault: getters answer the empty value, setters are ignored, and both are reported through
//    lastFieldFault() so tests can catch them. Nothing throws.
//  - Copies are deep. Sub-messages are owned by their parent. Every sub-message a message holds
//    (set, appended, made on first access or parsed) is an object of its type's typed class, so
//    msg::ListView and the typed accessors may view it as that class. A message moved from
//    reads as new.
//  - Values are kept by kind in one block laid out by the type (see MessageType::slotOffset):
//    an unset field costs its room there and nothing else.
//  - serialize renders XML (an element per message, attributes for scalars, child elements for
//    sub-messages and lists); unserialize parses it and fails with a CLmError for text that does
//    not parse or is not this type, leaving the message empty.
//  - AsString renders the same XML with password fields shown as "***NOT SHOWN***".
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "platform/CLmError.h"

class CNMessageBase;
using MessageList = std::vector<std::unique_ptr<CNMessageBase>>;

namespace msg {

enum class FieldKind : std::uint8_t { String, Int64, Object, ObjectList, StringList, Password };

struct MessageTypeId {
  std::uint32_t module = 0;
  std::uint32_t classId = 0;
  // The 32-bit tag id of the type: module in the top byte, class in the low 24 bits.
  constexpr std::uint32_t tagId() const { return (module << 24) | (classId & 0xFFFFFFu); }
  constexpr bool operator==(const MessageTypeId&) const = default;
};

constexpr MessageTypeId typeIdFromTag(std::uint32_t tagId) { return {tagId >> 24, tagId & 0xFFFFFFu}; }

// The sub-type of an ObjectList field whose elements may be messages of any registered type.
inline constexpr MessageTypeId kAnyMessageType{};

struct FieldDecl {
  int number = 0;
  int position = 0;
  FieldKind kind = FieldKind::String;
  std::string_view xmlName;  // views a string literal (the XML writer needs its terminating NUL)
  MessageTypeId subType{};   // for Object and ObjectList fields: the declared sub-message type
};

// A password text with its encryption annotation.
struct PasswordString {
  std::string text;
  bool encrypted = true;
  bool operator==(const PasswordString&) const = default;
};

// What a message keeps for a field of each kind.
template <FieldKind K>
struct FieldStorage;
template <>
struct FieldStorage<FieldKind::String> {
  using type = std::string;
};
template <>
struct FieldStorage<FieldKind::Int64> {
  using type = std::int64_t;
};
template <>
struct FieldStorage<FieldKind::Object> {
  using type = std::unique_ptr<CNMessageBase>;
};
template <>
struct FieldStorage<FieldKind::ObjectList> {
  using type = MessageList;
};
template <>
struct FieldStorage<FieldKind::StringList> {
  using type = std::vector<std::string>;
};
template <>
struct FieldStorage<FieldKind::Password> {
  using type = PasswordString;
};
template <FieldKind K>
using StorageOf = typename FieldStorage<K>::type;

// The room a field of this kind takes in a message's field storage.
constexpr std::size_t storageBytes(FieldKind kind) {
  switch (kind) {
    case FieldKind::String: return sizeof(StorageOf<FieldKind::String>);
    case FieldKind::Int64: return sizeof(StorageOf<FieldKind::Int64>);
    case FieldKind::Object: return sizeof(StorageOf<FieldKind::Object>);
    case FieldKind::ObjectList: return sizeof(StorageOf<FieldKind::ObjectList>);
    case FieldKind::StringList: return sizeof(StorageOf<FieldKind::StringList>);
    case FieldKind::Password: return sizeof(StorageOf<FieldKind::Password>);
  }
  return 0;
}

// Every kind's value starts where the one before ends, so none may need more alignment than the
// sizes keep.
inline constexpr std::size_t kStorageAlignment = 8;
static_assert(alignof(StorageOf<FieldKind::String>) <= kStorageAlignment &&
              alignof(StorageOf<FieldKind::Int64>) <= kStorageAlignment &&
              alignof(StorageOf<FieldKind::Object>) <= kStorageAlignment &&
              alignof(StorageOf<FieldKind::ObjectList>) <= kStorageAlignment &&
              alignof(StorageOf<FieldKind::StringList>) <= kStorageAlignment &&
              alignof(StorageOf<FieldKind::Password>) <= kStorageAlignment);
static_assert(storageBytes(FieldKind::String) % kStorageAlignment == 0 &&
              storageBytes(FieldKind::Int64) % kStorageAlignment == 0 &&
              storageBytes(FieldKind::Object) % kStorageAlignment == 0 &&
              storageBytes(FieldKind::ObjectList) % kStorageAlignment == 0 &&
              storageBytes(FieldKind::StringList) % kStorageAlignment == 0 &&
              storageBytes(FieldKind::Password) % kStorageAlignment == 0);

struct MessageType {
  // Field numbers below this find their slot in a table made with the type; a larger one (none
  // is declared today) is searched for.
  static constexpr int kTabledNumbers = 64;
  using SlotTable = std::array<std::int8_t, kTabledNumbers>;

  constexpr MessageType(MessageTypeId typeId, std::string_view typeTagName, std::string_view element,
                        std::span<const FieldDecl> declared, std::unique_ptr<CNMessageBase> (*maker)(),
                        std::uint32_t hostTag = 0)
      : id(typeId),
        tagName(typeTagName),
        xmlElement(element),
        fields(declared),
        make(maker),
        hostTagId(hostTag),
        slotOfNumber(slotTable(declared)),
        slotOfXmlName(nameTable(declared)),
        slotOffset(offsetTable(declared)),
        storageSize(storageSizeOf(declared)) {}

  MessageTypeId id;
  std::string_view tagName;     // "App::CloudDBEntity"
  std::string_view xmlElement;  // "CloudDBEntity"; views a string literal
  std::span<const FieldDecl> fields;
  std::unique_ptr<CNMessageBase> (*make)();  // makes an empty message of the typed class
  // The tag id the host gives the type when it is not (module << 24 | class): a few types are
  // made from small class numbers but travel under a tag id of their own.
  std::uint32_t hostTagId = 0;
  // The index in fields of each field number, -1 where none is declared: every typed access
  // goes through here, so it must not search.
  SlotTable slotOfNumber;

  // The XML reader finds fields by name through a hashed table made with the type: open
  // addressing over kNameBuckets buckets, each the index in fields of one field or -1, filled in
  // declaration order. A type declaring more than kMostNamedFields fields, which none does today,
  // is searched instead.
  static constexpr std::size_t kNameBuckets = 64;
  static constexpr std::size_t kMostNamedFields = kNameBuckets / 2;
  using NameTable = std::array<std::int8_t, kNameBuckets>;
  NameTable slotOfXmlName;

  // A message keeps its field values in one block of storageSize bytes, each at its offset here:
  // a field takes the room of its kind's value and no more. A set of the fields that hold a value
  // has one bit per field, so a type declares at most kMostFields (a larger one does not compile).
  static constexpr std::size_t kMostFields = 64;
  using OffsetTable = std::array<std::uint16_t, kMostFields>;
  OffsetTable slotOffset;
  std::size_t storageSize;

  constexpr std::uint32_t tagId() const { return hostTagId != 0 ? hostTagId : id.tagId(); }

  // The index in fields of the field with this number, or -1.
  constexpr int slotOf(int number) const {
    if (number >= 0 && number < kTabledNumbers) {
      return slotOfNumber[static_cast<std::size_t>(number)];
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (fields[i].number == number) {
        return static_cast<int>(i);
      }
    }
    return -1;
  }

  // Text and integer fields are written as attributes, every other kind as child elements.
  static constexpr bool isAttributeKind(FieldKind kind) { return kind == FieldKind::String || kind == FieldKind::Int64; }

  // The index in fields of the first field declared with this XML name and written as an
  // attribute (or as an element), or -1. The name ends at its first NUL, as the parser's names do.
  constexpr int slotOfXml(const char* name, bool attribute) const {
    std::size_t length = 0;
    while (name[length] != '\0') {
      ++length;
    }
    const std::string_view wanted(name, length);
    if (fields.size() > kMostNamedFields) {
      for (std::size_t i = 0; i < fields.size(); ++i) {
        if (isAttributeKind(fields[i].kind) == attribute && sameText(fields[i].xmlName, wanted)) {
          return static_cast<int>(i);
        }
      }
      return -1;
    }
    for (std::size_t bucket = nameBucket(wanted);; bucket = (bucket + 1) % kNameBuckets) {
      const int slot = slotOfXmlName[bucket];
      if (slot < 0) {
        return -1;
      }
      const FieldDecl& decl = fields[static_cast<std::size_t>(slot)];
      if (isAttributeKind(decl.kind) == attribute && sameText(decl.xmlName, wanted)) {
        return slot;
      }
    }
  }

 private:
  // Names are a few characters long: comparing them in place beats a call to compare memory.
  static constexpr bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
      return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (a[i] != b[i]) {
        return false;
      }
    }
    return true;
  }

  // Where a name's search starts: its length and its first and last characters tell the names of
  // one type apart well enough (at most three probes for any declared name today).
  static constexpr std::size_t nameBucket(std::string_view name) {
    if (name.empty()) {
      return 0;
    }
    const std::size_t first = static_cast<unsigned char>(name.front());
    const std::size_t last = static_cast<unsigned char>(name.back());
    return (name.size() * 11 + first * 5 + last * 3) % kNameBuckets;
  }

  static constexpr NameTable nameTable(std::span<const FieldDecl> declared) {
    NameTable table{};
    for (std::int8_t& slot : table) {
      slot = -1;
    }
    if (declared.size() > kMostNamedFields) {
      return table;
    }
    for (std::size_t i = 0; i < declared.size(); ++i) {
      std::size_t bucket = nameBucket(declared[i].xmlName);
      while (table[bucket] >= 0) {
        bucket = (bucket + 1) % kNameBuckets;
      }
      table[bucket] = static_cast<std::int8_t>(i);
    }
    return table;
  }

  static constexpr OffsetTable offsetTable(std::span<const FieldDecl> declared) {
    if (declared.size() > kMostFields) {
      throw "a message type declares at most 64 fields";
    }
    OffsetTable table{};
    std::size_t offset = 0;
    for (std::size_t i = 0; i < declared.size(); ++i) {
      table[i] = static_cast<std::uint16_t>(offset);
      offset += storageBytes(declared[i].kind);
    }
    return table;
  }

  static constexpr std::size_t storageSizeOf(std::span<const FieldDecl> declared) {
    std::size_t size = 0;
    for (const FieldDecl& decl : declared) {
      size += storageBytes(decl.kind);
    }
    return size;
  }

  static constexpr SlotTable slotTable(std::span<const FieldDecl> declared) {
    SlotTable table{};
    for (std::int8_t& slot : table) {
      slot = -1;
    }
    for (std::size_t i = 0; i < declared.size(); ++i) {
      const int number = declared[i].number;
      if (number >= 0 && number < kTabledNumbers && table[static_cast<std::size_t>(number)] < 0) {
        table[static_cast<std::size_t>(number)] = static_cast<std::int8_t>(i);
      }
    }
    return table;
  }
};

// Every registered message type, in the registry's order.
std::span<const MessageType* const> registeredTypes();
// The registered type made from (module, class), or null.
const MessageType* findType(MessageTypeId id);
// The registered type whose XML element is this name, or null.
const MessageType* findTypeByElement(std::string_view xmlElement);

// Messages nested deeper than this are refused by unserialize.
inline constexpr int kMaxXmlDepth = 256;

// What AsString, and every log line that mentions a secret, shows in its place.
inline constexpr std::string_view kPasswordMask = "***NOT SHOWN***";

}  // namespace msg

class CNMessageBase {
 public:
  explicit CNMessageBase(const msg::MessageType& type);
  CNMessageBase(const CNMessageBase& other);
  CNMessageBase& operator=(const CNMessageBase& other);
  CNMessageBase(CNMessageBase&&) noexcept;
  CNMessageBase& operator=(CNMessageBase&&) noexcept;
  virtual ~CNMessageBase();

  // Messages made by makeWithStorage keep their field storage in the block of the object itself.
  // Every message is freed through these, whichever way it was made.
  static void* operator new(std::size_t size) { return ::operator new(size); }
  static void operator delete(void* object) { ::operator delete(object); }

  // An empty message of the typed class T, made with the room for its fields in the same block:
  // one allocation instead of two. The message behaves as any other.
  template <class T>
  static std::unique_ptr<T> makeWithStorage();

  // Makes an empty message of the registered type for (module, class) or for a tag id; null
  // when no such type is registered.
  static std::unique_ptr<CNMessageBase> create(std::uint32_t module, std::uint32_t classId);
  static std::unique_ptr<CNMessageBase> createFromTag(std::uint32_t tagId);
  // The registered type for a tag id, or null.
  static const msg::MessageType* findType(std::uint32_t tagId);
  // Parses XML whose root element names any registered type into a message of that type; null
  // and a failure in error when the text does not parse or names no registered type.
  static std::unique_ptr<CNMessageBase> createFromXml(std::string_view xml, CLmError& error);

  std::unique_ptr<CNMessageBase> clone() const;

  const msg::MessageType& type() const { return *type_; }
  std::uint32_t getTagID() const { return type_->tagId(); }
  std::string getTagName() const { return std::string(type_->tagName); }

  bool isSet(int field) const;
  void clear(int field);

  std::string getstring(int field) const;
  // The same text without a copy: valid while the field is neither set nor cleared.
  const std::string& stringRef(int field) const;
  void setstring(int field, std::string value);
  // The (index, position) pair form: the pair must match one declared field.
  std::string getstring(int field, int position) const;
  void setstring(int field, int position, std::string value);

  std::int64_t getint64(int field) const;
  void setint64(int field, std::int64_t value);
  // Integer fields read and written by position alone.
  std::int64_t getint64ByPosition(int position) const;
  void setint64ByPosition(int position, std::int64_t value);

  // Sub-message; getObjectAccessor(field, true) makes it on first access.
  const CNMessageBase* getObjectAccessor(int field) const;
  CNMessageBase* getObjectAccessor(int field, bool create);
  // Stores a deep copy; the value must be of the field's declared type.
  void setObjectAccessor(int field, const CNMessageBase& value);
  // Takes the value over (made by its type's make or a typed class, as for list elements).
  void setObjectAccessor(int field, std::unique_ptr<CNMessageBase> value);

  const MessageList& getlistobject(int field) const;
  // Marks the list set; null for a wrong field. Elements put in directly must be made by their
  // type's make (CNMessageBase::create, a typed class): typed views rely on it.
  MessageList* mutableListObject(int field);
  void setlistobject(int field, const MessageList& values);
  // The element must be of the field's declared type (any type for a list of any messages).
  void appendlistobject(int field, const CNMessageBase& value);
  void appendlistobject(int field, std::unique_ptr<CNMessageBase> value);

  std::vector<std::string> getliststring(int field) const;
  void setliststring(int field, std::vector<std::string> values);

  msg::PasswordString getpstringobject(int field) const;
  void setpstringobject(int field, msg::PasswordString value);
  // The clear text of a password field: decrypted with the host key when it is encrypted.
  CLmError getPlainPassword(int field, std::string& clear) const;

  std::string serialize() const;
  CLmError unserialize(std::string_view xml);
  std::string AsString() const;

  // The last access to an undeclared field or with the wrong kind, for tests; empty when none.
  const std::string& lastFieldFault() const;

  // Field storage, for the XML codec and the host's printers. A slot is an index in
  // type().fields, and K must be that field's declared kind.
  bool slotIsSet(std::size_t slot) const { return (set_ & slotBit(slot)) != 0; }
  // The value of a set slot.
  template <msg::FieldKind K>
  const msg::StorageOf<K>& slotValue(std::size_t slot) const {
    return *slotAddress<K>(slot);
  }
  // Replaces the slot's value, if any, with one made from the arguments, and marks it set. The
  // old value goes first, so the arguments must not refer to it.
  template <msg::FieldKind K, class... Args>
  msg::StorageOf<K>& emplaceSlot(std::size_t slot, Args&&... args);
  // The slot's value, made empty and marked set first when it holds none.
  template <msg::FieldKind K>
  msg::StorageOf<K>& slotForUpdate(std::size_t slot) {
    return slotIsSet(slot) ? *slotAddress<K>(slot) : emplaceSlot<K>(slot);
  }
  // Calls visit with the slot's value, or with std::monostate when it holds none.
  template <class Visit>
  void visitSlot(std::size_t slot, Visit&& visit) const;

 private:
  // Frees the raw field storage; the values in it are destroyed before, one by one.
  struct ReleaseStorage {
    void operator()(std::byte* storage) const { ::operator delete(storage); }
  };

  // Calls f with std::integral_constant<FieldKind, kind>: one switch for every per-kind step.
  template <class F>
  static void withKind(msg::FieldKind kind, F&& f);

  static constexpr std::uint64_t slotBit(std::size_t slot) { return std::uint64_t{1} << slot; }
  template <msg::FieldKind K>
  msg::StorageOf<K>* slotAddress(std::size_t slot) const {
    return std::launder(reinterpret_cast<msg::StorageOf<K>*>(storage_ + type_->slotOffset[slot]));
  }
  // The value of the field at index (from fieldIndex, so -1 when none), or null when unset.
  template <msg::FieldKind K>
  const msg::StorageOf<K>* valueAt(int index) const {
    return index >= 0 && slotIsSet(static_cast<std::size_t>(index)) ? slotAddress<K>(static_cast<std::size_t>(index))
                                                                     : nullptr;
  }
  void ensureStorage();
  void destroySlot(std::size_t slot);
  // Drops every value: the message reads as new.
  void clearFields();
  // Copies every value of other, a message of the same type, into this one, which holds none.
  void copyFieldsFrom(const CNMessageBase& other);
  // Moves every value of other, a message of the same type, into this one, which holds none;
  // other holds none after.
  void takeFieldsFrom(CNMessageBase& other);

  // The index of the declared field of any kind, or -1 after recording a fault.
  int declaredSlot(int field) const;
  // The index of the declared field, or -1 after recording a fault.
  int fieldIndex(int field, msg::FieldKind kind) const;
  int fieldIndexAt(int field, int position, msg::FieldKind kind) const;
  int positionIndex(int position, msg::FieldKind kind) const;
  void recordFault(std::string fault) const;
  bool acceptsSubType(const msg::FieldDecl& decl, const CNMessageBase& value) const;

  const msg::MessageType* type_;
  // One bit per slot: the slot holds a live value exactly when its bit is set.
  std::uint64_t set_ = 0;
  // Where the values are: the block made with the object (makeWithStorage), heap_, or nowhere
  // yet. The heap block is made when the first value is set, so a message without values takes
  // none, and a moved message takes it along.
  std::byte* storage_ = nullptr;
  std::unique_ptr<std::byte, ReleaseStorage> heap_;
  // Made by the first fault: most messages never see one.
  mutable std::unique_ptr<std::string> lastFieldFault_;
};

template <msg::FieldKind K, class... Args>
msg::StorageOf<K>& CNMessageBase::emplaceSlot(std::size_t slot, Args&&... args) {
  if (slotIsSet(slot)) {
    std::destroy_at(slotAddress<K>(slot));
    set_ &= ~slotBit(slot);
  } else {
    ensureStorage();
  }
  msg::StorageOf<K>* value = std::construct_at(slotAddress<K>(slot), std::forward<Args>(args)...);
  set_ |= slotBit(slot);
  return *value;
}

template <class F>
void CNMessageBase::withKind(msg::FieldKind kind, F&& f) {
  using msg::FieldKind;
  switch (kind) {
    case FieldKind::String:
      f(std::integral_constant<FieldKind, FieldKind::String>{});
      return;
    case FieldKind::Int64:
      f(std::integral_constant<FieldKind, FieldKind::Int64>{});
      return;
    case FieldKind::Object:
      f(std::integral_constant<FieldKind, FieldKind::Object>{});
      return;
    case FieldKind::ObjectList:
      f(std::integral_constant<FieldKind, FieldKind::ObjectList>{});
      return;
    case FieldKind::StringList:
      f(std::integral_constant<FieldKind, FieldKind::StringList>{});
      return;
    case FieldKind::Password:
      f(std::integral_constant<FieldKind, FieldKind::Password>{});
      return;
  }
}

template <class Visit>
void CNMessageBase::visitSlot(std::size_t slot, Visit&& visit) const {
  if (!slotIsSet(slot)) {
    visit(std::monostate{});
    return;
  }
  withKind(type_->fields[slot].kind, [&](auto kind) { visit(slotValue<decltype(kind)::value>(slot)); });
}

template <class T>
std::unique_ptr<T> CNMessageBase::makeWithStorage() {
  // The values start at the first aligned byte after the object.
  constexpr std::size_t objectBytes = (sizeof(T) + msg::kStorageAlignment - 1) / msg::kStorageAlignment *
                                      msg::kStorageAlignment;
  static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
  void* block = ::operator new(objectBytes + T::kType.storageSize);
  T* message = nullptr;
  try {
    message = ::new (block) T();
  } catch (...) {
    ::operator delete(block);
    throw;
  }
  // A class that takes its type from elsewhere keeps its values on the heap, as any message may.
  if (&message->type() == &T::kType) {
    static_cast<CNMessageBase*>(message)->storage_ = static_cast<std::byte*>(block) + objectBytes;
  }
  return std::unique_ptr<T>(message);
}

namespace msg {

// A read-only view of a message list as its typed class T (see the contract above).
template <class T>
class ListView {
 public:
  class iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = const T*;
    using reference = const T&;

    iterator() = default;
    explicit iterator(MessageList::const_iterator at) : at_(at) {}
    reference operator*() const { return static_cast<const T&>(**at_); }
    pointer operator->() const { return &**this; }
    iterator& operator++() {
      ++at_;
      return *this;
    }
    iterator operator++(int) {
      iterator before = *this;
      ++at_;
      return before;
    }
    bool operator==(const iterator&) const = default;

   private:
    MessageList::const_iterator at_{};
  };

  explicit ListView(const MessageList& list) : list_(&list) {}
  std::size_t size() const { return list_->size(); }
  bool empty() const { return list_->empty(); }
  const T& operator[](std::size_t index) const { return static_cast<const T&>(*(*list_)[index]); }
  iterator begin() const { return iterator(list_->begin()); }
  iterator end() const { return iterator(list_->end()); }

 private:
  const MessageList* list_;
};

}  // namespace msg
