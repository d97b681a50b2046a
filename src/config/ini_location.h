// Where a module's ini file lies beside it.
#pragma once

#include <string>

namespace vt::config {

// Room for a module or ini path, terminator included.
constexpr size_t kIniPathSize = 261;
// Room for a module's base name, terminator included; longer names are cut.
constexpr size_t kBaseNameSize = 128;

struct IniBeside {
  bool ok = false;   // false: the path has no folder or no extension
  std::string path;  // FOLDER\NAME.ini
  std::string base;  // NAME, at most kBaseNameSize - 1 characters
};

// The ini file beside the module FOLDER\NAME.EXT: the path up to the last
// point, then ".ini". Refused when there is no backslash, no point after the
// last backslash, or the ini path would not fit into kIniPathSize bytes.
IniBeside ini_beside_module(const std::string& module_path);

}  // namespace vt::config
