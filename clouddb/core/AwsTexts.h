#pragma once
// Log lines and failure texts that every AWS provider uses, written once.
#include <cstdint>

inline constexpr char kStart[] = "Start >>>";
inline constexpr char kEnd[] = "End <<<";
inline constexpr char kConnecting[] = "Connecting to Url=[%s], user name[%s]";
inline constexpr char kConnected[] = "Connection Successful";

// The errno-kind code of every credential, connection and lookup failure of the AWS providers.
inline constexpr std::int64_t kAwsLookupErrorCode = 774;
// The failures of preparing a connection for a backup set or an expansion (the id they name).
inline constexpr char kInstanceNotFoundForAppId[] = "Instance not found for app id %ld";
inline constexpr char kFetchCredentialsFailedForInstance[] = "FetchCredentials failed for instance %ld";
inline constexpr char kFetchCredentialsFailedForClient[] = "FetchCredentials failed for client %ld";
inline constexpr char kAwsConnectFailedForInstance[] = "AWS Connect failed for instance %ld";
