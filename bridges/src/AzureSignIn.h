#pragma once
// The Azure sign-in both Azure clients share: an application signs in to a subscription of its
// tenant, checked as Azure Active Directory would check it.
#include <cstddef>
#include <string>

#include "FixtureModel.h"
#include "SimulatorAccess.h"

namespace cloudbridge {

// Where the sign-in and the resource manager's calls go.
inline constexpr const char* kAzureLoginHost = "login.microsoftonline.com";
inline constexpr const char* kAzureManagementHost = "management.azure.com";

// login is "SUBSCRIPTION\TENANT". On success sets account to the index of the subscription
// reached; else the directory's refusal.
cloudsim::CallFailure authenticateAzure(const cloudsim::CloudFixture& fixture, const std::string& login,
                                        const std::string& applicationId, const std::string& password,
                                        std::size_t& account);

}  // namespace cloudbridge
