#include "clouddb/entry/AwsBrowseServices.h"

#include "clouddb/aws/CAmazonDocumentDBInfo.h"
#include "clouddb/aws/CAmazonDynamoDBInfo.h"
#include "clouddb/aws/CAmazonRDSInfo.h"
#include "clouddb/aws/CAmazonRedshiftInfo.h"
#include "clouddb/aws/ContentRuleWalk.h"
#include "clouddb/entry/BrowseTexts.h"

namespace clouddb::entry {
namespace {

App::CloudDBEntity node(const std::string& name, const std::string& region, std::int64_t type) {
  App::CloudDBEntity child;
  child.setName(name);
  child.setRegion(region);
  child.setEntityType(type);
  return child;
}

class RdsBrowse final : public AwsBrowseService {
 public:
  bool fetchInstanceCredentials(std::uint64_t instanceId) override {
    provider_.setInstanceId(instanceId);
    return provider_.FetchCredentials() == 1;
  }
  bool fetchClientCredentials(std::uint64_t clientId) override {
    return provider_.FetchClientCredentials(static_cast<unsigned long>(clientId)) == 1;
  }
  void useKeys(const std::string& accessKey, const std::string& encryptedSecret) override {
    provider_.setKeys(accessKey, encryptedSecret);
  }
  void useRegion(const std::string& region) override { provider_.setRegionEndpoint(region); }
  bool connect() override { return provider_.Connect() == 1; }
  bool listRegions(std::vector<VMInfoStructs::SDataCenterInfo>& out) override {
    return provider_.GetRegionList(out, 0, 0) == 1;
  }
  void addRegionObjects(const std::string& region, App::CloudDBEntity& root, EvEvent& log, const char* tag) override {
    std::vector<RDSInfoStructs::SDBInstanceInfo> instances;
    if (!provider_.GetDBInstanceInfoList(0, 0, instances, "", "", region)) {
      return;
    }
    for (const RDSInfoStructs::SDBInstanceInfo& instance : instances) {
      // Members of a cluster are shown through their cluster.
      if (!provider_.isClusterEngine(instance.engine)) {
        root.addChild(node(instance.instanceIdentifier, instance.region, aws::rule::kInstanceSpecific));
      }
    }
    std::vector<App::RDSDBInstance> clusters;
    const RDSInfoStructs::SDBInstanceFilter everyCluster;
    if (provider_.GetDBClusterInfoList(everyCluster, clusters, "", "", region).IsFailure()) {
      log.Debug(tag, texts::kClusterListFailed);
      return;
    }
    for (const App::RDSDBInstance& cluster : clusters) {
      root.addChild(node(cluster.name(), cluster.region(), aws::rule::kClusterSpecific));
    }
  }
  CLmError preview(std::uint64_t instanceId, std::vector<std::string>& regions, const std::string& contentXml,
                   App::CloudDBEntity& root) override {
    const unsigned long id = static_cast<unsigned long>(instanceId);
    return provider_.PreviewRdsContent(id, regions, contentXml, root);
  }
  CLmError previewForClient(std::vector<std::string>& regions, const std::string& contentXml, App::CloudDBEntity& root,
                            std::uint64_t clientId) override {
    return provider_.PreviewRdsContent(regions, contentXml, root, static_cast<unsigned long>(clientId));
  }

 private:
  CAmazonRDSInfo provider_;
};

// The services on the AWS service base differ only in their listing and preview calls, which
// their traits name: the provider, its listing, the record's name and node type, the previews.
template <typename Traits>
class ServiceBaseBrowse final : public AwsBrowseService {
 public:
  bool fetchInstanceCredentials(std::uint64_t instanceId) override {
    return provider_.FetchCredentials(static_cast<unsigned long>(instanceId)) == 1;
  }
  bool fetchClientCredentials(std::uint64_t clientId) override {
    return provider_.FetchClientCredentials(static_cast<unsigned long>(clientId)) == 1;
  }
  void useKeys(const std::string& accessKey, const std::string& encryptedSecret) override {
    provider_.setAccessKey(accessKey);
    provider_.setSecretKey(encryptedSecret);
  }
  void useRegion(const std::string& region) override { provider_.setRegionEndpoint(region); }
  bool connect() override { return provider_.Connect() == 1; }
  bool listRegions(std::vector<VMInfoStructs::SDataCenterInfo>& out) override {
    return provider_.GetRegionList(out, 0, 0) == 1;
  }
  void addRegionObjects(const std::string& region, App::CloudDBEntity& root, EvEvent&, const char*) override {
    std::vector<typename Traits::Record> records;
    if (Traits::list(provider_, records, region)) {
      for (const typename Traits::Record& record : records) {
        root.addChild(node(Traits::name(record), record.region, Traits::kNodeType));
      }
    }
  }
  CLmError preview(std::uint64_t instanceId, std::vector<std::string>& regions, const std::string& contentXml,
                   App::CloudDBEntity& root) override {
    const unsigned long id = static_cast<unsigned long>(instanceId);
    return Traits::preview(provider_, id, regions, contentXml, root);
  }
  CLmError previewForClient(std::vector<std::string>& regions, const std::string& contentXml, App::CloudDBEntity& root,
                            std::uint64_t clientId) override {
    return Traits::previewForClient(provider_, regions, contentXml, root, static_cast<unsigned long>(clientId));
  }

 private:
  typename Traits::Provider provider_;
};

struct DynamoTraits {
  using Provider = CAmazonDynamoDBInfo;
  using Record = DynamoInfoStructs::SDynamoTableInfo;
  static constexpr std::int64_t kNodeType = aws::rule::kTableSpecific;
  static bool list(Provider& provider, std::vector<Record>& out, const std::string& region) {
    return provider.GetDynamoTableList(out, region, "", "", 0, 0);
  }
  static const std::string& name(const Record& record) { return record.tableName; }
  static CLmError preview(Provider& provider, unsigned long id, std::vector<std::string>& regions,
                          const std::string& xml, App::CloudDBEntity& root) {
    return provider.PreviewDynamoContent(id, regions, xml, root);
  }
  static CLmError previewForClient(Provider& provider, std::vector<std::string>& regions, const std::string& xml,
                                   App::CloudDBEntity& root, unsigned long clientId) {
    return provider.PreviewDynamoContent(regions, xml, root, clientId);
  }
};

struct RedshiftTraits {
  using Provider = CAmazonRedshiftInfo;
  using Record = RedshiftInfoStructs::SRedshiftClusterInfo;
  static constexpr std::int64_t kNodeType = aws::rule::kClusterSpecific;
  static bool list(Provider& provider, std::vector<Record>& out, const std::string& region) {
    return provider.GetRedshiftClusterList(out, region, "", "", 0, 0);
  }
  static const std::string& name(const Record& record) { return record.clusterIdentifier; }
  static CLmError preview(Provider& provider, unsigned long id, std::vector<std::string>& regions,
                          const std::string& xml, App::CloudDBEntity& root) {
    return provider.PreviewRedshiftContent(id, regions, xml, root);
  }
  static CLmError previewForClient(Provider& provider, std::vector<std::string>& regions, const std::string& xml,
                                   App::CloudDBEntity& root, unsigned long clientId) {
    return provider.PreviewRedshiftContent(regions, xml, root, clientId);
  }
};

struct DocumentDBTraits {
  using Provider = CAmazonDocumentDBInfo;
  using Record = DocDBInfoStructs::SDocDBClusterInfo;
  static constexpr std::int64_t kNodeType = aws::rule::kClusterSpecific;
  static bool list(Provider& provider, std::vector<Record>& out, const std::string& region) {
    return provider.GetDocumentDBClusterList(out, region, "", "", 0, 0);
  }
  static const std::string& name(const Record& record) { return record.clusterIdentifier; }
  static CLmError preview(Provider& provider, unsigned long id, std::vector<std::string>& regions,
                          const std::string& xml, App::CloudDBEntity& root) {
    return provider.PreviewDocumentDBContent(id, regions, xml, root);
  }
  static CLmError previewForClient(Provider& provider, std::vector<std::string>& regions, const std::string& xml,
                                   App::CloudDBEntity& root, unsigned long clientId) {
    return provider.PreviewDocumentDBContent(regions, xml, root, clientId);
  }
};

}  // namespace

AwsBrowseServices::AwsBrowseServices()
    : rds_(std::make_unique<RdsBrowse>()),
      dynamo_(std::make_unique<ServiceBaseBrowse<DynamoTraits>>()),
      redshift_(std::make_unique<ServiceBaseBrowse<RedshiftTraits>>()),
      documentDB_(std::make_unique<ServiceBaseBrowse<DocumentDBTraits>>()) {}

AwsBrowseServices::~AwsBrowseServices() = default;

AwsBrowseService* AwsBrowseServices::forInstanceType(std::int64_t instanceType) {
  switch (instanceType) {
    case 4: return rds_.get();
    case 22: return dynamo_.get();
    case 26: return redshift_.get();
    case 27: return documentDB_.get();
    default: return nullptr;
  }
}

}  // namespace clouddb::entry
