#pragma once
// The Oracle Cloud tree's browse path: backslash-separated, its level the number of backslashes.
//
//   level 1  \top                          the compartments
//   level 2  \top\compartment              the DB systems of the compartments of that name
//   level 3  \top\compartment\system       the databases under the DB systems of that name;
//            \top\any\compartment/.../system names both in the last segment (the display name
//            of a level-2 node), the text before the first "/" and after the last one.
// Any other level is invalid (and reported as a level above 3 when there are more backslashes);
// its names stay empty. Names are compared exactly, case included.
#include <string>

namespace clouddb::oracle {

struct BrowsePath {
  int level = 0;
  std::string compartmentName;  // levels 2 and 3
  std::string dbSystemName;     // level 3
};

BrowsePath parseBrowsePath(const std::string& path);

}  // namespace clouddb::oracle
