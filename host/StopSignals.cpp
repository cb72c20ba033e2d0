#include "StopSignals.h"

#include <signal.h>
#include <sys/signalfd.h>

#include <cerrno>
#include <cstring>

namespace host {
namespace {

sigset_t stopSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  return set;
}

}  // namespace

CLmError StopSignals::install(std::unique_ptr<StopSignals>& signals) {
  const sigset_t set = stopSet();
  sigset_t previous;
  if (int failure = pthread_sigmask(SIG_BLOCK, &set, &previous); failure != 0) {
    return CLmError(-failure, std::string("cannot block the stop signals: ") + std::strerror(failure));
  }
  const int fd = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
  if (fd < 0) {
    const int saved = errno;
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return CLmError(-saved, std::string("cannot watch the stop signals: ") + std::strerror(saved));
  }
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  struct sigaction previousInt {};
  struct sigaction previousTerm {};
  sigaction(SIGINT, &byDefault, &previousInt);
  sigaction(SIGTERM, &byDefault, &previousTerm);
  signals.reset(new StopSignals(kwnet::SocketFd(fd), previous, previousInt, previousTerm));
  return {};
}

StopSignals::StopSignals(kwnet::SocketFd fd, const sigset_t& previousMask, const struct sigaction& previousInt,
                         const struct sigaction& previousTerm)
    : fd_(std::move(fd)), previousMask_(previousMask), previousInt_(previousInt), previousTerm_(previousTerm) {}

StopSignals::~StopSignals() {
  fd_.reset();
  sigaction(SIGINT, &previousInt_, nullptr);
  sigaction(SIGTERM, &previousTerm_, nullptr);
  pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
}

int StopSignals::take() {
  signalfd_siginfo info{};
  const ssize_t got = ::read(fd_.get(), &info, sizeof(info));
  return got == static_cast<ssize_t>(sizeof(info)) ? static_cast<int>(info.ssi_signo) : 0;
}

}  // namespace host
