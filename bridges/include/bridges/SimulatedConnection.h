#pragma once
// What a bridge object of Azure, Google Cloud or Alibaba Cloud keeps about its open connection:
// the simulator it was opened on, its serial in the call record and the account it reached.
#include <cstddef>
#include <cstdint>

namespace cloudbridge {

struct SimulatedConnection {
  std::uint64_t simulator = 0;  // CloudSimulator::identity() of the simulator it was opened on
  std::uint64_t serial = 0;     // the serial RecordedCall::connection names
  std::size_t account = 0;      // index into the fixture's accounts of that cloud
};

}  // namespace cloudbridge
