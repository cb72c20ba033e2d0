#include "SessionHandler.h"

#include <string>

#include "NetworkEntryPoints.h"
#include "platform/CKwNetwork.h"
#include "platform/EvEvent.h"
#include "platform/messages/HostSessionMessages.h"

namespace host {
namespace {

constexpr int kAbortTimeoutSeconds = 120;

void abortSession(CKwNetwork& connection, bool& connectionFlag) {
  int status = 0;
  connection.AbortConnection(&status, kAbortTimeoutSeconds, connectionFlag);
}

}  // namespace

void SessionHandler::serve(kwnet::SocketFd socket) const {
  EvDebug log;
  CKwNetwork connection(std::move(socket));
  connection.channel().setIdleLimit(idleSeconds_);
  bool connectionFlag = false;
  CNMessageBase* first = nullptr;
  CLmError received = connection.ReceiveXMLMessage(nullptr, &first, nullptr, 0, kOpenTimeoutSeconds, connectionFlag);
  if (received.IsFailure() || first == nullptr) {
    log.Debug(kLogTag, "connection ended before a session was opened: %s", received.AsString().c_str());
    return;
  }
  const auto* open = dynamic_cast<const Host::OpenSession*>(first);
  if (open == nullptr) {
    log.Error(kLogTag, "the first message of a connection must open a session, got [%s:%lu]",
              first->getTagName().c_str(), static_cast<unsigned long>(first->getTagID()));
    abortSession(connection, connectionFlag);
    return;
  }
  const std::string name = open->entryPoint();
  const auto argument = static_cast<unsigned long long>(open->argument());
  NetworkEntryPoint entry;
  if (CLmError found = NetworkEntryPoint::find(library_, name, entry); found.IsFailure()) {
    log.Error(kLogTag, "cannot open a session: %s", found.AsString().c_str());
    abortSession(connection, connectionFlag);
    return;
  }
  log.DebugLvl(kLogTag, 2, "session opened for [%s]", name.c_str());
  entry.run(connection, argument);
  log.DebugLvl(kLogTag, 2, "session of [%s] ended", name.c_str());
}

}  // namespace host
