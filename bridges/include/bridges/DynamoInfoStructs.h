#pragma once
// DynamoInfoStructs: the Amazon DynamoDB records the bridge fills.
// Member order is part of the contract: region, table name, two further texts, three numbers.
#include <cstdint>
#include <string>

namespace DynamoInfoStructs {

// One table.
struct SDynamoTableInfo {
  std::string region;
  std::string tableName;
  std::string tableArn;
  std::string tableStatus;         // "ACTIVE", "UPDATING", ...
  std::int64_t itemCount = 0;
  std::int64_t tableSizeBytes = 0;
  std::int64_t createTime = 0;     // seconds since 1970, UTC
};

}  // namespace DynamoInfoStructs
