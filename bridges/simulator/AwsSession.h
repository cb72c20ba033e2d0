#pragma once
// Opening and using a connection to a simulated AWS account: the credential check, the regions
// an end-point text allows, the regions one listing covers, and the path to the service (direct
// or through a proxy).
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "FixtureModel.h"
#include "SimulatorAccess.h"
#include "bridges/SimulatedConnection.h"

namespace cloudsim {

// A connection as the bridge keeps it.
struct AwsConnection {
  std::size_t account = 0;           // index into the fixture's AWS accounts
  std::vector<std::string> regions;  // the regions the end-point text allows, in its order
  int cloudType = 0;
};

using ProxyUse = cloudbridge::ProxyUse;

// Checks the keys as AWS would: the account whose access key this is, or the AWS error text.
CallFailure authenticateAws(const CloudFixture& fixture, const std::string& accessKey, const std::string& secretKey,
                            std::size_t& account);

// The regions an end-point text allows: region names separated by commas; "" and "default"
// allow every region of the account. A name the account does not have fails as AWS fails to
// reach its end point.
CallFailure resolveEndPoint(const AwsAccount& account, const std::string& endPoint, int cloudType,
                            std::vector<std::string>& regions);

// The regions one listing covers: all of the connection's for an empty region, else that one
// region if the connection allows it (none if it does not). A region the account does not have
// fails.
CallFailure listingRegions(const AwsAccount& account, const AwsConnection& connection, const std::string& region,
                           std::vector<std::string>& regions);

// "rds.us-east-1.amazonaws.com" and the like: where a call of the cloud type goes.
std::string awsServiceHost(int cloudType, const std::string& region);
const char* awsServiceName(int cloudType);

// A proxy is named "host:port" with a decimal port; anything else is refused with the reason.
CallFailure checkProxyAddress(const std::string& hostAndPort);

// Whether a call can reach the service host through the network of the fixture.
CallFailure reachService(const NetworkSettings& network, const ProxyUse& proxy, const std::string& serviceHost);

// The text a secret looks like while it is still encrypted for the platform's configuration.
inline constexpr const char* kEncryptedSecretPrefix = "enc:";

}  // namespace cloudsim
