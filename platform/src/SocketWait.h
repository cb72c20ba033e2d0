#pragma once
// Waiting on a socket against a deadline, shared by the frame channel, the console side's
// connect and the listener's accept. The deadline is read from the platform clock.
#include <chrono>
#include <optional>

#include "platform/CLmError.h"

namespace kwnet {

class Deadline {
 public:
  // A negative number of seconds means no deadline.
  explicit Deadline(int timeoutSeconds);

  // Milliseconds left for poll: -1 without a deadline, 0 once it has passed.
  int pollMilliseconds() const;
  int timeoutSeconds() const { return timeoutSeconds_; }

 private:
  int timeoutSeconds_;
  std::optional<std::chrono::steady_clock::time_point> end_;
};

// Waits until fd is ready for events (POLLIN or POLLOUT); kTimedOut when the deadline passes.
// An error or hang-up condition counts as ready: the following call reports what happened.
CLmError waitReady(int fd, short events, const Deadline& deadline, const char* waitingFor);

}  // namespace kwnet
