#include "clouddb/oracle/OracleCloudTree.h"

#include <string>
#include <string_view>
#include <vector>

#include "clouddb/oracle/COracleCloudDBInfo.h"
#include "clouddb/oracle/OracleBrowsePath.h"
#include "clouddb/oracle/OracleTexts.h"

using namespace CloudDBInfoStructs;

namespace clouddb::oracle {
namespace {

constexpr const char* kTag = kOracleCloudTreeTag;

std::string joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  const char* separator = "";
  for (std::string_view part : parts) {
    text += separator;
    text += part;
    separator = "/";
  }
  return text;
}

void addNode(EVGui::OracleCloudTreeResp& response, VirtualServer::VSObjType type, std::string displayName,
             std::string objectPath) {
  EVGui::VMInventoryInfo node;
  node.setDisplayName(std::move(displayName));
  node.setNodeType(type);
  node.setObjectPath(std::move(objectPath));
  response.addNode(node);
}

// Walks the connected tenancy for one level; false after logging the failure that stopped it.
class TreeLevel {
 public:
  TreeLevel(COracleCloudDBInfo& provider, const std::string& tenancyId, EVGui::OracleCloudTreeResp& response,
            EvEvent& log)
      : provider_(provider), tenancyId_(tenancyId), response_(response), log_(log) {}

  void compartments() {
    std::vector<VMInfoStructs::SHostInfo> found;
    if (!listCompartments(found)) return;
    for (const VMInfoStructs::SHostInfo& compartment : found) {
      addNode(response_, VirtualServer::VS_OBJ_COMPARTMENT, compartment.name,
              joined({tenancyId_, compartment.identifier}));
    }
  }

  void dbSystems(const std::string& compartmentName) {
    std::vector<VMInfoStructs::SHostInfo> found;
    if (!listCompartments(found)) return;
    for (const VMInfoStructs::SHostInfo& compartment : found) {
      if (compartment.name != compartmentName) continue;
      std::vector<SOCIDbSystemInfo> systems;
      if (!listDbSystems(compartment, systems)) return;
      for (const SOCIDbSystemInfo& system : systems) {
        addNode(response_, VirtualServer::VS_OBJ_DB_SYSTEM, joined({compartment.name, system.displayName}),
                joined({tenancyId_, compartment.identifier, system.availabilityDomain, system.id}));
      }
    }
  }

  void databases(const std::string& compartmentName, const std::string& systemName) {
    std::vector<VMInfoStructs::SHostInfo> found;
    if (!listCompartments(found)) return;
    for (const VMInfoStructs::SHostInfo& compartment : found) {
      if (compartment.name != compartmentName) continue;
      std::vector<SOCIDbSystemInfo> systems;
      if (!listDbSystems(compartment, systems)) return;
      for (const SOCIDbSystemInfo& system : systems) {
        if (system.displayName != systemName) continue;
        if (!databasesOf(compartment, system)) return;
      }
    }
  }

 private:
  bool listCompartments(std::vector<VMInfoStructs::SHostInfo>& found) {
    if (provider_.GetCompartmentList(found) == 1) return true;
    log_.Error(kTag, texts::kTreeCompartmentsFailed);
    return false;
  }

  bool listDbSystems(const VMInfoStructs::SHostInfo& compartment, std::vector<SOCIDbSystemInfo>& systems) {
    if (provider_.GetDbSystemList(systems, compartment.identifier) == 1) return true;
    log_.Error(kTag, texts::kTreeDbSystemsFailed);
    return false;
  }

  bool databasesOf(const VMInfoStructs::SHostInfo& compartment, const SOCIDbSystemInfo& system) {
    std::vector<SOCIDbHomeInfo> homes;
    if (provider_.GetDbHomeList(homes, compartment.identifier, system.id) != 1) {
      log_.Error(kTag, texts::kTreeDbHomesFailed);
      return false;
    }
    for (const SOCIDbHomeInfo& home : homes) {
      std::vector<SOCIDatabaseInfo> databases;
      if (provider_.GetOCIDBInstanceList(databases, compartment.identifier, home.id) != 1) {
        log_.Error(kTag, texts::kTreeDatabasesFailed);
        return false;
      }
      for (const SOCIDatabaseInfo& database : databases) {
        addNode(
            response_, VirtualServer::VS_OBJ_DATABASE, joined({compartment.name, system.displayName, database.dbName}),
            joined({tenancyId_, compartment.identifier, system.availabilityDomain, system.id, home.id, database.id}));
      }
    }
    return true;
  }

  COracleCloudDBInfo& provider_;
  const std::string& tenancyId_;
  EVGui::OracleCloudTreeResp& response_;
  EvEvent& log_;
};

}  // namespace

void BuildOracleCloudTree(const EVGui::OracleCloudTreeReq& request, EVGui::OracleCloudTreeResp& response,
                          EvEvent& log) {
  COracleCloudDBInfo provider(OracleCloudSDKCppBridge::kModeInfrastructure);
  const KwEntities::VirtualServerInstanceEntity* instance = request.instance();
  if (instance == nullptr || !instance->isSet(KwEntities::VirtualServerInstanceEntity::kInstanceId) ||
      instance->instanceId() == 0) {
    log.Error(kTag, texts::kTreeInstanceIdNotSet);
    provider.Disconnect();
    return;
  }
  if (!request.isSet(EVGui::OracleCloudTreeReq::kPath)) {
    log.Error(kTag, texts::kBrowsePathNotSet, request.path().c_str());
    provider.Disconnect();
    return;
  }
  const std::string path = request.path();
  const BrowsePath browse = parseBrowsePath(path);
  // An invalid level gets the same answer before or after connecting; no need to reach the cloud.
  if (browse.level < 1 || browse.level > 3) {
    log.Error(kTag, texts::kInvalidBrowsePath, path.c_str());
    return;
  }
  std::string tenancyId;
  if (!provider.connectInfrastructure(static_cast<std::uint64_t>(instance->instanceId()), tenancyId)) {
    log.Error(kTag, texts::kOciConnectFailed);
    provider.Disconnect();
    return;
  }
  TreeLevel level(provider, tenancyId, response, log);
  if (browse.level == 1) {
    level.compartments();
  } else if (browse.level == 2) {
    level.dbSystems(browse.compartmentName);
  } else {
    level.databases(browse.compartmentName, browse.dbSystemName);
  }
  provider.Disconnect();
}

}  // namespace clouddb::oracle
