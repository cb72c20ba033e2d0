// The cloud fixture the simulator loads: any text is refused with a reason or gives clouds that
// can be installed.
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "bridges/simulator/CloudSimulator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  std::unique_ptr<CloudSimulator> simulator = CloudSimulator::fromJson(fuzzsupport::asText(data, size), error);
  if (simulator == nullptr) {
    fuzzsupport::require(!error.empty(), "a refused fixture says why");
    return 0;
  }
  const CloudSimulator::Installation installed(*simulator);
  fuzzsupport::require(CloudSimulator::installed() == simulator.get(), "a loaded fixture can be installed");
  fuzzsupport::require(simulator->calls().empty(), "a fresh simulator has recorded no call");
  return 0;
}
