#pragma once
// The thirteen in-process entry points of the product, as the host calls them: their exported
// names and C++ shapes. The agent's other modules call these with ordinary arguments; the host
// finds each one by name in the loaded library.
#include <string>
#include <vector>

#include "bridges/CloudDBInfoStructs.h"
#include "bridges/DocDBInfoStructs.h"
#include "bridges/RDSInfoStructs.h"
#include "bridges/RedshiftInfoStructs.h"
#include "platform/CLmError.h"
#include "platform/messages/App.h"

namespace host::inprocess {

using AppId = unsigned long long;

using DiscoverLocalFunction = void(App::BrowseRDSInventoryReq*, App::BrowseRDSInventoryResp*, std::string,
                                   std::string);

template <typename Record>
using ExpandContentFunction = void(const AppId&, std::vector<std::string>&, std::vector<Record>&, CLmError&);

template <typename Record>
using DescribeSnapshotFunction = void(const AppId&, const std::string&, const std::string&, std::vector<Record>&);

using OracleInstanceListFunction = void(unsigned long long, std::vector<CloudDBInfoStructs::SOracleDBInstanceInfo>&);

using DeleteSnapshotFunction = void(const AppId&, const std::string&, const std::string&);

}  // namespace host::inprocess
