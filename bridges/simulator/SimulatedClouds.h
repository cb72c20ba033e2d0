#pragma once
// Everything the simulator guards with its mutex: the clouds as they are now (changed by the
// calls that change them, such as snapshot deletes), the faults still due and the call record.
#include <cstdint>
#include <vector>

#include "FaultPlan.h"
#include "FixtureModel.h"
#include "bridges/simulator/CloudSimulator.h"

namespace cloudsim {

struct SimulatedClouds {
  CloudFixture fixture;
  FaultPlan faults;
  std::vector<RecordedCall> calls;
  bool keepCalls = true;
  CloudSimulator::CallObserver callObserver;
  std::uint64_t connectionsOpened = 0;
};

}  // namespace cloudsim
