#include "clouddb/oracle/OracleBrowsePath.h"

#include <algorithm>
#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/split.hpp>
#include <vector>

namespace clouddb::oracle {

namespace {
constexpr int kMaxLevel = 3;
}  // namespace

BrowsePath parseBrowsePath(const std::string& path) {
  BrowsePath parsed;
  const auto separators = static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\'));
  parsed.level = static_cast<int>(std::min<std::size_t>(separators, kMaxLevel + 1));
  // A path of any other level is refused whole, so it is not split: a path of many backslashes
  // would otherwise cost a string for each.
  if (parsed.level < 1 || parsed.level > kMaxLevel) {
    return parsed;
  }
  // Empty pieces are kept, so segment n is always the text after the n-th backslash.
  std::vector<std::string> segments;
  boost::split(segments, path, boost::is_any_of("\\"));
  if (parsed.level == 2) {
    parsed.compartmentName = segments[2];
  } else if (parsed.level == 3) {
    const std::string& system = segments[3];
    const std::size_t firstSlash = system.find('/');
    if (firstSlash == std::string::npos) {
      parsed.compartmentName = segments[2];
      parsed.dbSystemName = system;
    } else {
      parsed.compartmentName = system.substr(0, firstSlash);
      parsed.dbSystemName = system.substr(system.rfind('/') + 1);
    }
  }
  return parsed;
}

}  // namespace clouddb::oracle
