#include "UnsupportedCall.h"

#include "SimulatorAccess.h"

namespace cloudsim {

bool failUnsupported(CloudBridgeKind bridge, const char* operation, std::vector<std::string> arguments,
                     std::string& lastError) {
  CloudSimulator* simulator = CloudSimulator::installed();
  if (simulator == nullptr) {
    lastError = kNoSimulatorInstalled;
    return false;
  }
  RecordedCall record;
  record.bridge = bridge;
  record.operation = operation;
  record.arguments = std::move(arguments);
  const CallFailure failure = SimulatorAccess::run(*simulator, std::move(record), [&](SimulatedClouds&, RecordedCall&) {
    return CallFailure(std::string(operation) + " is not supported by this simulator yet");
  });
  lastError = failure.value_or("");
  return false;
}

}  // namespace cloudsim
