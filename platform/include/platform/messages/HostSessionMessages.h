#pragma once
// Messages of the reference host's own sessions (module 9, beside the connection's control
// messages). A console's first frame on a connection opens a session: it names the network entry
// point that is to serve the connection and the number the entry point is called with. The host
// reads it and hands the connection to that entry point.
#include <cstdint>
#include <string>
#include <utility>

#include "platform/CNMessageBase.h"

namespace Host {

class OpenSession : public CNMessageBase {
 public:
  static constexpr msg::MessageTypeId kId{9, 0x110};
  static const msg::MessageType kType;
  static constexpr int kEntryPoint = 1;  // the entry point's exported name
  static constexpr int kArgument = 2;    // the 64-bit number passed beside the connection

  OpenSession() : CNMessageBase(kType) {}
  std::string entryPoint() const { return getstring(kEntryPoint); }
  void setEntryPoint(std::string name) { setstring(kEntryPoint, std::move(name)); }
  std::int64_t argument() const { return getint64(kArgument); }
  void setArgument(std::int64_t value) { setint64(kArgument, value); }
};

}  // namespace Host
