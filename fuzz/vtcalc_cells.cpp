// Fuzz target of the formula tool's own reading: a CSV record split into
// fields (each field must lie inside the record), every field read as a
// number, a Boolean and a time cell in each notation (ISO 8601 among them)
// and with either decimal mark, and a time that was read written back and
// read again. Any crash, sanitizer report, a time text that is not
// terminated inside its buffer, or one that does not read back as the same
// instant is a finding. A number read must have the bits the C library's
// strtof gives for the same text with a decimal point.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "vtcalc/cells.h"
#include "vtcalc/csv.h"
#include "vtcalc/time_cell.h"

namespace {

// The cell as strtof reads it: blanks trimmed, the decimal mark a point, a
// leading plus dropped.
void check_number_against_strtof(std::string_view cell, char decimal, float v) {
  std::string text(cell);
  text.erase(0, text.find_first_not_of(" \t"));
  text.erase(text.find_last_not_of(" \t") + 1);
  for (char& c : text)
    if (c == decimal) c = '.';
  if (!text.empty() && text[0] == '+') text.erase(0, 1);
  if (text.empty()) {
    if (!std::isnan(v)) std::abort();
    return;
  }
  char* end = nullptr;
  const float want = std::strtof(text.c_str(), &end);
  if (end != text.c_str() + text.size()) std::abort();
  if (std::isnan(want) ? !std::isnan(v) : std::memcmp(&want, &v, sizeof v) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string record(reinterpret_cast<const char*>(data), size);
  static std::vector<vtcalc::Field> fields;
  static std::string scratch;
  vtcalc::split_fields(record, ';', fields);
  vtcalc::Notation notations[4];
  vtcalc::parse_notation("mm/dd/yyyy hh:mm", notations[1]);
  vtcalc::parse_notation("yyyy-mm-dd hh.mm.ss", notations[2]);
  vtcalc::parse_notation("iso", notations[3]);
  for (const vtcalc::Field& f : fields) {
    if (f.begin > f.end || f.end > record.size()) std::abort();
    std::string_view cell = vtcalc::field_text(record, f, scratch);
    float v;
    vtcalc::parse_bool(cell, v);
    for (char decimal : {'.', ','}) {
      if (vtcalc::parse_number(cell, decimal, v)) check_number_against_strtof(cell, decimal, v);
      for (const vtcalc::Notation& n : notations) {
        vtcalc::TimeCellReader reader(decimal, n);
        vtcalc::TimeValue t;
        vtcalc::TimeFault fault;
        if (reader.read(cell, t, fault) != vtcalc::TimeRead::ok) {
          if (fault.at > cell.size() + 1) std::abort();
          continue;
        }
        char out[vtcalc::kTimeTextSize + 8];
        std::memset(out, 0x5A, sizeof out);
        vtcalc::TimeCellWriter writer(n);
        writer.write(out, t.t, t.ms, t.fraction);
        if (std::memcmp(out + vtcalc::kTimeTextSize, "ZZZZZZZZ", 8) != 0) std::abort();
        if (std::memchr(out, '\0', vtcalc::kTimeTextSize) == nullptr) std::abort();
        // An ISO text carries its offset: it reads back as the same instant.
        vtcalc::TimeValue back;
        if (n.iso && (reader.read(out, back, fault) != vtcalc::TimeRead::ok || back.t != t.t || back.ms != t.ms))
          std::abort();
      }
    }
  }
  return 0;
}
