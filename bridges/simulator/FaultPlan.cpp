#include "FaultPlan.h"

#include <algorithm>

namespace cloudsim {

void FaultPlan::add(CloudBridgeKind bridge, std::string operation, int times, std::string text) {
  pending_.push_back(Pending{bridge, std::move(operation), times, std::move(text)});
}

std::optional<std::string> FaultPlan::takeDue(CloudBridgeKind bridge, std::string_view operation) {
  auto due = std::find_if(pending_.begin(), pending_.end(), [&](const Pending& fault) {
    return fault.bridge == bridge && fault.operation == operation;
  });
  if (due == pending_.end()) return std::nullopt;
  std::string text = due->text;
  if (--due->remaining == 0) pending_.erase(due);
  return text;
}

}  // namespace cloudsim
