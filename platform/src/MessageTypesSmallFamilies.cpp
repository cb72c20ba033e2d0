// The field tables of the small families: Security (module 20), SubclientContent (module 26)
// and the field-less control messages of Session (module 9).
#include "MessageFamilies.h"
#include "platform/messages/Security.h"
#include "platform/messages/Session.h"
#include "platform/messages/SubclientContent.h"

using msg::decl::makeMessage;

namespace {

using namespace msg::decl;

constexpr msg::FieldDecl kUserPasswordFields[] = {
    text(1, 1, "user"),
    password(5, 5, "password"),
};
constexpr msg::FieldDecl kOCIDatabaseEntryFields[] = {
    integer(7, 7, "entryType"),
    text(8, 8, "path"),
};
constexpr msg::FieldDecl kOCIDatabaseContentFields[] = {
    objectList(1, 1, "entry", SubclientContent::OCIDatabaseEntry::kId),
};

}  // namespace

namespace Security {
constinit const msg::MessageType UserPassword::kType{kId, "Security::UserPassword", "UserPassword",
                                                     kUserPasswordFields, &makeMessage<UserPassword>};
}  // namespace Security

namespace SubclientContent {
constinit const msg::MessageType OCIDatabaseEntry::kType{kId, "SubclientContent::OCIDatabaseEntry",
                                                         "OCIDatabaseEntry", kOCIDatabaseEntryFields,
                                                         &makeMessage<OCIDatabaseEntry>};
constinit const msg::MessageType OCIDatabaseContent::kType{kId, "SubclientContent::OCIDatabaseContent",
                                                           "OCIDatabaseContent", kOCIDatabaseContentFields,
                                                           &makeMessage<OCIDatabaseContent>};
}  // namespace SubclientContent

namespace Session {
constinit const msg::MessageType DisconnectReq::kType{kId, "Session::DisconnectReq", "DisconnectReq", {},
                                                      &makeMessage<DisconnectReq>};
constinit const msg::MessageType DisconnectReply::kType{kId, "Session::DisconnectReply", "DisconnectReply", {},
                                                        &makeMessage<DisconnectReply>};
constinit const msg::MessageType AbortNotice::kType{kId, "Session::AbortNotice", "AbortNotice", {},
                                                    &makeMessage<AbortNotice>};
}  // namespace Session

namespace msg::families {

std::span<const MessageType* const> smallFamilyTypes() {
  static constexpr const MessageType* kTypes[] = {
      &Security::UserPassword::kType,         &SubclientContent::OCIDatabaseContent::kType,
      &SubclientContent::OCIDatabaseEntry::kType, &Session::DisconnectReq::kType,
      &Session::DisconnectReply::kType,       &Session::AbortNotice::kType,
  };
  return kTypes;
}

}  // namespace msg::families
