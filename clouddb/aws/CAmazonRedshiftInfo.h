#pragma once
// CAmazonRedshiftInfo: the Redshift clusters of an AWS account, by region and optionally by
// tag, as App::RedshiftCluster records.
//
// Contract:
//  - Connection, credentials, proxy and wildcard patterns come from AmazonServiceBase; the
//    bridge serves the Redshift cloud type (4).
//  - An empty region means every region the connection allows; an empty tag key means no tag
//    filter. Results keep the bridge's order and are appended.
//  - A cluster's parameter groups travel as one text: each group's name followed by ";"
//    ("A;B;"), empty for a cluster without groups.
//  - A failed bridge refresh is logged with the bridge's reason; listClustersInternal then
//    answers the errno-kind failure 774 and appends nothing.
#include <string>
#include <vector>

#include "bridges/RedshiftInfoStructs.h"
#include "clouddb/core/AmazonServiceBase.h"
#include "platform/CLmError.h"
#include "platform/messages/App.h"

class CAmazonRedshiftInfo : public AmazonServiceBase {
 public:
  CAmazonRedshiftInfo();
  ~CAmazonRedshiftInfo() override;

  // The bridge's cluster records, appended to out; false when the refresh failed.
  bool GetRedshiftClusterList(std::vector<RedshiftInfoStructs::SRedshiftClusterInfo>& out, const std::string& region,
                              const std::string& tagKey, const std::string& tagValue, int first, int count);

  // One lookup of the clusters of one region (or all) and one tag (or none), appended to out.
  CLmError listClustersInternal(const std::string& region, const std::string& tagKey, const std::string& tagValue,
                                std::vector<App::RedshiftCluster>& out);

  // Finds the backup set's instance, fetches credentials and connects (snapshot operations).
  using AmazonServiceBase::MakeConnection;

  // --- Snapshots of the backup set's account; the two texts are the bridge's cluster and
  // snapshot identifiers, passed unchanged. ---
  CLmError DescribeRedshiftSnapshot(const unsigned long& appId, const std::string& first, const std::string& second,
                                    std::vector<RedshiftInfoStructs::SRedshiftClusterSnapshotInfo>& out);
  CLmError DeleteRedshiftSnapshot(const unsigned long& appId, const std::string& first, const std::string& second);

  // --- Content rules: expansion, preview and backup-set expansion. ---
  CLmError ExpandRedshiftContent(bool preview, std::vector<std::string>& regions, const std::string& contentXml,
                                   std::vector<App::RedshiftCluster>& out, unsigned long instanceId, bool verify);
  CLmError PreviewRedshiftContent(const unsigned long& instanceId, std::vector<std::string>& regions,
                                    const std::string& contentXml, App::CloudDBEntity& entity);
  CLmError PreviewRedshiftContent(std::vector<std::string>& regions, const std::string& contentXml,
                                    App::CloudDBEntity& entity, unsigned long clientId);
  CLmError ExpandRedshiftSubclientContentInternal(const unsigned long& appId, std::vector<std::string>& regions,
                                                    std::vector<App::RedshiftCluster>& out, bool verify);
  CLmError ExpandRedshiftSubclientContent(const unsigned long& appId, std::vector<std::string>& regions,
                                            std::vector<App::RedshiftCluster>& out, bool verify);
};
