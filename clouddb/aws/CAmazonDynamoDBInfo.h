#pragma once
// CAmazonDynamoDBInfo: the DynamoDB tables of an AWS account, by region and optionally by tag,
// as App::DynamoDBTable records (region and table name only).
//
// Contract:
//  - Connection, credentials, proxy, regions and wildcard patterns come from AmazonServiceBase;
//    the bridge serves the DynamoDB cloud type (2).
//  - An empty region means every region the connection allows; an empty tag key means no tag
//    filter. Results keep the bridge's order and are appended, never merged: two tables of one
//    name in two regions are two records.
//  - A failed bridge refresh is logged with the bridge's reason; listTablesInternal then answers
//    the errno-kind failure 774 and appends nothing.
#include <string>
#include <vector>

#include "bridges/DynamoInfoStructs.h"
#include "clouddb/core/AmazonServiceBase.h"
#include "platform/CLmError.h"
#include "platform/messages/App.h"

class CAmazonDynamoDBInfo : public AmazonServiceBase {
 public:
  CAmazonDynamoDBInfo();
  ~CAmazonDynamoDBInfo() override;

  // The bridge's table records, appended to out; false when the refresh failed.
  bool GetDynamoTableList(std::vector<DynamoInfoStructs::SDynamoTableInfo>& out, const std::string& region,
                          const std::string& tagKey, const std::string& tagValue, int first, int count);

  // One lookup of the tables of one region (or all) and one tag (or none), appended to out.
  CLmError listTablesInternal(const std::string& region, const std::string& tagKey, const std::string& tagValue,
                              std::vector<App::DynamoDBTable>& out);

  // --- Content rules: expansion, preview and backup-set expansion. allRule tells whether the
  // content holds an all rule. ---
  CLmError ExpandDynamoContent(bool preview, std::vector<std::string>& regions, const std::string& contentXml,
                               std::vector<App::DynamoDBTable>& out, bool& allRule, unsigned long instanceId);
  CLmError PreviewDynamoContent(const unsigned long& instanceId, std::vector<std::string>& regions,
                                const std::string& contentXml, App::CloudDBEntity& entity);
  CLmError PreviewDynamoContent(std::vector<std::string>& regions, const std::string& contentXml,
                                App::CloudDBEntity& entity, unsigned long clientId);
  CLmError ExpandDynamoSubclientContentInternal(const unsigned long& appId, std::vector<std::string>& regions,
                                                std::vector<App::DynamoDBTable>& out, bool& allRule);
  CLmError ExpandDynamoSubclientContent(const unsigned long& appId, std::vector<std::string>& regions,
                                        std::vector<App::DynamoDBTable>& out, bool& allRule);
};
