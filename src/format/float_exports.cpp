// Exported functions of number formatting and scanning.
#include "format/float_text.h"
#include "port/fp_state.h"
#include "veltra/format.h"

char* FormatFloat(char* buffer, int16_t format, int16_t decimals, double value,
                  int representation) {
  vt::port::FpGuard fp;
  if (!buffer) return buffer;
  return vt::format::format_float(buffer, vt::format::make_word(format, decimals), value,
                                  representation);
}

double ScanFloat(char* text, int16_t format, int* error) {
  vt::port::FpGuard fp;
  int err = 1;
  double v = text ? vt::format::scan_float(text, static_cast<uint16_t>(format), &err) : 0.0;
  if (error) *error = err;
  return v;
}
