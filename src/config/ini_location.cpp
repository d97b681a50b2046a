#include "config/ini_location.h"

namespace vt::config {

IniBeside ini_beside_module(const std::string& module_path) {
  IniBeside r;
  size_t slash = module_path.rfind('\\'), dot = module_path.rfind('.');
  // A point only in a folder name ("C:\a.b\mod") is no extension.
  if (slash == std::string::npos || dot == std::string::npos || dot < slash) return r;
  r.path = module_path.substr(0, dot) + ".ini";
  if (r.path.size() >= kIniPathSize) return IniBeside{};
  r.base = module_path.substr(slash + 1, dot - slash - 1).substr(0, kBaseNameSize - 1);
  r.ok = true;
  return r;
}

}  // namespace vt::config
