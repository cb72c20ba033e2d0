#pragma once
// The regions an instance allows, as its configuration lists them.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/EvEvent.h"

// Logs each region of the list; a list holding "default" means no constraint and is emptied.
void GetRegionsForInstance(std::vector<std::string>& regions, unsigned long instanceId);

namespace clouddb::entry {

// Reads the region end points of the instance through the configuration class of its AWS
// instance type (4, 22, 26 or 27) and applies GetRegionsForInstance. A failed read is logged
// and leaves regions empty (no constraint); the result is the read's code.
int readInstanceRegions(std::int64_t instanceType, std::uint64_t instanceId, std::vector<std::string>& regions,
                        EvEvent& log, const char* tag);

}  // namespace clouddb::entry
