// Field storage, typed access and deep copies of host messages. The XML codec is in
// MessageXml.cpp and the type lookups in MessageRegistry.cpp.
#include "platform/CNMessageBase.h"

#include <cerrno>
#include <typeinfo>
#include <utility>

#include "platform/HostEnvironment.h"
#include "platform/HostKey.h"

namespace {

using msg::FieldKind;

const char* kindName(FieldKind kind) {
  switch (kind) {
    case FieldKind::String:
      return "text";
    case FieldKind::Int64:
      return "integer";
    case FieldKind::Object:
      return "sub-message";
    case FieldKind::ObjectList:
      return "message list";
    case FieldKind::StringList:
      return "text list";
    case FieldKind::Password:
      return "password";
  }
  return "unknown";
}

// What an absent list field reads as; shared, never changed.
const MessageList& emptyMessageList() {
  static const MessageList empty;
  return empty;
}

// A message handed over as a bare CNMessageBase is moved into an object of its typed class, so
// that every sub-message can be viewed as its typed class.
std::unique_ptr<CNMessageBase> asTypedObject(std::unique_ptr<CNMessageBase> value) {
  const CNMessageBase& given = *value;
  if (typeid(given) != typeid(CNMessageBase)) {
    return value;
  }
  std::unique_ptr<CNMessageBase> typed = value->type().make();
  static_cast<CNMessageBase&>(*typed) = std::move(*value);
  return typed;
}

}  // namespace

CNMessageBase::CNMessageBase(const msg::MessageType& type) : type_(&type) {}

CNMessageBase::CNMessageBase(const CNMessageBase& other) : type_(other.type_) {
  copyFieldsFrom(other);
}

CNMessageBase& CNMessageBase::operator=(const CNMessageBase& other) {
  if (this != &other) {
    CNMessageBase copy(other);
    *this = std::move(copy);
  }
  return *this;
}

CNMessageBase::CNMessageBase(CNMessageBase&& other) noexcept : type_(other.type_) { takeFieldsFrom(other); }

CNMessageBase& CNMessageBase::operator=(CNMessageBase&& other) noexcept {
  if (this != &other) {
    clearFields();
    lastFieldFault_.reset();
    if (type_ != other.type_) {
      // The storage this message has is laid out for its old type.
      type_ = other.type_;
      heap_.reset();
      storage_ = nullptr;
    }
    takeFieldsFrom(other);
  }
  return *this;
}

CNMessageBase::~CNMessageBase() { clearFields(); }

std::unique_ptr<CNMessageBase> CNMessageBase::clone() const {
  std::unique_ptr<CNMessageBase> copy = type_->make();
  copy->copyFieldsFrom(*this);
  return copy;
}

// ---- field storage ----

void CNMessageBase::ensureStorage() {
  if (storage_ == nullptr) {
    heap_.reset(static_cast<std::byte*>(::operator new(type_->storageSize)));
    storage_ = heap_.get();
  }
}

void CNMessageBase::destroySlot(std::size_t slot) {
  if (!slotIsSet(slot)) {
    return;
  }
  set_ &= ~slotBit(slot);
  withKind(type_->fields[slot].kind, [&](auto kind) { std::destroy_at(slotAddress<decltype(kind)::value>(slot)); });
}

void CNMessageBase::clearFields() {
  for (std::size_t slot = 0; set_ != 0; ++slot) {
    destroySlot(slot);
  }
}

void CNMessageBase::copyFieldsFrom(const CNMessageBase& other) {
  for (std::size_t slot = 0; slot < type_->fields.size(); ++slot) {
    if (!other.slotIsSet(slot)) {
      continue;
    }
    withKind(type_->fields[slot].kind, [&](auto kind) {
      constexpr FieldKind K = decltype(kind)::value;
      const auto& value = other.slotValue<K>(slot);
      if constexpr (K == FieldKind::Object) {
        emplaceSlot<K>(slot, value ? value->clone() : nullptr);
      } else if constexpr (K == FieldKind::ObjectList) {
        MessageList& copy = emplaceSlot<K>(slot);
        copy.reserve(value.size());
        for (const auto& element : value) {
          copy.push_back(element->clone());
        }
      } else {
        emplaceSlot<K>(slot, value);
      }
    });
  }
}

void CNMessageBase::takeFieldsFrom(CNMessageBase& other) {
  // A heap block is taken along, unless this message keeps its values in its own object's block.
  if (other.heap_ && storage_ == heap_.get()) {
    heap_ = std::move(other.heap_);
    storage_ = std::exchange(other.storage_, nullptr);
    set_ = std::exchange(other.set_, 0);
    return;
  }
  // The other's values are in the block of its object: they move one by one.
  for (std::size_t slot = 0; slot < type_->fields.size(); ++slot) {
    if (other.slotIsSet(slot)) {
      withKind(type_->fields[slot].kind, [&](auto kind) {
        constexpr FieldKind K = decltype(kind)::value;
        emplaceSlot<K>(slot, std::move(*other.slotAddress<K>(slot)));
      });
    }
  }
  other.clearFields();
}

// ---- field lookup ----

void CNMessageBase::recordFault(std::string fault) const {
  lastFieldFault_ = std::make_unique<std::string>(std::move(fault));
}

const std::string& CNMessageBase::lastFieldFault() const {
  static const std::string kNone;
  return lastFieldFault_ ? *lastFieldFault_ : kNone;
}

int CNMessageBase::declaredSlot(int field) const {
  const int index = type_->slotOf(field);
  if (index < 0) {
    recordFault(std::string(type_->tagName) + ": no field " + std::to_string(field));
  }
  return index;
}

int CNMessageBase::fieldIndex(int field, FieldKind kind) const {
  const int index = declaredSlot(field);
  if (index < 0) {
    return -1;
  }
  const msg::FieldDecl& decl = type_->fields[static_cast<std::size_t>(index)];
  if (decl.kind != kind) {
    recordFault(std::string(type_->tagName) + ": field " + std::to_string(field) + " (" + std::string(decl.xmlName) +
                ") is of kind " + kindName(decl.kind) + ", not " + kindName(kind));
    return -1;
  }
  return index;
}

int CNMessageBase::fieldIndexAt(int field, int position, FieldKind kind) const {
  const int index = fieldIndex(field, kind);
  if (index >= 0 && type_->fields[static_cast<std::size_t>(index)].position != position) {
    recordFault(std::string(type_->tagName) + ": field " + std::to_string(field) + " is not at position " +
                std::to_string(position));
    return -1;
  }
  return index;
}

int CNMessageBase::positionIndex(int position, FieldKind kind) const {
  const auto& fields = type_->fields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].position == position && fields[i].kind == kind) {
      return static_cast<int>(i);
    }
  }
  recordFault(std::string(type_->tagName) + ": no " + kindName(kind) + " field at position " +
              std::to_string(position));
  return -1;
}

bool CNMessageBase::acceptsSubType(const msg::FieldDecl& decl, const CNMessageBase& value) const {
  if (decl.kind == FieldKind::ObjectList && decl.subType == msg::kAnyMessageType) {
    return true;
  }
  if (value.type().id == decl.subType) {
    return true;
  }
  recordFault(std::string(type_->tagName) + ": field " + std::to_string(decl.number) + " (" +
              std::string(decl.xmlName) + ") does not take a " + std::string(value.type().tagName));
  return false;
}

bool CNMessageBase::isSet(int field) const {
  const int index = declaredSlot(field);
  return index >= 0 && slotIsSet(static_cast<std::size_t>(index));
}

void CNMessageBase::clear(int field) {
  const int index = declaredSlot(field);
  if (index >= 0) {
    destroySlot(static_cast<std::size_t>(index));
  }
}

// ---- scalars ----

std::string CNMessageBase::getstring(int field) const {
  return stringRef(field);
}

const std::string& CNMessageBase::stringRef(int field) const {
  static const std::string kAbsent;
  const auto* value = valueAt<FieldKind::String>(fieldIndex(field, FieldKind::String));
  return value != nullptr ? *value : kAbsent;
}

void CNMessageBase::setstring(int field, std::string value) {
  const int index = fieldIndex(field, FieldKind::String);
  if (index >= 0) {
    emplaceSlot<FieldKind::String>(static_cast<std::size_t>(index), std::move(value));
  }
}

std::string CNMessageBase::getstring(int field, int position) const {
  const auto* value = valueAt<FieldKind::String>(fieldIndexAt(field, position, FieldKind::String));
  return value != nullptr ? *value : std::string();
}

void CNMessageBase::setstring(int field, int position, std::string value) {
  const int index = fieldIndexAt(field, position, FieldKind::String);
  if (index >= 0) {
    emplaceSlot<FieldKind::String>(static_cast<std::size_t>(index), std::move(value));
  }
}

std::int64_t CNMessageBase::getint64(int field) const {
  const auto* value = valueAt<FieldKind::Int64>(fieldIndex(field, FieldKind::Int64));
  return value != nullptr ? *value : 0;
}

void CNMessageBase::setint64(int field, std::int64_t value) {
  const int index = fieldIndex(field, FieldKind::Int64);
  if (index >= 0) {
    emplaceSlot<FieldKind::Int64>(static_cast<std::size_t>(index), value);
  }
}

std::int64_t CNMessageBase::getint64ByPosition(int position) const {
  const auto* value = valueAt<FieldKind::Int64>(positionIndex(position, FieldKind::Int64));
  return value != nullptr ? *value : 0;
}

void CNMessageBase::setint64ByPosition(int position, std::int64_t value) {
  const int index = positionIndex(position, FieldKind::Int64);
  if (index >= 0) {
    emplaceSlot<FieldKind::Int64>(static_cast<std::size_t>(index), value);
  }
}

// ---- sub-messages ----

const CNMessageBase* CNMessageBase::getObjectAccessor(int field) const {
  const auto* value = valueAt<FieldKind::Object>(fieldIndex(field, FieldKind::Object));
  return value != nullptr ? value->get() : nullptr;
}

CNMessageBase* CNMessageBase::getObjectAccessor(int field, bool create) {
  const int index = fieldIndex(field, FieldKind::Object);
  if (index < 0) {
    return nullptr;
  }
  const auto slot = static_cast<std::size_t>(index);
  if (const auto* object = valueAt<FieldKind::Object>(index); object != nullptr && *object) {
    return object->get();
  }
  if (!create) {
    return nullptr;
  }
  const msg::FieldDecl& decl = type_->fields[slot];
  const msg::MessageType* subType = msg::findType(decl.subType);
  if (subType == nullptr) {
    recordFault(std::string(type_->tagName) + ": field " + std::to_string(field) + " names an unregistered type");
    return nullptr;
  }
  return emplaceSlot<FieldKind::Object>(slot, subType->make()).get();
}

void CNMessageBase::setObjectAccessor(int field, const CNMessageBase& value) {
  const int index = fieldIndex(field, FieldKind::Object);
  if (index >= 0 && acceptsSubType(type_->fields[static_cast<std::size_t>(index)], value)) {
    emplaceSlot<FieldKind::Object>(static_cast<std::size_t>(index), value.clone());
  }
}

void CNMessageBase::setObjectAccessor(int field, std::unique_ptr<CNMessageBase> value) {
  if (!value) {
    recordFault(std::string(type_->tagName) + ": null sub-message set in field " + std::to_string(field));
    return;
  }
  const int index = fieldIndex(field, FieldKind::Object);
  if (index >= 0 && acceptsSubType(type_->fields[static_cast<std::size_t>(index)], *value)) {
    emplaceSlot<FieldKind::Object>(static_cast<std::size_t>(index), asTypedObject(std::move(value)));
  }
}

const MessageList& CNMessageBase::getlistobject(int field) const {
  const auto* value = valueAt<FieldKind::ObjectList>(fieldIndex(field, FieldKind::ObjectList));
  return value != nullptr ? *value : emptyMessageList();
}

MessageList* CNMessageBase::mutableListObject(int field) {
  const int index = fieldIndex(field, FieldKind::ObjectList);
  if (index < 0) {
    return nullptr;
  }
  return &slotForUpdate<FieldKind::ObjectList>(static_cast<std::size_t>(index));
}

void CNMessageBase::setlistobject(int field, const MessageList& values) {
  const int index = fieldIndex(field, FieldKind::ObjectList);
  if (index < 0) {
    return;
  }
  const msg::FieldDecl& decl = type_->fields[static_cast<std::size_t>(index)];
  MessageList copy;
  copy.reserve(values.size());
  for (const auto& element : values) {
    if (!acceptsSubType(decl, *element)) {
      return;  // nothing changes when one element is of the wrong type
    }
    copy.push_back(element->clone());
  }
  emplaceSlot<FieldKind::ObjectList>(static_cast<std::size_t>(index), std::move(copy));
}

void CNMessageBase::appendlistobject(int field, const CNMessageBase& value) {
  const int index = fieldIndex(field, FieldKind::ObjectList);
  if (index >= 0 && acceptsSubType(type_->fields[static_cast<std::size_t>(index)], value)) {
    slotForUpdate<FieldKind::ObjectList>(static_cast<std::size_t>(index)).push_back(value.clone());
  }
}

void CNMessageBase::appendlistobject(int field, std::unique_ptr<CNMessageBase> value) {
  if (!value) {
    recordFault(std::string(type_->tagName) + ": null element appended to field " + std::to_string(field));
    return;
  }
  const int index = fieldIndex(field, FieldKind::ObjectList);
  if (index >= 0 && acceptsSubType(type_->fields[static_cast<std::size_t>(index)], *value)) {
    slotForUpdate<FieldKind::ObjectList>(static_cast<std::size_t>(index)).push_back(asTypedObject(std::move(value)));
  }
}

// ---- text lists and passwords ----

std::vector<std::string> CNMessageBase::getliststring(int field) const {
  const auto* value = valueAt<FieldKind::StringList>(fieldIndex(field, FieldKind::StringList));
  return value != nullptr ? *value : std::vector<std::string>();
}

void CNMessageBase::setliststring(int field, std::vector<std::string> values) {
  const int index = fieldIndex(field, FieldKind::StringList);
  if (index >= 0) {
    emplaceSlot<FieldKind::StringList>(static_cast<std::size_t>(index), std::move(values));
  }
}

msg::PasswordString CNMessageBase::getpstringobject(int field) const {
  const auto* value = valueAt<FieldKind::Password>(fieldIndex(field, FieldKind::Password));
  return value != nullptr ? *value : msg::PasswordString{};
}

void CNMessageBase::setpstringobject(int field, msg::PasswordString value) {
  const int index = fieldIndex(field, FieldKind::Password);
  if (index >= 0) {
    emplaceSlot<FieldKind::Password>(static_cast<std::size_t>(index), std::move(value));
  }
}

CLmError CNMessageBase::getPlainPassword(int field, std::string& clear) const {
  const int index = fieldIndex(field, FieldKind::Password);
  if (index < 0) {
    return CLmError(CLmError::Kind::ErrNo, EINVAL, lastFieldFault(), CLM_HERE);
  }
  const msg::PasswordString* password = valueAt<FieldKind::Password>(index);
  if (password == nullptr || !password->encrypted || password->text.empty()) {
    clear = password != nullptr ? password->text : std::string();
    return {};
  }
  const HostKey* hostKey = HostEnvironment::current().hostKey;
  if (hostKey == nullptr) {
    return CLmError(CLmError::Kind::ErrNo, EACCES,
                    "Cannot decrypt the password of " + std::string(type_->tagName) + " field " +
                        std::to_string(field) + ": no host key",
                    CLM_HERE);
  }
  CLmError result = hostKey->decrypt(password->text, clear);
  if (result.IsFailure()) {
    result.Push(CLM_HERE);
  }
  return result;
}
