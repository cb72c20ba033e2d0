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

namespace scenarios {
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
                           const std::string& standardErrorFile) {
  int pipeEnds[2];
  if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe2 failed");
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, standardErrorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  const int failed = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeEnds[1]);
  outputFd_ = pipeEnds[0];
  if (failed != 0) {
    ::close(outputFd_);
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
  }
  int status = 0;
  if (::waitpid(pid_, &status, pidFd_ >= 0 ? 0 : WNOHANG) == pid_) {
    status_ = status;
  }
  return status_;
}

void ChildProcess::stop(int graceMs) {
  if (pid_ < 0 || status_) {
    return;
  }
  ::kill(pid_, SIGTERM);
  if (!waitExit(graceMs)) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    status_ = status;
  }
}

}  // namespace scenarios
