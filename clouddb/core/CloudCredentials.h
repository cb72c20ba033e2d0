#pragma once
// The credential reads that the AWS providers share: a client's keys from its properties and
// the clear text of a stored secret.
//
// Reads ignore failures on purpose: a key that cannot be read leaves the caller's value as it
// was, and an empty or wrong key surfaces as a failed connect, where the cloud names the reason.
#include <cstdint>
#include <string>

namespace cloudcredentials {

// The client's access key and secret (as stored, encrypted) into the caller's members.
void readClientKeys(std::uint64_t clientId, std::string& accessKey, std::string& secret);

// The clear text of a secret: an encrypted one is opened with the host's application manager
// (empty when it does not open); a secret that is not stored encrypted is one the platform
// already handed out in clear (the virtual-server keys) and is taken as it is.
std::string decryptSecret(const std::string& stored);

}  // namespace cloudcredentials
