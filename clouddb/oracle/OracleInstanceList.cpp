#include "clouddb/oracle/OracleInstanceList.h"

#include "clouddb/oracle/COracleCloudDBInfo.h"
#include "clouddb/oracle/OracleCredentials.h"
#include "clouddb/oracle/OracleTexts.h"

namespace clouddb::oracle {

void ListOracleCloudServices(std::uint64_t instanceId, std::vector<CloudDBInfoStructs::SOracleDBInstanceInfo>& out,
                             EvEvent& log) {
  static constexpr const char* kTag = kOracleInstanceListTag;
  COracleCloudDBInfo provider;
  out.clear();
  if (instanceId == 0) {
    log.Error(kTag, texts::kInstanceIdNotSet, 0UL);
    return;
  }
  const ClassicCredentials credentials = readClassicCredentials(instanceId);
  if (!provider.Connect(credentials.endpointUrl, credentials.userName, credentials.password,
                        CloudDBInfoStructs::ORACLE_DATABASE_CLASSIC)) {
    // The end point and the user say where it failed; the password, stored or clear, stays out.
    log.Error(kTag, texts::kClassicConnectFailed, credentials.endpointUrl.c_str(), credentials.userName.c_str());
    return;
  }
  if (provider.GetDBInstanceList(out) == 1) {
    provider.Disconnect();
  } else {
    log.Error(kTag, texts::kInstanceListFailed);
  }
}

}  // namespace clouddb::oracle
