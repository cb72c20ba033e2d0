#pragma once
// How a bridge runs one call on the installed simulator. The bridges link this; the product
// never sees it.
#include <functional>
#include <optional>
#include <string>

#include "SimulatedClouds.h"
#include "bridges/simulator/CloudSimulator.h"

namespace cloudsim {

// The cloud's error text for a failed call; nullopt for success.
using CallFailure = std::optional<std::string>;

// The work of one call on the simulated clouds. It may complete the call's record (Connect
// stores the serial of the connection it opened).
using CloudWork = std::function<CallFailure(SimulatedClouds& clouds, RecordedCall& record)>;

class SimulatorAccess {
 public:
  // Under the simulator's lock: fails the call with the fault text when a fault is due, else
  // runs work; then appends the call, with its outcome, to the record.
  static CallFailure run(CloudSimulator& simulator, RecordedCall call, const CloudWork& work);

  // As run, for a call that also speaks to a real peer (an HTTP service): when the fault plan
  // and work let it through, peer runs without the simulator's lock, so a slow peer holds up no
  // other bridge; the call is recorded once peer has answered.
  static CallFailure runWithPeer(CloudSimulator& simulator, RecordedCall call, const CloudWork& work,
                                 const std::function<CallFailure()>& peer);
};

// The text every bridge call reports when no simulator is installed.
inline constexpr const char* kNoSimulatorInstalled = "no cloud simulator installed";

}  // namespace cloudsim
