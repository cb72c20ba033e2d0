#include "clouddb/aws/ContentResults.h"

#include "platform/FXErrorUtil.h"
#include "platform/config/ApplicationId.h"
#include "platform/config/Subclient.h"

namespace clouddb::aws {
const std::string& recordName(const App::RDSDBInstance& record) { return record.name(); }
const std::string& recordName(const App::DynamoDBTable& record) { return record.tableName(); }
const std::string& recordName(const App::DocumentDBCluster& record) { return record.clusterIdentifier(); }
const std::string& recordName(const App::RedshiftCluster& record) { return record.clusterIdentifier(); }

const std::string& recordRegion(const App::RDSDBInstance& record) { return record.region(); }
const std::string& recordRegion(const App::DynamoDBTable& record) { return record.region(); }
const std::string& recordRegion(const App::DocumentDBCluster& record) { return record.region(); }
const std::string& recordRegion(const App::RedshiftCluster& record) { return record.region(); }

const std::string& recordName(const RdsListedRecord& record) { return listedName(record); }
const std::string& recordRegion(const RdsListedRecord& record) { return listedRegion(record); }

RecordKeyView duplicateKeyView(const App::RDSDBInstance& record) {
  return {0, record.region(), record.name(), record.engine()};
}

CLmError readBackupSetContent(unsigned long appId, std::uint64_t& instanceId, std::string& content,
                              const CLmLocation& where) {
  const ApplicationId application(ApplicationId::kSubclient, appId);
  const Instance* owner = application.getInstance();
  if (owner == nullptr) {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, kInstanceNotFoundForAppId, static_cast<long>(appId));
  }
  instanceId = owner->getInstanceId();
  content.clear();
  const CloudAppsSubclient subclient(appId);
  if (subclient.getDynamicContent(content) != 0 || content.empty()) {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, kNoDynamicContent, static_cast<long>(appId));
  }
  return {};
}

}  // namespace clouddb::aws
