#pragma once
// CreateCloudInfoObject: the relational provider for a client, chosen by the instance type of the
// virtual server (cloud account) its properties name: 301 Amazon, 402 and 403 Azure, 1301 Google,
// 1401 Alibaba. Client id 0 means "no client": the Amazon provider, with no virtual server.
#include <memory>

#include "clouddb/core/RDSInfo.h"
#include "platform/EvEvent.h"

namespace clouddb::inventory {

// Stores the new provider in provider (destroying any held before) with its virtual-server
// instance id set, and answers 0; answers -1 and leaves provider as it was when no provider can
// be made. Every outcome is logged; nothing throws.
int CreateCloudInfoObject(const unsigned long& clientId, EvEvent& log, std::unique_ptr<CRDSInfo>& provider);

}  // namespace clouddb::inventory
