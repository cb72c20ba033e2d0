#pragma once
// When a Table service request is worth sending again: a server error, or a 400 whose body names
// throttling or an exceeded limit. Each reason found is logged to the environment.
#include "clouddb/azure/AzureTableRequest.h"
#include "platform/DaxEnvironment.h"

class TableStorageRetryRule {
 public:
  explicit TableStorageRetryRule(DaxEnvironment& environment) : m_environment(&environment) {}
  bool operator()(AzureTableResponse& response) const;

 private:
  DaxEnvironment* m_environment;
};
