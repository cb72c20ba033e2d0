#pragma once
// Oracle Cloud as the simulator serves it: the credential checks of both kinds of account, the
// lookups of the infrastructure hierarchy, and the rules a classic database service must meet
// to be created. The Oracle bridge runs these under the simulator's lock.
#include <cstddef>
#include <string>
#include <vector>

#include "FixtureModel.h"
#include "SimulatorAccess.h"

namespace cloudsim {

namespace oracletext {
inline constexpr char kNotAuthenticated[] =
    "The required information to complete authentication was not provided or was incorrect.";
inline constexpr char kNotFound[] = "Authorization failed or requested resource not found.";
inline constexpr char kClassicUnauthorized[] = "HTTP 401 Unauthorized: the user name or password is not valid";
inline constexpr char kNotConnected[] = "The client is not connected; call Connect first.";
}  // namespace oracletext

// Database versions and software editions a classic database service may have.
bool isClassicVersion(const std::string& version);
bool isClassicEdition(const std::string& edition);

// The host of an end point text: "https://host:443/path" and "host" both give "host:443" / "host".
std::string endPointHost(const std::string& endPoint);

// The tenancy the caller authenticates as: its index, and the region the user string names.
// The user string is "userId|fingerprint|privateKeyFile|region".
CallFailure authenticateTenancy(const CloudFixture& fixture, const std::string& tenancyId,
                                const std::string& userString, const std::string& passPhrase, std::size_t& tenancy,
                                std::string& region);

// The classic account at that end point's host with that user and password.
CallFailure authenticateClassic(const CloudFixture& fixture, const std::string& endPoint, const std::string& user,
                                const std::string& password, std::size_t& account);

// Lookups that fail as the cloud does when an OCID names nothing the tenancy has.
CallFailure findCompartment(OracleTenancy& tenancy, const std::string& compartmentId, OracleCompartment*& found);
CallFailure findDbSystem(OracleCompartment& compartment, const std::string& dbSystemId, OracleDbSystem*& found);
CallFailure findDbHome(OracleCompartment& compartment, const std::string& dbHomeId, OracleDbHome*& found);
CallFailure findClassicService(OracleClassicAccount& account, const std::string& serviceName,
                               OracleClassicService*& found);

// Checks a service to create against the account and, when it may be made, adds it with its
// compute nodes; the record comes back as the cloud completed it.
CallFailure createClassicService(OracleClassicAccount& account, CloudDBInfoStructs::SOracleDBInstanceInfo& service);

// Compute nodes for a service: count of them, with addresses kept apart by addressSeed.
std::vector<CloudDBInfoStructs::SOracleDBComputeNode> makeClassicComputeNodes(
    const CloudDBInfoStructs::SOracleDBInstanceInfo& service, const OracleClassicAccount& account, int count,
    std::size_t addressSeed);

}  // namespace cloudsim
