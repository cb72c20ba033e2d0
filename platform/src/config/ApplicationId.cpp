#include "platform/config/ApplicationId.h"

#include "platform/config/Subclient.h"

ApplicationId::ApplicationId(int kind, std::uint64_t applicationId) : kind_(kind), applicationId_(applicationId) {
  if (kind != kSubclient) return;
  std::uint64_t instanceId = 0;
  if (Subclient(applicationId).getInstanceId(instanceId) != config::kOk) return;
  owner_.emplace(instanceId);
}
