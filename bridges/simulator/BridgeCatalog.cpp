#include "BridgeCatalog.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>

namespace cloudsim {
namespace {

constexpr std::array<std::pair<CloudBridgeKind, std::string_view>, 6> kBridgeNames{{
    {CloudBridgeKind::Amazon, "amazon"},
    {CloudBridgeKind::Azure, "azure"},
    {CloudBridgeKind::AzureResourceManager, "azure-resource-manager"},
    {CloudBridgeKind::Google, "google"},
    {CloudBridgeKind::Alibaba, "alibaba"},
    {CloudBridgeKind::Oracle, "oracle"},
}};

// Disconnect and GetLastErrorString have no failure to report, so they are not listed.
constexpr std::string_view kAmazonOperations[] = {
    "initialize",
    "Connect",
    "SetWebProxy",
    "RefreshDCInfoList",
    "GetDCInfoList",
    "RefreshDBInstanceInfoList",
    "GetDBInstanceInfoList",
    "RefreshRDSClusterInfoList",
    "GetRDSClusterInfoList",
    "RefreshDynamoTableInfoList",
    "GetDynamoTableInfoList",
    "RefreshDocDBClusterInfoList",
    "GetDocDBClusterInfoList",
    "RefreshDocDBInstanceInfoList",
    "GetDocDBInstanceInfoList",
    "RefreshRedshiftClusterInfoList",
    "GetRedshiftClusterInfoList",
    "RefreshDBSnapshotInfoList",
    "GetDBSnapshotInfoList",
    "RefreshRDSClusterSnapshotInfoList",
    "GetRDSClusterSnapshotInfoList",
    "RefreshDocDBClusterSnapshotInfoList",
    "GetDocDBClusterSnapshotInfoList",
    "RefreshRedshiftClusterSnapshotInfoList",
    "GetRedshiftClusterSnapshotInfoList",
    "DeleteRDSInstanceSnapshot",
    "DeleteRDSClusterSnapshot",
    "DeleteDocDBClusterSnapshot",
    "DeleteRedshiftClusterSnapshot",
};

constexpr std::string_view kAzureOperations[] = {
    "Initialize", "Connect", "SetWebProxy", "RefreshDBInstanceInfoList", "GetDBInstanceInfoList",
    "GetStorageAccountInfoList", "GetTableStorageAuthenticationInfo",
};

constexpr std::string_view kAzureResourceManagerOperations[] = {
    "Initialize", "Connect", "SetWebProxy", "GetDatabaseAccountInfoList", "GetCosmosDBAuthenticationInfo",
    "ListCosmosDBDatabases", "ListCosmosDBContainers",
};

constexpr std::string_view kGoogleOperations[] = {
    "Connect", "Disconnect", "RefreshDBInstanceInfoList", "GetDBInstanceInfoList", "ListProjects",
    "GetSpannerInstancesList", "GetSpannerDatabasesList",
};

constexpr std::string_view kAlibabaOperations[] = {
    "ConnectRDS", "RefreshDBInstanceInfoList", "GetDBInstanceInfoList", "GetDCInfoList",
};

constexpr std::string_view kOracleOperations[] = {
    "Connect",          "ConnectToPAAS",       "GetDBInstanceInfo",  "GetComputeNodeList", "GetDBInstanceList",
    "CreateDBInstance", "DeleteDBInstance",    "ScaleDBInstance",    "StartDBInstance",    "StopDBInstance",
    "RestartDBInstance", "GetJavaInstanceList", "GetMySQLInstanceList", "GetDbSystemList", "GetDbHomeList",
    "GetDatabaseList",  "GetHostInfoList",
};

std::span<const std::string_view> operationsOf(CloudBridgeKind bridge) {
  switch (bridge) {
    case CloudBridgeKind::Amazon:
      return kAmazonOperations;
    case CloudBridgeKind::Azure:
      return kAzureOperations;
    case CloudBridgeKind::AzureResourceManager:
      return kAzureResourceManagerOperations;
    case CloudBridgeKind::Google:
      return kGoogleOperations;
    case CloudBridgeKind::Alibaba:
      return kAlibabaOperations;
    case CloudBridgeKind::Oracle:
      return kOracleOperations;
  }
  return {};
}

}  // namespace

std::optional<CloudBridgeKind> cloudBridgeKindFromName(std::string_view name) {
  for (const auto& [kind, kindName] : kBridgeNames) {
    if (kindName == name) return kind;
  }
  return std::nullopt;
}

bool isFaultableOperation(CloudBridgeKind bridge, std::string_view operation) {
  const auto operations = operationsOf(bridge);
  return std::find(operations.begin(), operations.end(), operation) != operations.end();
}

}  // namespace cloudsim

std::string_view cloudBridgeKindName(CloudBridgeKind kind) {
  for (const auto& [known, name] : cloudsim::kBridgeNames) {
    if (known == kind) return name;
  }
  return "unknown";
}
