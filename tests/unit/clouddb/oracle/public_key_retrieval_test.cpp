// The account's SSH public key fetched over HTTPS from a real local TLS peer whose certificate a
// throw-away CA signed: authentication, the session cookie, the key object, and every way the
// exchange can fail.
#include <gtest/gtest.h>

#include <chrono>

#include "OracleKeyPeer.h"
#include "OracleTestWorld.h"
#include "clouddb/oracle/CloudDBMsgHandler.h"

using namespace oracletest;

namespace {

constexpr char kKeyName[] = "/Compute-acme/admin/deploy";

struct Fetch {
  bool ok = false;
  std::string key;
  std::string cookie;
};

Fetch fetchKey(OracleKeyPeer& peer, const std::string& user = "admin", const std::string& password = "classic-pw",
               const std::string& keyName = kKeyName) {
  CloudDBMsgHandler handler;
  handler.setApiAccount(peer.apiHost(), user, password);
  handler.setKeyRequestTimeouts(2, 2);
  Fetch fetch;
  fetch.ok = handler.GetPublicKey(keyName);
  fetch.key = handler.publicKey();
  fetch.cookie = handler.authCookie();
  return fetch;
}

}  // namespace

TEST(PublicKeyRetrieval, AuthenticatesKeepsTheCookieAndReadsTheKey) {
  OracleTestWorld world;
  OracleKeyPeer peer;
  world.trustCa(peer.caFile());
  const Fetch fetch = fetchKey(peer);
  ASSERT_TRUE(fetch.ok) << world.allText();
  EXPECT_EQ(fetch.key, "ssh-rsa AAAAB3Nza deploy@acme");
  EXPECT_EQ(fetch.cookie, std::string(" ") + OracleKeyPeer::kCookie);
  const auto requests = peer.requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].header("Content-Type"), "application/oracle-compute-v3+json");
  EXPECT_EQ(requests[1].target, "/sshkey/Compute-acme/admin/deploy") << "the name follows /sshkey unchanged";
  EXPECT_EQ(requests[1].header("Accept"), "application/oracle-compute-v3+json");
  EXPECT_EQ(world.allText().find("classic-pw"), std::string::npos);
}

// A key name is the rest of the key's path and nothing more: what would add a query, a fragment
// or a host is encoded, and a name that climbs out of the key path is refused.
TEST(PublicKeyRetrieval, AKeyNameStaysWithinTheKeyPath) {
  OracleTestWorld world;
  OracleKeyPeer peer;
  world.trustCa(peer.caFile());
  const struct {
    std::string keyName;
    std::string target;  // empty: refused before the key is asked for
  } cases[] = {
      {"/Compute-acme/admin/de?ploy#x", "/sshkey/Compute-acme/admin/de%3Fploy%23x"},
      {"@evil.example/k", "/sshkey%40evil.example/k"},
      {"/../../admin?x=1", ""},
      {"/Compute-acme/./deploy", ""},
  };
  for (const auto& c : cases) {
    const std::size_t before = peer.requests().size();
    peer.keyPath = c.target;  // the peer answers with the key there only
    const Fetch fetch = fetchKey(peer, "admin", "classic-pw", c.keyName);
    const auto requests = peer.requests();
    if (c.target.empty()) {
      EXPECT_FALSE(fetch.ok) << c.keyName;
      EXPECT_EQ(requests.size() - before, 1u) << c.keyName << ": only the authentication";
    } else {
      EXPECT_TRUE(fetch.ok) << c.keyName;
      ASSERT_EQ(requests.size() - before, 2u) << c.keyName;
      EXPECT_EQ(requests[before + 1].target, c.target);
    }
  }
}

TEST(PublicKeyRetrieval, EveryPasswordTravelsExactlyAsGiven) {
  OracleTestWorld world;
  OracleKeyPeer peer;
  world.trustCa(peer.caFile());
  for (const std::string password : {R"(pa"ss)", R"(back\slash)", R"(x", "user": "/Compute-evil)", "ünï\tcode"}) {
    peer.password = password;
    EXPECT_TRUE(fetchKey(peer, "admin", password).ok) << password;
  }
}

TEST(PublicKeyRetrieval, FailuresAreLoggedAndReportedAsFalse) {
  struct Case {
    const char* what;
    void (*arrange)(OracleKeyPeer&);
    std::string password;
    std::string line;
  };
  const Case cases[] = {
      {"wrong password", [](OracleKeyPeer&) {}, "wrong", "Unable to get auth token."},
      {"no cookie", [](OracleKeyPeer& peer) { peer.sendCookie = false; }, "classic-pw", "Unable to get auth token."},
      {"no key member", [](OracleKeyPeer& peer) { peer.keyBody = R"({"name": "deploy"})"; }, "classic-pw",
       "Public key value is empty. Failed to fetch public key value for [/Compute-acme/admin/deploy]"},
      {"not JSON", [](OracleKeyPeer& peer) { peer.keyBody = "<html>busy</html>"; }, "classic-pw",
       "JSON unserialize failed for response [<html>busy</html>]"},
      {"empty body", [](OracleKeyPeer& peer) { peer.keyBody.clear(); }, "classic-pw",
       "Get key value ssh response is empty"},
  };
  for (const Case& c : cases) {
    OracleTestWorld world;
    OracleKeyPeer peer;
    world.trustCa(peer.caFile());
    c.arrange(peer);
    const Fetch fetch = fetchKey(peer, "admin", c.password);
    EXPECT_FALSE(fetch.ok) << c.what;
    EXPECT_TRUE(fetch.key.empty()) << c.what;
    EXPECT_TRUE(world.capture().hasLine("GetPublicKey", c.line)) << c.what << "\n" << world.allText();
  }
}

TEST(PublicKeyRetrieval, AnUntrustedPeerIsRefusedAndASilentOneTimesOut) {
  {
    OracleTestWorld world;  // the test CA is not trusted here
    OracleKeyPeer peer;
    EXPECT_FALSE(fetchKey(peer).ok);
    EXPECT_TRUE(world.capture().hasLine("GetPublicKey", "KWLibCurlSendHttpReq failed."));
    EXPECT_TRUE(peer.requests().empty()) << "nothing is sent to a peer that is not trusted";
  }
  OracleTestWorld world;
  OracleKeyPeer peer;
  world.trustCa(peer.caFile());
  peer.neverAnswer = true;
  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(fetchKey(peer).ok);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
  EXPECT_TRUE(world.capture().hasLine("GetPublicKey", "KWLibCurlSendHttpReq failed."));
}
