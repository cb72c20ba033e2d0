#pragma once
// The content rules of the two cluster services (DocumentDB and Redshift): the same rule codes
// and the same verification, differing in their record, their lookup and a few texts.
#include <cstdint>
#include <string>
#include <vector>

#include "clouddb/aws/ContentRuleWalk.h"
#include "clouddb/aws/ContentTexts.h"
#include "clouddb/core/AmazonServiceBase.h"
#include "platform/FXErrorUtil.h"

namespace clouddb::aws {

// Traits supply: Record, tag, tag-rule line, unexpected-type line, name accessors.
template <typename Provider, typename Traits>
class ClusterRules {
 public:
  using Record = typename Traits::Record;
  // Clusters are matched as the host records they are listed as.
  using Found = Record;

  ClusterRules(Provider& provider, EvEvent& log) : provider_(provider), log_(log) {}

  EvEvent& log() { return log_; }
  const char* tag() const { return Traits::kTag; }

  RuleKind kindOf(std::int64_t type) const {
    switch (type) {
      case rule::kRegion: return RuleKind::Region;
      case rule::kAll: return RuleKind::All;
      case rule::kTag:
      case rule::kTagAlias: return RuleKind::Tag;
      case rule::kClusterSpecific: return RuleKind::Specific;
      case rule::kClusterPattern: return RuleKind::Pattern;
      default: return RuleKind::Unexpected;
    }
  }

  CLmError lookup(const std::string& region, const std::string& tagKey, const std::string& tagValue,
                  std::vector<Record>& out) {
    return provider_.listClustersInternal(region, tagKey, tagValue, out);
  }
  Record recordOf(const Found& found) const { return found; }
  std::string expressionFor(const std::string& pattern) { return provider_.prepareForRegex(pattern); }
  static const std::string& nameOf(const Record& record) { return Traits::name(record); }
  static const std::string& regionOf(const Record& record) { return record.region(); }

  Record skeleton(const std::string& name, const std::string& region, std::int64_t) const {
    Record record;
    record.setRegion(region);
    Traits::setName(record, name);
    return record;
  }
  bool verifiesSpecifics() const { return true; }
  bool isSameObject(const Record& record, const std::string& name, const std::string& region, std::int64_t) const {
    return Traits::name(record) == name && record.region() == region;
  }
  void reportNotFound(const std::string& name, const std::string& region, const CLmLocation&) {
    raiseConstraintEvent(log_, name + "[" + region + "]" + texts::kClusterNotFoundSuffix);
  }

  void logTagRule(const std::string& key, const std::string& value) {
    log_.Debug(Traits::kTag, Traits::kTagRule, key.c_str(), value.c_str());
  }
  void onAllRule(bool, std::size_t) {}
  void onAllRuleRegion(const std::string&) {}
  void logPatternRule(const std::string& pattern, bool negated) {
    log_.Debug(Traits::kTag, texts::kClusterRule, pattern.c_str(), negated ? texts::kNegated : texts::kApplied);
  }
  bool skipsPatternRuleIn(const std::string&, const RegionsConstraint&) const { return false; }
  void logRecordDropped(const std::string& region, const std::string& name) {
    log_.Debug(Traits::kTag, texts::kRecordInClusterRuleIgnored, region.c_str(), name.c_str());
  }
  void logSpecificIgnored(const std::string& region, const std::string& name) {
    log_.Debug(Traits::kTag, texts::kSpecificClusterIgnored, region.c_str(), name.c_str());
  }
  CLmError unexpectedType(std::int64_t type, const std::string& xml, const CLmLocation& where) const {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, Traits::kUnexpectedType, static_cast<int>(type),
                                   xml.c_str());
  }
  CLmError tagRuleRefused(std::int64_t type, const std::string& xml, const CLmLocation& where) const {
    return unexpectedType(type, xml, where);
  }

 private:
  Provider& provider_;
  EvEvent& log_;
};

}  // namespace clouddb::aws
