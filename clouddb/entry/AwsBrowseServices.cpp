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

// The services on the AWS service base differ only in their listing and preview calls.
template <typename Provider>
class ServiceBaseBrowse : public AwsBrowseService {
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

 protected:
  Provider provider_;
};

class DynamoBrowse final : public ServiceBaseBrowse<CAmazonDynamoDBInfo> {
 public:
  void addRegionObjects(const std::string& region, App::CloudDBEntity& root, EvEvent&, const char*) override {
    std::vector<DynamoInfoStructs::SDynamoTableInfo> tables;
    if (provider_.GetDynamoTableList(tables, region, "", "", 0, 0)) {
      for (const DynamoInfoStructs::SDynamoTableInfo& table : tables) {
        root.addChild(node(table.tableName, table.region, aws::rule::kTableSpecific));
      }
    }
  }
  CLmError preview(std::uint64_t instanceId, std::vector<std::string>& regions, const std::string& contentXml,
                   App::CloudDBEntity& root) override {
    const unsigned long id = static_cast<unsigned long>(instanceId);
    return provider_.PreviewDynamoContent(id, regions, contentXml, root);
  }
  CLmError previewForClient(std::vector<std::string>& regions, const std::string& contentXml, App::CloudDBEntity& root,
                            std::uint64_t clientId) override {
    return provider_.PreviewDynamoContent(regions, contentXml, root, static_cast<unsigned long>(clientId));
  }
};

class RedshiftBrowse final : public ServiceBaseBrowse<CAmazonRedshiftInfo> {
 public:
  void addRegionObjects(const std::string& region, App::CloudDBEntity& root, EvEvent&, const char*) override {
    std::vector<RedshiftInfoStructs::SRedshiftClusterInfo> clusters;
    if (provider_.GetRedshiftClusterList(clusters, region, "", "", 0, 0)) {
      for (const RedshiftInfoStructs::SRedshiftClusterInfo& cluster : clusters) {
        root.addChild(node(cluster.clusterIdentifier, cluster.region, aws::rule::kClusterSpecific));
      }
    }
  }
  CLmError preview(std::uint64_t instanceId, std::vector<std::string>& regions, const std::string& contentXml,
                   App::CloudDBEntity& root) override {
    const unsigned long id = static_cast<unsigned long>(instanceId);
    return provider_.PreviewRedshiftContent(id, regions, contentXml, root);
  }
  CLmError previewForClient(std::vector<std::string>& regions, const std::string& contentXml, App::CloudDBEntity& root,
                            std::uint64_t clientId) override {
    return provider_.PreviewRedshiftContent(regions, contentXml, root, static_cast<unsigned long>(clientId));
  }
};

class DocumentDBBrowse final : public ServiceBaseBrowse<CAmazonDocumentDBInfo> {
 public:
  void addRegionObjects(const std::string& region, App::CloudDBEntity& root, EvEvent&, const char*) override {
    std::vector<DocDBInfoStructs::SDocDBClusterInfo> clusters;
    if (provider_.GetDocumentDBClusterList(clusters, region, "", "", 0, 0)) {
      for (const DocDBInfoStructs::SDocDBClusterInfo& cluster : clusters) {
        root.addChild(node(cluster.clusterIdentifier, cluster.region, aws::rule::kClusterSpecific));
      }
    }
  }
  CLmError preview(std::uint64_t instanceId, std::vector<std::string>& regions, const std::string& contentXml,
                   App::CloudDBEntity& root) override {
    const unsigned long id = static_cast<unsigned long>(instanceId);
    return provider_.PreviewDocumentDBContent(id, regions, contentXml, root);
  }
  CLmError previewForClient(std::vector<std::string>& regions, const std::string& contentXml, App::CloudDBEntity& root,
                            std::uint64_t clientId) override {
    return provider_.PreviewDocumentDBContent(regions, contentXml, root, static_cast<unsigned long>(clientId));
  }
};

}  // namespace

AwsBrowseServices::AwsBrowseServices()
    : rds_(std::make_unique<RdsBrowse>()),
      dynamo_(std::make_unique<DynamoBrowse>()),
      redshift_(std::make_unique<RedshiftBrowse>()),
      documentDB_(std::make_unique<DocumentDBBrowse>()) {}

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
