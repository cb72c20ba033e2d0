#pragma once
// Log lines and failure texts of the relational inventory discovery and its provider factory,
// written once.
namespace clouddb::inventory::texts {

// The factory.
inline constexpr char kAssumingAmazon[] = "Assuming instance type [%lu] for [Amazon] client id [0]";
inline constexpr char kVirtualServerLookupFailed[] = "ClientProperties::getCloudVSInstanceID failed for client [%lu]";
inline constexpr char kGotVirtualServer[] = "Got Client ID [%lu] VS instance id [%d], instance type not yet known";
inline constexpr char kInstanceTypeNotKnown[] = "Error, instance type not yet known";
inline constexpr char kInstanceTypeLookupFailed[] = "Failed to get instance type for instance id [%d]";
inline constexpr char kGotInstanceType[] = "Got instance type [%lu] for [%s] instance id [%d]";
inline constexpr char kInstanceTypeNotSupported[] = "Error, RDS instance type [%lu] not supported";

// The discovery.
inline constexpr char kClientIdNotSet[] = "Client ID is not set. Value [%lu]. Default to Amazon Cloud.";
inline constexpr char kCreateFailedText[] = "Failed to create Cloud Info object.";
inline constexpr char kValueOutOfRange[] = "The request's %s [%lld] does not fit its 32 bits";
inline constexpr char kCreateFailedLine[] = "Failed to create Cloud Info object. Client ID [%ld]";
inline constexpr char kFetchFailedText[] = "Failed to fetch cloud credentials.";
inline constexpr char kFetchFailedLine[] = "CRDSInfo::Init module failed instance ID [%d]";
inline constexpr char kConnectFailedLine[] = "Failed to connect to RDS instance";
inline constexpr char kDiscoverFailed[] = "Discover failed [%s]";
inline constexpr char kListingFailed[] = "Failed to get instance list from RDS instance. Error [%s]";
inline constexpr char kRateLimitRetry[] =
    "Failed to get instance list due to exceeded API query rate. Sleep for a second and retrying. Retry [%d]";
inline constexpr char kRateExceeded[] = "Rate exceeded";
// Said when a provider failed without leaving a reason, so that a failure never travels as an
// empty text (which the console would take for success).
inline constexpr char kNoReasonGiven[] = "The cloud gave no reason for the failure";

}  // namespace clouddb::inventory::texts
