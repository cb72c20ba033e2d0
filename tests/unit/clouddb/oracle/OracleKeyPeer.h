#pragma once
// A stand-in for the compute REST interface that keeps the account's SSH keys: HTTPS on
// 127.0.0.1 with a certificate of a throw-away CA. It accepts one user and password at
// "/authenticate/" (answering with a session cookie) and serves the key objects at
// "/sshkey<name>" to requests that bring the cookie back. Tests change its answers through
// the members below before they make the request.
#include <string>

#include "LocalHttpServer.h"
#include "ScratchDir.h"
#include "TestPki.h"
#include "platform/KwJson.h"

namespace oracletest {

class OracleKeyPeer {
 public:
  static constexpr char kCookie[] = "nimbula=session-1; Path=/; Max-Age=1800";

  std::string user = "/Compute-admin";
  std::string password = "classic-pw";
  std::string keyPath = "/sshkey/Compute-acme/admin/deploy";
  // The key object's text; served as it is.
  std::string keyBody = R"({"name": "/Compute-acme/admin/deploy", "key": "ssh-rsa AAAAB3Nza deploy@acme"})";
  bool sendCookie = true;
  bool neverAnswer = false;

  OracleKeyPeer()
      : pki_(testsupport::makeTestPki(scratch_.path().string())),
        server_([this](const testsupport::HttpRequest& request) { return answer(request); },
                testsupport::LocalHttpServer::TlsFiles{pki_.serverCertificateFile, pki_.serverKeyFile}) {}

  // "127.0.0.1:port": what the account's settings name as its API host.
  std::string apiHost() const { return "127.0.0.1:" + std::to_string(server_.port()); }
  const std::string& caFile() const { return pki_.caCertificateFile; }
  std::vector<testsupport::HttpRequest> requests() const { return server_.requests(); }

 private:
  testsupport::HttpReply answer(const testsupport::HttpRequest& request) {
    testsupport::HttpReply reply;
    reply.neverAnswer = neverAnswer;
    if (request.method == "POST" && request.target == "/authenticate/") {
      KwJson::Map body;
      if (!KwJson::Unserialize(request.body, body) || body.size() != 2 ||
          KwJson::GetStringValue(body, "user") != user || KwJson::GetStringValue(body, "password") != password) {
        reply.status = 401;
        reply.reason = "Unauthorized";
        return reply;
      }
      reply.status = 204;
      reply.reason = "No Content";
      if (sendCookie) reply.headers.emplace_back("Set-Cookie", kCookie);
      return reply;
    }
    if (request.method == "GET" && request.target == keyPath && request.header("Cookie") == std::string(kCookie)) {
      reply.headers.emplace_back("Content-Type", "application/oracle-compute-v3+json");
      reply.body = keyBody;
      return reply;
    }
    reply.status = 401;
    reply.reason = "Unauthorized";
    return reply;
  }

  testsupport::ScratchDir scratch_;
  testsupport::TestPki pki_;
  testsupport::LocalHttpServer server_;
};

}  // namespace oracletest
