#include "AwsSnapshots.h"

#include <algorithm>

#include "AwsErrorTexts.h"

namespace cloudsim {
namespace {

// How one kind of snapshot is named and how AWS words its failures.
template <class Snapshot>
struct SnapshotKind {
  std::string Snapshot::*source;
  const char* identifierParameter;  // the request parameter that names the snapshot
  const char* notFoundPrefix;       // followed by the identifier
  const char* notFoundSuffix;
};

const SnapshotKind<RDSInfoStructs::SDBSnapshotInfo> kRdsInstanceSnapshot{
    &RDSInfoStructs::SDBSnapshotInfo::instanceIdentifier, "DBSnapshotIdentifier", "DBSnapshot not found: ", ""};
const SnapshotKind<RDSInfoStructs::SRDSClusterSnapshotInfo> kRdsClusterSnapshot{
    &RDSInfoStructs::SRDSClusterSnapshotInfo::clusterIdentifier, "DBClusterSnapshotIdentifier",
    "DBClusterSnapshot not found: ", ""};
const SnapshotKind<DocDBInfoStructs::SDocDBClusterSnapshotInfo> kDocDbClusterSnapshot{
    &DocDBInfoStructs::SDocDBClusterSnapshotInfo::clusterIdentifier, "DBClusterSnapshotIdentifier",
    "DBClusterSnapshot not found: ", ""};
const SnapshotKind<RedshiftInfoStructs::SRedshiftClusterSnapshotInfo> kRedshiftSnapshot{
    &RedshiftInfoStructs::SRedshiftClusterSnapshotInfo::clusterIdentifier, "SnapshotIdentifier", "Snapshot ",
    " not found."};

template <class Snapshot>
bool matches(const Snapshot& candidate, const SnapshotKind<Snapshot>& kind, const std::string& region,
             const std::string& source, const std::string& snapshotType, const std::string& snapshot) {
  return candidate.region == region && (source.empty() || candidate.*kind.source == source) &&
         (snapshotType.empty() || candidate.snapshotType == snapshotType) &&
         (snapshot.empty() || candidate.snapshotIdentifier == snapshot || candidate.snapshotArn == snapshot);
}

template <class Snapshot>
std::string notFound(const SnapshotKind<Snapshot>& kind, const std::string& snapshot) {
  return std::string(kind.notFoundPrefix) + snapshot + kind.notFoundSuffix;
}

template <class Snapshot>
CallFailure describe(const std::vector<Snapshot>& all, const SnapshotKind<Snapshot>& kind,
                     const std::vector<std::string>& regions, const std::string& source,
                     const std::string& snapshotType, const std::string& snapshot, std::vector<Snapshot>& out) {
  std::vector<Snapshot> found;
  for (const std::string& region : regions) {
    for (const Snapshot& candidate : all) {
      if (matches(candidate, kind, region, source, snapshotType, snapshot)) found.push_back(candidate);
    }
  }
  if (!snapshot.empty() && found.empty()) return notFound(kind, snapshot);
  out = std::move(found);
  return std::nullopt;
}

template <class Snapshot>
CallFailure remove(std::vector<Snapshot>& all, const SnapshotKind<Snapshot>& kind,
                   const std::vector<std::string>& regions, const std::string& source, const std::string& snapshot) {
  if (snapshot.empty()) {
    return std::string("The parameter ") + kind.identifierParameter + " must be provided and must not be blank.";
  }
  std::vector<typename std::vector<Snapshot>::iterator> found;
  for (const std::string& region : regions) {
    for (auto candidate = all.begin(); candidate != all.end(); ++candidate) {
      if (matches(*candidate, kind, region, source, "", snapshot)) found.push_back(candidate);
    }
  }
  if (found.empty()) return notFound(kind, snapshot);
  if (found.size() > 1) {
    return "Snapshot " + snapshot + " exists in more than one region of this connection; name it by its ARN.";
  }
  if (found.front()->snapshotType != "manual") return std::string(awstext::kOnlyManualSnapshots);
  all.erase(found.front());
  return std::nullopt;
}

}  // namespace

CallFailure describeRdsInstanceSnapshots(const AwsAccount& account, const std::vector<std::string>& regions,
                                         const std::string& source, const std::string& snapshot,
                                         std::vector<RDSInfoStructs::SDBSnapshotInfo>& out) {
  return describe(account.rdsInstanceSnapshots, kRdsInstanceSnapshot, regions, source, "", snapshot, out);
}

CallFailure describeRdsClusterSnapshots(const AwsAccount& account, const std::vector<std::string>& regions,
                                        const std::string& source, const std::string& snapshot,
                                        std::vector<RDSInfoStructs::SRDSClusterSnapshotInfo>& out) {
  return describe(account.rdsClusterSnapshots, kRdsClusterSnapshot, regions, source, "", snapshot, out);
}

CallFailure describeDocDbClusterSnapshots(const AwsAccount& account, const std::vector<std::string>& regions,
                                          const std::string& source, const std::string& snapshotType,
                                          const std::string& snapshot,
                                          std::vector<DocDBInfoStructs::SDocDBClusterSnapshotInfo>& out) {
  if (!snapshotType.empty() && snapshotType != "manual" && snapshotType != "automated") {
    return "Unrecognized snapshot type: " + snapshotType;
  }
  return describe(account.docdbClusterSnapshots, kDocDbClusterSnapshot, regions, source, snapshotType, snapshot,
                  out);
}

CallFailure describeRedshiftSnapshots(const AwsAccount& account, const std::vector<std::string>& regions,
                                      const std::string& source, const std::string& snapshot,
                                      std::vector<RedshiftInfoStructs::SRedshiftClusterSnapshotInfo>& out) {
  return describe(account.redshiftSnapshots, kRedshiftSnapshot, regions, source, "", snapshot, out);
}

CallFailure deleteRdsInstanceSnapshot(AwsAccount& account, const std::vector<std::string>& regions,
                                      const std::string& source, const std::string& snapshot) {
  return remove(account.rdsInstanceSnapshots, kRdsInstanceSnapshot, regions, source, snapshot);
}

CallFailure deleteRdsClusterSnapshot(AwsAccount& account, const std::vector<std::string>& regions,
                                     const std::string& source, const std::string& snapshot) {
  return remove(account.rdsClusterSnapshots, kRdsClusterSnapshot, regions, source, snapshot);
}

CallFailure deleteDocDbClusterSnapshot(AwsAccount& account, const std::vector<std::string>& regions,
                                       const std::string& source, const std::string& snapshot) {
  return remove(account.docdbClusterSnapshots, kDocDbClusterSnapshot, regions, source, snapshot);
}

CallFailure deleteRedshiftSnapshot(AwsAccount& account, const std::vector<std::string>& regions,
                                   const std::string& source, const std::string& snapshot) {
  return remove(account.redshiftSnapshots, kRedshiftSnapshot, regions, source, snapshot);
}

}  // namespace cloudsim
