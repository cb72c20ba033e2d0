#pragma once
// ChildProcess: a program a test runs beside itself (clouddb-host, a peer server).
//
// Started with posix_spawn, its standard output on a pipe the test reads and its standard error
// in a file (shown when a test fails). Waiting is bounded: readLine and waitExit take a time-out.
// Whatever happens to the test, nothing is left running: the destructor stops the child and reaps
// it, and a service's input pipe ends even when the test process itself is killed.
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace testsupport {

class ChildProcess {
 public:
  enum class Mode {
    // Standard input /dev/null, in the test's process group (a Ctrl-C reaches it too).
    kTool,
    // A process group of its own, stopped as a whole; standard input a pipe that stays open
    // until stop() or the end of the test process, which the peers take as their cue to exit.
    kService,
  };

  // Starts program with arguments (argv[0] is the program); throws std::runtime_error on failure.
  ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
               const std::string& standardErrorFile, Mode mode = Mode::kTool);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The next line of standard output, or nullopt at the end of output or after timeoutMs.
  std::optional<std::string> readLine(int timeoutMs);
  // Everything still to come on standard output, until it ends or timeoutMs passes.
  std::string readRest(int timeoutMs);
  // The exit status (as waitpid reports it), or nullopt when the child still runs after timeoutMs.
  // Once a service has exited, whatever it left in its process group is killed.
  std::optional<int> waitExit(int timeoutMs);
  // SIGTERM (a service: its input closed and the signal sent to its group), then SIGKILL when the
  // child does not go within graceMs; reaps it.
  void stop(int graceMs);

 private:
  bool readMore(int timeoutMs);
  void reap();
  void sendSignal(int number) const;

  pid_t pid_ = -1;
  int pidFd_ = -1;     // readable once the child has exited
  int outputFd_ = -1;  // the read end of the child's standard output
  int inputFd_ = -1;   // the write end of a service's standard input
  bool ownGroup_ = false;
  std::string buffered_;
  bool outputEnded_ = false;
  std::optional<int> status_;
};

}  // namespace testsupport
