// The content-rule expansion of RDS instances and Aurora clusters.
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "clouddb/aws/CAmazonRDSInfo.h"
#include "clouddb/aws/ContentRuleWalk.h"
#include "clouddb/aws/ContentTexts.h"
#include "clouddb/core/AmazonServiceBase.h"
#include "platform/FXErrorUtil.h"
#include "platform/FXString.h"

namespace {

using clouddb::aws::RuleKind;
namespace rule = clouddb::aws::rule;
namespace texts = clouddb::aws::texts;

constexpr char kTag[] = "ExpandRdsContent";
constexpr char kRegionEndpoint[] = "region endpoint [%s]";
constexpr char kNoAllowedRegion[] = "none of the allowed regions is served by the instance; nothing is selected";
constexpr char kChildListMissing[] = "Child list is missing for RDS XML '%s'";
constexpr char kTagRule[] = "RDS Instances with tag : '%s' and value '%s' will be discovered.";
constexpr char kSpecificInstanceIgnored[] = "specific region '%s' instance '%s' is ignored due to a regions constraint";
constexpr char kInstanceNotFound[] = "[%s][%s] will not be backed up since instance is not found";
constexpr char kInstanceRule[] = "instance rule '%s' will be '%s'";
constexpr char kUnexpectedType[] = "Unexpected first level type %d for RDS XML '%s'";
constexpr char kAuroraEngine[] = "aurora";
constexpr std::int64_t kNotFoundCode = 1168;

// Output: the host message (a backup) or the listed record itself (a preview, which shows only
// names, regions and kinds and so need not convert anything).
template <typename Output>
class RdsRules {
 public:
  using Record = Output;
  using Found = clouddb::aws::RdsListedRecord;

  // selectsNothing: the regions constraint leaves the instance no region, so no lookup may reach
  // the cloud (an empty end point would widen to every region); the rules are still walked so
  // that named entries raise their events.
  // The lookups' records are kept in store.
  RdsRules(CAmazonRDSInfo& provider, EvEvent& log, clouddb::aws::RdsListingStore& store, bool selectsNothing)
      : provider_(provider), log_(log), store_(store), selectsNothing_(selectsNothing) {}

  EvEvent& log() { return log_; }
  const char* tag() const { return kTag; }

  RuleKind kindOf(std::int64_t type) const {
    switch (type) {
      case rule::kRegion: return RuleKind::Region;
      case rule::kAll: return RuleKind::All;
      case rule::kTag:
      case rule::kTagAlias: return RuleKind::Tag;
      case rule::kClusterSpecific:
      case rule::kInstanceSpecific: return RuleKind::Specific;
      case rule::kInstancePattern: return RuleKind::Pattern;
      default: return RuleKind::Unexpected;
    }
  }

  CLmError lookup(const std::string& region, const std::string& tagKey, const std::string& tagValue,
                  std::vector<Found>& out) {
    if (selectsNothing_) {
      return {};
    }
    return provider_.listInstanceRecords(region, tagKey, tagValue, store_.newListing(), out);
  }
  Record recordOf(const Found& found) const {
    if constexpr (std::is_same_v<Record, Found>) {
      return found;
    } else {
      return clouddb::aws::listedMessage(found);
    }
  }
  std::string expressionFor(const std::string& pattern) { return provider_.prepareForRegex(pattern); }
  static const std::string& nameOf(const Found& found) { return clouddb::aws::listedName(found); }
  static const std::string& regionOf(const Found& found) { return clouddb::aws::listedRegion(found); }

  Record skeleton(const std::string& name, const std::string& region, std::int64_t type) const {
    const std::string engine = type == rule::kClusterSpecific ? kAuroraEngine : "";
    if constexpr (std::is_same_v<Record, Found>) {
      RDSInfoStructs::SDBInstanceInfo record;
      record.region = region;
      record.instanceIdentifier = name;
      record.engine = engine;
      return Found(&store_.keep(std::move(record)));
    } else {
      Record record;
      record.setRegion(region);
      record.setName(name);
      if (!engine.empty()) {
        record.setEngine(engine);
      }
      return record;
    }
  }
  bool verifiesSpecifics() const { return true; }
  bool isSameObject(const Found& found, const std::string& name, const std::string& region, std::int64_t type) const {
    if (nameOf(found) != name || regionOf(found) != region) {
      return false;
    }
    const bool cluster = provider_.isClusterEngine(clouddb::aws::listedEngine(found));
    return type == rule::kClusterSpecific ? cluster : !cluster;
  }
  void reportNotFound(const std::string& name, const std::string& region, const CLmLocation& where) {
    log_.Debug(kTag, kInstanceNotFound, name.c_str(), region.c_str());
    // Not a failure of the expansion: the error only carries the critical event.
    const CLmError notFound = FXErrorUtil::ErrorWin32(where, kNotFoundCode, kInstanceNotFound, name.c_str(), region.c_str());
    log_.CriticalEvent(notFound, log_.getJobId(), 0);
  }

  void logTagRule(const std::string& key, const std::string& value) {
    log_.Debug(kTag, kTagRule, key.c_str(), value.c_str());
  }
  void onAllRule(bool, std::size_t) {}
  void onAllRuleRegion(const std::string&) {}
  void logPatternRule(const std::string& pattern, bool negated) {
    log_.Debug(kTag, kInstanceRule, pattern.c_str(), negated ? texts::kNegated : texts::kApplied);
  }
  bool skipsPatternRuleIn(const std::string&, const clouddb::aws::RegionsConstraint&) const { return false; }
  void logRecordDropped(const std::string& region, const std::string& name) {
    log_.Debug(kTag, texts::kRecordInClusterRuleIgnored, region.c_str(), name.c_str());
  }
  void logSpecificIgnored(const std::string& region, const std::string& name) {
    log_.Debug(kTag, kSpecificInstanceIgnored, region.c_str(), name.c_str());
  }
  CLmError unexpectedType(std::int64_t type, const std::string& xml, const CLmLocation& where) const {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, kUnexpectedType, static_cast<int>(type), xml.c_str());
  }
  CLmError tagRuleRefused(std::int64_t type, const std::string& xml, const CLmLocation& where) const {
    return unexpectedType(type, xml, where);
  }

 private:
  CAmazonRDSInfo& provider_;
  EvEvent& log_;
  clouddb::aws::RdsListingStore& store_;
  bool selectsNothing_;
};

// The regions of the end point that the constraint allows, in the constraint's order; the
// constraint itself when the end point names none.
std::string narrowRegionEndpoint(const std::string& regionEndpoint, const std::vector<std::string>& regions) {
  if (regions.empty()) {
    return regionEndpoint;
  }
  if (regionEndpoint.empty()) {
    return FXString::Join(regions, ",");
  }
  std::vector<std::string> kept;
  for (const std::string& region : regions) {
    if (FXString::FindStringPos(regionEndpoint, region, true) != -1) {
      kept.push_back(region);
    }
  }
  return FXString::Join(kept, ",");
}

}  // namespace

CLmError CAmazonRDSInfo::ExpandRdsContent(bool preview, std::vector<std::string>& regions, const std::string& contentXml,
                                          std::vector<App::RDSDBInstance>& out, unsigned long instanceId, bool verify) {
  // The listed records are converted as they are selected, so they are not needed after.
  clouddb::aws::RdsListingStore store;
  return expandRdsContent(preview, regions, contentXml, store, out, instanceId, verify, CLM_HERE);
}

CLmError CAmazonRDSInfo::ExpandRdsContentAsListed(bool preview, std::vector<std::string>& regions,
                                                  const std::string& contentXml,
                                                  clouddb::aws::RdsListingStore& store,
                                                  std::vector<clouddb::aws::RdsListedRecord>& out,
                                                  unsigned long instanceId, bool verify) {
  return expandRdsContent(preview, regions, contentXml, store, out, instanceId, verify, CLM_HERE);
}

template <typename Output>
CLmError CAmazonRDSInfo::expandRdsContent(bool preview, std::vector<std::string>& regions,
                                          const std::string& contentXml, clouddb::aws::RdsListingStore& store,
                                          std::vector<Output>& out, unsigned long instanceId, bool verify,
                                          const CLmLocation& where) {
  if (instanceId != 0) {
    setInstanceId(instanceId);
  }
  // Keys handed over directly (a preview with credentials, or a client's keys) name no instance to
  // read them from; only an instance or virtual server has credentials to fetch.
  const bool hasConfiguredAccount = m_instanceId != 0 || m_virtualServerInstanceId != 0;
  if (hasConfiguredAccount && FetchCredentials() != 1) {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, kFetchCredentialsFailedForInstance,
                                   static_cast<long>(instanceId));
  }
  if (FetchClientCredentials(static_cast<unsigned long>(clientId())) != 1) {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, kFetchCredentialsFailedForClient,
                                   static_cast<long>(clientId()));
  }
  const bool endpointNamedRegions = !regionEndpoint().empty();
  setRegionEndpoint(narrowRegionEndpoint(regionEndpoint(), regions));
  m_log.DebugLvl(kTag, 2, kRegionEndpoint, regionEndpoint().c_str());
  // None of the allowed regions is one the instance serves. An empty end point would mean every
  // region to the cloud, so there is nothing to connect to and nothing to select.
  const bool selectsNothing = endpointNamedRegions && regionEndpoint().empty();
  if (selectsNothing) {
    m_log.Debug(kTag, kNoAllowedRegion);
  } else if (Connect() != 1) {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, kAwsConnectFailedForInstance,
                                   static_cast<long>(instanceId));
  }
  App::CloudDBEntity content;
  if (content.unserialize(contentXml).IsFailure()) {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, texts::kUnserializeDynamicContentFailed,
                                   contentXml.c_str());
  }
  if (content.children().empty()) {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, kChildListMissing, contentXml.c_str());
  }
  RdsRules<Output> rules(*this, m_log, store, selectsNothing);
  clouddb::aws::ContentRuleWalk<RdsRules<Output>> walk(rules, preview, verify, regions, contentXml, where);
  return walk.run(content, out);
}
