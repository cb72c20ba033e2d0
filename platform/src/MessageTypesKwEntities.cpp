// The field tables of the KwEntities family (module 18).
#include "MessageFamilies.h"
#include "platform/messages/KwEntities.h"

using msg::decl::makeMessage;

namespace {

using namespace msg::decl;

constexpr msg::FieldDecl kInstanceEntityFields[] = {integer(19, 19, "instanceId")};
// The field ids of this type are its positions.
constexpr msg::FieldDecl kClientInstanceEntityFields[] = {
    integer(19, 0x253646, "clientId"),
    integer(0, 0xC3CC90, "instanceId"),
};
constexpr msg::FieldDecl kClientReferenceFields[] = {integer(0, 0, "clientId")};
constexpr msg::FieldDecl kClientEntityFields[] = {integer(17, 17, "clientId")};
constexpr msg::FieldDecl kVirtualServerInstanceEntityFields[] = {integer(3, 3, "instanceId")};
constexpr msg::FieldDecl kCloudInstanceEntityFields[] = {
    integer(5, 5, "kind"),
    integer(9, 9, "instanceId"),
};
constexpr msg::FieldDecl kNamedEntityFields[] = {text(1, 1, "name")};
constexpr msg::FieldDecl kVirtualMachineEntityFields[] = {text(4, 4, "hostName")};

}  // namespace

namespace KwEntities {

constinit const msg::MessageType InstanceEntity::kType{kId, "KwEntities::InstanceEntity", "InstanceEntity",
                                                       kInstanceEntityFields, &makeMessage<InstanceEntity>};
constinit const msg::MessageType ClientInstanceEntity::kType{
    kId, "KwEntities::ClientInstanceEntity", "ClientInstanceEntity", kClientInstanceEntityFields,
    &makeMessage<ClientInstanceEntity>, kTagId};
constinit const msg::MessageType ClientReference::kType{kId, "KwEntities::ClientReference", "ClientReference",
                                                        kClientReferenceFields, &makeMessage<ClientReference>};
constinit const msg::MessageType ClientEntity::kType{kId, "KwEntities::ClientEntity", "ClientEntity",
                                                     kClientEntityFields, &makeMessage<ClientEntity>};
constinit const msg::MessageType VirtualServerInstanceEntity::kType{
    kId, "KwEntities::VirtualServerInstanceEntity", "VirtualServerInstanceEntity",
    kVirtualServerInstanceEntityFields, &makeMessage<VirtualServerInstanceEntity>};
constinit const msg::MessageType CloudInstanceEntity::kType{kId, "KwEntities::CloudInstanceEntity",
                                                            "CloudInstanceEntity", kCloudInstanceEntityFields,
                                                            &makeMessage<CloudInstanceEntity>};
constinit const msg::MessageType NamedEntity::kType{kId, "KwEntities::NamedEntity", "NamedEntity",
                                                    kNamedEntityFields, &makeMessage<NamedEntity>};
constinit const msg::MessageType VirtualMachineEntity::kType{kId, "KwEntities::VirtualMachineEntity",
                                                             "VirtualMachineEntity", kVirtualMachineEntityFields,
                                                             &makeMessage<VirtualMachineEntity>};

}  // namespace KwEntities

namespace msg::families {

std::span<const MessageType* const> kwEntitiesTypes() {
  static constexpr const MessageType* kTypes[] = {
      &KwEntities::InstanceEntity::kType,      &KwEntities::ClientInstanceEntity::kType,
      &KwEntities::ClientReference::kType,     &KwEntities::ClientEntity::kType,
      &KwEntities::VirtualServerInstanceEntity::kType, &KwEntities::CloudInstanceEntity::kType,
      &KwEntities::NamedEntity::kType,         &KwEntities::VirtualMachineEntity::kType,
  };
  return kTypes;
}

}  // namespace msg::families
