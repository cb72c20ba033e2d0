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
                         serviceName, version, text3, text4, text5, number1, number2, browseGroup, text7, text8,
                          text9, text10, text11, integer1, serviceLevel, edition, text14, integer2, text15, integer3,
                          backupDestination, text17, flag1, flag2, flag3, flag4, text18, text19, text20, integer4,
                          text21, text22, text23, flag5, text24, text25, text26, text27, text28, text29, integer5,
                          text30, text31, text32, text33, text34, text35, text36, text37, text38, text39, text40,
                          text41, text42, text43)
