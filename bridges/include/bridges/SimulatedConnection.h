#pragma once
// What a bridge object of Azure, Google Cloud or Alibaba Cloud keeps about its open connection:
// the simulator it was opened on, its serial in the call record and the account it reached; and
// the proxy its calls go through.
#include <cstddef>
#include <cstdint>
#include <string>

namespace cloudbridge {

struct SimulatedConnection {
  std::uint64_t simulator = 0;  // CloudSimulator::identity() of the simulator it was opened on
  std::uint64_t serial = 0;     // the serial RecordedCall::connection names
  std::size_t account = 0;      // index into the fixture's accounts of that cloud
};

// The proxy a bridge's calls go through; an empty address means none.
struct ProxyUse {
  std::string address;  // "host:port"
  std::string user;
  std::string password;
};

}  // namespace cloudbridge
