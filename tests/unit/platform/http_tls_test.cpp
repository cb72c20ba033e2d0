// KWLibCurl over HTTPS against a local TLS server whose certificate a throw-away test CA signed:
// the server is trusted only when that CA is added, by the caller or by the host environment.
#include <gtest/gtest.h>

#include <string>

#include "LocalHttpServer.h"
#include "ScratchDir.h"
#include "TestPki.h"
#include "platform/HostEnvironment.h"
#include "platform/KWLibCurl.h"

namespace {

using testsupport::HttpReply;
using testsupport::HttpRequest;
using testsupport::LocalHttpServer;

class HttpsTest : public ::testing::Test {
 protected:
  HttpsTest()
      : pki_(testsupport::makeTestPki(scratch_.path().string())),
        server_(
            [](const HttpRequest&) {
              HttpReply reply;
              reply.body = R"({"key": "ssh-rsa AAAA test"})";
              return reply;
            },
            LocalHttpServer::TlsFiles{pki_.serverCertificateFile, pki_.serverKeyFile}) {}

  bool fetch(KWLibCurl& client) {
    return client.KWLibCurlInit("Content-Type: application/oracle-compute-v3+json", true, true) &&
           client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, server_.url("/sshkey/k"), nullptr, 0, false, nullptr);
  }

  testsupport::ScratchDir scratch_;
  testsupport::TestPki pki_;
  LocalHttpServer server_;
};

TEST_F(HttpsTest, ServerSignedByTheExtraCaIsTrusted) {
  KWLibCurl client;
  client.KWLibCurlSetExtraCaFile(pki_.caCertificateFile);
  ASSERT_TRUE(fetch(client)) << client.GetLastErrorText();
  EXPECT_EQ(client.GetHttpResponseCode(), 200);
  std::size_t length = 0;
  const char* body = client.GetHttpResponse(length, false);
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(std::string(body, length), R"({"key": "ssh-rsa AAAA test"})");
  // The same object stays trusted for a second request on a new connection.
  ASSERT_TRUE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, server_.url("/again"), nullptr, 0, false, nullptr))
      << client.GetLastErrorText();
  EXPECT_EQ(server_.requests().size(), 2u);
}

TEST_F(HttpsTest, ServerIsRefusedWithoutTheExtraCa) {
  KWLibCurl client;
  EXPECT_FALSE(fetch(client));
  EXPECT_EQ(client.GetHttpResponseCode(), 0);
  EXPECT_TRUE(server_.requests().empty());
  EXPECT_FALSE(client.GetLastErrorText().empty());
}

TEST_F(HttpsTest, ExtraCaComesFromTheHostEnvironmentByDefault) {
  HostEnvironment environment;
  environment.httpsExtraCaFile = pki_.caCertificateFile;
  const HostEnvironment::Installation installed(environment);
  KWLibCurl client;
  EXPECT_TRUE(fetch(client)) << client.GetLastErrorText();
}

TEST_F(HttpsTest, UnreadableExtraCaFileFailsTheRequest) {
  KWLibCurl client;
  client.KWLibCurlSetExtraCaFile(scratch_.file("missing.pem"));
  EXPECT_FALSE(fetch(client));
  EXPECT_TRUE(server_.requests().empty());
}

}  // namespace
