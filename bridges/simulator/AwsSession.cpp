#include "AwsSession.h"

#include <algorithm>

#include "AwsErrorTexts.h"

namespace cloudsim {
namespace {

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool accountHasRegion(const AwsAccount& account, const std::string& region) {
  return std::any_of(account.regions.begin(), account.regions.end(),
                     [&](const VMInfoStructs::SDataCenterInfo& known) { return known.name == region; });
}

std::string unreachableEndPoint(const std::string& host) {
  return "Could not connect to the endpoint URL: \"https://" + host + "/\"";
}

}  // namespace

CallFailure authenticateAws(const CloudFixture& fixture, const std::string& accessKey, const std::string& secretKey,
                            std::size_t& account) {
  if (accessKey.empty() || secretKey.empty()) return std::string(awstext::kMissingCredentials);
  for (std::size_t index = 0; index < fixture.awsAccounts.size(); ++index) {
    if (fixture.awsAccounts[index].accessKeyId != accessKey) continue;
    // A secret still in its encrypted form is just a wrong secret to AWS.
    if (fixture.awsAccounts[index].secretAccessKey != secretKey || secretKey.rfind(kEncryptedSecretPrefix, 0) == 0) {
      return std::string(awstext::kSignatureMismatch);
    }
    account = index;
    return std::nullopt;
  }
  return std::string(awstext::kInvalidAccessKey);
}

CallFailure resolveEndPoint(const AwsAccount& account, const std::string& endPoint, int cloudType,
                            std::vector<std::string>& regions) {
  std::vector<std::string> named;
  bool everyRegion = false;
  std::size_t start = 0;
  while (start <= endPoint.size()) {
    const std::size_t comma = std::min(endPoint.find(',', start), endPoint.size());
    const std::string name = trimmed(endPoint.substr(start, comma - start));
    start = comma + 1;
    if (name.empty()) continue;
    if (name == "default") {
      everyRegion = true;
      continue;
    }
    if (!accountHasRegion(account, name)) return unreachableEndPoint(awsServiceHost(cloudType, name));
    if (std::find(named.begin(), named.end(), name) == named.end()) named.push_back(name);
  }
  regions.clear();
  if (everyRegion || named.empty()) {
    for (const auto& region : account.regions) regions.push_back(region.name);
  } else {
    regions = std::move(named);
  }
  return std::nullopt;
}

CallFailure listingRegions(const AwsAccount& account, const AwsConnection& connection, const std::string& region,
                           std::vector<std::string>& regions) {
  regions.clear();
  if (region.empty()) {
    regions = connection.regions;
    return std::nullopt;
  }
  if (!accountHasRegion(account, region)) return unreachableEndPoint(awsServiceHost(connection.cloudType, region));
  if (std::find(connection.regions.begin(), connection.regions.end(), region) != connection.regions.end()) {
    regions.push_back(region);
  }
  return std::nullopt;
}

const char* awsServiceName(int cloudType) {
  switch (cloudType) {
    case 2:
      return "dynamodb";
    case 4:
      return "redshift";
    default:
      return "rds";  // RDS and DocumentDB share the RDS end point
  }
}

std::string awsServiceHost(int cloudType, const std::string& region) {
  return std::string(awsServiceName(cloudType)) + "." + region + ".amazonaws.com";
}

CallFailure checkProxyAddress(const std::string& hostAndPort) {
  const auto colon = hostAndPort.rfind(':');
  const bool wellFormed = colon != std::string::npos && colon != 0 && colon + 1 != hostAndPort.size() &&
                          hostAndPort.find_first_not_of("0123456789", colon + 1) == std::string::npos;
  if (wellFormed) return std::nullopt;
  return "Invalid proxy address \"" + hostAndPort + "\"";
}

CallFailure reachService(const NetworkSettings& network, const ProxyUse& proxy, const std::string& serviceHost) {
  if (proxy.address.empty()) {
    if (network.directAccess) return std::nullopt;
    return "Failed to connect to " + serviceHost + " port 443 after 30000 ms: Timeout was reached";
  }
  for (const ProxyServer& server : network.proxies) {
    if (server.address != proxy.address) continue;
    if (!server.user.empty() && (server.user != proxy.user || server.password != proxy.password)) {
      return std::string("Received HTTP code 407 from proxy after CONNECT");
    }
    return std::nullopt;
  }
  const std::string host = proxy.address.substr(0, proxy.address.rfind(':'));
  return "Could not resolve proxy: " + host;
}

}  // namespace cloudsim
