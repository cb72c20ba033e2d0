#include "clouddb/oracle/OracleBrowsePath.h"

#include <algorithm>
#include <string_view>

#include "platform/FXString.h"

namespace clouddb::oracle {

namespace {
constexpr int kMaxLevel = 3;
}  // namespace

BrowsePath parseBrowsePath(const std::string& path) {
  BrowsePath parsed;
  const auto separators = static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\'));
  parsed.level = static_cast<int>(std::min<std::size_t>(separators, kMaxLevel + 1));
  if (parsed.level == 2) {
    parsed.compartmentName = *FXString::Segment(path, '\\', 2);
  } else if (parsed.level == 3) {
    const std::string_view system = *FXString::Segment(path, '\\', 3);
    const std::size_t firstSlash = system.find('/');
    if (firstSlash == std::string_view::npos) {
      parsed.compartmentName = *FXString::Segment(path, '\\', 2);
      parsed.dbSystemName = system;
    } else {
      parsed.compartmentName = system.substr(0, firstSlash);
      parsed.dbSystemName = system.substr(system.rfind('/') + 1);
    }
  }
  return parsed;
}

}  // namespace clouddb::oracle
