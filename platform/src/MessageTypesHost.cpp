// Field table of the reference host's session-opening message (module 9, class 0x110).
#include "MessageFamilies.h"
#include "platform/messages/HostSessionMessages.h"

using msg::decl::makeMessage;

namespace {

using namespace msg::decl;

constexpr msg::FieldDecl kOpenSessionFields[] = {
    text(1, 1, "entryPoint"),
    integer(2, 2, "argument"),
};

}  // namespace

namespace Host {
constinit const msg::MessageType OpenSession::kType{kId, "Host::OpenSession", "OpenSession", kOpenSessionFields,
                                                    &makeMessage<OpenSession>};
}  // namespace Host

namespace msg::families {

std::span<const MessageType* const> hostTypes() {
  static constexpr const MessageType* kTypes[] = {&Host::OpenSession::kType};
  return kTypes;
}

}  // namespace msg::families
