#pragma once
// The request/response frame of the network entry points.
//
// Two frames serve the four network entry points:
//  - the strict frame (DiscoverRDSInventory, GetOracleCloudInstanceTree) receives with a 600 s
//    time-out, answers a disconnect request with a disconnect reply, aborts the connection on a
//    failed receive or a message of the wrong type, and sends the response with no disconnect
//    reply after it;
//  - the lenient frame (BrowseInventoryHandler, CloudDBRemoteEntryPoint) waits without a time-out,
//    returns without a reply when nothing arrives, hands every message to the operation, logs and
//    sends the response and then a disconnect reply.
// Each call owns one connection flag, false at the start and passed to every connection call.
#include <cstdint>
#include <string_view>

#include "platform/CKwNetwork.h"
#include "platform/CNMessageBase.h"
#include "platform/EvEvent.h"

namespace clouddb::entry {

class RequestFrame {
 public:
  RequestFrame(CKwNetwork& connection, EvEvent& log, const char* tag);

  // Strict frame: the received request when it has the expected tag id, else null after the
  // exchange was ended (disconnect reply or abort) and logged.
  CNMessageBase* receiveStrict(std::uint32_t requestTagId);
  // Lenient frame: the received message, or null (logged, no reply) when none came.
  CNMessageBase* receiveLenient();

  // Strict frame: sends the response; a failed send is logged with the send error's text and,
  // when logResponseOnFailure is set, the whole response.
  void sendStrict(CNMessageBase& response, bool logResponseOnFailure);
  // Lenient frame: logs and sends the response (its result is ignored), then a disconnect reply.
  void sendLenient(CNMessageBase& response);
  // Ends the exchange with a disconnect reply and no response.
  void replyDisconnect();

 private:
  void abort();

  CKwNetwork& connection_;
  EvEvent& log_;
  const char* tag_;
  bool connectionFlag_ = false;
};

}  // namespace clouddb::entry
