#pragma once
// The static CreateObject and DeleteObject helpers of the relational providers: make or destroy
// a provider on the heap between "Start >>>" and "End <<<" lines tagged with the helper's name.
#include "clouddb/core/AwsTexts.h"
#include "platform/EvEvent.h"

namespace clouddb::core {

inline constexpr int kProviderObjectLogLevel = 2;

template <class Provider>
Provider* createProviderObject() {
  EvEvent log;
  log.DebugLvl("CreateObject", kProviderObjectLogLevel, "%s", kStart);
  auto* object = new Provider();
  log.DebugLvl("CreateObject", kProviderObjectLogLevel, "%s", kEnd);
  return object;
}

// What DeleteObject logs after a null object differs between providers: endEvenWhenNull says.
template <class Provider>
void deleteProviderObject(Provider* object, bool endEvenWhenNull) {
  EvEvent log;
  log.DebugLvl("DeleteObject", kProviderObjectLogLevel, "%s", kStart);
  const bool given = object != nullptr;
  delete object;
  if (given || endEvenWhenNull) {
    log.DebugLvl("DeleteObject", kProviderObjectLogLevel, "%s", kEnd);
  }
}

}  // namespace clouddb::core
