// The RDS preview and backup-set expansion around the content-rule expansion.
#include <string>
#include <vector>

#include "clouddb/aws/CAmazonRDSInfo.h"
#include "clouddb/aws/ContentResults.h"
#include "clouddb/aws/ContentRuleWalk.h"

using clouddb::aws::appendPreviewNodes;
using clouddb::aws::appendUnique;

CLmError CAmazonRDSInfo::PreviewRdsContent(const unsigned long& instanceId, std::vector<std::string>& regions,
                                           const std::string& contentXml, App::CloudDBEntity& entity) {
  std::vector<App::RDSDBInstance> found;
  CLmError result = ExpandRdsContent(true, regions, contentXml, found, instanceId, false);
  if (result.IsFailure()) {
    return result.Push(CLM_HERE);
  }
  appendPreviewNodes(found, entity, [this](const App::RDSDBInstance& record) {
    return isClusterEngine(record.engine()) ? clouddb::aws::rule::kClusterSpecific
                                            : clouddb::aws::rule::kInstanceSpecific;
  });
  return {};
}

CLmError CAmazonRDSInfo::PreviewRdsContent(std::vector<std::string>& regions, const std::string& contentXml,
                                           App::CloudDBEntity& entity, unsigned long clientId) {
  setClientId(clientId);
  return PreviewRdsContent(0, regions, contentXml, entity);
}

CLmError CAmazonRDSInfo::ExpandRdsSubclientContentInternal(const unsigned long& appId, std::vector<std::string>& regions,
                                                           std::vector<App::RDSDBInstance>& out, bool verify) {
  std::uint64_t instanceId = 0;
  std::string content;
  CLmError result = clouddb::aws::readBackupSetContent(appId, instanceId, content, CLM_HERE);
  if (result.IsFailure()) {
    return result;
  }
  return ExpandRdsContent(false, regions, content, out, static_cast<unsigned long>(instanceId), verify);
}

CLmError CAmazonRDSInfo::ExpandRdsSubclientContent(const unsigned long& appId, std::vector<std::string>& regions,
                                                   std::vector<App::RDSDBInstance>& out, bool verify) {
  std::vector<App::RDSDBInstance> found;
  CLmError result = ExpandRdsSubclientContentInternal(appId, regions, found, verify);
  if (result.IsFailure()) {
    return result.Push(CLM_HERE);
  }
  appendUnique(found, out);
  return {};
}
