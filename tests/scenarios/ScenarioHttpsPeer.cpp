#include "ScenarioHttpsPeer.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace scenarios {
namespace {

constexpr char kPeerMarker[] = "${httpsPeer}";

std::string withPeerAddress(const std::string& path, const std::string& address) {
  std::ifstream in(path);
  if (!in) {
    throw std::runtime_error(path + ": cannot be read");
  }
  std::stringstream text;
  text << in.rdbuf();
  std::string contents = text.str();
  const std::string marker = kPeerMarker;
  for (auto at = contents.find(marker); at != std::string::npos; at = contents.find(marker, at + address.size())) {
    contents.replace(at, marker.size(), address);
  }
  return contents;
}

}  // namespace

ScenarioHttpsPeer::ScenarioHttpsPeer(const Scenario& scenario, const testsupport::ScratchDir& scratch)
    : routes_(scenario.httpsPeer),
      pki_(testsupport::makeTestPki(scratch.path().string())),
      server_([this](const testsupport::HttpRequest& request) { return answer(request); },
              testsupport::LocalHttpServer::TlsFiles{pki_.serverCertificateFile, pki_.serverKeyFile}),
      platformFile_(scratch.file("platform.json")) {
  std::ofstream(platformFile_) << withPeerAddress(scenario.platformFile, "127.0.0.1:" + std::to_string(server_.port()));
}

testsupport::HttpReply ScenarioHttpsPeer::answer(const testsupport::HttpRequest& request) const {
  testsupport::HttpReply reply;
  for (const HttpsRoute& route : routes_) {
    if (route.method == request.method && route.target == request.target) {
      reply.status = route.status;
      reply.reason = route.status < 400 ? "OK" : "Refused";
      reply.headers = route.headers;
      reply.body = route.body;
      return reply;
    }
  }
  reply.status = 404;
  reply.reason = "Not Found";
  return reply;
}

}  // namespace scenarios
