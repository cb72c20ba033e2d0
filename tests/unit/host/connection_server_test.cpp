// The serve loop over a real Unix socket and the built product: sessions opened by their first
// frame, one after another or side by side, a connection limit, a stop while calls run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "ConnectionServer.h"
#include "ConsoleExchange.h"
#include "HostTestSupport.h"
#include "ProductLibrary.h"
#include "ScratchDir.h"
#include "SessionHandler.h"
#include "platform/HostEnvironment.h"
#include "platform/SocketListener.h"
#include "platform/messages/All.h"
#include "platform/messages/HostSessionMessages.h"

namespace host {
namespace {

using namespace std::chrono_literals;
constexpr int kTimeoutSeconds = 20;

class ServedHost {
 public:
  explicit ServedHost(ServeLimits limits, int idleSeconds = SessionHandler::kDefaultIdleSeconds) : writer_(scratch_.file("host.log"), 2), capture_(writer_), waiter_(writer_) {
    environment_.logWriter = &writer_;
    installation_.emplace(environment_);
    EXPECT_FALSE(ProductLibrary::open(hosttest::productLibraryPath(), library_).IsFailure());
    EXPECT_FALSE(SocketListener::listenUnix(socketPath(), listener_).IsFailure());
    EXPECT_EQ(::pipe(stopPipe_), 0);
    handler_.emplace(*library_, idleSeconds);
    server_.emplace(*listener_, *handler_, limits, stopPipe_[0]);
    runner_ = std::thread([this] { result_ = server_->run(); });
  }

  ~ServedHost() {
    stop();
    finish();
    server_.reset();
    ::close(stopPipe_[0]);
    ::close(stopPipe_[1]);
  }

  std::string socketPath() const { return scratch_.file("host.sock"); }

  std::unique_ptr<KwNetworkPeer> connect() {
    std::unique_ptr<KwNetworkPeer> peer;
    EXPECT_FALSE(KwNetworkPeer::connectUnix(socketPath(), kTimeoutSeconds, peer).IsFailure());
    return peer;
  }

  void stop() {
    if (!stopped_) {
      stopped_ = true;
      const char byte = 1;
      EXPECT_EQ(::write(stopPipe_[1], &byte, 1), 1);
    }
  }
  // Waits for run() to return.
  CLmError finish() {
    if (runner_.joinable()) {
      runner_.join();
    }
    return result_;
  }
  const ConnectionServer& server() const { return *server_; }
  LogCapture& capture() { return capture_; }
  hosttest::LineWaiter& waiter() { return waiter_; }
  void markStopped() { stopped_ = true; }

 private:
  testsupport::ScratchDir scratch_;
  LogWriter writer_;
  LogCapture capture_;
  hosttest::LineWaiter waiter_;
  HostEnvironment environment_;
  std::optional<HostEnvironment::Installation> installation_;
  std::unique_ptr<ProductLibrary> library_;
  std::unique_ptr<SocketListener> listener_;
  int stopPipe_[2] = {-1, -1};
  std::optional<SessionHandler> handler_;
  std::optional<ConnectionServer> server_;
  std::thread runner_;
  CLmError result_;
  bool stopped_ = false;
};

ExchangePlan planFor(const std::string& entry, std::unique_ptr<CNMessageBase> request) {
  ExchangePlan plan;
  plan.entryPoint = entry;
  plan.request = std::move(request);
  plan.timeoutSeconds = kTimeoutSeconds;
  return plan;
}

CLmError sendOpening(KwNetworkPeer& peer, const std::string& entry) {
  Host::OpenSession open;
  open.setEntryPoint(entry);
  return peer.sendRequest(open, kTimeoutSeconds);
}

TEST(ConnectionServer, ServesConnectionsOneAfterAnotherUpToTheLimit) {
  ServedHost host(ServeLimits{1, 2});
  for (int i = 0; i < 2; ++i) {
    auto peer = host.connect();
    ExchangeOutcome outcome;
    ASSERT_FALSE(runExchange(*peer, planFor("DiscoverRDSInventory", std::make_unique<Session::DisconnectReq>()),
                             outcome)
                     .IsFailure());
    EXPECT_TRUE(outcome.responses.empty());
    EXPECT_EQ(outcome.end, KwNetworkPeer::ReplyKind::DisconnectReply);
  }
  host.markStopped();
  EXPECT_FALSE(host.finish().IsFailure());
  EXPECT_EQ(host.server().accepted(), 2u);
  EXPECT_FALSE(host.server().stopped());
  EXPECT_EQ(host.capture().countLines("Received Disconnect request, Disconnecting Session"), 2u);
}

TEST(ConnectionServer, ServesConnectionsSideBySideWhenParallel) {
  ServedHost host(ServeLimits{2, 2});
  // The first console opens its session and holds it without a request: with one connection at a
  // time, the second console would not be served until the first one ends.
  auto waiting = host.connect();
  ASSERT_FALSE(sendOpening(*waiting, "BrowseInventoryHandler").IsFailure());
  ASSERT_TRUE(host.waiter().waitFor("session opened for [BrowseInventoryHandler]", 20s));

  auto second = host.connect();
  ExchangeOutcome outcome;
  ASSERT_FALSE(
      runExchange(*second, planFor("BrowseInventoryHandler", std::make_unique<App::BrowseRDSInventoryReq>()), outcome)
          .IsFailure());
  ASSERT_EQ(outcome.responses.size(), 1u);
  EXPECT_EQ(outcome.end, KwNetworkPeer::ReplyKind::DisconnectReply);

  ASSERT_FALSE(waiting->sendRequest(App::BrowseRDSInventoryReq(), kTimeoutSeconds).IsFailure());
  KwNetworkPeer::Reply reply;
  ASSERT_FALSE(waiting->readReply(reply, kTimeoutSeconds).IsFailure());
  EXPECT_EQ(reply.kind, KwNetworkPeer::ReplyKind::Response);
  host.markStopped();
  EXPECT_FALSE(host.finish().IsFailure());
}

TEST(ConnectionServer, AStopEndsTheCallsInProgressAndReturns) {
  ServedHost host(ServeLimits{1, std::nullopt});
  auto waiting = host.connect();
  ASSERT_FALSE(sendOpening(*waiting, "BrowseInventoryHandler").IsFailure());
  ASSERT_TRUE(host.waiter().waitFor("session opened for [BrowseInventoryHandler]", 20s));
  host.stop();
  EXPECT_FALSE(host.finish().IsFailure());
  EXPECT_TRUE(host.server().stopped());
  // The entry point's endless wait for a request ended with the socket: it sends nothing.
  KwNetworkPeer::Reply reply;
  ASSERT_FALSE(waiting->readReply(reply, kTimeoutSeconds).IsFailure());
  EXPECT_EQ(reply.kind, KwNetworkPeer::ReplyKind::PeerClosed);
  EXPECT_TRUE(host.waiter().waitFor("session of [BrowseInventoryHandler] ended", 1s));
}

TEST(SessionOpening, AnUnknownOrInProcessEntryPointIsAborted) {
  ServedHost host(ServeLimits{1, 2});
  for (const char* name : {"NoSuchEntryPoint", "DiscoverRDSNewInventory"}) {
    auto peer = host.connect();
    ExchangeOutcome outcome;
    ASSERT_FALSE(runExchange(*peer, planFor(name, std::make_unique<Session::DisconnectReq>()), outcome).IsFailure());
    EXPECT_EQ(outcome.end, KwNetworkPeer::ReplyKind::AbortNotice) << name;
  }
  host.markStopped();
  host.finish();
  EXPECT_EQ(host.capture().countLines("Received Disconnect request, Disconnecting Session"), 0u);
}

TEST(SessionOpening, AFirstFrameThatOpensNoSessionIsAborted) {
  ServedHost host(ServeLimits{1, 1});
  auto peer = host.connect();
  ASSERT_FALSE(peer->sendRequest(App::BrowseRDSInventoryReq(), kTimeoutSeconds).IsFailure());
  KwNetworkPeer::Reply reply;
  ASSERT_FALSE(peer->readReply(reply, kTimeoutSeconds).IsFailure());
  EXPECT_EQ(reply.kind, KwNetworkPeer::ReplyKind::AbortNotice);
  host.markStopped();
  host.finish();
  bool logged = false;
  for (const LogLine& line : host.capture().lines()) {
    logged = logged || (line.severity == LogSeverity::Error && line.tag == SessionHandler::kLogTag);
  }
  EXPECT_TRUE(logged);
}

// With one worker, a console that opens a session and falls silent would stop all service.
TEST(SessionOpening, ASilentConsoleIsClosedAtTheIdleLimitAndTheNextOneIsServed) {
  ServedHost host(ServeLimits{1, 2}, 1);
  auto silent = host.connect();
  ASSERT_FALSE(sendOpening(*silent, "BrowseInventoryHandler").IsFailure());
  auto next = host.connect();
  ExchangeOutcome outcome;
  ASSERT_FALSE(
      runExchange(*next, planFor("DiscoverRDSInventory", std::make_unique<Session::DisconnectReq>()), outcome)
          .IsFailure());
  EXPECT_EQ(outcome.end, KwNetworkPeer::ReplyKind::DisconnectReply);
  KwNetworkPeer::Reply reply;
  ASSERT_FALSE(silent->readReply(reply, kTimeoutSeconds).IsFailure());
  EXPECT_NE(reply.kind, KwNetworkPeer::ReplyKind::Response);
  host.markStopped();
  EXPECT_FALSE(host.finish().IsFailure());
}

TEST(SessionOpening, AConsoleThatLeavesBeforeOpeningDoesNotStopTheServer) {
  ServedHost host(ServeLimits{1, 2});
  host.connect().reset();
  auto peer = host.connect();
  ExchangeOutcome outcome;
  ASSERT_FALSE(
      runExchange(*peer, planFor("DiscoverRDSInventory", std::make_unique<Session::DisconnectReq>()), outcome)
          .IsFailure());
  EXPECT_EQ(outcome.end, KwNetworkPeer::ReplyKind::DisconnectReply);
  host.markStopped();
  EXPECT_FALSE(host.finish().IsFailure());
  EXPECT_EQ(host.server().accepted(), 2u);
}

}  // namespace
}  // namespace host
