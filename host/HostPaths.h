#pragma once
// HostPaths: where the host finds its built-in example files and the product library.
//
// Installed (`cmake --install build --prefix DIR`), the host lives in DIR/bin and finds the
// examples in DIR/share/clouddb/examples and the library in DIR/lib, so it runs without the
// source tree. Run from the build tree, it uses the source tree's examples/ and the library
// built with it.
#include <string>

namespace host {

// The folder of the example platform configuration, cloud fixture, host key and requests.
std::string examplesFolder();
// The product library loaded when --library is not given.
std::string defaultLibraryPath();

}  // namespace host
