#include "clouddb/oracle/OracleBrowsePath.h"

#include <algorithm>

namespace clouddb::oracle {

namespace {
constexpr int kMaxLevel = 3;
}  // namespace

std::optional<std::string_view> pathSegment(std::string_view path, char separator, std::size_t index) {
  std::size_t start = 0;
  for (std::size_t passed = 0; passed < index; ++passed) {
    const std::size_t next = path.find(separator, start);
    if (next == std::string_view::npos) {
      return std::nullopt;
    }
    start = next + 1;
  }
  return path.substr(start, path.find(separator, start) - start);
}

BrowsePath parseBrowsePath(const std::string& path) {
  BrowsePath parsed;
  const auto separators = static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\'));
  parsed.level = static_cast<int>(std::min<std::size_t>(separators, kMaxLevel + 1));
  if (parsed.level == 2) {
    parsed.compartmentName = *pathSegment(path, '\\', 2);
  } else if (parsed.level == 3) {
    const std::string_view system = *pathSegment(path, '\\', 3);
    const std::size_t firstSlash = system.find('/');
    if (firstSlash == std::string_view::npos) {
      parsed.compartmentName = *pathSegment(path, '\\', 2);
      parsed.dbSystemName = system;
    } else {
      parsed.compartmentName = system.substr(0, firstSlash);
      parsed.dbSystemName = system.substr(system.rfind('/') + 1);
    }
  }
  return parsed;
}

}  // namespace clouddb::oracle
