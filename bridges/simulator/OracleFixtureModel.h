#pragma once
// The Oracle Cloud accounts of the cloud fixture, kept as the bridge records they are listed as:
// an infrastructure tenancy (compartments > DB systems > DB homes > databases) and a classic
// account (database services with their compute nodes, Java and MySQL instances).
#include <string>
#include <vector>

#include "bridges/CloudDBInfoStructs.h"
#include "bridges/VMInfoStructs.h"

namespace cloudsim {

struct OracleDbHome {
  CloudDBInfoStructs::SOCIDbHomeInfo record;
  std::vector<CloudDBInfoStructs::SOCIDatabaseInfo> databases;
};

struct OracleDbSystem {
  CloudDBInfoStructs::SOCIDbSystemInfo record;
  std::vector<OracleDbHome> dbHomes;
};

struct OracleCompartment {
  VMInfoStructs::SHostInfo record;  // name, description, identifier (the compartment's OCID)
  // False: the user's policies let it see the compartment but not its databases.
  bool databasesReadable = true;
  std::vector<OracleDbSystem> dbSystems;
};

struct OracleTenancy {
  std::string tenancyId;
  std::string userId;
  std::string fingerprint;
  std::string privateKeyFile;
  std::string passPhrase;  // of the private key; empty when the key has none
  std::vector<std::string> regions;
  std::vector<OracleCompartment> compartments;
};

struct OracleClassicService {
  CloudDBInfoStructs::SOracleDBInstanceInfo record;
  std::vector<CloudDBInfoStructs::SOracleDBComputeNode> computeNodes;
};

struct OracleClassicAccount {
  std::string endpoint;  // the account's REST end point, "https://host/path..."
  std::string user;
  std::string password;
  std::string identityDomain;
  int computeNodesPerNewService = 1;  // how many nodes a service created through the bridge gets
  std::vector<OracleClassicService> databaseServices;
  std::vector<CloudDBInfoStructs::SJavaInstanceInfo> javaInstances;
  std::vector<CloudDBInfoStructs::SMySQLInstanceInfo> mysqlInstances;
};

}  // namespace cloudsim
