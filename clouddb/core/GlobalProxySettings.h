#pragma once
// The HTTP proxy entry that every cloud connection consumes, and its lookup in the host's
// global parameters.
//
// Contract:
//  - A lookup never fails: every unreadable setting is logged and turns the proxy (or its
//    authentication) off. It clears the caller's list and appends exactly one entry of kind 3:
//    host = "site:port" when a proxy is used, else the lone ":" that connects skip; user and
//    clear password only when authentication is used. It answers 1.
//  - The pieces below (the 0.0.0.0 test, the password decryption, the entry) are shared with
//    the AWS service base's lookup, which asks the platform first and falls back to this one.
//  - All lines are debug lines tagged "GetHTTPProxySettings"; a password never reaches a line.
#include <string>
#include <vector>

#include "platform/EvEvent.h"
#include "platform/config/SHostCredentials.h"

namespace proxysettings {

inline constexpr char kTag[] = "GetHTTPProxySettings";
// First-step failure texts: the relational providers' and the entity properties' wording.
inline constexpr char kNoHttpProxy[] = "No HTTP Proxy";
inline constexpr char kErrorFetchingHttpProxy[] = "Error fetching HTTP Proxy";
inline constexpr char kUnroutableSite[] =
    "HTTP Proxy Name is pointing to 0.0.0.0. Proceeding without http proxy.";
inline constexpr char kUserOrPasswordEmpty[] = "User name/pwd is empty. Trying without authentication. [%s]";

// The host text of an entry that stands for "no proxy".
inline constexpr char kNoProxyHost[] = ":";
inline constexpr int kHttpProxyKind = 3;

// Runs the global-parameter lookup into entries (see the contract); firstStepFailure is the
// line logged when the use-proxy setting itself cannot be read.
int lookUpGlobalProxySettings(EvDebug& log, const char* firstStepFailure, std::vector<SHostCredentials>& entries);

// An instance's own host credential records, completed with the machine's global proxy when
// they name no HTTP proxy: an instance without a proxy of its own still goes through the one the
// administrator set, so a browse by instance alone does not go around it.
void addGlobalProxyUnlessNamed(EvDebug& log, std::vector<SHostCredentials>& instanceEntries);

// A site of exactly "0.0.0.0" names no reachable proxy.
bool isUnroutableSite(const std::string& site);

// The clear text of a stored proxy password, decrypted by the host into a 1024-byte buffer and
// kept up to its first NUL; empty when it does not decrypt.
std::string decryptProxyPassword(const std::string& encrypted);

// Replaces entries with the one entry of a lookup.
void storeProxyEntry(bool useProxy, const std::string& site, const std::string& port, const std::string& user,
                     const std::string& clearPassword, std::vector<SHostCredentials>& entries);

}  // namespace proxysettings
