// The field tables of the EVGui family (module 13).
#include "MessageFamilies.h"
#include "platform/messages/EVGui.h"

using msg::decl::makeMessage;

namespace {

using namespace msg::decl;

constexpr msg::FieldDecl kVMInventoryInfoFields[] = {
    text(1, 1, "displayName"),
    integer(5, 5, "nodeType"),
    text(6, 6, "objectPath"),
};
constexpr msg::FieldDecl kOracleCloudTreeReqFields[] = {
    text(2, 2, "path"),
    object(1, 1, "instance", KwEntities::VirtualServerInstanceEntity::kId),
};
constexpr msg::FieldDecl kOracleCloudTreeRespFields[] = {
    objectList(1, 1, "node", EVGui::VMInventoryInfo::kId),
};

}  // namespace

namespace EVGui {

constinit const msg::MessageType VMInventoryInfo::kType{kId, "EVGui::VMInventoryInfo", "VMInventoryInfo",
                                                        kVMInventoryInfoFields, &makeMessage<VMInventoryInfo>};
constinit const msg::MessageType OracleCloudTreeReq::kType{kId, "EVGui::OracleCloudTreeReq", "OracleCloudTreeReq",
                                                           kOracleCloudTreeReqFields, &makeMessage<OracleCloudTreeReq>};
constinit const msg::MessageType OracleCloudTreeResp::kType{kId, "EVGui::OracleCloudTreeResp",
                                                            "OracleCloudTreeResp", kOracleCloudTreeRespFields,
                                                            &makeMessage<OracleCloudTreeResp>};

}  // namespace EVGui

namespace msg::families {

std::span<const MessageType* const> evGuiTypes() {
  static constexpr const MessageType* kTypes[] = {
      &EVGui::OracleCloudTreeReq::kType,
      &EVGui::OracleCloudTreeResp::kType,
      &EVGui::VMInventoryInfo::kType,
  };
  return kTypes;
}

}  // namespace msg::families
