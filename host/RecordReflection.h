#pragma once
// The member names of the cloud client's snapshot records, for printing them whole.
//
// The records are the bridges' plain structures; listing their members here once lets the
// printers walk every member by name (RecordPrinter.h) instead of spelling each record out.
// A member missing here would simply not be printed, so the lists follow the headers exactly.
#include <boost/fusion/include/adapt_struct.hpp>

#include "bridges/CloudDBInfoStructs.h"
#include "bridges/DocDBInfoStructs.h"
#include "bridges/RDSInfoStructs.h"
#include "bridges/RedshiftInfoStructs.h"

BOOST_FUSION_ADAPT_STRUCT(RDSInfoStructs::SDBSnapshotInfo, snapshotIdentifier, instanceIdentifier, snapshotArn,
                          snapshotType, status, engine, engineVersion, region, availabilityZone, createTime,
                          allocatedStorageGiB, port, encrypted, kmsKeyId, percentProgress)

BOOST_FUSION_ADAPT_STRUCT(RDSInfoStructs::SRDSClusterSnapshotInfo, snapshotIdentifier, clusterIdentifier,
                          snapshotArn, snapshotType, status, engine, engineVersion, region, createTime,
                          allocatedStorageGiB, port, encrypted, kmsKeyId, percentProgress)

BOOST_FUSION_ADAPT_STRUCT(DocDBInfoStructs::SDocDBClusterSnapshotInfo, snapshotIdentifier, clusterIdentifier,
                          snapshotArn, snapshotType, status, engine, engineVersion, region, createTime, port,
                          encrypted, percentProgress)

BOOST_FUSION_ADAPT_STRUCT(RedshiftInfoStructs::SRedshiftClusterSnapshotInfo, snapshotIdentifier,
                          clusterIdentifier, snapshotArn, snapshotType, status, region, nodeType, numberOfNodes,
                          dbName, createTime, totalBackupSizeMB, encrypted)

BOOST_FUSION_ADAPT_STRUCT(CloudDBInfoStructs::SOracleDBInstanceInfo,
                         serviceName, version, status, description, identityDomain, creationTime, lastModifiedTime,
                          browseGroup, createdBy, serviceUri, region, availabilityDomain, subscriptionType,
                          numberOfNodes, serviceLevel, edition, shape, meteringFrequency, computeSiteName,
                          listenerPort, backupDestination, cloudStorageContainer, failoverDatabase, isRac,
                          useHighPerformanceStorage, hybridDataGuard, timezone, sid, pdbName, usableStorageGB,
                          characterSet, nationalCharacterSet, ipReservations, bringYourOwnLicense,
                          cloudStorageUser, cloudStoragePassword, emUrl, apexUrl, vmPublicKey, adminPassword,
                          connectPort, dbConsoleUrl, glassfishUrl, connectDescriptor, connectDescriptorPublicIp,
                          ipAddress, instantiateFromBackup, sourceServiceName, sourceCloudStoragePassword,
                          sourceCloudStorageUser, sourceCloudStorageContainer, sourceDatabaseId,
                          useCloudStorageBackup, onPremisesBackupPath, backupDecryptionKey)
