// The RDS preview and backup-set expansion around the content-rule expansion.
#include <string>
#include <vector>

#include "clouddb/aws/CAmazonRDSInfo.h"
#include "clouddb/aws/ContentResults.h"
#include "clouddb/aws/ContentRuleWalk.h"

using App::RDSDBInstance;

CLmError CAmazonRDSInfo::PreviewRdsContent(const unsigned long& instanceId, std::vector<std::string>& regions,
                                           const std::string& contentXml, App::CloudDBEntity& entity) {
  using clouddb::aws::RdsListedRecord;
  // The records the preview shows view the listings kept here until the nodes are made.
  clouddb::aws::RdsListingStore store;
  return clouddb::aws::previewExpansion<RdsListedRecord>(
      [&](std::vector<RdsListedRecord>& found) {
        return ExpandRdsContentAsListed(true, regions, contentXml, store, found, instanceId, false);
      },
      entity,
      [this](const RdsListedRecord& record) {
        return isClusterEngine(clouddb::aws::listedEngine(record)) ? clouddb::aws::rule::kClusterSpecific
                                                                   : clouddb::aws::rule::kInstanceSpecific;
      },
      CLM_HERE);
}

CLmError CAmazonRDSInfo::PreviewRdsContent(std::vector<std::string>& regions, const std::string& contentXml,
                                           App::CloudDBEntity& entity, unsigned long clientId) {
  setClientId(clientId);
  return PreviewRdsContent(0, regions, contentXml, entity);
}

CLmError CAmazonRDSInfo::ExpandRdsSubclientContentInternal(const unsigned long& appId, std::vector<std::string>& regions,
                                                           std::vector<RDSDBInstance>& out, bool verify) {
  std::uint64_t instanceId = 0;
  std::string content;
  CLmError result = clouddb::aws::readBackupSetContent(appId, instanceId, content, CLM_HERE);
  if (result.IsFailure()) {
    return result;
  }
  return ExpandRdsContent(false, regions, content, out, static_cast<unsigned long>(instanceId), verify);
}

CLmError CAmazonRDSInfo::ExpandRdsSubclientContent(const unsigned long& appId, std::vector<std::string>& regions,
                                                   std::vector<RDSDBInstance>& out, bool verify) {
  return clouddb::aws::expandWithoutDuplicates(
      [&](std::vector<RDSDBInstance>& found) { return ExpandRdsSubclientContentInternal(appId, regions, found, verify); },
      out, CLM_HERE);
}
