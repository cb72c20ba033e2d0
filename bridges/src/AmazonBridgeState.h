#pragma once
// What one CAmazonSDKCppBridge object keeps between calls: the job it was initialised for, the
// proxy, the open connection, the last failure text and the kept result of each listing; and
// the one path every operation takes to the simulator.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "AwsQueries.h"
#include "AwsSession.h"
#include "SimulatedCall.h"
#include "SimulatorAccess.h"
#include "bridges/AmazonSDKCppBridge.h"

namespace AmazonSDKCppBridge {

struct CAmazonSDKCppBridge::State {
  struct OpenConnection {
    std::uint64_t simulatorIdentity = 0;  // the simulator the connection was opened on
    std::uint64_t serial = 0;
    cloudsim::AwsConnection connection;
  };

  std::string focusName;
  std::string applicationName;
  long long jobId = 0;
  cloudsim::ProxyUse proxy;
  std::optional<OpenConnection> open;
  std::string lastError;

  std::vector<VMInfoStructs::SDataCenterInfo> regions;
  // The instance listing keeps the account's own records, so that its Get copies each record
  // once, straight into the caller's list; the simulator they belong to is remembered with them.
  struct KeptInstances {
    std::uint64_t simulatorIdentity = 0;
    std::vector<const RDSInfoStructs::SDBInstanceInfo*> records;
  };
  KeptInstances instances;
  std::vector<RDSInfoStructs::SRDSClusterInfo> clusters;
  std::vector<DynamoInfoStructs::SDynamoTableInfo> tables;
  std::vector<DocDBInfoStructs::SDocDBClusterInfo> docdbClusters;
  std::vector<DocDBInfoStructs::SDocDBInstanceInfo> docdbInstances;
  std::vector<RedshiftInfoStructs::SRedshiftClusterInfo> redshiftClusters;
  std::vector<RDSInfoStructs::SDBSnapshotInfo> instanceSnapshots;
  std::vector<RDSInfoStructs::SRDSClusterSnapshotInfo> clusterSnapshots;
  std::vector<DocDBInfoStructs::SDocDBClusterSnapshotInfo> docdbSnapshots;
  std::vector<RedshiftInfoStructs::SRedshiftClusterSnapshotInfo> redshiftSnapshots;

  // Work on the account of the open connection.
  using AccountWork =
      std::function<cloudsim::CallFailure(cloudsim::AwsAccount& account, const cloudsim::AwsConnection& connection)>;

  // Runs one operation on the installed simulator (recorded, open to faults) and keeps its
  // failure text. False when it failed.
  bool call(const char* operation, std::vector<std::string> arguments, const cloudsim::CloudWork& work);

  // An operation that needs the open connection, for a service of cloudType (0 = any), and
  // that reaches the service over the network.
  bool callService(const char* operation, std::vector<std::string> arguments, int cloudType, const AccountWork& work);

  // Refresh: the query's records, sliced by first/count, become the kept result (which a
  // failure empties). The number kept, or -1.
  template <class Record>
  int refresh(const char* operation, std::vector<std::string> arguments, int cloudType, unsigned long long first,
              int count, std::vector<Record>& kept,
              const std::function<cloudsim::CallFailure(const cloudsim::AwsAccount&, const cloudsim::AwsConnection&,
                                                        std::vector<Record>&)>& query);

  // Get: appends the slice of the kept result to out.
  template <class Record>
  bool get(const char* operation, std::vector<Record>& out, unsigned long long first, int count,
           const std::vector<Record>& kept);

  void forgetResults();
};

// Texts for the call record.
std::string argumentText(unsigned long long number);
std::string filterText(const RDSInfoStructs::SDBInstanceFilter& filter);
inline constexpr const char* kNotShown = "***NOT SHOWN***";
using cloudbridge::kSimulatorChanged;

template <class Record>
int CAmazonSDKCppBridge::State::refresh(
    const char* operation, std::vector<std::string> arguments, int cloudType, unsigned long long first, int count,
    std::vector<Record>& kept,
    const std::function<cloudsim::CallFailure(const cloudsim::AwsAccount&, const cloudsim::AwsConnection&,
                                              std::vector<Record>&)>& query) {
  kept.clear();
  std::vector<Record> found;
  const bool ok = callService(operation, std::move(arguments), cloudType,
                              [&](cloudsim::AwsAccount& account, const cloudsim::AwsConnection& connection) {
                                if (auto bad = cloudsim::checkRange(first, count)) return bad;
                                return query(account, connection, found);
                              });
  if (!ok) return -1;
  kept = std::move(found);
  cloudsim::keepSlice(kept, first, count);
  return static_cast<int>(kept.size());
}

template <class Record>
bool CAmazonSDKCppBridge::State::get(const char* operation, std::vector<Record>& out, unsigned long long first,
                                     int count, const std::vector<Record>& kept) {
  return call(operation, {argumentText(first), std::to_string(count)},
              [&](cloudsim::SimulatedClouds&, RecordedCall&) -> cloudsim::CallFailure {
                if (auto bad = cloudsim::checkRange(first, count)) return bad;
                cloudsim::appendSlice(kept, first, count, out);
                return std::nullopt;
              });
}

}  // namespace AmazonSDKCppBridge
