// The console's side of an exchange against a scripted host on a socket pair.
#include <gtest/gtest.h>

#include <thread>

#include "ConsoleExchange.h"
#include "SocketPair.h"
#include "platform/CKwNetwork.h"
#include "platform/messages/All.h"
#include "platform/messages/HostSessionMessages.h"

namespace host {
namespace {

constexpr int kTimeoutSeconds = 20;

// Plays the host: reads the session opening, then runs script on the connection.
template <typename Script>
std::thread scriptedHost(kwnet::SocketFd socket, std::string& openedFor, Script script) {
  return std::thread([socket = std::move(socket), &openedFor, script]() mutable {
    CKwNetwork connection(std::move(socket));
    bool flag = false;
    CNMessageBase* first = nullptr;
    if (connection.ReceiveXMLMessage(nullptr, &first, nullptr, 0, kTimeoutSeconds, flag).IsSuccess() && first) {
      if (const auto* open = dynamic_cast<const Host::OpenSession*>(first)) {
        openedFor = open->entryPoint() + "/" + std::to_string(open->argument());
      }
    }
    script(connection, flag);
  });
}

ExchangePlan planWith(std::unique_ptr<CNMessageBase> request) {
  ExchangePlan plan;
  plan.entryPoint = "BrowseInventoryHandler";
  plan.argument = 7;
  plan.request = std::move(request);
  plan.timeoutSeconds = kTimeoutSeconds;
  return plan;
}

TEST(ConsoleExchange, CollectsEveryResponseInOrderAndHowTheExchangeEnded) {
  auto [consoleEnd, hostEnd] = testsupport::makeSocketPair();
  std::string openedFor;
  std::string requestSeen;
  std::thread host = scriptedHost(std::move(hostEnd), openedFor, [&](CKwNetwork& connection, bool& flag) {
    CNMessageBase* request = nullptr;
    if (connection.ReceiveXMLMessage(nullptr, &request, nullptr, 0, kTimeoutSeconds, flag).IsSuccess()) {
      requestSeen = request->getTagName();
    }
    App::BrowseInventoryResp first;
    first.mutableError().setErrorCode(0);
    App::BrowseInventoryResp second;
    second.mutableError().setErrorCode(1);
    connection.SendXMLMessage(&first, 0, kTimeoutSeconds, flag);
    connection.SendXMLMessage(&second, 0, kTimeoutSeconds, flag);
    connection.ReplyDisconnect(kTimeoutSeconds, flag);
  });
  KwNetworkPeer peer(std::move(consoleEnd));
  ExchangeOutcome outcome;
  CLmError result = runExchange(peer, planWith(std::make_unique<App::BrowseInventoryReq>()), outcome);
  host.join();
  ASSERT_FALSE(result.IsFailure()) << result.AsString();
  EXPECT_EQ(openedFor, "BrowseInventoryHandler/7");
  EXPECT_EQ(requestSeen, "App::BrowseInventoryReq");
  ASSERT_EQ(outcome.responses.size(), 2u);
  EXPECT_EQ(static_cast<const App::BrowseInventoryResp&>(*outcome.responses[1]).error()->errorCode(), 1);
  EXPECT_EQ(outcome.end, KwNetworkPeer::ReplyKind::DisconnectReply);
  EXPECT_EQ(endName(outcome.end), "disconnect-reply");
}

TEST(ConsoleExchange, WithoutARequestTheHostSeesTheEndOfTheStream) {
  auto [consoleEnd, hostEnd] = testsupport::makeSocketPair();
  std::string openedFor;
  bool sawEnd = false;
  std::thread host = scriptedHost(std::move(hostEnd), openedFor, [&](CKwNetwork& connection, bool& flag) {
    CNMessageBase* request = nullptr;
    sawEnd = connection.ReceiveXMLMessage(nullptr, &request, nullptr, 0, kTimeoutSeconds, flag).IsFailure();
    int status = 0;
    connection.AbortConnection(&status, kTimeoutSeconds, flag);
  });
  KwNetworkPeer peer(std::move(consoleEnd));
  ExchangeOutcome outcome;
  CLmError result = runExchange(peer, planWith(nullptr), outcome);
  host.join();
  ASSERT_FALSE(result.IsFailure()) << result.AsString();
  EXPECT_TRUE(sawEnd);
  EXPECT_TRUE(outcome.responses.empty());
  EXPECT_EQ(endName(outcome.end), "abort");
}

TEST(ConsoleExchange, AHostThatClosesWithoutAWordEndsWithClose) {
  auto [consoleEnd, hostEnd] = testsupport::makeSocketPair();
  std::string openedFor;
  bool refused = false;
  std::thread host = scriptedHost(std::move(hostEnd), openedFor, [&](CKwNetwork& connection, bool& flag) {
    CNMessageBase* request = nullptr;
    refused = connection.ReceiveXMLMessage(nullptr, &request, nullptr, 0, kTimeoutSeconds, flag).IsFailure();
  });
  KwNetworkPeer peer(std::move(consoleEnd));
  ExchangeOutcome outcome;
  ExchangePlan plan = planWith(nullptr);
  plan.bareTag = 0x7F000001;  // no type is registered for it: it travels as a bare frame
  CLmError result = runExchange(peer, plan, outcome);
  host.join();
  ASSERT_FALSE(result.IsFailure()) << result.AsString();
  EXPECT_TRUE(refused);
  EXPECT_EQ(endName(outcome.end), "close");
}

}  // namespace
}  // namespace host
