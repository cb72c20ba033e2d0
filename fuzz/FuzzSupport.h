#pragma once
// What the fuzz targets share: the entry function every target defines, a check that stops the
// run on a broken property (libFuzzer and the replay driver both report an abort as a failure,
// with the input that caused it), and the read-only files of the example setup.
#include <sys/socket.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

#include "platform/SocketFd.h"

#ifndef CLOUDDB_SOURCE_DIR
#error "CLOUDDB_SOURCE_DIR must name the source tree (for the examples/ files)"
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzzsupport {

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A broken property is a finding: say which, and abort so the input is kept as a crash.
inline void require(bool holds, const char* property) {
  if (!holds) {
    std::fprintf(stderr, "fuzz property broken: %s\n", property);
    std::abort();
  }
}

// A file of the example setup; a missing one stops the run, since every input would be wasted.
inline std::string exampleFile(const std::string& name) {
  const std::string path = std::string(CLOUDDB_SOURCE_DIR) + "/examples/" + name;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "fuzz set-up: cannot read %s\n", path.c_str());
    std::abort();
  }
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string examplePath(const std::string& name) {
  return std::string(CLOUDDB_SOURCE_DIR) + "/examples/" + name;
}

// Two connected stream sockets; aborts when the system has none left, which no input causes.
inline std::pair<kwnet::SocketFd, kwnet::SocketFd> socketPair() {
  int ends[2];
  require(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) == 0, "socketpair succeeds");
  return {kwnet::SocketFd(ends[0]), kwnet::SocketFd(ends[1])};
}

// Writes all of bytes into a socket whose buffer holds them (callers bound their input so).
inline bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (written <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace fuzzsupport
