#pragma once
// The Azure peers of a scenario (docs/scenarios.md, "azurePeers"): Azurite's Table service with
// the scenario's tables and/or the Cosmos DB peer holding the cloud fixture's databases, on free
// ports. The host is pointed at them by a copy of the cloud fixture in which "${azuritePort}" and
// "${cosmosEndpoint}" became the peers' port and endpoint, and told to trust the Cosmos peer's CA.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AzurePeers.h"
#include "Scenario.h"
#include "ScratchDir.h"
#include "TestPki.h"

namespace scenarios {

class ScenarioAzurePeers {
 public:
  // Starts and seeds the peers of scenario.azurePeers; throws std::runtime_error when a peer
  // cannot start or refuses its seed, or the fixture names a peer the scenario does not start.
  ScenarioAzurePeers(const Scenario& scenario, const testsupport::ScratchDir& scratch);

  // The host options that lead the host to the peers.
  std::vector<std::string> hostOptions() const;

  const std::string& cloudFile() const { return cloudFile_; }
  const testsupport::AzuriteTablePeer* azurite() const { return azurite_.get(); }
  const testsupport::CosmosPeer* cosmos() const { return cosmos_.get(); }

 private:
  void seedCosmos(const std::string& fixtureText) const;

  std::optional<testsupport::TestPki> pki_;
  std::unique_ptr<testsupport::AzuriteTablePeer> azurite_;
  std::unique_ptr<testsupport::CosmosPeer> cosmos_;
  std::string cloudFile_;
};

}  // namespace scenarios
