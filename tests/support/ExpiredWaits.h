#pragma once
// For the lifetime of the object, every wait through the platform clock has run out by the time
// it is checked: the installed clock moves on a second at every reading. Time-outs are then
// reached at once instead of after real seconds, and data that is already there is still read.
#include <chrono>
#include <optional>

#include "platform/Clock.h"
#include "platform/HostEnvironment.h"

namespace testsupport {

class ExpiredWaits {
 public:
  ExpiredWaits() {
    clock_.advanceOnEveryRead(std::chrono::seconds(1));
    environment_.clock = &clock_;
    installed_.emplace(environment_);
  }

 private:
  FakeClock clock_;
  HostEnvironment environment_;
  std::optional<HostEnvironment::Installation> installed_;
};

}  // namespace testsupport
