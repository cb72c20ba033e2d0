#include "clouddb/oracle/OracleCredentials.h"

#include "platform/config/ConfigStatus.h"
#include "platform/config/OracleCloudInstance.h"
#include "platform/config/vsAppMgr.h"

namespace clouddb::oracle {
namespace {

std::string decrypted(const std::string& stored) {
  std::string clear;
  if (vsAppMgr::decryptPassword(stored, clear) != config::kOk) {
    clear.clear();
  }
  return clear;
}

}  // namespace

ClassicCredentials readClassicCredentials(std::uint64_t instanceId) {
  const OracleCloudInstance instance(instanceId);
  ClassicCredentials credentials;
  instance.getEndpointURL(credentials.endpointUrl, nullptr);
  instance.getUserName(credentials.userName, nullptr);
  instance.getUserPassword(credentials.storedPassword, nullptr);
  credentials.password = decrypted(credentials.storedPassword);
  return credentials;
}

InfrastructureCredentials readInfrastructureCredentials(std::uint64_t instanceId) {
  const OracleCloudInfraInstance instance(instanceId);
  std::string tenancyId;
  std::string storedPassPhrase;
  std::string userId;
  std::string keyFile;
  std::string fingerprint;
  std::string region;
  instance.getOracleCloudInfrastructureTenancyId(tenancyId, nullptr);
  instance.getOracleCloudInfrastructurePrivateKeyPassword(storedPassPhrase, nullptr);
  instance.getOracleCloudInfrastructureUserId(userId, nullptr);
  instance.getOracleCloudInfrastructurePrivateKeyFileName(keyFile, nullptr);
  instance.getOracleCloudInfrastructureFingerPrint(fingerprint, nullptr);
  instance.getOracleCloudInfrastructureRegionName(region, nullptr);
  InfrastructureCredentials credentials;
  credentials.tenancyId = tenancyId;
  // The cloud's client takes the four parts as one text, in this order, unescaped.
  credentials.userString = userId + "|" + fingerprint + "|" + keyFile + "|" + region;
  credentials.passPhrase = storedPassPhrase.empty() ? std::string() : decrypted(storedPassPhrase);
  return credentials;
}

}  // namespace clouddb::oracle
