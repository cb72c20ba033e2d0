// The DocumentDB content-rule expansion, preview and backup-set expansion.
#include "clouddb/aws/CAmazonDocumentDBInfo.h"
#include "clouddb/aws/ClusterContentExpansion.h"

namespace {

using App::DocumentDBCluster;

struct DocumentDBTraits {
  using Record = DocumentDBCluster;
  using Provider = CAmazonDocumentDBInfo;
  static constexpr char kTag[] = "ExpandDocumentDBContent";
  static constexpr char kUnserializeFailed[] = "Failed to unserialize DocumentDB content for XML '%s'";
  static constexpr char kChildListMissing[] = "Child list is missing for DocumentDB XML '%s'";
  static constexpr char kUnexpectedType[] = "Unexpected first level type %d for DocumentDB XML '%s'";
  static constexpr const auto& kTagRule = clouddb::aws::texts::kClusterTagRule;
  static const std::string& name(const Record& record) { return record.clusterIdentifier(); }
  static void setName(Record& record, const std::string& name) { record.setClusterIdentifier(name); }
  static CLmError expand(Provider& provider, bool preview, std::vector<std::string>& regions,
                         const std::string& contentXml, std::vector<Record>& out, unsigned long instanceId,
                         bool verify) {
    return provider.ExpandDocumentDBContent(preview, regions, contentXml, out, instanceId, verify);
  }
};

using Operations = clouddb::aws::ClusterContentOperations<DocumentDBTraits>;

}  // namespace

CLmError CAmazonDocumentDBInfo::ExpandDocumentDBContent(bool preview, std::vector<std::string>& regions,
                                                        const std::string& contentXml,
                                                        std::vector<DocumentDBCluster>& out, unsigned long instanceId,
                                                        bool verify) {
  return clouddb::aws::expandClusterContent<DocumentDBTraits>(*this, log(), preview, regions, contentXml, out,
                                                              instanceId, verify, CLM_HERE);
}

CLmError CAmazonDocumentDBInfo::PreviewDocumentDBContent(const unsigned long& instanceId,
                                                         std::vector<std::string>& regions,
                                                         const std::string& contentXml, App::CloudDBEntity& entity) {
  return Operations::preview(*this, instanceId, regions, contentXml, entity, CLM_HERE);
}

CLmError CAmazonDocumentDBInfo::PreviewDocumentDBContent(std::vector<std::string>& regions,
                                                         const std::string& contentXml, App::CloudDBEntity& entity,
                                                         unsigned long clientId) {
  setClientId(clientId);
  return PreviewDocumentDBContent(0, regions, contentXml, entity);
}

CLmError CAmazonDocumentDBInfo::ExpandDocumentDBSubclientContentInternal(const unsigned long& appId,
                                                                         std::vector<std::string>& regions,
                                                                         std::vector<DocumentDBCluster>& out,
                                                                         bool verify) {
  return Operations::expandBackupSet(*this, appId, regions, out, verify, CLM_HERE);
}

CLmError CAmazonDocumentDBInfo::ExpandDocumentDBSubclientContent(const unsigned long& appId,
                                                                 std::vector<std::string>& regions,
                                                                 std::vector<DocumentDBCluster>& out, bool verify) {
  return clouddb::aws::expandWithoutDuplicates(
      [&](std::vector<DocumentDBCluster>& found) {
        return ExpandDocumentDBSubclientContentInternal(appId, regions, found, verify);
      },
      out, CLM_HERE);
}
