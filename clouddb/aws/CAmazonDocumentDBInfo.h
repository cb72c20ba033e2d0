#pragma once
// CAmazonDocumentDBInfo: the DocumentDB clusters of an AWS account, by region and optionally by
// tag, each joined with its member instances, as App::DocumentDBCluster records.
//
// Contract:
//  - Connection, credentials, proxy and wildcard patterns come from AmazonServiceBase; the
//    bridge serves the DocumentDB cloud type (3).
//  - An empty region means every region the connection allows; an empty tag key means no tag
//    filter. A tag limits the clusters only: the instances joined to them are looked up without
//    one, so a tagged cluster still lists its untagged instances.
//  - A member entry is "<instance identifier>/<instance class>", for each member the cluster
//    names whose instance record belongs to this very cluster (same cluster identifier, same
//    region); a cluster without such records has an empty member list.
//  - Results keep the bridge's order and are appended. When either bridge refresh fails, the
//    failure is logged with the bridge's reason and listClustersInternal answers the errno-kind
//    failure 774 with nothing appended.
#include <string>
#include <vector>

#include "bridges/DocDBInfoStructs.h"
#include "clouddb/core/AmazonServiceBase.h"
#include "platform/CLmError.h"
#include "platform/messages/App.h"

class CAmazonDocumentDBInfo : public AmazonServiceBase {
 public:
  CAmazonDocumentDBInfo();
  ~CAmazonDocumentDBInfo() override;

  // The bridge's cluster records, appended to out; false when the refresh failed.
  bool GetDocumentDBClusterList(std::vector<DocDBInfoStructs::SDocDBClusterInfo>& out, const std::string& region,
                                const std::string& tagKey, const std::string& tagValue, int first, int count);
  // The bridge's DB instance records, appended to out; false when the refresh failed. The two
  // texts are the bridge's tag key and value (the join passes none).
  bool GetDocumentDBInstancesList(std::vector<DocDBInfoStructs::SDocDBInstanceInfo>& out, const std::string& region,
                                  const std::string& second, const std::string& third, int first, int count);

  // One lookup of the clusters of one region (or all) and one tag (or none), appended to out.
  CLmError listClustersInternal(const std::string& region, const std::string& tagKey, const std::string& tagValue,
                                std::vector<App::DocumentDBCluster>& out);

  // Finds the backup set's instance, fetches credentials and connects (snapshot operations).
  using AmazonServiceBase::MakeConnection;

  // --- Snapshots of the backup set's account; the two texts are the bridge's cluster and
  // snapshot identifiers, passed unchanged. ---
  CLmError DescribeDocDBClusterSnapshot(const unsigned long& appId, const std::string& first, const std::string& second,
                                        std::vector<DocDBInfoStructs::SDocDBClusterSnapshotInfo>& out);
  CLmError DeleteDocDBClusterSnapshot(const unsigned long& appId, const std::string& first, const std::string& second);

  // --- Content rules: expansion, preview and backup-set expansion. ---
  CLmError ExpandDocumentDBContent(bool preview, std::vector<std::string>& regions, const std::string& contentXml,
                                   std::vector<App::DocumentDBCluster>& out, unsigned long instanceId, bool verify);
  CLmError PreviewDocumentDBContent(const unsigned long& instanceId, std::vector<std::string>& regions,
                                    const std::string& contentXml, App::CloudDBEntity& entity);
  CLmError PreviewDocumentDBContent(std::vector<std::string>& regions, const std::string& contentXml,
                                    App::CloudDBEntity& entity, unsigned long clientId);
  CLmError ExpandDocumentDBSubclientContentInternal(const unsigned long& appId, std::vector<std::string>& regions,
                                                    std::vector<App::DocumentDBCluster>& out, bool verify);
  CLmError ExpandDocumentDBSubclientContent(const unsigned long& appId, std::vector<std::string>& regions,
                                            std::vector<App::DocumentDBCluster>& out, bool verify);
};
