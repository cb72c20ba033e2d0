#pragma once
// The walk over a backup set's content rules, shared by the four AWS services.
//
// One algorithm serves RDS, DynamoDB, DocumentDB and Redshift; a small adapter per service says
// how it looks records up, what its records are called, which rule codes it knows and how its
// log lines and failures read. The walk applies the rules in order and appends the selected
// records to out, in rule order and, within a rule, in lookup order; it removes no duplicates.
//
// Within one walk a lookup (region, tag key, tag value) reaches the cloud once: rules that ask
// the same question share its answer, so every rule sees the same snapshot. Patterns are matched
// on the names of the records as found, and only the records selected become host records.
//
// The adapter provides:
//   using Record;                                   the service's host record
//   using Found;                                    a record as its lookup finds it
//   EvEvent& log(); const char* tag() const;        where its lines go
//   RuleKind kindOf(std::int64_t type) const;       what a rule code means for it
//   CLmError lookup(region, tagKey, tagValue, std::vector<Found>&);
//   Record recordOf(const Found&) const;            the host record of a selected one
//   std::string expressionFor(const std::string& pattern);
//   static const std::string& nameOf(const Found&), regionOf(const Found&);
//   Record skeleton(name, region, type) const;      an unverified specific entry
//   bool verifiesSpecifics() const;
//   bool isSameObject(const Found&, name, region, type) const;
//   void reportNotFound(name, region, const CLmLocation&);
//   void logTagRule(key, value); void onAllRule(bool constrained, size_t regionCount);
//   void onAllRuleRegion(region); void logPatternRule(pattern, negated);
//   bool skipsPatternRuleIn(region, constraint) ;   the rule's own region refused up front
//   void logRecordDropped(region, name); void logSpecificIgnored(region, name);
//   CLmError unexpectedType(type, xml, where); CLmError tagRuleRefused(type, xml, where);
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "clouddb/aws/NamePattern.h"
#include "platform/CLmError.h"
#include "platform/EvEvent.h"
#include "platform/messages/App.h"

namespace clouddb::aws {

enum class RuleKind { Region, All, Tag, TagRefused, Specific, Pattern, Unexpected };

namespace rule {
inline constexpr std::int64_t kRegion = 4;
inline constexpr std::int64_t kAll = 17;
inline constexpr std::int64_t kTag = 34;
inline constexpr std::int64_t kTableSpecific = 45;
inline constexpr std::int64_t kTablePattern = 46;
inline constexpr std::int64_t kTagAlias = 47;
inline constexpr std::int64_t kClusterSpecific = 48;
inline constexpr std::int64_t kClusterPattern = 49;
inline constexpr std::int64_t kInstanceSpecific = 50;
inline constexpr std::int64_t kInstancePattern = 51;
}  // namespace rule

inline constexpr std::uint32_t kRegionsConstraintEvent = 0x4800006A;
inline constexpr int kEventTextArgument = 11;
inline constexpr char kRegionIgnored[] = "region '%s' is ignored due to a regions constraint";
inline constexpr char kConstraintEventSuffix[] = " will not be backed up due to an AWS regions constraint";

// The regions a backup may touch; empty means no constraint.
class RegionsConstraint {
 public:
  explicit RegionsConstraint(const std::vector<std::string>& regions) : allowed_(regions.begin(), regions.end()) {}
  bool constrained() const { return !allowed_.empty(); }
  bool allows(const std::string& region) const { return !constrained() || allowed_.contains(region); }

 private:
  std::set<std::string> allowed_;
};

// Raises the regions-constraint job event with its one text argument.
inline void raiseConstraintEvent(EvEvent& log, const std::string& text) {
  log.addArgument(kEventTextArgument, text);
  log.MajorEvent(kRegionsConstraintEvent, log.getJobId(), 0);
}

template <typename Adapter>
class ContentRuleWalk {
 public:
  using Record = typename Adapter::Record;
  using Found = typename Adapter::Found;

  ContentRuleWalk(Adapter& adapter, bool preview, bool verify, const std::vector<std::string>& regions,
                  const std::string& contentXml, CLmLocation where)
      : adapter_(adapter),
        preview_(preview),
        verify_(verify),
        regions_(regions),
        constraint_(regions),
        contentXml_(contentXml),
        where_(std::move(where)) {}

  CLmError run(const App::CloudDBEntity& content, std::vector<Record>& out) {
    for (const App::CloudDBEntity& ruleEntity : content.children()) {
      const std::int64_t type = ruleEntity.entityType();
      CLmError result;
      switch (adapter_.kindOf(type)) {
        case RuleKind::Region:
          result = applyRegionRule(ruleEntity, out);
          break;
        case RuleKind::All:
          if (!constraint_.constrained()) {
            adapter_.onAllRule(false, 0);
            // Everything the account holds: nothing after this rule can add more.
            const std::vector<Found>* everything = nullptr;
            const CLmError looked = answerOf("", "", "", everything);
            appendAll(*everything, out);
            return looked;
          }
          result = applyConstrainedAllRule(out);
          break;
        case RuleKind::Tag:
          result = applyTagRule(ruleEntity, out);
          break;
        case RuleKind::TagRefused:
          return adapter_.tagRuleRefused(type, contentXml_, where_);
        case RuleKind::Specific:
          result = applySpecificEntry(ruleEntity, type, out);
          break;
        case RuleKind::Pattern:
          result = applyPatternRule(ruleEntity, out);
          break;
        case RuleKind::Unexpected:
          return adapter_.unexpectedType(type, contentXml_, where_);
      }
      if (result.IsFailure()) {
        return result;
      }
    }
    return {};
  }

 private:
  // The answer to one lookup, asked of the cloud the first time only. A failed lookup ends the
  // walk, so its partial answer is never reused.
  CLmError answerOf(const std::string& region, const std::string& tagKey, const std::string& tagValue,
                    const std::vector<Found>*& answer) {
    auto [slot, asked] = answers_.try_emplace(LookupKey{region, tagKey, tagValue});
    answer = &slot->second;
    if (!asked) {
      return {};
    }
    return adapter_.lookup(region, tagKey, tagValue, slot->second);
  }

  CLmError lookup(const std::string& region, const std::string& tagKey, const std::string& tagValue,
                  const std::vector<Found>*& answer) {
    CLmError result = answerOf(region, tagKey, tagValue, answer);
    if (result.IsFailure()) {
      result.Push(where_);
    }
    return result;
  }

  // Appends every record of the answer, also when the lookup failed part way: the records found
  // before the failure reach out, as they always did.
  CLmError appendLookup(const std::string& region, const std::string& tagKey, const std::string& tagValue,
                        std::vector<Record>& out) {
    const std::vector<Found>* answer = nullptr;
    CLmError result = lookup(region, tagKey, tagValue, answer);
    appendAll(*answer, out);
    return result;
  }

  // No exact reserve here: rules that repeat a lookup would each reallocate the whole list,
  // which made a long rule list quadratic; the vector's own growth keeps appending linear.
  void appendAll(const std::vector<Found>& answer, std::vector<Record>& out) const {
    for (const Found& found : answer) {
      out.push_back(adapter_.recordOf(found));
    }
  }

  CLmError applyRegionRule(const App::CloudDBEntity& ruleEntity, std::vector<Record>& out) {
    const std::string region = ruleEntity.name();
    if (!constraint_.allows(region)) {
      adapter_.log().Debug(adapter_.tag(), kRegionIgnored, region.c_str());
      return {};
    }
    return appendLookup(region, "", "", out);
  }

  CLmError applyConstrainedAllRule(std::vector<Record>& out) {
    adapter_.onAllRule(true, regions_.size());
    for (const std::string& region : regions_) {
      adapter_.onAllRuleRegion(region);
      CLmError result = appendLookup(region, "", "", out);
      if (result.IsFailure()) {
        return result;
      }
    }
    return {};
  }

  CLmError applyTagRule(const App::CloudDBEntity& ruleEntity, std::vector<Record>& out) {
    const std::string key = ruleEntity.name();
    const std::string value = ruleEntity.tagValue();
    adapter_.logTagRule(key, value);
    if (!constraint_.constrained()) {
      return appendLookup("", key, value, out);
    }
    for (const std::string& region : regions_) {
      CLmError result = appendLookup(region, key, value, out);
      if (result.IsFailure()) {
        return result;
      }
    }
    return {};
  }

  CLmError applySpecificEntry(const App::CloudDBEntity& ruleEntity, std::int64_t type, std::vector<Record>& out) {
    const std::string name = ruleEntity.name();
    const std::string region = ruleEntity.region();
    if (!constraint_.allows(region)) {
      adapter_.logSpecificIgnored(region, name);
      if (!preview_) {
        raiseConstraintEvent(adapter_.log(), name + "[" + region + "]" + kConstraintEventSuffix);
      }
      return {};
    }
    if (!verify_ || !adapter_.verifiesSpecifics()) {
      out.push_back(adapter_.skeleton(name, region, type));
      return {};
    }
    const std::vector<Found>* inRegion = nullptr;
    CLmError result = lookup(region, "", "", inRegion);
    if (result.IsFailure()) {
      return result;
    }
    for (const Found& found : *inRegion) {
      if (adapter_.isSameObject(found, name, region, type)) {
        out.push_back(adapter_.recordOf(found));
        return {};
      }
    }
    adapter_.reportNotFound(name, region, where_);
    return {};
  }

  CLmError applyPatternRule(const App::CloudDBEntity& ruleEntity, std::vector<Record>& out) {
    const std::string region = ruleEntity.region();
    const std::string pattern = ruleEntity.name();
    const bool negated = ruleEntity.negated();
    adapter_.logPatternRule(pattern, negated);
    if (adapter_.skipsPatternRuleIn(region, constraint_)) {
      return {};
    }
    // Compiled before the lookup, so that a pattern that cannot match costs no cloud call.
    CLmError compileError;
    std::optional<NamePattern> expression =
        NamePattern::compile(pattern, adapter_.expressionFor(pattern), compileError);
    if (!expression) {
      return compileError.Push(where_);
    }
    const std::vector<Found>* candidates = nullptr;
    CLmError result = lookup(region, "", "", candidates);
    if (result.IsFailure()) {
      return result;
    }
    for (const Found& found : *candidates) {
      if (expression->matches(Adapter::nameOf(found)) == negated) {
        continue;
      }
      const auto& foundRegion = Adapter::regionOf(found);
      if (!constraint_.allows(foundRegion)) {
        adapter_.logRecordDropped(foundRegion, Adapter::nameOf(found));
        continue;
      }
      out.push_back(adapter_.recordOf(found));
    }
    return {};
  }

  Adapter& adapter_;
  const bool preview_;
  const bool verify_;
  const std::vector<std::string>& regions_;
  const RegionsConstraint constraint_;
  const std::string& contentXml_;
  const CLmLocation where_;
  using LookupKey = std::tuple<std::string, std::string, std::string>;  // region, tag key, tag value
  std::map<LookupKey, std::vector<Found>> answers_;
};

}  // namespace clouddb::aws
