#pragma once
// Reading an Oracle Cloud instance's connection settings from the platform configuration.
//
// Classic instances (OracleCloudInstance) give an end-point URL, a user and a password stored
// encrypted; infrastructure instances (OracleCloudInfraInstance) give a tenancy, a user, an API
// signing key file with its fingerprint and pass phrase, and a region. A value that cannot be
// read stays empty: the connection that follows fails and the cloud names the reason.
#include <cstdint>
#include <string>

namespace clouddb::oracle {

struct ClassicCredentials {
  std::string endpointUrl;
  std::string userName;
  std::string storedPassword;  // as the configuration holds it (encrypted); never logged
  std::string password;        // decrypted
};

struct InfrastructureCredentials {
  std::string tenancyId;
  std::string userString;  // "userId|fingerprint|privateKeyFile|region"
  std::string passPhrase;  // decrypted
};

ClassicCredentials readClassicCredentials(std::uint64_t instanceId);
InfrastructureCredentials readInfrastructureCredentials(std::uint64_t instanceId);

}  // namespace clouddb::oracle
