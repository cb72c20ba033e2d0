#include "clouddb/aws/CAmazonDynamoDBInfo.h"

namespace {

constexpr char kTableListTag[] = "GetDynamoTableList";
constexpr char kTableListRefreshFailed[] = "Failed to refresh Dynamo table list . Error [%s]";
constexpr char kFailedToDetermineAllTables[] =
    "Failed to determine all tables for region '%s' tagKey '%s' tagValue '%s'";

// Only the region and the name identify a table for content rules; the further attributes the
// bridge reports are not carried.
App::DynamoDBTable tableMessage(const DynamoInfoStructs::SDynamoTableInfo& table) {
  App::DynamoDBTable message;
  message.setstring(App::DynamoDBTable::kRegion, 1, table.region);
  message.setstring(App::DynamoDBTable::kTableName, 5, table.tableName);
  return message;
}

}  // namespace

CAmazonDynamoDBInfo::CAmazonDynamoDBInfo() : AmazonServiceBase(AmazonSDKCppBridge::CLOUD_TYPE_DYNAMODB) {}

CAmazonDynamoDBInfo::~CAmazonDynamoDBInfo() = default;

bool CAmazonDynamoDBInfo::GetDynamoTableList(std::vector<DynamoInfoStructs::SDynamoTableInfo>& out,
                                             const std::string& region, const std::string& tagKey,
                                             const std::string& tagValue, int first, int count) {
  const int refreshed = bridge().RefreshDynamoTableInfoList(first, count, region, tagKey, tagValue);
  return listingSucceeded<kTableListRefreshFailed>(refreshed, kTableListTag,
                                        [&] { return bridge().GetDynamoTableInfoList(out, first, count); });
}

CLmError CAmazonDynamoDBInfo::listTablesInternal(const std::string& region, const std::string& tagKey,
                                                 const std::string& tagValue, std::vector<App::DynamoDBTable>& out) {
  std::vector<DynamoInfoStructs::SDynamoTableInfo> tables;
  if (!GetDynamoTableList(tables, region, tagKey, tagValue, 0, 0)) {
    return lookupFailure<kFailedToDetermineAllTables>(CLM_HERE, region, tagKey, tagValue);
  }
  for (const DynamoInfoStructs::SDynamoTableInfo& table : tables) {
    out.push_back(tableMessage(table));
  }
  return CLmError();
}
