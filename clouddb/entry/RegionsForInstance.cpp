#include "clouddb/entry/RegionsForInstance.h"

#include <algorithm>

#include "clouddb/entry/BrowseTexts.h"
#include "platform/config/CloudAppsInstance.h"

namespace {
constexpr char kTag[] = "GetRegionsForInstance";
}

void GetRegionsForInstance(std::vector<std::string>& regions, unsigned long instanceId) {
  EvEvent log;
  for (const std::string& region : regions) {
    log.Debug(kTag, clouddb::entry::texts::kRegionFound, instanceId, region.c_str());
  }
  if (std::find(regions.begin(), regions.end(), clouddb::entry::texts::kDefaultRegion) != regions.end()) {
    regions.clear();
  }
}

namespace clouddb::entry {
namespace {

template <typename InstanceClass>
int readRegionEndPoints(std::uint64_t instanceId, std::vector<std::string>& regions) {
  const InstanceClass instance(instanceId);
  return instance.getRegionEndPoints(regions);
}

}  // namespace

int readInstanceRegions(std::int64_t instanceType, std::uint64_t instanceId, std::vector<std::string>& regions,
                        EvEvent& log, const char* tag) {
  regions.clear();
  int result = 0;
  switch (instanceType) {
    case 4: result = readRegionEndPoints<RDSInstance>(instanceId, regions); break;
    case 22: result = readRegionEndPoints<AmazonDynamoDBInstance>(instanceId, regions); break;
    case 26: result = readRegionEndPoints<AmazonRedshiftInstance>(instanceId, regions); break;
    case 27: result = readRegionEndPoints<AmazonDocumentDBInstance>(instanceId, regions); break;
    default: result = readRegionEndPoints<CloudAppsInstance>(instanceId, regions); break;
  }
  if (result != 0) {
    log.Error(tag, texts::kRegionsNotObtained, static_cast<unsigned long>(instanceId), result);
    regions.clear();
    return result;
  }
  GetRegionsForInstance(regions, static_cast<unsigned long>(instanceId));
  return 0;
}

}  // namespace clouddb::entry
