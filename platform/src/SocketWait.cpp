#include "SocketWait.h"

#include <poll.h>

#include <cerrno>
#include <string>

#include "platform/Clock.h"
#include "platform/HostEnvironment.h"
#include "platform/NetworkErrors.h"

namespace kwnet {

namespace {
std::chrono::steady_clock::time_point steadyNow() { return HostEnvironment::current().clockOrSystem().steadyNow(); }
}  // namespace

Deadline::Deadline(int timeoutSeconds) : timeoutSeconds_(timeoutSeconds) {
  if (timeoutSeconds >= 0) {
    end_ = steadyNow() + std::chrono::seconds(timeoutSeconds);
  }
}

int Deadline::pollMilliseconds() const {
  if (!end_) {
    return -1;
  }
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*end_ - steadyNow()).count();
  return left <= 0 ? 0 : static_cast<int>(left);
}

CLmError waitReady(int fd, short events, const Deadline& deadline, const char* waitingFor) {
  for (;;) {
    pollfd entry{fd, events, 0};
    const int ready = ::poll(&entry, 1, deadline.pollMilliseconds());
    if (ready > 0) {
      return {};
    }
    if (ready == 0) {
      return networkError(kTimedOut,
                          std::string("Timed out after ") + std::to_string(deadline.timeoutSeconds()) +
                              " seconds waiting for " + waitingFor,
                          CLM_HERE);
    }
    if (errno != EINTR) {
      return systemCallError("poll", errno, CLM_HERE);
    }
  }
}

}  // namespace kwnet
