#pragma once
// Keeps every exception inside the library: an entry point runs its body through guardEntry,
// which logs anything that escapes and returns normally.
#include <exception>

#include "platform/EvEvent.h"

namespace clouddb::entry {

inline constexpr char kUnexpectedFailure[] = "Unexpected failure, the request is abandoned: %s";

template <typename Body>
void guardEntry(const char* tag, Body&& body) noexcept {
  try {
    body();
  } catch (const std::exception& failure) {
    try {
      EvEvent log;
      log.Error(tag, kUnexpectedFailure, failure.what());
    } catch (...) {
      // Nothing more can be done without memory to log with.
    }
  } catch (...) {
    try {
      EvEvent log;
      log.Error(tag, kUnexpectedFailure, "unknown exception");
    } catch (...) {
    }
  }
}

}  // namespace clouddb::entry
