#pragma once
// Log lines and errors of the content-rule expansions that more than one service uses; the
// credential and connect failures live with the AWS service base (AmazonServiceBase.h).
namespace clouddb::aws::texts {

inline constexpr char kUnserializeDynamicContentFailed[] = "Failed to unserialize dynamic content for XML '%s'";
inline constexpr char kClusterTagRule[] = "Clusters with tag '%s' and value '%s' will be discovered.";
inline constexpr char kClusterTagRuleWithColon[] = "Clusters with tag : '%s' and value '%s' will be discovered.";
inline constexpr char kSpecificClusterIgnored[] = "specific region '%s' cluster '%s' is ignored due to a regions constraint";
inline constexpr char kClusterRule[] = "cluster rule '%s' will be '%s'";
inline constexpr char kRecordInClusterRuleIgnored[] =
    "region '%s' table '%s' in clusterRule is ignored due to a regions constraint";
inline constexpr char kClusterNotFoundSuffix[] = " will not be backed up since cluster is not found";
inline constexpr char kNegated[] = "negated";
inline constexpr char kApplied[] = "applied";

}  // namespace clouddb::aws::texts
