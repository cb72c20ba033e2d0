#pragma once
// What the Alibaba, Google Cloud SQL and Azure relational providers share: their result values,
// the texts of their typed listings, the engine filter they hand their bridges and the proxy
// entries of a virtual server.
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "bridges/RDSInfoStructs.h"
#include "clouddb/core/AwsTexts.h"  // kStart, kEnd
#include "platform/FXString.h"
#include "platform/config/SHostCredentials.h"

namespace inventoryprovider {

inline constexpr int kFlowLevel = 2;
inline constexpr int kSuccess = 1;
inline constexpr int kFailure = 0;
inline constexpr std::int64_t kUnsupportedCode = 1359;

inline constexpr char kEngineNotSupported[] = "Engine type [%d] not supported.";
inline constexpr char kTypedRefreshFailed[] = "Failed to refresh DB Instance Info.Error[%s]";
inline constexpr char kTypedGetFailed[] = "Failed to Get DB Instance Info.Error[%s]";

// The engine types a typed instance listing serves: PostgreSQL, MySQL, MariaDB.
inline constexpr std::initializer_list<int> kInstanceEngines = {RDSInfoStructs::kPostgreSQL, RDSInfoStructs::kMySQL,
                                                                RDSInfoStructs::kMariaDB};

inline bool servesEngine(int engineType, std::initializer_list<int> served) {
  for (int engine : served) {
    if (engine == engineType) return true;
  }
  return false;
}

// The filter of a typed listing: only that engine family, no names.
inline RDSInfoStructs::SDBInstanceFilter engineFilter(int engineType) {
  return RDSInfoStructs::SDBInstanceFilter{true, {}, engineType, RDSInfoStructs::kAnyScope};
}

// Whether text starts with prefix, ASCII case ignored (engine names come in every case).
inline bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && FXString::FindStringPos(text.substr(0, prefix.size()), prefix, true) == 0;
}

// The host credential records (the proxy entry among them) of a virtual server, in place of the
// list's content; an empty list when the platform has none for it.
void readInstanceProxies(std::uint64_t virtualServerId, std::vector<SHostCredentials>& proxies);

}  // namespace inventoryprovider
