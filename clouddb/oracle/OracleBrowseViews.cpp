// The provider's browse views: every OCI database of a tenancy, and the classic database
// services, Java and MySQL instances named by a browse path.
#include "clouddb/oracle/COracleCloudDBInfo.h"
#include "clouddb/oracle/OracleTexts.h"

using namespace CloudDBInfoStructs;
namespace texts = clouddb::oracle::texts;

namespace {

constexpr char kOciTag[] =
    "int COracleCloudDBInfo::GetOCIDBInstanceList(const long unsigned int&, "
    "std::vector<CloudDBInfoStructs::SOCIDatabaseInfo>&, const string&, const VirtualServer::VSObjType&)";
constexpr char kOracleTag[] =
    "int COracleCloudDBInfo::GetOracleDBInstanceList(const long unsigned int&, "
    "std::vector<CloudDBInfoStructs::SOracleDBInstanceInfo>&, const string&, const VirtualServer::VSObjType&)";
constexpr char kJavaTag[] =
    "int COracleCloudDBInfo::GetJavaInstanceList(const long unsigned int&, "
    "std::vector<CloudDBInfoStructs::SJavaInstanceInfo>&, const string&, const VirtualServer::VSObjType&)";
constexpr char kMySQLTag[] =
    "int COracleCloudDBInfo::GetMySQLInstanceList(const long unsigned int&, "
    "std::vector<CloudDBInfoStructs::SMySQLInstanceInfo>&, const string&, const VirtualServer::VSObjType&)";

// The last "/"-separated segment of a browse path ("" for "/" or a path ending in "/").
std::string lastSegment(const std::string& path) { return path.substr(path.rfind('/') + 1); }

struct ServiceKeys {
  static const std::string& byName(const SOracleDBInstanceInfo& record) { return record.serviceName; }
  static const std::string& byGroup(const SOracleDBInstanceInfo& record) { return record.browseGroup; }
};

struct JavaMySQLKeys {
  static const std::string& byName(const SJavaMySQLInfoBase& record) { return record.serviceName; }
  static const std::string& byGroup(const SJavaMySQLInfoBase& record) { return record.browseGroup; }
};

}  // namespace

int COracleCloudDBInfo::GetOCIDBInstanceList(const unsigned long& instanceId, std::vector<SOCIDatabaseInfo>& out,
                                             const std::string& /*path*/, const VirtualServer::VSObjType& /*view*/) {
  COracleCloudDBInfo provider(OracleCloudSDKCppBridge::kModeInfrastructure);
  if (instanceId == 0) {
    log_.Error(kOciTag, texts::kInstanceIdNotSet, 0UL);
    provider.Disconnect();
    return 0;
  }
  std::string tenancyId;
  if (!provider.connectInfrastructure(instanceId, tenancyId)) {
    provider.Disconnect();
    return 0;
  }
  std::vector<VMInfoStructs::SHostInfo> compartments;
  if (provider.GetCompartmentList(compartments) != 1) {
    log_.Error(kOciTag, texts::kCompartmentInfoListFailed);
    return 0;
  }
  // One list of systems and one of homes serve every parent: the bridge refills them per call.
  std::vector<SOCIDbSystemInfo> systems;
  std::vector<SOCIDbHomeInfo> homes;
  for (const VMInfoStructs::SHostInfo& compartment : compartments) {
    if (provider.GetDbSystemList(systems, compartment.identifier) != 1) {
      log_.Error(kOciTag, texts::kDbSystemInfoListFailed);
      return 0;
    }
    for (const SOCIDbSystemInfo& system : systems) {
      if (provider.GetDbHomeList(homes, compartment.identifier, system.id) != 1) {
        log_.Error(kOciTag, texts::kDbHomeInfoListFailed);
        return 0;
      }
      for (const SOCIDbHomeInfo& home : homes) {
        std::vector<SOCIDatabaseInfo> databases;
        if (provider.GetOCIDBInstanceList(databases, compartment.identifier, home.id) != 1) {
          log_.Error(kOciTag, texts::kOciDatabaseInfoListFailed);
          return 0;
        }
        out.insert(out.end(), databases.begin(), databases.end());
      }
    }
  }
  provider.Disconnect();
  return 1;
}

template <class Record, class Fetch, class ViewKey>
int COracleCloudDBInfo::browseClassic(const char* tag, const unsigned long& instanceId, std::vector<Record>& out,
                                      const std::string& path, const VirtualServer::VSObjType& view,
                                      const char* fetchFailure, Fetch fetch, ViewKey viewKey) {
  COracleCloudDBInfo provider;
  if (instanceId == 0) {
    log_.Error(tag, texts::kInstanceIdNotSet, 0UL);
    return 0;
  }
  if (!provider.connectClassic(instanceId)) {
    return 0;
  }
  std::vector<Record> fetched;
  if (fetch(provider, fetched) != 1) {
    log_.Error(tag, "%s", fetchFailure);
    return 0;
  }
  if (!path.empty() && view != VirtualServer::VS_OBJ_ALL) {
    const std::string key = lastSegment(path);
    for (const Record& record : fetched) {
      const std::string* recordKey = viewKey(record, view);
      if (recordKey == nullptr) {
        log_.Error(tag, texts::kBrowseViewNotSupported, static_cast<int>(view));
        return 0;
      }
      if (*recordKey == key) {
        out.push_back(record);
      }
    }
  }
  provider.Disconnect();
  return 1;
}

namespace {

// The key a record is matched by in a view, or null for a view that has none.
template <class Keys, class Record>
const std::string* viewKeyOf(const Record& record, VirtualServer::VSObjType view) {
  if (view == VirtualServer::VS_OBJ_DATABASE) return &Keys::byName(record);
  if (view == VirtualServer::VS_OBJ_GROUP) return &Keys::byGroup(record);
  return nullptr;
}

}  // namespace

int COracleCloudDBInfo::GetOracleDBInstanceList(const unsigned long& instanceId,
                                                std::vector<SOracleDBInstanceInfo>& out, const std::string& path,
                                                const VirtualServer::VSObjType& view) {
  return browseClassic(
      kOracleTag, instanceId, out, path, view, texts::kDbInfoListFailed,
      [](COracleCloudDBInfo& provider, std::vector<SOracleDBInstanceInfo>& list) {
        return provider.GetDBInstanceList(list);
      },
      viewKeyOf<ServiceKeys, SOracleDBInstanceInfo>);
}

int COracleCloudDBInfo::GetJavaInstanceList(const unsigned long& instanceId, std::vector<SJavaInstanceInfo>& out,
                                            const std::string& path, const VirtualServer::VSObjType& view) {
  return browseClassic(
      kJavaTag, instanceId, out, path, view, texts::kJavaListFailed,
      [](COracleCloudDBInfo& provider, std::vector<SJavaInstanceInfo>& list) {
        return provider.GetJavaInstanceList(list);
      },
      viewKeyOf<JavaMySQLKeys, SJavaInstanceInfo>);
}

int COracleCloudDBInfo::GetMySQLInstanceList(const unsigned long& instanceId, std::vector<SMySQLInstanceInfo>& out,
                                             const std::string& path, const VirtualServer::VSObjType& view) {
  return browseClassic(
      kMySQLTag, instanceId, out, path, view, texts::kMySQLListFailed,
      [](COracleCloudDBInfo& provider, std::vector<SMySQLInstanceInfo>& list) {
        return provider.GetMySQLInstanceList(list);
      },
      viewKeyOf<JavaMySQLKeys, SMySQLInstanceInfo>);
}
