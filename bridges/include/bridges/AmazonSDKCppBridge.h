#pragma once
// CAmazonSDKCppBridge: the Amazon Web Services client the providers call.
//
// One object serves one provider and one thread. Connect opens a connection to one account of
// the installed cloud simulator for one service (the cloud type) and the regions its end-point
// text names; every listing then sees only those regions. A Refresh... call runs the query and
// keeps its result in the object; the matching Get... call appends (a slice of) the kept result
// to the caller's list. The RDS instance listing keeps the simulator's own records, so its Get
// fails once that simulator has been replaced. GetLastErrorString gives the text of the last
// call's failure (empty after a success).
//
// Results: refreshes give the number of records kept, or -1 on failure; gets, deletes,
// initialize, Connect and SetWebProxy give true on success. first/count select records
// [first, first + count) of a result; count 0 means "to the end", so (0, 0) is everything.
// Semantics of the arguments (end-point text, tags, filters, snapshot identifiers) are in
// docs/cloud-fixture.md.
#include <memory>
#include <string>
#include <vector>

#include "bridges/DocDBInfoStructs.h"
#include "bridges/DynamoInfoStructs.h"
#include "bridges/RDSInfoStructs.h"
#include "bridges/RedshiftInfoStructs.h"
#include "bridges/VMInfoStructs.h"

namespace AmazonSDKCppBridge {

// The AWS service a connection serves.
enum CloudInfoCloudType : int {
  CLOUD_TYPE_RDS = 1,
  CLOUD_TYPE_DYNAMODB = 2,
  CLOUD_TYPE_DOCUMENTDB = 3,
  CLOUD_TYPE_REDSHIFT = 4,
};

class CAmazonSDKCppBridge {
 public:
  CAmazonSDKCppBridge();
  ~CAmazonSDKCppBridge();
  CAmazonSDKCppBridge(const CAmazonSDKCppBridge&) = delete;
  CAmazonSDKCppBridge& operator=(const CAmazonSDKCppBridge&) = delete;

  // Names the job the calls belong to (for the cloud's request log). A job id of 0 means none.
  bool initialize(const std::string& focusName, const std::string& applicationName, long long jobId);

  // endPoint: region names separated by commas ("" or "default" = every region of the account).
  // cloudType: a CloudInfoCloudType value.
  bool Connect(const std::string& endPoint, const std::string& accessKey, const std::string& secretKey,
               int cloudType);
  // Routes the later calls through an HTTP proxy ("host:port"); proxyScheme 0 = plain HTTP.
  bool SetWebProxy(const std::string& hostAndPort, const std::string& user, const std::string& password,
                   int proxyScheme);
  void Disconnect();
  std::string GetLastErrorString() const;

  // Regions of the connection.
  int RefreshDCInfoList(unsigned long long first, int count);
  bool GetDCInfoList(std::vector<VMInfoStructs::SDataCenterInfo>& out, unsigned long long first, int count);

  // RDS (cloud type 1). An empty region means every region of the connection; an empty tag key
  // means no tag filter.
  int RefreshDBInstanceInfoList(unsigned long long first, int count, const std::string& tagKey,
                                const std::string& tagValue, const std::string& region,
                                const RDSInfoStructs::SDBInstanceFilter& filter);
  bool GetDBInstanceInfoList(std::vector<RDSInfoStructs::SDBInstanceInfo>& out, unsigned long long first,
                             int count);
  int RefreshRDSClusterInfoList(unsigned long long first, int count, const std::string& tagKey,
                                const std::string& tagValue, const RDSInfoStructs::SDBInstanceFilter& filter,
                                const std::string& region);
  bool GetRDSClusterInfoList(std::vector<RDSInfoStructs::SRDSClusterInfo>& out, unsigned long long first,
                             int count);

  // DynamoDB (cloud type 2).
  int RefreshDynamoTableInfoList(unsigned long long first, int count, const std::string& region,
                                 const std::string& tagKey, const std::string& tagValue);
  bool GetDynamoTableInfoList(std::vector<DynamoInfoStructs::SDynamoTableInfo>& out, unsigned long long first,
                              int count);

  // DocumentDB (cloud type 3).
  int RefreshDocDBClusterInfoList(unsigned long long first, int count, const std::string& region,
                                  const std::string& tagKey, const std::string& tagValue);
  bool GetDocDBClusterInfoList(std::vector<DocDBInfoStructs::SDocDBClusterInfo>& out, unsigned long long first,
                               int count);
  int RefreshDocDBInstanceInfoList(unsigned long long first, int count, const std::string& region,
                                   const std::string& tagKey, const std::string& tagValue);
  bool GetDocDBInstanceInfoList(std::vector<DocDBInfoStructs::SDocDBInstanceInfo>& out,
                                unsigned long long first, int count);

  // Redshift (cloud type 4).
  int RefreshRedshiftClusterInfoList(unsigned long long first, int count, const std::string& region,
                                     const std::string& tagKey, const std::string& tagValue);
  bool GetRedshiftClusterInfoList(std::vector<RedshiftInfoStructs::SRedshiftClusterInfo>& out,
                                  unsigned long long first, int count);

  // Snapshots. The source identifier names the instance or cluster a snapshot was taken of, the
  // snapshot identifier the snapshot itself (its name or its ARN); an empty text matches any.
  int RefreshDBSnapshotInfoList(unsigned long long first, int count, const std::string& instanceIdentifier,
                                const std::string& snapshotIdentifier);
  bool GetDBSnapshotInfoList(std::vector<RDSInfoStructs::SDBSnapshotInfo>& out, unsigned long long first,
                             int count);
  int RefreshRDSClusterSnapshotInfoList(unsigned long long first, int count, const std::string& clusterIdentifier,
                                        const std::string& snapshotIdentifier);
  bool GetRDSClusterSnapshotInfoList(std::vector<RDSInfoStructs::SRDSClusterSnapshotInfo>& out,
                                     unsigned long long first, int count);
  // snapshotType: "manual", "automated" or "" (any); region: one region of the connection or "".
  int RefreshDocDBClusterSnapshotInfoList(unsigned long long first, int count, const std::string& clusterIdentifier,
                                          const std::string& snapshotType, const std::string& region,
                                          const std::string& snapshotIdentifier);
  bool GetDocDBClusterSnapshotInfoList(std::vector<DocDBInfoStructs::SDocDBClusterSnapshotInfo>& out,
                                       unsigned long long first, int count);
  int RefreshRedshiftClusterSnapshotInfoList(const std::string& clusterIdentifier,
                                             const std::string& snapshotIdentifier);
  bool GetRedshiftClusterSnapshotInfoList(std::vector<RedshiftInfoStructs::SRedshiftClusterSnapshotInfo>& out,
                                          unsigned long long first, int count);

  // Deletes one manual snapshot (the snapshot identifier must be given; the source identifier,
  // when given, must match the snapshot's source).
  bool DeleteRDSInstanceSnapshot(const std::string& instanceIdentifier, const std::string& snapshotIdentifier);
  bool DeleteRDSClusterSnapshot(const std::string& clusterIdentifier, const std::string& snapshotIdentifier);
  bool DeleteDocDBClusterSnapshot(const std::string& clusterIdentifier, const std::string& snapshotIdentifier);
  bool DeleteRedshiftClusterSnapshot(const std::string& clusterIdentifier, const std::string& snapshotIdentifier);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace AmazonSDKCppBridge
