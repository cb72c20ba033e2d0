#pragma once
// ChildProcess: one clouddb-host run by the scenario driver.
//
// Started with posix_spawn, its standard output on a pipe the driver reads and its standard
// error in a file (shown when a scenario fails). Waiting is bounded: readLine and waitExit take a
// time-out, and a child that outlives the object is killed and reaped in the destructor, so no
// scenario leaves a process behind, whatever happens to the test.
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace scenarios {

class ChildProcess {
 public:
  // Starts program with arguments (argv[0] is the program); throws std::runtime_error on failure.
  ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
               const std::string& standardErrorFile);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The next line of standard output, or nullopt at the end of output or after timeoutMs.
  std::optional<std::string> readLine(int timeoutMs);
  // Everything still to come on standard output, until it ends or timeoutMs passes.
  std::string readRest(int timeoutMs);
  // The exit status (as waitpid reports it), or nullopt when the child still runs after timeoutMs.
  std::optional<int> waitExit(int timeoutMs);
  // SIGTERM, then SIGKILL when it does not go within graceMs; reaps it.
  void stop(int graceMs);

 private:
  bool readMore(int timeoutMs);

  pid_t pid_ = -1;
  int pidFd_ = -1;     // readable once the child has exited
  int outputFd_ = -1;  // the read end of the child's standard output
  std::string buffered_;
  bool outputEnded_ = false;
  std::optional<int> status_;
};

}  // namespace scenarios
