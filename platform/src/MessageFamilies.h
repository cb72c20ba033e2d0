#pragma once
// Private to the platform: the pieces the per-family type tables are written with, and the
// lists of types each family registers. To add a family, write its table file and add its list
// to the registry (MessageRegistry.cpp).
#include <memory>
#include <span>
#include <string_view>

#include "platform/CNMessageBase.h"

namespace msg::decl {

template <class T>
std::unique_ptr<CNMessageBase> makeMessage() {
  return CNMessageBase::makeWithStorage<T>();
}

constexpr FieldDecl text(int number, int position, std::string_view xmlName) {
  return {number, position, FieldKind::String, xmlName, {}};
}
constexpr FieldDecl integer(int number, int position, std::string_view xmlName) {
  return {number, position, FieldKind::Int64, xmlName, {}};
}
constexpr FieldDecl object(int number, int position, std::string_view xmlName, MessageTypeId subType) {
  return {number, position, FieldKind::Object, xmlName, subType};
}
constexpr FieldDecl objectList(int number, int position, std::string_view xmlName, MessageTypeId subType) {
  return {number, position, FieldKind::ObjectList, xmlName, subType};
}
constexpr FieldDecl textList(int number, int position, std::string_view xmlName) {
  return {number, position, FieldKind::StringList, xmlName, {}};
}
constexpr FieldDecl password(int number, int position, std::string_view xmlName) {
  return {number, position, FieldKind::Password, xmlName, {}};
}

}  // namespace msg::decl

namespace msg::families {

std::span<const MessageType* const> appTypes();
std::span<const MessageType* const> daxTypes();
std::span<const MessageType* const> evGuiTypes();
std::span<const MessageType* const> kwEntitiesTypes();
// Security, SubclientContent and Session: families of one to three field-less or tiny types.
std::span<const MessageType* const> smallFamilyTypes();
// Host: the reference host's session opening (module 9, MessageTypesHost.cpp).
std::span<const MessageType* const> hostTypes();

}  // namespace msg::families
