#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <utility>

extern char** environ;

namespace testsupport {
namespace {

// Milliseconds left until deadline, for poll.
int remainingMs(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

std::chrono::steady_clock::time_point deadlineIn(int timeoutMs) {
  return std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& standardErrorFile, Mode mode)
    : ownGroup_(mode == Mode::kService) {
  // O_CLOEXEC: no other child inherits these ends, so the child alone holds its pipes open.
  int outputPipe[2];
  if (::pipe2(outputPipe, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe2 failed");
  }
  int inputPipe[2] = {-1, -1};
  if (ownGroup_ && ::pipe2(inputPipe, O_CLOEXEC) != 0) {
    ::close(outputPipe[0]);
    ::close(outputPipe[1]);
    throw std::runtime_error("pipe2 failed");
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, outputPipe[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, standardErrorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  if (ownGroup_) {
    posix_spawn_file_actions_adddup2(&actions, inputPipe[0], STDIN_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  }
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  if (ownGroup_) {
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
  }
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  const int failed = posix_spawn(&pid_, program.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  ::close(outputPipe[1]);
  outputFd_ = outputPipe[0];
  if (ownGroup_) {
    ::close(inputPipe[0]);
    inputFd_ = inputPipe[1];
  }
  if (failed != 0) {
    pid_ = -1;
    ::close(outputFd_);
    if (inputFd_ >= 0) {
      ::close(inputFd_);
    }
    throw std::runtime_error("cannot start " + program);
  }
  pidFd_ = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
}

ChildProcess::~ChildProcess() {
  stop(2000);
  if (outputFd_ >= 0) {
    ::close(outputFd_);
  }
  if (pidFd_ >= 0) {
    ::close(pidFd_);
  }
  if (inputFd_ >= 0) {
    ::close(inputFd_);
  }
}

bool ChildProcess::readMore(int timeoutMs) {
  if (outputEnded_) {
    return false;
  }
  pollfd wait{outputFd_, POLLIN, 0};
  if (::poll(&wait, 1, timeoutMs) <= 0) {
    return false;
  }
  char chunk[4096];
  const ssize_t got = ::read(outputFd_, chunk, sizeof chunk);
  if (got <= 0) {
    outputEnded_ = true;
    return false;
  }
  buffered_.append(chunk, static_cast<std::size_t>(got));
  return true;
}

std::optional<std::string> ChildProcess::readLine(int timeoutMs) {
  const auto deadline = deadlineIn(timeoutMs);
  while (true) {
    if (auto newline = buffered_.find('\n'); newline != std::string::npos) {
      std::string line = buffered_.substr(0, newline);
      buffered_.erase(0, newline + 1);
      return line;
    }
    if (!readMore(remainingMs(deadline)) && (outputEnded_ || remainingMs(deadline) == 0)) {
      return std::nullopt;
    }
  }
}

std::string ChildProcess::readRest(int timeoutMs) {
  const auto deadline = deadlineIn(timeoutMs);
  while (!outputEnded_ && remainingMs(deadline) > 0) {
    readMore(remainingMs(deadline));
  }
  return std::exchange(buffered_, std::string());
}

std::optional<int> ChildProcess::waitExit(int timeoutMs) {
  if (status_ || pid_ < 0) {
    return status_;
  }
  if (pidFd_ >= 0) {
    pollfd wait{pidFd_, POLLIN, 0};
    if (::poll(&wait, 1, timeoutMs) <= 0) {
      return std::nullopt;
    }
  } else {
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOWAIT | WNOHANG) != 0 || info.si_pid == 0) {
      return std::nullopt;
    }
  }
  reap();
  return status_;
}

// A service has exited but is not reaped yet, so its process group id cannot have been reused:
// sweep what is left in the group, then collect the status.
void ChildProcess::reap() {
  if (ownGroup_) {
    ::kill(-pid_, SIGKILL);
  }
  int status = 0;
  if (::waitpid(pid_, &status, 0) == pid_) {
    status_ = status;
  }
}

void ChildProcess::stop(int graceMs) {
  if (inputFd_ >= 0) {
    ::close(inputFd_);
    inputFd_ = -1;
  }
  if (pid_ < 0 || status_) {
    return;
  }
  sendSignal(SIGTERM);
  if (!waitExit(graceMs)) {
    sendSignal(SIGKILL);
    reap();
  }
}

void ChildProcess::sendSignal(int number) const {
  ::kill(ownGroup_ ? -pid_ : pid_, number);
}

}  // namespace testsupport
