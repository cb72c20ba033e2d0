#pragma once
// The credential reads that the providers share: a client's keys from its properties, the clear
// text of a stored secret, and the lines that say why a credential or a connect failed.
//
// Reads of plain values ignore failures on purpose: a key that cannot be read leaves the caller's
// value as it was, and an empty or wrong key surfaces as a failed connect, where the cloud names
// the reason. A secret that is configured but does not decrypt is different: connecting with it
// could only fail, and the cloud's refusal would hide the cause, so the fetch ends there and the
// log names the configuration entry and the setting (never the value).
#include <cstdint>
#include <string>

#include "platform/EvEvent.h"

namespace cloudcredentials {

// Where a secret is configured: the entry (its kind and id) and the setting that holds it.
struct SecretSetting {
  const char* entryKind;  // "instance", "virtual server", "client"
  std::uint64_t entryId;
  const char* setting;  // the setting's name in the platform configuration, e.g. "secretKey"
};

// Where the secret of a client-credential fetch comes from: the client's properties when a client
// is given, else the instance's settings, else the request that handed the keys over.
SecretSetting clientSecretSetting(std::uint64_t clientId, std::uint64_t instanceId);

inline constexpr char kSecretDoesNotDecrypt[] =
    "The secret of configuration entry [%s %llu] setting [%s] does not decrypt: %s";
inline constexpr char kCloudRefusedConnect[] = "The cloud refused the connection: [%s]";
inline constexpr char kProxyRefused[] = "The cloud client refused the HTTP proxy [%s]: [%s]; no connection is made";

// The client's access key and secret (as stored, encrypted) into the caller's members.
void readClientKeys(std::uint64_t clientId, std::string& accessKey, std::string& secret);

// The clear text of a secret: an encrypted one is opened with the host's application manager
// (empty when it does not open); a secret that is not stored encrypted is one the platform
// already handed out in clear (the virtual-server keys) and is taken as it is.
std::string decryptSecret(const std::string& stored);

// As decryptSecret, but a secret that does not decrypt is logged as an error under tag (naming
// where it is configured) and leaves clear empty. Answers config::kOk, or the reason it failed.
int openSecret(EvEvent& log, const char* tag, const SecretSetting& where, const std::string& stored,
               std::string& clear);

// Whether the result of a configuration read that decrypts for its caller (the virtual server's
// Amazon secret and password) says that the secret does not decrypt.
bool secretDidNotDecrypt(int readResult);

// The error line for a secret that a configuration read could not decrypt (result code given).
void logUndecryptableSecret(EvEvent& log, const char* tag, const SecretSetting& where, int readResult);

// The cloud's own reason for a refused connect, on a line of its own. Any occurrence of the
// secret in the reason is masked, so a cloud that echoes what it got cannot leak it.
void logConnectRefusal(EvEvent& log, const char* tag, const std::string& reason, const std::string& secret);

// A proxy the cloud client refused, with its reason (the secret masked as above). The connect is
// then not made: made without the proxy, it would go around what the administrator set.
void logProxyRefusal(EvEvent& log, const char* tag, const std::string& proxy, const std::string& reason,
                     const std::string& secret);

}  // namespace cloudcredentials
