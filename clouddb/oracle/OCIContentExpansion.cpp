// An OCI backup set's content resolved into its databases: the tenancy's whole database
// inventory is read once, then each content entry is matched against it in memory.
#include <map>
#include <optional>
#include <string_view>

#include "clouddb/oracle/COracleCloudDBInfo.h"
#include "clouddb/oracle/OracleTexts.h"
#include "platform/FXErrorUtil.h"
#include "platform/FXString.h"
#include "platform/config/ConfigStatus.h"
#include "platform/config/Subclient.h"
#include "platform/messages/SubclientContent.h"

using namespace CloudDBInfoStructs;
namespace texts = clouddb::oracle::texts;

namespace {

constexpr char kTag[] =
    "CLmError COracleCloudDBInfo::ExpandOCIDatabaseSubclientContent(const long unsigned int&, const long unsigned "
    "int&, std::vector<CloudDBInfoStructs::DiscoverOCIDBResponse>&)";
constexpr char kSourceFile[] = "OracleCloudDBInfo";
constexpr std::int64_t kErrorCode = 774;
constexpr int kLevelInventory = 3;

// Path segments of the entries: tenancy/compartment/domain/system/home/database.
constexpr std::size_t kCompartmentSegment = 1;
constexpr std::size_t kDbSystemSegment = 3;
constexpr std::size_t kDatabaseSegment = 5;

// Database id to the database with its ancestry, in byte-wise id order.
using Inventory = std::map<std::string, DiscoverOCIDBResponse>;

CLmError failure(EvEvent& log, const char* text, int line) {
  log.Error(kTag, "%s", text);
  return FXErrorUtil::ErrorErrNo(CLmLocation{kSourceFile, kTag, line}, kErrorCode, "%s", text);
}

DiscoverOCIDBResponse resolved(const VMInfoStructs::SHostInfo& compartment, const SOCIDatabaseInfo& database,
                               const SOCIDbSystemInfo& system, const SOCIDbHomeInfo& home) {
  DiscoverOCIDBResponse entry;
  entry.compartment = compartment;
  entry.database = database;
  entry.dbSystem = system;
  entry.dbHome = home;
  return entry;
}

// Reads every database of the connected tenancy. A compartment whose DB systems cannot be
// listed is skipped (logged); any other failure ends the walk.
CLmError buildInventory(COracleCloudDBInfo& provider, EvEvent& log, Inventory& inventory) {
  std::vector<VMInfoStructs::SHostInfo> compartments;
  if (provider.GetCompartmentList(compartments) != 1) {
    return failure(log, texts::kCompartmentInfoListFailed, __LINE__);
  }
  for (const VMInfoStructs::SHostInfo& compartment : compartments) {
    std::vector<SOCIDbSystemInfo> systems;
    if (provider.GetDbSystemList(systems, compartment.identifier) != 1) {
      log.Error(kTag, texts::kDbSystemInfoListFailed);
      continue;
    }
    for (const SOCIDbSystemInfo& system : systems) {
      std::vector<SOCIDbHomeInfo> homes;
      if (provider.GetDbHomeList(homes, compartment.identifier, system.id) != 1) {
        return failure(log, texts::kDbHomeInfoListFailed, __LINE__);
      }
      for (const SOCIDbHomeInfo& home : homes) {
        std::vector<SOCIDatabaseInfo> databases;
        if (provider.GetOCIDBInstanceList(databases, compartment.identifier, home.id) != 1) {
          return failure(log, texts::kOciDatabaseInfoListFailed, __LINE__);
        }
        for (const SOCIDatabaseInfo& database : databases) {
          log.DebugLvl(kTag, kLevelInventory, texts::kAddedDb, database.dbName.c_str(), database.id.c_str(),
                       compartment.identifier.c_str(), home.id.c_str(), system.id.c_str());
          // The first sighting of an id wins.
          inventory.try_emplace(database.id, resolved(compartment, database, system, home));
        }
      }
    }
  }
  return {};
}

template <class Matches>
void appendMatching(const Inventory& inventory, std::vector<DiscoverOCIDBResponse>& out, Matches matches) {
  for (const auto& [id, entry] : inventory) {
    if (matches(entry)) out.push_back(entry);
  }
}

// Matches the entries in order; false when an entry ends the expansion with a failure.
CLmError matchContent(const SubclientContent::OCIDatabaseContent& content, const Inventory& inventory, EvEvent& log,
                      std::vector<DiscoverOCIDBResponse>& out) {
  for (const SubclientContent::OCIDatabaseEntry& entry : content.entries()) {
    const std::string path = entry.path();
    log.Error(kTag, texts::kPathForDiscover, path.c_str());
    const std::int64_t type = entry.entryType();
    if (type == VirtualServer::VS_OBJ_ALL) {
      log.Error(kTag, texts::kSelectedAll);
      out.clear();
      appendMatching(inventory, out, [](const DiscoverOCIDBResponse&) { return true; });
      return {};  // everything is in; later entries cannot add to it
    }
    if (path.empty()) {
      return failure(log, texts::kEmptyPath, __LINE__);
    }
    if (type == VirtualServer::VS_OBJ_DATABASE) {
      const std::optional<std::string_view> databaseId = FXString::Segment(path, '/', kDatabaseSegment);
      if (!databaseId) {
        log.Error(kTag, texts::kDbPathNotSet);
        continue;
      }
      if (auto found = inventory.find(std::string(*databaseId)); found != inventory.end()) {
        out.push_back(found->second);
      }
    } else if (type == VirtualServer::VS_OBJ_COMPARTMENT) {
      if (const std::optional<std::string_view> compartmentId = FXString::Segment(path, '/', kCompartmentSegment)) {
        appendMatching(inventory, out, [&](const DiscoverOCIDBResponse& resolvedEntry) {
          return resolvedEntry.compartment.identifier == *compartmentId;
        });
      }
    } else if (type == VirtualServer::VS_OBJ_DB_SYSTEM) {
      if (const std::optional<std::string_view> systemId = FXString::Segment(path, '/', kDbSystemSegment)) {
        appendMatching(inventory, out, [&](const DiscoverOCIDBResponse& resolvedEntry) {
          return resolvedEntry.dbSystem.id == *systemId;
        });
      }
    } else {
      log.Error(kTag, texts::kLevelNotSupported);
    }
  }
  return {};
}

}  // namespace

CLmError COracleCloudDBInfo::ExpandOCIDatabaseSubclientContent(const unsigned long& subclientId,
                                                               const unsigned long& instanceId,
                                                               std::vector<DiscoverOCIDBResponse>& out) {
  log_.Error(kTag, texts::kDiscoverInstances, subclientId, instanceId);
  if (instanceId == 0) {
    log_.Error(kTag, texts::kInstanceIdNotSet, instanceId);
    return failure(log_, texts::kInstanceIdInvalid, __LINE__);
  }
  if (subclientId == 0) {
    log_.Error(kTag, texts::kSubclientIdNotSet, subclientId);
    return failure(log_, texts::kSubclientIdInvalid, __LINE__);
  }
  std::string contentXml;
  OracleCloudSubclient(subclientId).getContentXML(contentXml, nullptr);
  if (contentXml.empty()) {
    return failure(log_, texts::kContentEmpty, __LINE__);
  }
  SubclientContent::OCIDatabaseContent content;
  if (content.unserialize(contentXml).IsFailure()) {
    return failure(log_, texts::kContentUnparsable, __LINE__);
  }
  log_.DebugMessage(kTag, EvDebug::kDebugLevel, texts::kContentIs, content);

  COracleCloudDBInfo provider(OracleCloudSDKCppBridge::kModeInfrastructure);
  std::string tenancyId;
  if (!provider.connectInfrastructure(instanceId, tenancyId)) {
    provider.Disconnect();
    return failure(log_, texts::kConnectionFailed, __LINE__);
  }
  Inventory inventory;
  CLmError result = buildInventory(provider, log_, inventory);
  if (result.IsSuccess()) {
    result = matchContent(content, inventory, log_, out);
  }
  provider.Disconnect();
  return result;
}
