// The DynamoDB content-rule expansion, preview and backup-set expansion. Tables differ from the
// cluster services: the all rule is reported to the caller, specific tables are never verified,
// a table rule for a refused region is skipped up front, and type 34 is refused.
#include <string>
#include <vector>

#include "clouddb/aws/CAmazonDynamoDBInfo.h"
#include "clouddb/aws/ContentResults.h"
#include "clouddb/aws/ContentRuleWalk.h"
#include "clouddb/aws/ContentTexts.h"
#include "clouddb/aws/ServiceBaseExpansion.h"

namespace {

using App::DynamoDBTable;
using clouddb::aws::RuleKind;
namespace rule = clouddb::aws::rule;
namespace texts = clouddb::aws::texts;

constexpr char kTag[] = "ExpandDynamoContent";
constexpr char kRequest[] = "instanceId %lu requestXml '%s'";
constexpr char kChildListMissing[] = "Child list is missing for DynamoDB XML '%s'";
constexpr char kTagNotImplemented[] = "Tag is not implemented (DynamoDB XML [%d]'%s')";
constexpr char kRegionsConstrained[] = "regions are constrained to a list of size %d";
constexpr char kExpandingRegion[] = "expanding region '%s'";
constexpr char kSpecificTableIgnored[] = "specific region '%s' table '%s' is ignored due to a regions constraint";
constexpr char kTableRule[] = "table rule '%s' will be %s";
constexpr char kTableRuleRegionIgnored[] = "region '%s' in TableRule is ignored due to a regions constraint";
constexpr char kRecordInTableRuleIgnored[] = "region '%s' table '%s' in TableRule is ignored due to a regions constraint";
constexpr char kUnexpectedType[] = "Unexpected first level type %d for DynamoDB XML '%s'";

class DynamoRules {
 public:
  using Record = DynamoDBTable;
  // Tables are matched as the host records they are listed as.
  using Found = Record;

  DynamoRules(CAmazonDynamoDBInfo& provider, EvEvent& log, bool& allRule)
      : provider_(provider), log_(log), allRule_(allRule) {}

  EvEvent& log() { return log_; }
  const char* tag() const { return kTag; }

  RuleKind kindOf(std::int64_t type) const {
    switch (type) {
      case rule::kRegion: return RuleKind::Region;
      case rule::kAll: return RuleKind::All;
      case rule::kTag: return RuleKind::TagRefused;
      case rule::kTagAlias: return RuleKind::Tag;
      case rule::kTableSpecific: return RuleKind::Specific;
      case rule::kTablePattern: return RuleKind::Pattern;
      default: return RuleKind::Unexpected;
    }
  }

  CLmError lookup(const std::string& region, const std::string& tagKey, const std::string& tagValue,
                  std::vector<Record>& out) {
    return provider_.listTablesInternal(region, tagKey, tagValue, out);
  }
  Record recordOf(const Found& found) const { return found; }
  std::string expressionFor(const std::string& pattern) { return provider_.prepareForRegex(pattern); }
  static const std::string& nameOf(const Record& record) { return record.tableName(); }
  static const std::string& regionOf(const Record& record) { return record.region(); }

  Record skeleton(const std::string& name, const std::string& region, std::int64_t) const {
    Record record;
    record.setRegion(region);
    record.setTableName(name);
    return record;
  }
  bool verifiesSpecifics() const { return false; }
  bool isSameObject(const Record&, const std::string&, const std::string&, std::int64_t) const { return false; }
  void reportNotFound(const std::string&, const std::string&, const CLmLocation&) {}

  void logTagRule(const std::string&, const std::string&) {}
  void onAllRule(bool constrained, std::size_t regionCount) {
    allRule_ = true;
    if (constrained) {
      log_.Debug(kTag, kRegionsConstrained, static_cast<int>(regionCount));
    }
  }
  void onAllRuleRegion(const std::string& region) { log_.Debug(kTag, kExpandingRegion, region.c_str()); }
  void logPatternRule(const std::string& pattern, bool negated) {
    log_.Debug(kTag, kTableRule, pattern.c_str(), negated ? texts::kNegated : texts::kApplied);
  }
  bool skipsPatternRuleIn(const std::string& region, const clouddb::aws::RegionsConstraint& constraint) {
    if (region.empty() || constraint.allows(region)) {
      return false;
    }
    log_.Debug(kTag, kTableRuleRegionIgnored, region.c_str());
    return true;
  }
  void logRecordDropped(const std::string& region, const std::string& name) {
    log_.Debug(kTag, kRecordInTableRuleIgnored, region.c_str(), name.c_str());
  }
  void logSpecificIgnored(const std::string& region, const std::string& name) {
    log_.Debug(kTag, kSpecificTableIgnored, region.c_str(), name.c_str());
  }
  CLmError unexpectedType(std::int64_t type, const std::string& xml, const CLmLocation& where) const {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, kUnexpectedType, static_cast<int>(type), xml.c_str());
  }
  CLmError tagRuleRefused(std::int64_t type, const std::string& xml, const CLmLocation& where) const {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, kTagNotImplemented, static_cast<int>(type),
                                   xml.c_str());
  }

 private:
  CAmazonDynamoDBInfo& provider_;
  EvEvent& log_;
  bool& allRule_;
};

}  // namespace

CLmError CAmazonDynamoDBInfo::ExpandDynamoContent(bool preview, std::vector<std::string>& regions,
                                                  const std::string& contentXml, std::vector<DynamoDBTable>& out,
                                                  bool& allRule, unsigned long instanceId) {
  const CLmLocation where = CLM_HERE;
  log().Debug(kTag, kRequest, instanceId, contentXml.c_str());
  allRule = false;
  CLmError result = clouddb::aws::connectForExpansion(*this, instanceId, where);
  if (result.IsFailure()) {
    return result;
  }
  App::CloudDBEntity content;
  if (content.unserialize(contentXml).IsFailure()) {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, texts::kUnserializeDynamicContentFailed,
                                   contentXml.c_str());
  }
  if (content.children().empty()) {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, kChildListMissing, contentXml.c_str());
  }
  DynamoRules rules(*this, log(), allRule);
  // Specific tables are never verified.
  clouddb::aws::ContentRuleWalk<DynamoRules> walk(rules, preview, false, regions, contentXml, where);
  return walk.run(content, out);
}

CLmError CAmazonDynamoDBInfo::PreviewDynamoContent(const unsigned long& instanceId, std::vector<std::string>& regions,
                                                   const std::string& contentXml, App::CloudDBEntity& entity) {
  bool allRule = false;
  return clouddb::aws::previewExpansion<DynamoDBTable>(
      [&](std::vector<DynamoDBTable>& found) {
        return ExpandDynamoContent(true, regions, contentXml, found, allRule, instanceId);
      },
      entity, [](const DynamoDBTable&) { return rule::kTableSpecific; }, CLM_HERE);
}

CLmError CAmazonDynamoDBInfo::PreviewDynamoContent(std::vector<std::string>& regions, const std::string& contentXml,
                                                   App::CloudDBEntity& entity, unsigned long clientId) {
  setClientId(clientId);
  return PreviewDynamoContent(0, regions, contentXml, entity);
}

CLmError CAmazonDynamoDBInfo::ExpandDynamoSubclientContentInternal(const unsigned long& appId,
                                                                   std::vector<std::string>& regions,
                                                                   std::vector<DynamoDBTable>& out, bool& allRule) {
  std::uint64_t instanceId = 0;
  std::string content;
  CLmError result = clouddb::aws::readBackupSetContent(appId, instanceId, content, CLM_HERE);
  if (result.IsFailure()) {
    return result;
  }
  return ExpandDynamoContent(false, regions, content, out, allRule, static_cast<unsigned long>(instanceId));
}

CLmError CAmazonDynamoDBInfo::ExpandDynamoSubclientContent(const unsigned long& appId, std::vector<std::string>& regions,
                                                           std::vector<DynamoDBTable>& out, bool& allRule) {
  return clouddb::aws::expandWithoutDuplicates(
      [&](std::vector<DynamoDBTable>& found) {
        return ExpandDynamoSubclientContentInternal(appId, regions, found, allRule);
      },
      out, CLM_HERE);
}
