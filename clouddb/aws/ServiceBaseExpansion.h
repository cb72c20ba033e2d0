#pragma once
// The first steps every expansion on the AWS service base takes: credentials of the instance
// (when one is named) and of the provider's client, then the connect.
#include "clouddb/core/AmazonServiceBase.h"
#include "platform/CLmError.h"

namespace clouddb::aws {

inline CLmError connectForExpansion(AmazonServiceBase& provider, unsigned long instanceId, const CLmLocation& where) {
  if (instanceId != 0 && provider.FetchCredentials(instanceId) != 1) {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, kFetchCredentialsFailedForInstance,
                                   static_cast<long>(instanceId));
  }
  if (provider.FetchClientCredentials(static_cast<unsigned long>(provider.clientId())) != 1) {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, kFetchCredentialsFailedForClient,
                                   static_cast<long>(provider.clientId()));
  }
  if (provider.Connect() != 1) {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, kAwsConnectFailedForInstance,
                                   static_cast<long>(instanceId));
  }
  return {};
}

}  // namespace clouddb::aws
