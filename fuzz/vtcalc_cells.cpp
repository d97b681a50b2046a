// Fuzz target of the formula tool's own reading: a CSV line split into
// fields (each field must be a piece of the line, quotes aside) and every
// field read as a time cell with either decimal mark. Any crash, sanitizer
// report, or a time text that is not terminated inside its buffer is a
// finding.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "vtcalc/csv.h"
#include "vtcalc/time_cell.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  static std::vector<std::string> fields;
  vtcalc::split_fields(line, ';', fields);
  std::size_t unquoted = 0;
  for (const std::string& f : fields) unquoted += f.size();
  if (unquoted > line.size()) std::abort();
  for (const std::string& f : fields)
    for (bool comma : {false, true}) {
      char out[vtcalc::kTimeCellSize + 8];
      std::memset(out, 0x5A, sizeof out);
      bool read = vtcalc::time_cell_text(f, comma, out);
      if (std::memcmp(out + vtcalc::kTimeCellSize, "ZZZZZZZZ", 8) != 0) std::abort();
      if (read && std::memchr(out, '\0', vtcalc::kTimeCellSize) == nullptr) std::abort();
    }
  return 0;
}
