#pragma once
// The browse inventory handler's own log lines and error messages, written once.
namespace clouddb::entry::texts {

inline constexpr char kUnknownInstanceType[] = "Unknown instanceType %lu";
inline constexpr char kFetchCredentialsFailed[] = "Failed to fetch credentials";
inline constexpr char kFetchCredentialsFailedForInstance[] = "Failed to fetch credentials for instanceId [%lu]";
inline constexpr char kFetchCredentialsFailedForClient[] = "Failed to fetch credentials for client [%lu]";
inline constexpr char kRegionsNotObtained[] = "Failed to obtain regions for instanceId %lu, ret code %d";
inline constexpr char kDisallowedRegion[] = "Ignoring disallowed region '%s' for instanceId %lu";
inline constexpr char kAwsConnectFailed[] = "AWS connect failed with the given authentication information";
inline constexpr char kAwsConnectFailedForInstance[] = "Failed to connect to AWS for instanceId [%lu]";
inline constexpr char kClusterListFailed[] = "Error in calling GetDBClusterInfoList";
inline constexpr char kInvalidPreviewParameters[] = "Invalid preview parameters";
inline constexpr char kPreviewFailed[] = "Failed to preview the content. Error [%s]";
inline constexpr char kRegionFound[] = "Region found for instanceId %lu: '%s'";
inline constexpr char kDefaultRegion[] = "default";
inline constexpr char kNoGoogleCloudClient[] = "No Google Cloud Client is set in the request";
inline constexpr char kNoClientIdInRequest[] = "No ClientId is set in the request";
inline constexpr char kRequestAbandoned[] = "The request could not be completed: %s";

}  // namespace clouddb::entry::texts
