#pragma once
// The faults still to inject: "fail the next N calls of operation X of bridge B with text T".
// Faults for one operation are used up in the order they were planned.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bridges/simulator/CloudSimulator.h"

namespace cloudsim {

class FaultPlan {
 public:
  void add(CloudBridgeKind bridge, std::string operation, int times, std::string text);
  // The text of the fault due for this call (using one up), or nullopt when none is due.
  std::optional<std::string> takeDue(CloudBridgeKind bridge, std::string_view operation);
  void clear() { pending_.clear(); }

 private:
  struct Pending {
    CloudBridgeKind bridge;
    std::string operation;
    int remaining;
    std::string text;
  };
  std::vector<Pending> pending_;
};

}  // namespace cloudsim
