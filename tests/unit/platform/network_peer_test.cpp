// The console side and the listener over real sockets: a Unix path and loopback TCP, the socket
// file's life, connection failures and time-outs, and a console that stops sending early.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ScratchDir.h"
#include "ExpiredWaits.h"
#include "platform/CKwNetwork.h"
#include "platform/KwNetworkPeer.h"
#include "platform/NetworkErrors.h"
#include "platform/SocketListener.h"
#include "platform/messages/App.h"

namespace {

App::CloudDBEntity request() {
  App::CloudDBEntity entity;
  entity.setName("eu-west-1");
  entity.setEntityType(3);
  return entity;
}

// One request and one answer across an accepted connection.
void exchange(SocketListener& listener, KwNetworkPeer& peer) {
  ASSERT_FALSE(peer.sendRequest(request(), 5).IsFailure());
  kwnet::SocketFd accepted;
  ASSERT_FALSE(listener.accept(accepted, 5).IsFailure());
  CKwNetwork host(std::move(accepted));
  bool flag = false;
  CNMessageBase* received = nullptr;
  const CLmError result = host.ReceiveXMLMessage(nullptr, &received, nullptr, 0, 5, flag);
  ASSERT_FALSE(result.IsFailure()) << result.AsString();
  EXPECT_EQ(received->serialize(), request().serialize());
  App::ErrorRecord answer;
  answer.setErrorMessage("served");
  ASSERT_FALSE(host.SendXMLMessage(&answer, 0, -1, flag).IsFailure());
  ASSERT_FALSE(host.ReplyDisconnect(120, flag).IsFailure());

  KwNetworkPeer::Reply reply;
  ASSERT_FALSE(peer.readReply(reply, 5).IsFailure());
  ASSERT_EQ(reply.kind, KwNetworkPeer::ReplyKind::Response);
  EXPECT_EQ(reply.message->serialize(), answer.serialize());
  ASSERT_FALSE(peer.readReply(reply, 5).IsFailure());
  EXPECT_EQ(reply.kind, KwNetworkPeer::ReplyKind::DisconnectReply);
}

// Leaves a socket file at path that nobody listens on, as a host that crashed would.
void leaveStaleSocket(const std::string& path) {
  kwnet::SocketFd socket(::socket(AF_UNIX, SOCK_STREAM, 0));
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, path.c_str());
  ASSERT_EQ(::bind(socket.get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
}

TEST(ConsoleOverUnixSocket, RequestResponseAndDisconnectReply) {
  testsupport::ScratchDir scratch;
  std::unique_ptr<SocketListener> listener;
  ASSERT_FALSE(SocketListener::listenUnix(scratch.file("host.sock"), listener).IsFailure());
  EXPECT_EQ(listener->port(), 0);
  std::unique_ptr<KwNetworkPeer> peer;
  ASSERT_FALSE(KwNetworkPeer::connectUnix(scratch.file("host.sock"), 5, peer).IsFailure());
  exchange(*listener, *peer);
}

TEST(ConsoleOverLoopbackTcp, RequestResponseAndDisconnectReply) {
  std::unique_ptr<SocketListener> listener;
  ASSERT_FALSE(SocketListener::listenLoopbackTcp(0, listener).IsFailure());
  ASSERT_NE(listener->port(), 0);
  EXPECT_TRUE(listener->unixPath().empty());
  std::unique_ptr<KwNetworkPeer> peer;
  ASSERT_FALSE(KwNetworkPeer::connectTcp("127.0.0.1", listener->port(), 5, peer).IsFailure());
  exchange(*listener, *peer);
}

TEST(ConsoleConnectFailures, NothingListening) {
  testsupport::ScratchDir scratch;
  std::unique_ptr<KwNetworkPeer> peer;
  CLmError result = KwNetworkPeer::connectUnix(scratch.file("absent.sock"), 5, peer);
  EXPECT_EQ(result.systemCode(), ENOENT);
  EXPECT_EQ(peer, nullptr);

  std::uint16_t freedPort = 0;
  {
    std::unique_ptr<SocketListener> listener;
    ASSERT_FALSE(SocketListener::listenLoopbackTcp(0, listener).IsFailure());
    freedPort = listener->port();
  }
  result = KwNetworkPeer::connectTcp("127.0.0.1", freedPort, 5, peer);
  EXPECT_EQ(result.systemCode(), ECONNREFUSED);
  EXPECT_EQ(peer, nullptr);

  result = KwNetworkPeer::connectUnix(std::string(200, 'p'), 5, peer);
  EXPECT_EQ(result.systemCode(), kwnet::kInvalidArgument);
}

TEST(ConsoleTimeouts, SilentHostAndListenerWithoutClients) {
  const testsupport::ExpiredWaits expired;  // the time-outs are reached without waiting
  std::unique_ptr<SocketListener> listener;
  ASSERT_FALSE(SocketListener::listenLoopbackTcp(0, listener).IsFailure());
  kwnet::SocketFd accepted;
  EXPECT_EQ(listener->accept(accepted, 1).systemCode(), kwnet::kTimedOut);
  EXPECT_FALSE(accepted.valid());

  std::unique_ptr<KwNetworkPeer> peer;
  ASSERT_FALSE(KwNetworkPeer::connectTcp("127.0.0.1", listener->port(), 5, peer).IsFailure());
  ASSERT_FALSE(listener->accept(accepted, 5).IsFailure());
  KwNetworkPeer::Reply reply;
  EXPECT_EQ(peer->readReply(reply, 1).systemCode(), kwnet::kTimedOut);
}

TEST(ConsoleHalfClose, HostSeesTheEndAndStillAnswers) {
  std::unique_ptr<SocketListener> listener;
  ASSERT_FALSE(SocketListener::listenLoopbackTcp(0, listener).IsFailure());
  std::unique_ptr<KwNetworkPeer> peer;
  ASSERT_FALSE(KwNetworkPeer::connectTcp("localhost", listener->port(), 5, peer).IsFailure());
  ASSERT_FALSE(peer->sendRequest(request(), 5).IsFailure());
  peer->closeSending();
  EXPECT_EQ(peer->sendRequest(request(), 5).systemCode(), kwnet::kConnectionClosed);

  kwnet::SocketFd accepted;
  ASSERT_FALSE(listener->accept(accepted, 5).IsFailure());
  CKwNetwork host(std::move(accepted));
  bool flag = false;
  CNMessageBase* received = nullptr;
  ASSERT_FALSE(host.ReceiveXMLMessage(nullptr, &received, nullptr, 0, 5, flag).IsFailure());
  EXPECT_EQ(host.ReceiveXMLMessage(nullptr, &received, nullptr, 0, 5, flag).systemCode(), kwnet::kPeerClosed);
  int status = -1;
  ASSERT_FALSE(host.AbortConnection(&status, 120, flag).IsFailure());
  EXPECT_EQ(status, 1);
  KwNetworkPeer::Reply reply;
  ASSERT_FALSE(peer->readReply(reply, 5).IsFailure());
  EXPECT_EQ(reply.kind, KwNetworkPeer::ReplyKind::AbortNotice);
}

TEST(UnixSocketFile, StaleFileIsReplacedAndRemovedAfterwards) {
  testsupport::ScratchDir scratch;
  const std::string path = scratch.file("host.sock");
  leaveStaleSocket(path);
  ASSERT_TRUE(std::filesystem::exists(path));
  {
    std::unique_ptr<SocketListener> listener;
    const CLmError result = SocketListener::listenUnix(path, listener);
    ASSERT_FALSE(result.IsFailure()) << result.AsString();
    std::unique_ptr<KwNetworkPeer> peer;
    ASSERT_FALSE(KwNetworkPeer::connectUnix(path, 5, peer).IsFailure());
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

// Whoever can connect can browse with the host's cloud credentials: only the owner may, whatever
// the umask of whoever started the host.
TEST(UnixSocketFile, OnlyTheOwnerMayConnect) {
  testsupport::ScratchDir scratch;
  ASSERT_EQ(::chmod(scratch.path().c_str(), 0755), 0);
  const std::string path = scratch.file("host.sock");
  std::unique_ptr<SocketListener> listener;
  const mode_t previous = ::umask(0);
  const CLmError result = SocketListener::listenUnix(path, listener);
  ::umask(previous);
  ASSERT_FALSE(result.IsFailure()) << result.AsString();
  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
  if (::geteuid() != 0) {
    return;  // only root can become another user to try
  }
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    int code = 2;
    if (::setgid(65534) == 0 && ::setuid(65534) == 0) {
      std::unique_ptr<KwNetworkPeer> peer;
      code = KwNetworkPeer::connectUnix(path, 5, peer).IsFailure() ? 0 : 1;
    }
    ::_exit(code);
  }
  int exitStatus = 0;
  ASSERT_EQ(::waitpid(child, &exitStatus, 0), child);
  EXPECT_EQ(WEXITSTATUS(exitStatus), 0) << "another user could connect";
}

// A burst of consoles must wait in the backlog, not be refused.
TEST(UnixSocketFile, ABurstOfConnectionsWaitsToBeAccepted) {
  testsupport::ScratchDir scratch;
  const std::string path = scratch.file("host.sock");
  std::unique_ptr<SocketListener> listener;
  ASSERT_FALSE(SocketListener::listenUnix(path, listener).IsFailure());
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  std::vector<kwnet::SocketFd> waiting;
  for (int i = 0; i < 200; ++i) {
    kwnet::SocketFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    ASSERT_EQ(::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address), 0)
        << "connection " << i << ": " << std::strerror(errno);
    waiting.push_back(std::move(socket));
  }
}

TEST(UnixSocketFile, LiveServerAndOtherFilesAreNotTouched) {
  testsupport::ScratchDir scratch;
  const std::string path = scratch.file("host.sock");
  std::unique_ptr<SocketListener> first;
  ASSERT_FALSE(SocketListener::listenUnix(path, first).IsFailure());
  std::unique_ptr<SocketListener> second;
  EXPECT_EQ(SocketListener::listenUnix(path, second).systemCode(), EADDRINUSE);
  EXPECT_EQ(second, nullptr);
  // Telling a live server from a stale file takes a connection attempt; the live server sees it
  // as a connection that ends before its first frame.
  kwnet::SocketFd probe;
  ASSERT_FALSE(first->accept(probe, 5).IsFailure());
  CKwNetwork probed(std::move(probe));
  bool flag = false;
  CNMessageBase* nothing = nullptr;
  EXPECT_EQ(probed.ReceiveXMLMessage(nullptr, &nothing, nullptr, 0, 5, flag).systemCode(), kwnet::kPeerClosed);
  // The first listener still serves.
  std::unique_ptr<KwNetworkPeer> peer;
  ASSERT_FALSE(KwNetworkPeer::connectUnix(path, 5, peer).IsFailure());
  exchange(*first, *peer);

  const std::string plainFile = scratch.file("notes.txt");
  std::ofstream(plainFile) << "keep me";
  EXPECT_EQ(SocketListener::listenUnix(plainFile, second).systemCode(), kwnet::kInvalidArgument);
  EXPECT_TRUE(std::filesystem::exists(plainFile));
}

}  // namespace
