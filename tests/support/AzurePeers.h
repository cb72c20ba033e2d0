#pragma once
// Real local stand-ins for Azure services, for tests that speak to Azure Table storage or to
// Cosmos DB: Azurite's Table service and @vercel/cosmosdb-server, pinned in
// tests/peers/package-lock.json and installed by scripts/setup.sh (`make setup`).
//
// Each peer runs as a Node.js child in a process group of its own, on 127.0.0.1 and a port the
// system picks (no test depends on a fixed port being free). The constructor waits until the
// peer says it listens; the destructor stops the group and reaps it. When the test process dies
// first, the peer sees its standard input end and exits by itself.
//
// Seeding and checking go through requests of this file's own (libcurl, and OpenSSL's HMAC for
// Shared Key signing), never through the library's code.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ChildProcess.h"
#include "TestPki.h"

namespace testsupport {

// True when node and tests/peers/node_modules (made by scripts/setup.sh) are present.
bool azurePeersInstalled();

// One answer of a peer, for tests that look at it directly.
struct PeerReply {
  long status = 0;
  std::string body;
  std::vector<std::pair<std::string, std::string>> headers;  // in arrival order, names as sent

  // The first header of this name (compared without regard to case).
  std::optional<std::string> header(std::string_view name) const;
  // The text member of every element of the body's JSON list: listedNames("value", "TableName")
  // for Query Tables, listedNames("Databases", "id") for Cosmos DB. Throws when there is no list.
  std::vector<std::string> listedNames(const char* list, const char* member) const;
};

// Azurite's Table service on 127.0.0.1 and a free port, in-memory, its working folder in workFolder;
// started by the constructor (which waits until it answers, at most 30 s, else throws std::runtime_error
// naming what failed and "run make setup" when not installed); stopped and reaped by the destructor.
class AzuriteTablePeer {
 public:
  static constexpr const char* kDevAccount = "devstoreaccount1";
  static constexpr const char* kDevKey =
      "Eby8vdM02xNOcqFlqUwJPLlmEtlCDXJ1OUzFT50uSRZ6IFsuFq2UVErCz4I6tq/K1SZFPTOtr/KBHBeksoGMGw==";
  explicit AzuriteTablePeer(const std::string& workFolder);
  ~AzuriteTablePeer();
  AzuriteTablePeer(const AzuriteTablePeer&) = delete;
  AzuriteTablePeer& operator=(const AzuriteTablePeer&) = delete;
  int port() const;
  // Host-style Table endpoint: "http://ACCOUNT.localhost:PORT/".
  std::string tableEndpoint(const std::string& account = kDevAccount) const;
  // Creates tables of the dev account with signed requests of the test support's own (OpenSSL HMAC + libcurl;
  // it must not use the library's signing code). Throws on any status other than 201/204.
  void createTables(const std::vector<std::string>& names) const;
  // One request of the dev account, Shared Key signed like createTables': target is the path and
  // query after the endpoint ("Tables", "Tables?NextTableName=..."), body JSON or empty.
  PeerReply tableRequest(const std::string& verb, const std::string& target, const std::string& body = "") const;

 private:
  std::string workFolder_;
  std::unique_ptr<ChildProcess> process_;
  int port_ = 0;
};

// The Cosmos DB peer over HTTPS with the certificate of pki (TestPki.h), started/stopped like Azurite.
// It checks no authorization.
class CosmosPeer {
 public:
  CosmosPeer(const std::string& workFolder, const TestPki& pki);
  ~CosmosPeer();
  CosmosPeer(const CosmosPeer&) = delete;
  CosmosPeer& operator=(const CosmosPeer&) = delete;
  int port() const;
  std::string endpoint() const;  // "https://localhost:PORT/"
  void createDatabase(const std::string& name) const;
  void createContainer(const std::string& database, const std::string& name) const;
  // One request over HTTPS, the peer's certificate verified against the test CA: target is the
  // path after the endpoint ("dbs", "dbs/sales/colls"), body JSON or empty.
  PeerReply request(const std::string& verb, const std::string& target, const std::string& body = "") const;

 private:
  std::string workFolder_;
  std::string caFile_;
  std::unique_ptr<ChildProcess> process_;
  int port_ = 0;
};

}  // namespace testsupport
