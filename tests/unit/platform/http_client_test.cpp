// KWLibCurl against a local plain-HTTP server: what goes out (method, headers, body), what comes
// back (status, body, headers by name), and the failures a caller must be able to tell apart.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "LocalHttpServer.h"
#include "platform/KWLibCurl.h"

namespace {

using testsupport::HttpReply;
using testsupport::HttpRequest;
using testsupport::LocalHttpServer;

HttpReply okReply(std::string body) {
  HttpReply reply;
  reply.body = std::move(body);
  return reply;
}

// A port nothing listens on: bound once, then released.
std::uint16_t closedPort() {
  const LocalHttpServer server([](const HttpRequest&) { return HttpReply{}; });
  return server.port();
}

std::string body(KWLibCurl& client) {
  std::size_t length = 0;
  const char* text = client.GetHttpResponse(length, false);
  return text == nullptr ? std::string("<null>") : std::string(text, length);
}

TEST(HttpResponse, StatusBodyAndHeadersOfTheLastResponse) {
  LocalHttpServer server([](const HttpRequest&) {
    HttpReply reply;
    reply.status = 404;
    reply.reason = "Not Found";
    reply.headers = {{"Set-Cookie", "session=abc; Path=/"}, {"X-Ms-Continuation-NextTableName", "page2"}};
    reply.body = R"({"error":"nothing here"})";
    return reply;
  });
  KWLibCurl client;
  ASSERT_TRUE(client.KWLibCurlInit("Content-Type: application/json", true, false));
  ASSERT_TRUE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, server.url("/missing"), nullptr, 0, false, nullptr));

  EXPECT_EQ(client.GetHttpResponseCode(), 404);
  EXPECT_EQ(body(client), R"({"error":"nothing here"})");
  // The whole line as received, name and line end included; the name matches in any case,
  // with or without its colon.
  const char* cookie = client.GetHttpResponseHeader("Set-Cookie:");
  ASSERT_NE(cookie, nullptr);
  EXPECT_STREQ(cookie, "Set-Cookie: session=abc; Path=/\r\n");
  ASSERT_NE(client.GetHttpResponseHeader("x-ms-continuation-nexttablename"), nullptr);
  EXPECT_STREQ(client.GetHttpResponseHeader("x-ms-continuation-nexttablename"),
               "X-Ms-Continuation-NextTableName: page2\r\n");
  EXPECT_EQ(client.GetHttpResponseHeader("Set-Cookie2"), nullptr);
  EXPECT_EQ(client.GetHttpResponseHeader("Set"), nullptr);

  std::size_t length = 0;
  const char* block = client.GetHttpResponse(length, true);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(std::string(block, length).rfind("HTTP/1.1 404 Not Found\r\n", 0), 0u);
}

TEST(HttpResponse, EmptyBodyGivesNullAndTheStatus) {
  LocalHttpServer server([](const HttpRequest&) {
    HttpReply reply;
    reply.status = 204;
    reply.reason = "No Content";
    return reply;
  });
  KWLibCurl client;
  ASSERT_TRUE(client.KWLibCurlInit("Content-Type: ", true, false, 0));
  ASSERT_TRUE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_DELETE, server.url("/Tables('t')"), nullptr, 0, 0, 0));
  EXPECT_EQ(client.GetHttpResponseCode(), 204);
  std::size_t length = 99;
  EXPECT_EQ(client.GetHttpResponse(length, false), nullptr);
  EXPECT_EQ(length, 0u);
}

TEST(HttpResponse, NothingIsLeftFromAnEarlierResponse) {
  LocalHttpServer server([](const HttpRequest& request) {
    HttpReply reply = okReply(request.target == "/first" ? "first body" : "");
    if (request.target == "/first") {
      reply.headers = {{"Set-Cookie", "old=1"}};
    }
    return reply;
  });
  KWLibCurl client;
  ASSERT_TRUE(client.KWLibCurlInit("Accept: */*", true, false));
  ASSERT_TRUE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, server.url("/first"), nullptr, 0, false, nullptr));
  ASSERT_TRUE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, server.url("/second"), nullptr, 0, false, nullptr));
  EXPECT_EQ(body(client), "<null>");
  EXPECT_EQ(client.GetHttpResponseHeader("Set-Cookie"), nullptr);
}

TEST(HttpRequestSent, InitHeaderLineAppendedHeadersAndTheirClearing) {
  LocalHttpServer server([](const HttpRequest&) { return okReply("ok"); });
  KWLibCurl client;
  ASSERT_TRUE(client.KWLibCurlInit("Content-Type: application/oracle-compute-v3+json", true, false));
  ASSERT_TRUE(client.KWLibCurlAppendHeader(0, "x-ms-version: 2015-12-11"));
  ASSERT_TRUE(client.KWLibCurlAppendHeader(0, "Cookie: nonce=1"));
  const std::string payload = R"({"user": "/Compute-acme"})";
  ASSERT_TRUE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_POST, server.url("/authenticate/"), payload.c_str(),
                                          payload.size(), false, "X-Extra: once"));
  client.KWLibCurlFreeHttpHeaderList();
  ASSERT_TRUE(client.KWLibCurlAppendHeader(0, "Accept: application/oracle-compute-v3+json"));
  ASSERT_TRUE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, server.url("/sshkey/k"), payload.c_str(),
                                          payload.size(), false, nullptr));

  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 2u);
  const HttpRequest& post = requests[0];
  EXPECT_EQ(post.requestLine, "POST /authenticate/ HTTP/1.1");
  EXPECT_EQ(post.body, payload);
  EXPECT_EQ(post.header("Content-Type"), "application/oracle-compute-v3+json");
  EXPECT_EQ(post.header("x-ms-version"), "2015-12-11");
  EXPECT_EQ(post.header("Cookie"), "nonce=1");
  EXPECT_EQ(post.header("X-Extra"), "once");
  EXPECT_EQ(post.header("Expect"), std::nullopt);

  // The list was cleared: only the Init line and the new header remain. The GET carries no
  // body although one was passed (it held a password in the caller).
  const HttpRequest& get = requests[1];
  EXPECT_EQ(get.requestLine, "GET /sshkey/k HTTP/1.1");
  EXPECT_EQ(get.body, "");
  EXPECT_EQ(get.header("Content-Length"), std::nullopt);
  EXPECT_EQ(get.header("x-ms-version"), std::nullopt);
  EXPECT_EQ(get.header("Cookie"), std::nullopt);
  EXPECT_EQ(get.header("X-Extra"), std::nullopt);
  EXPECT_EQ(get.header("Accept"), "application/oracle-compute-v3+json");
  EXPECT_EQ(get.header("Content-Type"), "application/oracle-compute-v3+json");
}

TEST(HttpRequestSent, EmptyContentTypeIsLeftOutEvenForAPost) {
  LocalHttpServer server([](const HttpRequest&) { return okReply("ok"); });
  KWLibCurl client;
  ASSERT_TRUE(client.KWLibCurlInit("Content-Type: ", true, false, 0));
  const std::string payload = "a=b";
  ASSERT_TRUE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_POST, server.url("/Tables"), payload.c_str(),
                                          payload.size(), 0, 0));
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 1u);
  // A signature computed over an empty Content-Type only holds if none is sent.
  EXPECT_EQ(requests[0].header("Content-Type"), std::nullopt);
  EXPECT_EQ(requests[0].body, payload);
}

TEST(HttpRequestSent, PutAndLargeBinaryBodiesArriveWhole) {
  LocalHttpServer server([](const HttpRequest&) { return okReply("ok"); });
  KWLibCurl client;
  ASSERT_TRUE(client.KWLibCurlInit("Content-Type: application/octet-stream", true, false));
  std::string payload(300000, 'x');
  payload[10] = '\0';
  payload[299999] = 'z';
  ASSERT_TRUE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_PUT, server.url("/blob"), payload.data(), payload.size(),
                                          false, nullptr));
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "PUT");
  EXPECT_EQ(requests[0].body, payload);
}

TEST(HttpRequestSent, DefaultAddressWhenTheInitTextIsNoHeaderLine) {
  LocalHttpServer server([](const HttpRequest&) { return okReply("default"); });
  KWLibCurl client;
  ASSERT_TRUE(client.KWLibCurlInit(server.url("/default"), false, false));
  ASSERT_TRUE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, "", nullptr, 0, false, nullptr));
  EXPECT_EQ(body(client), "default");
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0].target, "/default");
}

TEST(HttpRequestSent, WriteCallbackTakesTheBody) {
  LocalHttpServer server([](const HttpRequest&) { return okReply(std::string(100000, 'b')); });
  std::string received;
  KWLibCurl client;
  ASSERT_TRUE(client.KWLibCurlInit("Accept: */*", true, false, [&received](std::string_view chunk) {
    received.append(chunk);
    return true;
  }));
  ASSERT_TRUE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, server.url("/big"), nullptr, 0, false, nullptr));
  EXPECT_EQ(received, std::string(100000, 'b'));
  EXPECT_EQ(body(client), "<null>");
}

TEST(HttpFailures, CallsThatCannotBeMade) {
  KWLibCurl client;
  EXPECT_FALSE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, "http://127.0.0.1:1/", nullptr, 0, false, nullptr));
  EXPECT_FALSE(client.KWLibCurlInit("not a header line", true, false));
  ASSERT_TRUE(client.KWLibCurlInit("Accept: */*", true, false));
  EXPECT_FALSE(client.KWLibCurlAppendHeader(1, "Accept: */*"));
  EXPECT_FALSE(client.KWLibCurlAppendHeader(0, "no colon"));
  EXPECT_FALSE(client.KWLibCurlAppendHeader(0, "Injected: a\r\nEvil: b"));
  LocalHttpServer server([](const HttpRequest&) { return okReply("ok"); });
  EXPECT_FALSE(client.KWLibCurlSendHttpReq(7, server.url("/"), nullptr, 0, false, nullptr));
  EXPECT_FALSE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, server.url("/"), nullptr, 0, false,
                                           "X-Extra: a\r\nHost: elsewhere"));
  EXPECT_TRUE(server.requests().empty());
}

TEST(HttpFailures, TransportFailureLeavesNoStatusAndNoBody) {
  KWLibCurl client;
  ASSERT_TRUE(client.KWLibCurlInit("Accept: */*", true, false));
  EXPECT_FALSE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, "http://127.0.0.1:" + std::to_string(closedPort()) + "/",
                                           nullptr, 0, false, nullptr));
  EXPECT_EQ(client.GetHttpResponseCode(), 0);
  EXPECT_EQ(body(client), "<null>");
  EXPECT_FALSE(client.GetLastErrorText().empty());
}

TEST(HttpFailures, HttpErrorStatusFailsOnlyWhenAskedTo) {
  LocalHttpServer server([](const HttpRequest&) {
    HttpReply reply = okReply("busy");
    reply.status = 503;
    reply.reason = "Service Unavailable";
    return reply;
  });
  KWLibCurl client;
  ASSERT_TRUE(client.KWLibCurlInit("Accept: */*", true, false));
  EXPECT_TRUE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, server.url("/"), nullptr, 0, false, nullptr));
  EXPECT_EQ(client.GetHttpResponseCode(), 503);
  EXPECT_EQ(body(client), "busy");
  EXPECT_FALSE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, server.url("/"), nullptr, 0, true, nullptr));
  EXPECT_EQ(client.GetHttpResponseCode(), 503);
}

TEST(HttpFailures, ABodyBeyondTheBoundFailsTheSend) {
  LocalHttpServer server([](const HttpRequest&) { return okReply(std::string(5000, 'x')); });
  KWLibCurl client;
  ASSERT_TRUE(client.KWLibCurlInit("Accept: */*", true, false));
  client.KWLibCurlSetMaxBodyBytes(5000);
  EXPECT_TRUE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, server.url("/"), nullptr, 0, false, nullptr));
  EXPECT_EQ(body(client), std::string(5000, 'x'));
  client.KWLibCurlSetMaxBodyBytes(4999);
  EXPECT_FALSE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, server.url("/"), nullptr, 0, false, nullptr));
  EXPECT_EQ(body(client), "<null>");
  EXPECT_EQ(client.GetLastErrorText(), "The response body exceeds 4999 bytes");
}

TEST(HttpFailures, HttpsOnlyRefusesAPlainAddress) {
  LocalHttpServer server([](const HttpRequest&) { return okReply("ok"); });
  KWLibCurl client;
  ASSERT_TRUE(client.KWLibCurlInit("Accept: */*", true, true));
  EXPECT_FALSE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, server.url("/"), nullptr, 0, false, nullptr));
  EXPECT_TRUE(server.requests().empty());
}

TEST(HttpFailures, ServerThatNeverAnswersEndsWithTheTotalTimeout) {
  LocalHttpServer server([](const HttpRequest&) {
    HttpReply reply;
    reply.neverAnswer = true;
    return reply;
  });
  KWLibCurl client;
  ASSERT_TRUE(client.KWLibCurlInit("Accept: */*", true, false));
  client.KWLibCurlSetTimeouts(1, 1);
  EXPECT_FALSE(client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, server.url("/slow"), nullptr, 0, false, nullptr));
  EXPECT_EQ(client.GetHttpResponseCode(), 0);
}

TEST(HttpRequestTypes, NamesOfTheRequestKinds) {
  EXPECT_STREQ(KWLibCurl::GetHttpReqTypeString(0), "GET");
  EXPECT_STREQ(KWLibCurl::GetHttpReqTypeString(1), "POST");
  EXPECT_STREQ(KWLibCurl::GetHttpReqTypeString(2), "PUT");
  EXPECT_STREQ(KWLibCurl::GetHttpReqTypeString(3), "DELETE");
  EXPECT_STREQ(KWLibCurl::GetHttpReqTypeString(4), "UNKNOWN");
}

// Only the viewed text is escaped, also when the view is empty or stops short of a NUL.
TEST(UrlEscaping, EscapesExactlyTheViewedText) {
  const std::string text = "a b/c?d";
  EXPECT_EQ(KWLibCurl::EscapeUrlText(text), "a%20b%2Fc%3Fd");
  EXPECT_EQ(KWLibCurl::EscapeUrlText(std::string_view(text).substr(0, 3)), "a%20b");
  EXPECT_EQ(KWLibCurl::EscapeUrlText(std::string_view(text).substr(3, 0)), "");
  EXPECT_EQ(KWLibCurl::EscapeUrlText("-._~AZaz09"), "-._~AZaz09");
}

}  // namespace
