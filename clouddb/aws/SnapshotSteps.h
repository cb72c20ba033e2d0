#pragma once
// The steps the AWS snapshot operations share: connecting for a backup set, and turning a
// bridge's refresh-then-get into the caller's records or one failure.
//
// Contract:
//  - connectFor returns the provider's MakeConnection failure with the calling operation's
//    location pushed, or success.
//  - describeSnapshots appends the records to out in the bridge's order only when both the
//    refresh and the get succeeded; otherwise out is left as it was and the failure is the
//    errno kind, code 774, with the bridge's last error text as its one "%s".
#include <string>
#include <vector>

#include "clouddb/core/AmazonServiceBase.h"
#include "platform/CLmError.h"
#include "platform/FXErrorUtil.h"

namespace clouddb::aws::snapshots {

// What the bridge's refresh calls answer when the cloud refused the request.
inline constexpr int kRefreshFailed = -1;

template <class Provider>
CLmError connectFor(Provider& provider, const unsigned long& appId, const CLmLocation& where) {
  CLmError connected = provider.MakeConnection(appId);
  if (connected.IsFailure()) {
    connected.Push(where);
  }
  return connected;
}

// refresh() runs the bridge's refresh and answers its count (or kRefreshFailed); fetch(records)
// copies the kept result out. A get that fails after a good refresh is a failure too: the
// caller must never take an empty answer for "no snapshots" when the cloud did not answer.
template <const char* RefreshFailedFormat, class Provider, class Record, class Refresh, class Fetch>
CLmError describeSnapshots(Provider& provider, const CLmLocation& where, Refresh&& refresh, Fetch&& fetch,
                           std::vector<Record>& out) {
  std::vector<Record> records;
  if (refresh() == kRefreshFailed || !fetch(records)) {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, RefreshFailedFormat,
                                   provider.GetLastErrorString().c_str());
  }
  out.insert(out.end(), records.begin(), records.end());
  return CLmError();
}

// The failure of a delete that names what it tried to delete and the bridge's reason.
template <const char* DeleteFailedFormat, class Provider>
CLmError deleteFailure(Provider& provider, const CLmLocation& where, const std::string& first,
                       const std::string& second) {
  return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, DeleteFailedFormat, first.c_str(), second.c_str(),
                                 provider.GetLastErrorString().c_str());
}

}  // namespace clouddb::aws::snapshots
