#pragma once
// Turns the text of a cloud fixture into its model, refusing anything that is not well formed
// or not consistent (an object in a region the account does not have, a cluster member that
// names no instance, two objects of one kind with one identifier in one region, ...).
#include <optional>
#include <string>
#include <string_view>

#include "FixtureModel.h"

namespace cloudsim {

class FixtureObject;

// On failure: nullopt, and error says where and what.
std::optional<CloudFixture> parseCloudFixture(std::string_view jsonText, std::string& error);

// The per-cloud sections of the "accounts" array (throw FixtureError).
AwsAccount parseAwsAccount(FixtureObject& account);
AzureSubscription parseAzureSubscription(FixtureObject& account);
GoogleAccount parseGoogleAccount(FixtureObject& account);
AlibabaAccount parseAlibabaAccount(FixtureObject& account);
OracleTenancy parseOracleTenancy(FixtureObject& account);
OracleClassicAccount parseOracleClassicAccount(FixtureObject& account);

// A "regions" array of {"name", "identifier", "description"}; defaultIdentifier(name) fills a
// missing identifier.
std::vector<VMInfoStructs::SDataCenterInfo> parseRegions(FixtureObject& account,
                                                         std::string (*defaultIdentifier)(const std::string&));

}  // namespace cloudsim
