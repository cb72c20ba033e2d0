#pragma once
// The HTTPS peer of a scenario (docs/scenarios.md, "httpsPeer"): a local TLS server whose
// certificate a throw-away CA signed, answering each request from the scenario's routes (404
// when none matches). The host is pointed at it by a copy of the platform file in which
// "${httpsPeer}" became the peer's "127.0.0.1:port", and told to trust the CA.
#include <memory>
#include <string>
#include <vector>

#include "LocalHttpServer.h"
#include "Scenario.h"
#include "ScratchDir.h"
#include "TestPki.h"

namespace scenarios {

class ScenarioHttpsPeer {
 public:
  ScenarioHttpsPeer(const Scenario& scenario, const testsupport::ScratchDir& scratch);

  // The host options that lead the host to the peer.
  std::vector<std::string> hostOptions() const {
    return {"--platform", platformFile_, "--https-ca", pki_.caCertificateFile};
  }

 private:
  testsupport::HttpReply answer(const testsupport::HttpRequest& request) const;

  std::vector<HttpsRoute> routes_;
  testsupport::TestPki pki_;
  testsupport::LocalHttpServer server_;
  std::string platformFile_;
};

}  // namespace scenarios
