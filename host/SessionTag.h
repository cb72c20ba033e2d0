#pragma once
// SessionTag: which connection of the host the calling thread serves, so that the capture file
// can tell apart the lines of connections served side by side (`serve --parallel`).
//
// A connection is served on one thread from its opening frame to its end; the tag marks that
// thread for the scope of the object. Lines written outside any connection carry session 0.
#include <cstdint>

namespace host {

class SessionTag {
 public:
  explicit SessionTag(std::uint64_t session);
  ~SessionTag();
  SessionTag(const SessionTag&) = delete;
  SessionTag& operator=(const SessionTag&) = delete;

  // The session the calling thread serves; 0 outside any.
  static std::uint64_t current();

 private:
  std::uint64_t previous_;
};

}  // namespace host
