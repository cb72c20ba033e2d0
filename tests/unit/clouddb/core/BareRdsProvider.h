#pragma once
// A relational provider that implements only the slots without a base answer, as a new provider
// would before it supports any listing by engine type: what it answers comes from CRDSInfo.
#include <string>
#include <vector>

#include "clouddb/core/RDSInfo.h"

namespace rdstest {

class BareRdsProvider : public CRDSInfo {
 public:
  int FetchCredentials() override { return 1; }
  int Connect() override { return 0; }
  int GetDBInstanceInfoList(ULONGLONG, int, std::vector<RDSInfoStructs::SDBInstanceInfo>&) override { return 0; }
  int GetDBInstanceInfoList(ULONGLONG, int, std::vector<RDSInfoStructs::SDBInstanceInfo>&, std::string,
                            std::string) override {
    return 0;
  }
  using CRDSInfo::GetDBInstanceInfoList;
};

}  // namespace rdstest
