#pragma once
// Log lines of the Azure providers that more than one class writes, each written once.
namespace clouddb::azure::texts {

inline constexpr char kAuthenticationInfoFailed[] = "Failed to get Table storage authentication information. Error [%s]";
inline constexpr char kUrlOrKeyEmpty[] = "Failed to get Table storage url and access key info. Error [%s]";
inline constexpr char kConnecting[] = "Connecting to SubscriptionId: [%s] and application id [%s]";
inline constexpr char kConnectingThroughProxy[] = "Connecting using HTTP proxy [%s], user name [%s]";
inline constexpr char kConnectionSuccessful[] = "Connection successful";
inline constexpr char kConnectFailed[] = "Failed to connect to cloud.";
inline constexpr char kConnectTag[] = "Connect";
// A database-account or storage-account operation asked of an object made for the other kind.
inline constexpr char kNoClientForAccountKind[] = "This object has no client for that kind of account";

}  // namespace clouddb::azure::texts
