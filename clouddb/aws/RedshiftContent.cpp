// The Redshift content-rule expansion, preview and backup-set expansion.
#include "clouddb/aws/CAmazonRedshiftInfo.h"
#include "clouddb/aws/ClusterContentExpansion.h"

namespace {

using App::RedshiftCluster;

struct RedshiftTraits {
  using Record = RedshiftCluster;
  using Provider = CAmazonRedshiftInfo;
  static constexpr char kTag[] = "ExpandRedshiftContent";
  static constexpr const auto& kUnserializeFailed = clouddb::aws::texts::kUnserializeDynamicContentFailed;
  static constexpr char kChildListMissing[] = "Child list is missing for Redshift XML '%s'";
  static constexpr char kUnexpectedType[] = "Unexpected first level type %d for Redshift XML '%s'";
  static constexpr const auto& kTagRule = clouddb::aws::texts::kClusterTagRuleWithColon;
  static const std::string& name(const Record& record) { return record.clusterIdentifier(); }
  static void setName(Record& record, const std::string& name) { record.setClusterIdentifier(name); }
  static CLmError expand(Provider& provider, bool preview, std::vector<std::string>& regions,
                         const std::string& contentXml, std::vector<Record>& out, unsigned long instanceId,
                         bool verify) {
    return provider.ExpandRedshiftContent(preview, regions, contentXml, out, instanceId, verify);
  }
};

using Operations = clouddb::aws::ClusterContentOperations<RedshiftTraits>;

}  // namespace

CLmError CAmazonRedshiftInfo::ExpandRedshiftContent(bool preview, std::vector<std::string>& regions,
                                                    const std::string& contentXml, std::vector<RedshiftCluster>& out,
                                                    unsigned long instanceId, bool verify) {
  return clouddb::aws::expandClusterContent<RedshiftTraits>(*this, log(), preview, regions, contentXml, out, instanceId,
                                                            verify, CLM_HERE);
}

CLmError CAmazonRedshiftInfo::PreviewRedshiftContent(const unsigned long& instanceId, std::vector<std::string>& regions,
                                                     const std::string& contentXml, App::CloudDBEntity& entity) {
  return Operations::preview(*this, instanceId, regions, contentXml, entity, CLM_HERE);
}

CLmError CAmazonRedshiftInfo::PreviewRedshiftContent(std::vector<std::string>& regions, const std::string& contentXml,
                                                     App::CloudDBEntity& entity, unsigned long clientId) {
  setClientId(clientId);
  return PreviewRedshiftContent(0, regions, contentXml, entity);
}

CLmError CAmazonRedshiftInfo::ExpandRedshiftSubclientContentInternal(const unsigned long& appId,
                                                                     std::vector<std::string>& regions,
                                                                     std::vector<RedshiftCluster>& out, bool verify) {
  return Operations::expandBackupSet(*this, appId, regions, out, verify, CLM_HERE);
}

CLmError CAmazonRedshiftInfo::ExpandRedshiftSubclientContent(const unsigned long& appId,
                                                             std::vector<std::string>& regions,
                                                             std::vector<RedshiftCluster>& out, bool verify) {
  return clouddb::aws::expandWithoutDuplicates(
      [&](std::vector<RedshiftCluster>& found) {
        return ExpandRedshiftSubclientContentInternal(appId, regions, found, verify);
      },
      out, CLM_HERE);
}
