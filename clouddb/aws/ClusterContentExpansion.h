#pragma once
// The content-rule expansion, preview and backup-set expansion of a cluster service, shared by
// DocumentDB and Redshift (Traits name the record, the lookup texts and the tag).
#include <string>
#include <vector>

#include "clouddb/aws/ClusterContentRules.h"
#include "clouddb/aws/ContentResults.h"
#include "clouddb/aws/ServiceBaseExpansion.h"

namespace clouddb::aws {

template <typename Traits, typename Provider>
CLmError expandClusterContent(Provider& provider, EvEvent& log, bool preview, std::vector<std::string>& regions,
                              const std::string& contentXml, std::vector<typename Traits::Record>& out,
                              unsigned long instanceId, bool verify, const CLmLocation& where) {
  CLmError result = connectForExpansion(provider, instanceId, where);
  if (result.IsFailure()) {
    return result;
  }
  App::CloudDBEntity content;
  if (content.unserialize(contentXml).IsFailure()) {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, Traits::kUnserializeFailed, contentXml.c_str());
  }
  if (content.children().empty()) {
    return FXErrorUtil::ErrorErrNo(where, kAwsLookupErrorCode, Traits::kChildListMissing, contentXml.c_str());
  }
  ClusterRules<Provider, Traits> rules(provider, log);
  ContentRuleWalk<ClusterRules<Provider, Traits>> walk(rules, preview, verify, regions, contentXml, where);
  return walk.run(content, out);
}

// The preview and backup-set wrappers of a cluster service, around its member expansion
// (Traits::expand calls it).
template <typename Traits>
struct ClusterContentOperations {
  using Record = typename Traits::Record;
  using Provider = typename Traits::Provider;

  static CLmError preview(Provider& provider, unsigned long instanceId, std::vector<std::string>& regions,
                          const std::string& contentXml, App::CloudDBEntity& entity, const CLmLocation& where) {
    return previewExpansion<Record>(
        [&](std::vector<Record>& found) {
          return Traits::expand(provider, true, regions, contentXml, found, instanceId, false);
        },
        entity, [](const Record&) { return rule::kClusterSpecific; }, where);
  }

  static CLmError expandBackupSet(Provider& provider, unsigned long appId, std::vector<std::string>& regions,
                                  std::vector<Record>& out, bool verify, const CLmLocation& where) {
    std::uint64_t instanceId = 0;
    std::string content;
    CLmError result = readBackupSetContent(appId, instanceId, content, where);
    if (result.IsFailure()) {
      return result;
    }
    return Traits::expand(provider, false, regions, content, out, static_cast<unsigned long>(instanceId), verify);
  }
};

}  // namespace clouddb::aws
