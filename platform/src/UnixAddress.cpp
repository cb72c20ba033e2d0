#include "UnixAddress.h"

#include <cstring>

#include "platform/NetworkErrors.h"

namespace kwnet {

CLmError makeUnixAddress(const std::string& path, sockaddr_un& address) {
  address = sockaddr_un{};
  address.sun_family = AF_UNIX;
  // The path must fit with its terminating NUL; a silently cut path would name another socket.
  if (path.empty() || path.size() >= sizeof address.sun_path) {
    return networkError(kInvalidArgument,
                        "Unix socket path [" + path + "] is empty or longer than " +
                            std::to_string(sizeof address.sun_path - 1) + " characters",
                        CLM_HERE);
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return {};
}

}  // namespace kwnet
