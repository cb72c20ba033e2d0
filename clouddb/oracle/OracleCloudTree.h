#pragma once
// One level of the Oracle Cloud (OCI) browse tree, for GetOracleCloudInstanceTree: the nodes of
// the level the request's path names (OracleBrowsePath.h), each with its display name, type and
// "/"-joined object path. A failure is logged and leaves the nodes gathered before it.
#include "platform/EvEvent.h"
#include "platform/messages/EVGui.h"

namespace clouddb::oracle {

inline constexpr char kOracleCloudTreeTag[] = "GetOracleCloudInstanceTree";

void BuildOracleCloudTree(const EVGui::OracleCloudTreeReq& request, EVGui::OracleCloudTreeResp& response, EvEvent& log);

}  // namespace clouddb::oracle
