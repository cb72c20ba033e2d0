#pragma once
// The address of a Unix socket path, shared by the console side's connect and the listener.
#include <sys/socket.h>
#include <sys/un.h>

#include <string>

#include "platform/CLmError.h"

namespace kwnet {

// Fills address for path; fails for an empty path or one longer than the socket address holds.
CLmError makeUnixAddress(const std::string& path, sockaddr_un& address);

}  // namespace kwnet
