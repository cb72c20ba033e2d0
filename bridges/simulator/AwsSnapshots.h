#pragma once
// Describing and deleting the snapshots of a simulated AWS account. A snapshot is named by its
// identifier or its ARN; the source identifier names the instance or cluster it was taken of.
// An empty text matches any. A deleted snapshot is removed from the account for good.
#include <string>
#include <vector>

#include "FixtureModel.h"
#include "SimulatorAccess.h"

namespace cloudsim {

// Describes: the snapshots of the regions given, region by region, fixture order within. A
// snapshot identifier that matches nothing fails the way AWS fails it ("... not found").
CallFailure describeRdsInstanceSnapshots(const AwsAccount& account, const std::vector<std::string>& regions,
                                         const std::string& source, const std::string& snapshot,
                                         std::vector<RDSInfoStructs::SDBSnapshotInfo>& out);
CallFailure describeRdsClusterSnapshots(const AwsAccount& account, const std::vector<std::string>& regions,
                                        const std::string& source, const std::string& snapshot,
                                        std::vector<RDSInfoStructs::SRDSClusterSnapshotInfo>& out);
// snapshotType "manual", "automated" or "" (any).
CallFailure describeDocDbClusterSnapshots(const AwsAccount& account, const std::vector<std::string>& regions,
                                          const std::string& source, const std::string& snapshotType,
                                          const std::string& snapshot,
                                          std::vector<DocDBInfoStructs::SDocDBClusterSnapshotInfo>& out);
CallFailure describeRedshiftSnapshots(const AwsAccount& account, const std::vector<std::string>& regions,
                                      const std::string& source, const std::string& snapshot,
                                      std::vector<RedshiftInfoStructs::SRedshiftClusterSnapshotInfo>& out);

// Deletes: exactly one manual snapshot must match in the regions given. Automated snapshots
// belong to the service and are refused; a plain identifier found in two regions is refused
// rather than guessed (its ARN names one).
CallFailure deleteRdsInstanceSnapshot(AwsAccount& account, const std::vector<std::string>& regions,
                                      const std::string& source, const std::string& snapshot);
CallFailure deleteRdsClusterSnapshot(AwsAccount& account, const std::vector<std::string>& regions,
                                     const std::string& source, const std::string& snapshot);
CallFailure deleteDocDbClusterSnapshot(AwsAccount& account, const std::vector<std::string>& regions,
                                       const std::string& source, const std::string& snapshot);
CallFailure deleteRedshiftSnapshot(AwsAccount& account, const std::vector<std::string>& regions,
                                   const std::string& source, const std::string& snapshot);

}  // namespace cloudsim
