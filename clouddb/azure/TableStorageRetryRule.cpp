#include "clouddb/azure/TableStorageRetryRule.h"

#include <string>

namespace {

constexpr char kTag[] = "operator()";

struct ThrottlingReason {
  const char* bodyText;
  const char* logText;
};
constexpr ThrottlingReason kThrottlingReasons[] = {
    {"#ThrottlingException", "Throttling exception"},
    {"#ProvisionedThroughputExceededException", "Throughput exceeded exception"},
    {"#LimitExceededException", "Limit exceeded exception"},
};

}  // namespace

bool TableStorageRetryRule::operator()(AzureTableResponse& response) const {
  if (response.status == 500 || response.status == 503) {
    m_environment->LogMessage(kTag, "Internal service error response code " + std::to_string(response.status));
    return true;
  }
  if (response.status != 400) {
    return false;
  }
  bool throttled = false;
  for (const ThrottlingReason& reason : kThrottlingReasons) {
    if (response.body.find(reason.bodyText) != std::string::npos) {
      m_environment->LogMessage(kTag, reason.logText);
      throttled = true;
    }
  }
  if (!throttled) {
    m_environment->LogMessage(kTag, "Bad request with response " + response.body);
  }
  return throttled;
}
