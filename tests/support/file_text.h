// The whole content of a file as bytes, for tests that compare what was
// written or read example data.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace vt::test {

// The file's bytes; `missing` when it cannot be opened.
inline std::string file_text(const std::string& path, const char* missing = "<missing>") {
  std::ifstream in(path, std::ios::binary);
  if (!in) return missing;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace vt::test
