#pragma once
// The seventeen entry points that the agent host finds by name in libclouddb.so.
//
// Four take the host connection of one remote request (DiscoverRDSInventory,
// BrowseInventoryHandler, GetOracleCloudInstanceTree, CloudDBRemoteEntryPoint); the others are
// called in-process with ordinary arguments. None returns a value and none lets an exception out.
#include <string>
#include <vector>

#include "bridges/CloudDBInfoStructs.h"
#include "bridges/DocDBInfoStructs.h"
#include "bridges/RDSInfoStructs.h"
#include "bridges/RedshiftInfoStructs.h"
#include "platform/CKwNetwork.h"
#include "platform/CLmError.h"
#include "platform/messages/App.h"

using ULONGLONG = unsigned long long;

#define CLOUDDB_EXPORT __attribute__((visibility("default")))

extern "C" {

CLOUDDB_EXPORT void DiscoverRDSInventory(CKwNetwork* connection, ULONGLONG unused);
CLOUDDB_EXPORT void DiscoverRDSInventoryLocal(App::BrowseRDSInventoryReq* request, App::BrowseRDSInventoryResp* response,
                                              std::string firstFilter, std::string secondFilter);
CLOUDDB_EXPORT void BrowseInventoryHandler(CKwNetwork* connection, ULONGLONG unused);
CLOUDDB_EXPORT void GetOracleCloudInstanceTree(CKwNetwork* connection, ULONGLONG unused);
CLOUDDB_EXPORT void CloudDBRemoteEntryPoint(CKwNetwork* connection);
CLOUDDB_EXPORT void GetOracleCloudInstanceList(ULONGLONG instanceId,
                                               std::vector<CloudDBInfoStructs::SOracleDBInstanceInfo>& services);

// Backup-set expansions: appId names the subclient; regions constrain the expansion (empty: none).
CLOUDDB_EXPORT void DiscoverRDSNewInventory(const ULONGLONG& appId, std::vector<std::string>& regions,
                                            std::vector<App::RDSDBInstance>& instances, CLmError& error);
CLOUDDB_EXPORT void DiscoverDocumentDBInventory(const ULONGLONG& appId, std::vector<std::string>& regions,
                                                std::vector<App::DocumentDBCluster>& clusters, CLmError& error);
CLOUDDB_EXPORT void DiscoverRedshiftInventory(const ULONGLONG& appId, std::vector<std::string>& regions,
                                              std::vector<App::RedshiftCluster>& clusters, CLmError& error);

CLOUDDB_EXPORT void DescribeRDSInstanceSnapshot(const ULONGLONG& instanceId, const std::string& first,
                                                const std::string& second,
                                                std::vector<RDSInfoStructs::SDBSnapshotInfo>& snapshots);
CLOUDDB_EXPORT void DescribeRDSClusterSnapshot(const ULONGLONG& instanceId, const std::string& first,
                                               const std::string& second,
                                               std::vector<RDSInfoStructs::SRDSClusterSnapshotInfo>& snapshots);
CLOUDDB_EXPORT void DeleteRDSInstanceSnapshot(const ULONGLONG& instanceId, const std::string& first,
                                              const std::string& second);
CLOUDDB_EXPORT void DeleteRDSClusterSnapshot(const ULONGLONG& instanceId, const std::string& first,
                                             const std::string& second);
CLOUDDB_EXPORT void DescribeDocDBClusterSnapshot(const ULONGLONG& instanceId, const std::string& first,
                                                 const std::string& second,
                                                 std::vector<DocDBInfoStructs::SDocDBClusterSnapshotInfo>& snapshots);
CLOUDDB_EXPORT void DeleteDocDBClusterSnapshot(const ULONGLONG& instanceId, const std::string& first,
                                               const std::string& second);
CLOUDDB_EXPORT void DescribeRedshiftSnapshot(const ULONGLONG& instanceId, const std::string& first,
                                             const std::string& second,
                                             std::vector<RedshiftInfoStructs::SRedshiftClusterSnapshotInfo>& snapshots);
CLOUDDB_EXPORT void DeleteRedshiftSnapshot(const ULONGLONG& instanceId, const std::string& first,
                                           const std::string& second);

}  // extern "C"
