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

CNMessageBase::Value copyValue(const CNMessageBase::Value& value) {
  if (const auto* object = std::get_if<std::unique_ptr<CNMessageBase>>(&value)) {
    return *object ? (*object)->clone() : std::unique_ptr<CNMessageBase>();
  }
  if (const auto* list = std::get_if<MessageList>(&value)) {
    MessageList copy;
    copy.reserve(list->size());
    for (const auto& element : *list) {
      copy.push_back(element->clone());
    }
    return copy;
  }
  return std::visit(
      [](const auto& plain) -> CNMessageBase::Value {
        using T = std::decay_t<decltype(plain)>;
        if constexpr (std::is_same_v<T, std::unique_ptr<CNMessageBase>> || std::is_same_v<T, MessageList>) {
          return {};  // handled above
        } else {
          return plain;
        }
      },
      value);
}

CNMessageBase::ValueList copyValues(const CNMessageBase::ValueList& values) {
  CNMessageBase::ValueList copy;
  copy.reserve(values.size());
  for (const auto& value : values) {
    copy.push_back(copyValue(value));
  }
  return copy;
}

// A message handed over as a bare CNMessageBase is moved into an object of its typed class, so
// that every sub-message can be viewed as its typed class.
std::unique_ptr<CNMessageBase> asTypedObject(std::unique_ptr<CNMessageBase> value) {
  const CNMessageBase& given = *value;
  if (typeid(given) != typeid(CNMessageBase)) {
    return value;
  }
  std::unique_ptr<CNMessageBase> typed = value->type().make();
  typed->mutableValues() = std::move(value->mutableValues());
  return typed;
}

}  // namespace

CNMessageBase::CNMessageBase(const msg::MessageType& type) : type_(&type), values_(type.fields.size()) {}

CNMessageBase::CNMessageBase(const CNMessageBase& other) : type_(other.type_), values_(copyValues(other.values_)) {}

CNMessageBase& CNMessageBase::operator=(const CNMessageBase& other) {
  if (this != &other) {
    ValueList copy = copyValues(other.values_);
    type_ = other.type_;
    values_ = std::move(copy);
    lastFieldFault_.clear();
  }
  return *this;
}

CNMessageBase::CNMessageBase(CNMessageBase&&) noexcept = default;
CNMessageBase& CNMessageBase::operator=(CNMessageBase&&) noexcept = default;
CNMessageBase::~CNMessageBase() = default;

std::unique_ptr<CNMessageBase> CNMessageBase::clone() const {
  std::unique_ptr<CNMessageBase> copy = type_->make();
  copy->values_ = copyValues(values_);
  return copy;
}

// ---- field lookup ----

void CNMessageBase::recordFault(std::string fault) const { lastFieldFault_ = std::move(fault); }

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
  if (index < 0) {
    return false;
  }
  return !std::holds_alternative<std::monostate>(values_[static_cast<std::size_t>(index)]);
}

void CNMessageBase::clear(int field) {
  const int index = declaredSlot(field);
  if (index < 0) {
    return;
  }
  values_[static_cast<std::size_t>(index)] = std::monostate{};
}

// ---- scalars ----

std::string CNMessageBase::getstring(int field) const {
  const int index = fieldIndex(field, FieldKind::String);
  if (index < 0) {
    return {};
  }
  const auto* text = std::get_if<std::string>(&values_[static_cast<std::size_t>(index)]);
  return text != nullptr ? *text : std::string();
}

const std::string& CNMessageBase::stringRef(int field) const {
  static const std::string kAbsent;
  const int index = fieldIndex(field, FieldKind::String);
  if (index < 0) {
    return kAbsent;
  }
  const auto* text = std::get_if<std::string>(&values_[static_cast<std::size_t>(index)]);
  return text != nullptr ? *text : kAbsent;
}

void CNMessageBase::setstring(int field, std::string value) {
  const int index = fieldIndex(field, FieldKind::String);
  if (index >= 0) {
    values_[static_cast<std::size_t>(index)] = std::move(value);
  }
}

std::string CNMessageBase::getstring(int field, int position) const {
  const int index = fieldIndexAt(field, position, FieldKind::String);
  if (index < 0) {
    return {};
  }
  const auto* text = std::get_if<std::string>(&values_[static_cast<std::size_t>(index)]);
  return text != nullptr ? *text : std::string();
}

void CNMessageBase::setstring(int field, int position, std::string value) {
  const int index = fieldIndexAt(field, position, FieldKind::String);
  if (index >= 0) {
    values_[static_cast<std::size_t>(index)] = std::move(value);
  }
}

std::int64_t CNMessageBase::getint64(int field) const {
  const int index = fieldIndex(field, FieldKind::Int64);
  if (index < 0) {
    return 0;
  }
  const auto* number = std::get_if<std::int64_t>(&values_[static_cast<std::size_t>(index)]);
  return number != nullptr ? *number : 0;
}

void CNMessageBase::setint64(int field, std::int64_t value) {
  const int index = fieldIndex(field, FieldKind::Int64);
  if (index >= 0) {
    values_[static_cast<std::size_t>(index)] = value;
  }
}

std::int64_t CNMessageBase::getint64ByPosition(int position) const {
  const int index = positionIndex(position, FieldKind::Int64);
  if (index < 0) {
    return 0;
  }
  const auto* number = std::get_if<std::int64_t>(&values_[static_cast<std::size_t>(index)]);
  return number != nullptr ? *number : 0;
}

void CNMessageBase::setint64ByPosition(int position, std::int64_t value) {
  const int index = positionIndex(position, FieldKind::Int64);
  if (index >= 0) {
    values_[static_cast<std::size_t>(index)] = value;
  }
}

// ---- sub-messages ----

const CNMessageBase* CNMessageBase::getObjectAccessor(int field) const {
  const int index = fieldIndex(field, FieldKind::Object);
  if (index < 0) {
    return nullptr;
  }
  const auto* object = std::get_if<std::unique_ptr<CNMessageBase>>(&values_[static_cast<std::size_t>(index)]);
  return object != nullptr ? object->get() : nullptr;
}

CNMessageBase* CNMessageBase::getObjectAccessor(int field, bool create) {
  const int index = fieldIndex(field, FieldKind::Object);
  if (index < 0) {
    return nullptr;
  }
  Value& slot = values_[static_cast<std::size_t>(index)];
  if (auto* object = std::get_if<std::unique_ptr<CNMessageBase>>(&slot); object != nullptr && *object) {
    return object->get();
  }
  if (!create) {
    return nullptr;
  }
  const msg::FieldDecl& decl = type_->fields[static_cast<std::size_t>(index)];
  const msg::MessageType* subType = msg::findType(decl.subType);
  if (subType == nullptr) {
    recordFault(std::string(type_->tagName) + ": field " + std::to_string(field) + " names an unregistered type");
    return nullptr;
  }
  slot = subType->make();
  return std::get<std::unique_ptr<CNMessageBase>>(slot).get();
}

void CNMessageBase::setObjectAccessor(int field, const CNMessageBase& value) {
  const int index = fieldIndex(field, FieldKind::Object);
  if (index >= 0 && acceptsSubType(type_->fields[static_cast<std::size_t>(index)], value)) {
    values_[static_cast<std::size_t>(index)] = value.clone();
  }
}

void CNMessageBase::setObjectAccessor(int field, std::unique_ptr<CNMessageBase> value) {
  if (!value) {
    recordFault(std::string(type_->tagName) + ": null sub-message set in field " + std::to_string(field));
    return;
  }
  const int index = fieldIndex(field, FieldKind::Object);
  if (index >= 0 && acceptsSubType(type_->fields[static_cast<std::size_t>(index)], *value)) {
    values_[static_cast<std::size_t>(index)] = asTypedObject(std::move(value));
  }
}

const MessageList& CNMessageBase::getlistobject(int field) const {
  const int index = fieldIndex(field, FieldKind::ObjectList);
  if (index < 0) {
    return emptyMessageList();
  }
  const auto* list = std::get_if<MessageList>(&values_[static_cast<std::size_t>(index)]);
  return list != nullptr ? *list : emptyMessageList();
}

MessageList* CNMessageBase::mutableListObject(int field) {
  const int index = fieldIndex(field, FieldKind::ObjectList);
  if (index < 0) {
    return nullptr;
  }
  Value& slot = values_[static_cast<std::size_t>(index)];
  if (!std::holds_alternative<MessageList>(slot)) {
    slot = MessageList{};
  }
  return &std::get<MessageList>(slot);
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
  values_[static_cast<std::size_t>(index)] = std::move(copy);
}

void CNMessageBase::appendlistobject(int field, const CNMessageBase& value) {
  const int index = fieldIndex(field, FieldKind::ObjectList);
  if (index >= 0 && acceptsSubType(type_->fields[static_cast<std::size_t>(index)], value)) {
    mutableListObject(field)->push_back(value.clone());
  }
}

void CNMessageBase::appendlistobject(int field, std::unique_ptr<CNMessageBase> value) {
  if (!value) {
    recordFault(std::string(type_->tagName) + ": null element appended to field " + std::to_string(field));
    return;
  }
  const int index = fieldIndex(field, FieldKind::ObjectList);
  if (index >= 0 && acceptsSubType(type_->fields[static_cast<std::size_t>(index)], *value)) {
    mutableListObject(field)->push_back(asTypedObject(std::move(value)));
  }
}

// ---- text lists and passwords ----

std::vector<std::string> CNMessageBase::getliststring(int field) const {
  const int index = fieldIndex(field, FieldKind::StringList);
  if (index < 0) {
    return {};
  }
  const auto* list = std::get_if<std::vector<std::string>>(&values_[static_cast<std::size_t>(index)]);
  return list != nullptr ? *list : std::vector<std::string>();
}

void CNMessageBase::setliststring(int field, std::vector<std::string> values) {
  const int index = fieldIndex(field, FieldKind::StringList);
  if (index >= 0) {
    values_[static_cast<std::size_t>(index)] = std::move(values);
  }
}

msg::PasswordString CNMessageBase::getpstringobject(int field) const {
  const int index = fieldIndex(field, FieldKind::Password);
  if (index < 0) {
    return {};
  }
  const auto* password = std::get_if<msg::PasswordString>(&values_[static_cast<std::size_t>(index)]);
  return password != nullptr ? *password : msg::PasswordString{};
}

void CNMessageBase::setpstringobject(int field, msg::PasswordString value) {
  const int index = fieldIndex(field, FieldKind::Password);
  if (index >= 0) {
    values_[static_cast<std::size_t>(index)] = std::move(value);
  }
}

CLmError CNMessageBase::getPlainPassword(int field, std::string& clear) const {
  const int index = fieldIndex(field, FieldKind::Password);
  if (index < 0) {
    return CLmError(CLmError::Kind::ErrNo, EINVAL, lastFieldFault_, CLM_HERE);
  }
  const auto* password = std::get_if<msg::PasswordString>(&values_[static_cast<std::size_t>(index)]);
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
