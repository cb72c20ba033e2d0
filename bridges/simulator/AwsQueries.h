#pragma once
// The listings of a simulated AWS account: which objects a query returns, in which order.
// Objects come region by region in the order of the regions given, and within a region in
// fixture order.
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "FixtureModel.h"
#include "SimulatorAccess.h"

namespace cloudsim {

// An empty key selects everything; a key with an empty value selects every object that carries
// the key, whatever its value; otherwise key and value must both match (case-sensitive).
struct TagFilter {
  std::string key;
  std::string value;
  bool matches(const Tags& tags) const;
};

// Refuses engine types and scopes the filter does not define.
CallFailure checkInstanceFilter(const RDSInfoStructs::SDBInstanceFilter& filter);

// The RDS instances selected, as the account's own records rather than copies: instances never
// change once the fixture is loaded, so the pointers stay good while the simulator lives.
std::vector<const RDSInfoStructs::SDBInstanceInfo*> selectRdsInstanceRecords(
    const AwsAccount& account, const std::vector<std::string>& regions, const TagFilter& tags,
    const RDSInfoStructs::SDBInstanceFilter& filter);
std::vector<RDSInfoStructs::SRDSClusterInfo> selectRdsClusters(const AwsAccount& account,
                                                               const std::vector<std::string>& regions,
                                                               const TagFilter& tags,
                                                               const RDSInfoStructs::SDBInstanceFilter& filter);
std::vector<DynamoInfoStructs::SDynamoTableInfo> selectDynamoTables(const AwsAccount& account,
                                                                    const std::vector<std::string>& regions,
                                                                    const TagFilter& tags);
std::vector<DocDBInfoStructs::SDocDBClusterInfo> selectDocDbClusters(const AwsAccount& account,
                                                                     const std::vector<std::string>& regions,
                                                                     const TagFilter& tags);
std::vector<DocDBInfoStructs::SDocDBInstanceInfo> selectDocDbInstances(const AwsAccount& account,
                                                                       const std::vector<std::string>& regions,
                                                                       const TagFilter& tags);
std::vector<RedshiftInfoStructs::SRedshiftClusterInfo> selectRedshiftClusters(const AwsAccount& account,
                                                                              const std::vector<std::string>& regions,
                                                                              const TagFilter& tags);
std::vector<VMInfoStructs::SDataCenterInfo> selectRegions(const AwsAccount& account,
                                                          const std::vector<std::string>& regions);

// Whether an engine name is one of Aurora's.
bool isAuroraEngine(const std::string& engine);

// Refuses a first/count pair no listing can have (a negative count).
CallFailure checkRange(unsigned long long first, int count);

// Where records [first, first + count) of a list of size records lie: [begin, end) of it;
// count 0 = to the end. A first beyond the list gives an empty range.
inline std::pair<std::size_t, std::size_t> sliceBounds(std::size_t size, unsigned long long first, int count) {
  if (first >= size) return {size, size};
  const auto begin = static_cast<std::size_t>(first);
  const std::size_t available = size - begin;
  const std::size_t taken = count == 0 ? available : std::min<std::size_t>(available, static_cast<std::size_t>(count));
  return {begin, begin + taken};
}

// Records [first, first + count) of records; count 0 = to the end.
template <class Record>
std::vector<Record> sliceOf(const std::vector<Record>& records, unsigned long long first, int count) {
  const auto [begin, end] = sliceBounds(records.size(), first, count);
  return std::vector<Record>(records.begin() + static_cast<std::ptrdiff_t>(begin),
                             records.begin() + static_cast<std::ptrdiff_t>(end));
}

// Narrows records, in place, to [first, first + count); count 0 = to the end. A listing kept
// whole (the usual case) moves no record.
template <class Record>
void keepSlice(std::vector<Record>& records, unsigned long long first, int count) {
  const auto [begin, end] = sliceBounds(records.size(), first, count);
  records.erase(records.begin() + static_cast<std::ptrdiff_t>(end), records.end());
  records.erase(records.begin(), records.begin() + static_cast<std::ptrdiff_t>(begin));
}

// Appends records [first, first + count) to out; count 0 = to the end.
template <class Record>
void appendSlice(const std::vector<Record>& records, unsigned long long first, int count, std::vector<Record>& out) {
  const auto [begin, end] = sliceBounds(records.size(), first, count);
  out.insert(out.end(), records.begin() + static_cast<std::ptrdiff_t>(begin),
             records.begin() + static_cast<std::ptrdiff_t>(end));
}

}  // namespace cloudsim
