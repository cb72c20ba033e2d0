// A whole browse request from a peer, against the example setup (examples/platform.json,
// cloud.json and host.key): the product's BrowseInventoryHandler entry point reads the input as
// the request of one connection and answers, and nothing it does with the bytes may crash, hang
// or answer with something the peer cannot read.
//
// Input: the request's XML text. The frame carries the tag id of the type its root element
// names (a browse request when it names none), as a console sending that file would.
#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <thread>
#include <vector>

#include "FuzzSupport.h"
#include "bridges/simulator/CloudSimulator.h"
#include "clouddb/entry/EntryPoints.h"
#include "platform/CKwNetwork.h"
#include "platform/HostEnvironment.h"
#include "platform/HostKey.h"
#include "platform/LogWriter.h"
#include "platform/MessageFrame.h"
#include "platform/NetworkErrors.h"
#include "platform/PlatformConfiguration.h"

namespace {

using fuzzsupport::require;

// The request must fit a socket pair's buffer, since it is written before the handler runs.
constexpr std::size_t kMaxRequestBytes = 96 * 1024;
// Generous for the example account; a handler that takes longer is stuck.
constexpr int kAnswerTimeoutSeconds = 60;

// The host's side of every call, set up once from the examples and never changed after; the
// simulator's call record is emptied before each request so it does not grow over a long run.
class ExampleHost {
 public:
  ExampleHost() {
    require(!HostKey::FromKeyFileText(fuzzsupport::exampleFile("host.key"), "host.key", hostKey_).IsFailure(),
            "the example host key loads");
    require(!PlatformConfiguration::LoadFile(fuzzsupport::examplePath("platform.json"), configuration_).IsFailure(),
            "the example platform configuration loads");
    std::string error;
    simulator_ = CloudSimulator::fromFile(fuzzsupport::examplePath("cloud.json"), error);
    require(simulator_ != nullptr, "the example cloud fixture loads");
    environment_.configuration = configuration_.get();
    environment_.logWriter = &logWriter_;
    environment_.hostKey = &*hostKey_;
    simulatorInstallation_.emplace(*simulator_);
    environmentInstallation_.emplace(environment_);
  }

  void forgetCalls() { simulator_->clearCalls(); }

 private:
  std::optional<HostKey> hostKey_;
  std::unique_ptr<const PlatformConfiguration> configuration_;
  std::unique_ptr<CloudSimulator> simulator_;
  // Lines are rendered as in production and thrown away.
  LogWriter logWriter_{"/dev/null", 2};
  HostEnvironment environment_;
  std::optional<CloudSimulator::Installation> simulatorInstallation_;
  std::optional<HostEnvironment::Installation> environmentInstallation_;
};

ExampleHost& exampleHost() {
  static ExampleHost host;
  return host;
}

std::uint32_t frameTagFor(std::string_view xml) {
  pugi::xml_document document;
  if (document.load_buffer(xml.data(), xml.size())) {
    if (const msg::MessageType* type = msg::findTypeByElement(document.document_element().name())) {
      return type->tagId();
    }
  }
  return App::BrowseInventoryReq::kTagId;
}

std::string frameOf(std::uint32_t tagId, std::string_view payload) {
  std::string frame(kwnet::kFrameHeaderBytes, '\0');
  const auto length = static_cast<std::uint32_t>(payload.size());
  for (int i = 0; i < 4; ++i) {
    frame[static_cast<std::size_t>(i)] = static_cast<char>(length >> (24 - 8 * i));
    frame[static_cast<std::size_t>(4 + i)] = static_cast<char>(tagId >> (24 - 8 * i));
  }
  return frame.append(payload);
}

// The peer's side: every frame until the handler closes the connection.
std::vector<kwnet::Frame> readAnswer(kwnet::FrameChannel& peer) {
  std::vector<kwnet::Frame> frames;
  for (;;) {
    kwnet::Frame frame;
    const CLmError received = peer.receiveFrame(frame, kAnswerTimeoutSeconds);
    if (received.IsFailure()) {
      require(received.systemCode() == kwnet::kPeerClosed, "the handler closes between frames, in time");
      return frames;
    }
    frames.push_back(std::move(frame));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > kMaxRequestBytes) {
    return 0;
  }
  ExampleHost& host = exampleHost();
  host.forgetCalls();
  const std::string_view request = fuzzsupport::asText(data, size);

  auto [hostEnd, peerEnd] = fuzzsupport::socketPair();
  require(fuzzsupport::writeAll(peerEnd.get(), frameOf(frameTagFor(request), request)), "the request fits the socket");
  ::shutdown(peerEnd.get(), SHUT_WR);
  kwnet::FrameChannel peer(std::move(peerEnd));
  std::vector<kwnet::Frame> answer;
  std::thread reader([&] { answer = readAnswer(peer); });
  {
    CKwNetwork connection(std::move(hostEnd));
    BrowseInventoryHandler(&connection, 0);
  }
  reader.join();

  // Nothing, when no message could be made of the request; else the response and the reply.
  if (answer.empty()) {
    return 0;
  }
  require(answer.size() == 2, "an answer is a response and a disconnect reply");
  require(answer[0].tagId == App::BrowseInventoryResp::kType.tagId(), "the response is a browse response");
  std::unique_ptr<CNMessageBase> response;
  require(!kwnet::decodeMessageFrame(answer[0], response).IsFailure(), "the peer can read the response");
  require(answer[1].tagId == kwnet::kDisconnectReplyTag, "the response is followed by a disconnect reply");
  return 0;
}
