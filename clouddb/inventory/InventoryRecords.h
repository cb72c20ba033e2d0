#pragma once
// What the inventory discovery does to the cloud's instance records before the console sees
// them: the application-type filter with its renaming, and the Aurora de-duplication.
#include <cstdint>
#include <vector>

#include "bridges/RDSInfoStructs.h"
#include "platform/messages/App.h"

namespace clouddb::inventory {

// Application types the console filters the inventory by.
inline constexpr std::int64_t kMySqlApplication = 104;
inline constexpr std::int64_t kPostgreSqlApplication = 125;
inline constexpr std::int64_t kOracleApplication = 22;

// Whether a record belongs to the family of an application type (104 MySQL, 125 PostgreSQL,
// 22 Oracle; every record belongs to any other type).
bool belongsToApplication(const RDSInfoStructs::SDBInstanceInfo& record, std::int64_t applicationType);

// Drops the records outside the application type's family, then names the rest as the console
// shows them: "mariadb/<name>" for MariaDB, "aurora/<cluster>" for Aurora.
void filterForApplication(std::vector<RDSInfoStructs::SDBInstanceInfo>& records, std::int64_t applicationType);

// Converts the records in order and appends them to out, each Aurora cluster once: the first
// record of a cluster stands for it. A cluster is known by its engine, its region and its
// identifier, so same-named clusters of two regions are both reported.
void appendClustersOnce(const std::vector<RDSInfoStructs::SDBInstanceInfo>& records,
                        std::vector<App::RDSDBInstance>& out);

}  // namespace clouddb::inventory
