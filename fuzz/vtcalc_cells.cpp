// Fuzz target of the formula tool's own reading: a CSV record split into
// fields (each field must lie inside the record), every field read as a
// number, a Boolean and a time cell in each notation and with either
// decimal mark, and a time that was read written back. Any crash,
// sanitizer report, or a time text that is not terminated inside its
// buffer is a finding.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "vtcalc/cells.h"
#include "vtcalc/csv.h"
#include "vtcalc/time_cell.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string record(reinterpret_cast<const char*>(data), size);
  static std::vector<vtcalc::Field> fields;
  static std::string scratch;
  vtcalc::split_fields(record, ';', fields);
  vtcalc::Notation notations[3];
  vtcalc::parse_notation("mm/dd/yyyy hh:mm", notations[1]);
  vtcalc::parse_notation("yyyy-mm-dd hh.mm.ss", notations[2]);
  for (const vtcalc::Field& f : fields) {
    if (f.begin > f.end || f.end > record.size()) std::abort();
    std::string_view cell = vtcalc::field_text(record, f, scratch);
    float v;
    vtcalc::parse_bool(cell, v);
    for (char decimal : {'.', ','}) {
      vtcalc::parse_number(cell, decimal, v);
      for (const vtcalc::Notation& n : notations) {
        vtcalc::TimeValue t;
        if (vtcalc::read_time_cell(cell, decimal, n, t) != vtcalc::TimeRead::ok) continue;
        char out[vtcalc::kTimeTextSize + 8];
        std::memset(out, 0x5A, sizeof out);
        vtcalc::write_time(out, t.t, t.ms, t.fraction, n);
        if (std::memcmp(out + vtcalc::kTimeTextSize, "ZZZZZZZZ", 8) != 0) std::abort();
        if (std::memchr(out, '\0', vtcalc::kTimeTextSize) == nullptr) std::abort();
      }
    }
  }
  return 0;
}
