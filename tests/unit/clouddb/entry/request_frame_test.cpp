// The two frames of the network entry points, over a real socket pair.
#include "clouddb/entry/RequestFrame.h"

#include <gtest/gtest.h>
#include <sys/socket.h>

#include <memory>

#include "platform/HostEnvironment.h"
#include "platform/KwNetworkPeer.h"
#include "platform/LogWriter.h"
#include "platform/messages/App.h"

namespace {

using clouddb::entry::RequestFrame;

constexpr char kTag[] = "FrameUnderTest";

class RequestFrameTest : public ::testing::Test {
 protected:
  RequestFrameTest() : writer_(-1), capture_(writer_) {
    environment_.logWriter = &writer_;
    installation_ = std::make_unique<HostEnvironment::Installation>(environment_);
    int fds[2];
    EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
    host_ = std::make_unique<CKwNetwork>(kwnet::SocketFd(fds[0]));
    peer_ = std::make_unique<KwNetworkPeer>(kwnet::SocketFd(fds[1]));
  }

  KwNetworkPeer::Reply readReply() {
    KwNetworkPeer::Reply reply;
    EXPECT_TRUE(peer_->readReply(reply, 5).IsSuccess());
    return reply;
  }

  LogWriter writer_;
  LogCapture capture_;
  HostEnvironment environment_;
  std::unique_ptr<HostEnvironment::Installation> installation_;
  std::unique_ptr<CKwNetwork> host_;
  std::unique_ptr<KwNetworkPeer> peer_;
  EvEvent log_;
};

TEST_F(RequestFrameTest, StrictFrameAnswersDisconnectRequestWithDisconnectReplyOnly) {
  ASSERT_TRUE(peer_->sendDisconnectRequest(5).IsSuccess());
  RequestFrame frame(*host_, log_, kTag);
  EXPECT_EQ(frame.receiveStrict(App::BrowseRDSInventoryReq::kTagId), nullptr);
  EXPECT_EQ(readReply().kind, KwNetworkPeer::ReplyKind::DisconnectReply);
  EXPECT_TRUE(capture_.hasLine(kTag, "Received Disconnect request, Disconnecting Session"));
}

TEST_F(RequestFrameTest, StrictFrameAbortsOnWrongTypeAndNamesIt) {
  App::BrowseInventoryReq wrong;
  ASSERT_TRUE(peer_->sendRequest(wrong, 5).IsSuccess());
  RequestFrame frame(*host_, log_, kTag);
  EXPECT_EQ(frame.receiveStrict(App::BrowseRDSInventoryReq::kTagId), nullptr);
  EXPECT_EQ(readReply().kind, KwNetworkPeer::ReplyKind::AbortNotice);
  const std::string expected = "Received incorrect msgType [" + wrong.getTagName() + ":" +
                               std::to_string(App::BrowseInventoryReq::kTagId) + "]";
  ASSERT_TRUE(capture_.hasLine(kTag, expected));
  for (const LogLine& line : capture_.lines()) {
    if (line.text == expected) {
      EXPECT_EQ(line.severity, LogSeverity::Error);
    }
  }
}

TEST_F(RequestFrameTest, StrictFrameAbortsWhenThePeerClosesFirst) {
  peer_->closeSending();
  RequestFrame frame(*host_, log_, kTag);
  EXPECT_EQ(frame.receiveStrict(App::BrowseRDSInventoryReq::kTagId), nullptr);
  EXPECT_TRUE(capture_.hasLine(kTag, "ReceiveXMLMessage failed"));
  EXPECT_EQ(readReply().kind, KwNetworkPeer::ReplyKind::AbortNotice);
}

TEST_F(RequestFrameTest, StrictFrameDeliversTheRequestAndSendsOneResponseWithoutDisconnect) {
  App::BrowseRDSInventoryReq request;
  request.setEngineType(3);
  ASSERT_TRUE(peer_->sendRequest(request, 5).IsSuccess());
  RequestFrame frame(*host_, log_, kTag);
  CNMessageBase* received = frame.receiveStrict(App::BrowseRDSInventoryReq::kTagId);
  ASSERT_NE(received, nullptr);
  EXPECT_EQ(received->getint64(App::BrowseRDSInventoryReq::kEngineType), 3);

  App::BrowseRDSInventoryResp response;
  response.mutableError().setErrorCode(1);
  frame.sendStrict(response, true);
  host_.reset();  // the entry point returns and the host closes the connection
  KwNetworkPeer::Reply reply = readReply();
  ASSERT_EQ(reply.kind, KwNetworkPeer::ReplyKind::Response);
  EXPECT_EQ(reply.tagId, App::BrowseRDSInventoryResp::kId.tagId());
  EXPECT_EQ(readReply().kind, KwNetworkPeer::ReplyKind::PeerClosed);
}

TEST_F(RequestFrameTest, LenientFrameGivesUpSilentlyWhenNothingArrives) {
  peer_->closeSending();
  RequestFrame frame(*host_, log_, kTag);
  EXPECT_EQ(frame.receiveLenient(), nullptr);
  bool logged = false;
  for (const LogLine& line : capture_.lines()) {
    logged = logged || line.text.rfind("NULL Message received. Error:[", 0) == 0;
  }
  EXPECT_TRUE(logged);
  host_.reset();
  EXPECT_EQ(readReply().kind, KwNetworkPeer::ReplyKind::PeerClosed);
}

TEST_F(RequestFrameTest, LenientFrameLogsAndSendsTheResponseThenADisconnectReply) {
  App::BrowsePreviewReq request;
  ASSERT_TRUE(peer_->sendRequest(request, 5).IsSuccess());
  RequestFrame frame(*host_, log_, kTag);
  const CNMessageBase* received = frame.receiveLenient();
  ASSERT_NE(received, nullptr);
  EXPECT_TRUE(capture_.hasLine(kTag, "XML message received [" + received->AsString() + "]"));

  App::BrowseInventoryResp response;
  response.mutableError().setErrorCode(0);
  frame.sendLenient(response);
  EXPECT_TRUE(capture_.hasLine(kTag, "Returning response XML [" + response.AsString() + "]"));
  EXPECT_EQ(readReply().kind, KwNetworkPeer::ReplyKind::Response);
  EXPECT_EQ(readReply().kind, KwNetworkPeer::ReplyKind::DisconnectReply);
}

}  // namespace
