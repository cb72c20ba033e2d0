#include "SessionTag.h"

namespace host {
namespace {

// Per thread by design: each connection's thread sees only its own session.
thread_local std::uint64_t servedSession = 0;

}  // namespace

SessionTag::SessionTag(std::uint64_t session) : previous_(servedSession) { servedSession = session; }

SessionTag::~SessionTag() { servedSession = previous_; }

std::uint64_t SessionTag::current() { return servedSession; }

}  // namespace host
