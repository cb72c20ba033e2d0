#pragma once
// The texts the simulated AWS answers with, worded the way AWS words them, so that whatever
// quotes them reads like a log from a real account.
namespace cloudsim::awstext {

inline constexpr const char* kInvalidAccessKey = "The security token included in the request is invalid.";
inline constexpr const char* kSignatureMismatch =
    "The request signature we calculated does not match the signature you provided. Check your AWS Secret "
    "Access Key and signing method. Consult the service documentation for details.";
inline constexpr const char* kMissingCredentials = "Missing Authentication Token";
inline constexpr const char* kNotConnected = "The client is not connected; call Connect first.";
inline constexpr const char* kOnlyManualSnapshots = "Only manual snapshots may be deleted.";

}  // namespace cloudsim::awstext
