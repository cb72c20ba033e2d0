#include "OracleSession.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "AwsSession.h"

namespace cloudsim {
namespace {

using namespace CloudDBInfoStructs;

constexpr std::array<const char*, 3> kVersions{"11.2.0.4", "12.1.0.2", "12.2.0.1"};
constexpr std::array<const char*, 4> kEditions{"SE", "EE", "EE_HP", "EE_EP"};
constexpr std::size_t kMaxServiceName = 50;

std::vector<std::string> splitAtBars(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t bar = text.find('|', start);
    parts.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) return parts;
    start = bar + 1;
  }
}

// Service names as the classic service takes them: a letter first, then letters, digits and
// hyphens, at most 50 characters.
bool validServiceName(const std::string& name) {
  if (name.empty() || name.size() > kMaxServiceName || std::isalpha(static_cast<unsigned char>(name[0])) == 0) {
    return false;
  }
  return std::all_of(name.begin(), name.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-'; });
}

std::string nodeHost(const std::string& serviceName, const std::string& identityDomain, int index) {
  return serviceName + "-" + std::to_string(index + 1) + ".compute-" + identityDomain + ".oraclecloud.internal";
}

}  // namespace

bool isClassicVersion(const std::string& version) {
  return std::find(kVersions.begin(), kVersions.end(), version) != kVersions.end();
}

bool isClassicEdition(const std::string& edition) {
  return std::find(kEditions.begin(), kEditions.end(), edition) != kEditions.end();
}

std::string endPointHost(const std::string& endPoint) {
  std::string host = endPoint;
  if (const auto scheme = host.find("://"); scheme != std::string::npos) host.erase(0, scheme + 3);
  if (const auto slash = host.find('/'); slash != std::string::npos) host.erase(slash);
  return host;
}

CallFailure authenticateTenancy(const CloudFixture& fixture, const std::string& tenancyId,
                                const std::string& userString, const std::string& passPhrase, std::size_t& tenancy,
                                std::string& region) {
  const std::vector<std::string> parts = splitAtBars(userString);
  if (parts.size() != 4) {
    return std::string("Invalid user: expected \"userId|fingerprint|privateKeyFile|region\"");
  }
  for (std::size_t index = 0; index < fixture.oracleTenancies.size(); ++index) {
    const OracleTenancy& known = fixture.oracleTenancies[index];
    if (known.tenancyId != tenancyId) continue;
    // A pass phrase still in the platform's encrypted form does not open the key.
    if (known.userId != parts[0] || known.fingerprint != parts[1] || known.privateKeyFile != parts[2] ||
        known.passPhrase != passPhrase || passPhrase.rfind(kEncryptedSecretPrefix, 0) == 0) {
      return std::string(oracletext::kNotAuthenticated);
    }
    if (std::find(known.regions.begin(), known.regions.end(), parts[3]) == known.regions.end()) {
      return "The tenancy is not subscribed to region \"" + parts[3] + "\".";
    }
    tenancy = index;
    region = parts[3];
    return std::nullopt;
  }
  return std::string(oracletext::kNotAuthenticated);
}

CallFailure authenticateClassic(const CloudFixture& fixture, const std::string& endPoint, const std::string& user,
                                const std::string& password, std::size_t& account) {
  const std::string host = endPointHost(endPoint);
  bool hostKnown = false;
  for (std::size_t index = 0; index < fixture.oracleClassicAccounts.size(); ++index) {
    const OracleClassicAccount& known = fixture.oracleClassicAccounts[index];
    if (host.empty() || endPointHost(known.endpoint) != host) continue;
    hostKnown = true;
    if (known.user == user && known.password == password && password.rfind(kEncryptedSecretPrefix, 0) != 0) {
      account = index;
      return std::nullopt;
    }
  }
  if (!hostKnown) return "Could not resolve host: " + host;
  return std::string(oracletext::kClassicUnauthorized);
}

CallFailure findCompartment(OracleTenancy& tenancy, const std::string& compartmentId, OracleCompartment*& found) {
  for (OracleCompartment& compartment : tenancy.compartments) {
    if (compartment.record.identifier == compartmentId) {
      found = &compartment;
      return std::nullopt;
    }
  }
  return std::string(oracletext::kNotFound);
}

CallFailure findDbSystem(OracleCompartment& compartment, const std::string& dbSystemId, OracleDbSystem*& found) {
  for (OracleDbSystem& system : compartment.dbSystems) {
    if (system.record.id == dbSystemId) {
      found = &system;
      return std::nullopt;
    }
  }
  return std::string(oracletext::kNotFound);
}

CallFailure findDbHome(OracleCompartment& compartment, const std::string& dbHomeId, OracleDbHome*& found) {
  for (OracleDbSystem& system : compartment.dbSystems) {
    for (OracleDbHome& home : system.dbHomes) {
      if (home.record.id == dbHomeId) {
        found = &home;
        return std::nullopt;
      }
    }
  }
  return std::string(oracletext::kNotFound);
}

CallFailure findClassicService(OracleClassicAccount& account, const std::string& serviceName,
                               OracleClassicService*& found) {
  for (OracleClassicService& service : account.databaseServices) {
    if (service.record.serviceName == serviceName) {
      found = &service;
      return std::nullopt;
    }
  }
  return "Service instance " + serviceName + " not found.";
}

CallFailure createClassicService(OracleClassicAccount& account, SOracleDBInstanceInfo& service) {
  if (!validServiceName(service.serviceName)) {
    return "Invalid service name \"" + service.serviceName +
           "\": start with a letter and use letters, digits and hyphens, at most 50 characters.";
  }
  for (const OracleClassicService& existing : account.databaseServices) {
    if (existing.record.serviceName == service.serviceName) {
      return "Service instance " + service.serviceName + " already exists.";
    }
  }
  if (!isClassicVersion(service.version)) return "Invalid database version \"" + service.version + "\".";
  if (!isClassicEdition(service.edition)) return "Invalid software edition \"" + service.edition + "\".";
  if (service.shape.empty()) return std::string("A compute shape is required.");
  if (service.vmPublicKey.empty()) return std::string("An SSH public key is required.");
  if (service.adminPassword.empty()) return std::string("An administrator password is required.");
  service.identityDomain = account.identityDomain;
  service.status = "Running";
  service.serviceUri = endPointHost(account.endpoint) + "/paas/service/dbcs/api/v1.1/instances/" +
                       account.identityDomain + "/" + service.serviceName;
  service.numberOfNodes = account.computeNodesPerNewService;
  if (service.listenerPort == 0) service.listenerPort = 1521;
  OracleClassicService created{service, makeClassicComputeNodes(service, account, account.computeNodesPerNewService,
                                                                account.databaseServices.size() + 1)};
  // The cloud keeps only what it needs; the administrator password is never listed back.
  created.record.adminPassword.clear();
  account.databaseServices.push_back(std::move(created));
  return std::nullopt;
}

std::vector<SOracleDBComputeNode> makeClassicComputeNodes(const SOracleDBInstanceInfo& service,
                                                          const OracleClassicAccount& account, int count,
                                                          std::size_t addressSeed) {
  std::vector<SOracleDBComputeNode> nodes;
  for (int index = 0; index < count; ++index) {
    SOracleDBComputeNode node;
    node.name = service.serviceName + "-node-" + std::to_string(index + 1);
    node.hostName = nodeHost(service.serviceName, account.identityDomain, index);
    node.ipAddress = "10.0." + std::to_string(addressSeed % 250) + "." + std::to_string(index + 2);
    node.port = service.listenerPort != 0 ? service.listenerPort : 1521;
    node.status = "Running";
    node.shape = service.shape;
    node.sid = service.sid;
    nodes.push_back(std::move(node));
  }
  return nodes;
}

}  // namespace cloudsim
