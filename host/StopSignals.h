#pragma once
// StopSignals: SIGINT and SIGTERM as a readable descriptor, so the serve loop can wait for a
// connection and for a stop in one poll and stop between calls, never inside a signal handler.
//
// Made before any thread starts: it blocks both signals for the calling thread, and threads
// started afterwards inherit the mask, so the signals are only ever seen through fd(). The
// previous mask is restored when the object dies. There is no handler and no global state.
// A signal that the host was started with ignored (as a shell does for SIGINT of a background
// job) is set back to its default disposition while installed, or it would never arrive; being
// blocked, it still only arrives through fd().
#include <signal.h>

#include <memory>

#include "platform/CLmError.h"
#include "platform/SocketFd.h"

namespace host {

class StopSignals {
 public:
  static CLmError install(std::unique_ptr<StopSignals>& signals);
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // Readable once a stop signal is pending.
  int fd() const { return fd_.get(); }
  // Reads one pending signal; its number, or 0 when none was pending.
  int take();

 private:
  StopSignals(kwnet::SocketFd fd, const sigset_t& previousMask, const struct sigaction& previousInt,
              const struct sigaction& previousTerm);

  kwnet::SocketFd fd_;  // a signalfd: owned and closed like any descriptor
  sigset_t previousMask_;
  struct sigaction previousInt_;
  struct sigaction previousTerm_;
};

}  // namespace host
