#include "FixtureParser.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include "BridgeCatalog.h"
#include "FixtureJsonReader.h"

namespace cloudsim {
namespace {

NetworkSettings parseNetwork(FixtureObject& network) {
  NetworkSettings settings;
  settings.directAccess = network.optionalBool("directAccess", true);
  network.forEachObject("proxies", [&](FixtureObject& proxy) {
    ProxyServer server;
    server.address = proxy.requiredString("address");
    if (server.address.find(':') == std::string::npos) proxy.fail("member \"address\" must be host:port");
    server.user = proxy.optionalString("user");
    server.password = proxy.optionalString("password");
    settings.proxies.push_back(std::move(server));
  });
  return settings;
}

PlannedFault parseFault(FixtureObject& fault) {
  PlannedFault planned;
  const std::string bridge = fault.requiredString("bridge");
  const std::optional<CloudBridgeKind> kind = cloudBridgeKindFromName(bridge);
  if (!kind) fault.fail("unknown bridge \"" + bridge + "\"");
  planned.bridge = *kind;
  planned.operation = fault.requiredString("operation");
  if (!isFaultableOperation(planned.bridge, planned.operation)) {
    fault.fail("bridge \"" + bridge + "\" has no operation \"" + planned.operation + "\" that can fail");
  }
  planned.times = fault.optionalInt("times", 1);
  if (planned.times < 1) fault.fail("member \"times\" must be at least 1");
  planned.text = fault.requiredString("text");
  return planned;
}

void parseAccount(FixtureObject& account, CloudFixture& fixture) {
  const std::string cloud = account.requiredString("cloud");
  account.optionalString("name");  // a label for people, any cloud may carry one
  if (cloud == "aws") {
    fixture.awsAccounts.push_back(parseAwsAccount(account));
  } else if (cloud == "azure") {
    fixture.azureSubscriptions.push_back(parseAzureSubscription(account));
  } else if (cloud == "google") {
    fixture.googleAccounts.push_back(parseGoogleAccount(account));
  } else if (cloud == "alibaba") {
    fixture.alibabaAccounts.push_back(parseAlibabaAccount(account));
  } else if (cloud == "oracle") {
    fixture.oracleTenancies.push_back(parseOracleTenancy(account));
  } else if (cloud == "oracle-classic") {
    fixture.oracleClassicAccounts.push_back(parseOracleClassicAccount(account));
  } else {
    account.fail("unknown cloud \"" + cloud + "\" (aws, azure, google, alibaba, oracle, oracle-classic)");
  }
}

// Two AWS accounts with one access key would make a connection's account a matter of order.
void requireDistinctAccessKeys(const CloudFixture& fixture) {
  for (std::size_t i = 0; i < fixture.awsAccounts.size(); ++i) {
    for (std::size_t j = i + 1; j < fixture.awsAccounts.size(); ++j) {
      if (fixture.awsAccounts[i].accessKeyId == fixture.awsAccounts[j].accessKeyId) {
        throw FixtureError("accounts: two AWS accounts use the access key \"" + fixture.awsAccounts[i].accessKeyId +
                           "\"");
      }
    }
  }
}

}  // namespace

std::vector<VMInfoStructs::SDataCenterInfo> parseRegions(FixtureObject& account,
                                                         std::string (*defaultIdentifier)(const std::string&)) {
  std::vector<VMInfoStructs::SDataCenterInfo> regions;
  account.forEachObject("regions", [&](FixtureObject& region) {
    VMInfoStructs::SDataCenterInfo info;
    info.name = region.requiredString("name");
    if (info.name.find(',') != std::string::npos || info.name == "default") {
      region.fail("\"" + info.name + "\" cannot be a region name");
    }
    for (const auto& earlier : regions) {
      if (earlier.name == info.name) region.fail("region \"" + info.name + "\" is given twice");
    }
    info.identifier = region.optionalString("identifier", defaultIdentifier(info.name));
    info.description = region.optionalString("description");
    regions.push_back(std::move(info));
  });
  if (regions.empty()) account.fail("member \"regions\" must name at least one region");
  return regions;
}

std::optional<CloudFixture> parseCloudFixture(std::string_view jsonText, std::string& error) {
  rapidjson::Document document;
  document.Parse(jsonText.data(), jsonText.size());
  if (document.HasParseError()) {
    error = "cloud fixture is not valid JSON at offset " + std::to_string(document.GetErrorOffset()) + ": " +
            rapidjson::GetParseError_En(document.GetParseError());
    return std::nullopt;
  }
  try {
    CloudFixture fixture;
    FixtureObject root(document, "");
    if (std::optional<FixtureObject> network = root.optionalObject("network")) {
      fixture.network = parseNetwork(*network);
      network->finish();
    }
    root.forEachObject("accounts", [&](FixtureObject& account) { parseAccount(account, fixture); });
    root.forEachObject("faults", [&](FixtureObject& fault) { fixture.faults.push_back(parseFault(fault)); });
    root.finish();
    requireDistinctAccessKeys(fixture);
    return fixture;
  } catch (const FixtureError& failure) {
    error = std::string("cloud fixture: ") + failure.what();
    return std::nullopt;
  }
}

}  // namespace cloudsim
