// The time and duration scanners on arbitrary text, in exactly sized heap
// copies (AddressSanitizer catches a read past the terminator), under a
// notation picked by the first byte. Checks the results' contracts: a point
// in time is -1 or lies in the range, a duration is -1.0 or not negative,
// and a duration that reads back is written, read and written again to the
// same text.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "frame/locale_state.h"
#include "port/clock.h"
#include "veltra/timestr.h"
#include "veltra/timezone.h"

namespace {

const vt::frame::LocaleState kNotations[] = {
    {".", ":", ".", "DMY"}, {"/", ":", ".", "MDY"}, {"-", ".", ",", "YMD"}, {".", ",", ",", "DMY"}};

void setup_once() {
  static bool done = false;
  if (done) return;
  done = true;
  setenv("TZ", "CET-1CEST", 1);
  tzset_();
  // Friday 2024-05-17 10:30:45 UTC: keyword times do not depend on the clock.
  vt::port::fix_time_for_tests(116444736000000000ull + 1715941845ull * 10000000);
}

char* heap_copy(const std::string& s) {
  char* p = static_cast<char*>(std::malloc(s.size() + 1));
  std::memcpy(p, s.c_str(), s.size() + 1);
  return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  setup_once();
  if (size == 0) return 0;
  vt::frame::set_locale_state(kNotations[data[0] % 4]);
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  text = text.c_str();

  for (int strict = 0; strict <= 2; ++strict) {
    char* copy = heap_copy(text);
    uint32_t t = static_cast<uint32_t>(ScanTimeStr(copy, strict));
    std::free(copy);
    if (t != 0xFFFFFFFFu && t > VT_TIME_MAX) std::abort();
  }
  char* copy = heap_copy(text);
  uint32_t k = static_cast<uint32_t>(ScanHDATime(copy));
  if (k != 0xFFFFFFFFu && k > VT_TIME_MAX) std::abort();

  double d = ScanTastTmStr(copy);
  std::free(copy);
  if (std::isnan(d) || (d < 0 && d != -1.0)) std::abort();
  if (d >= 0 && d < 99999.0 * 86400) {
    // Written to the millisecond, read back and written again: the same text.
    char first[VT_TASTTMSTR_SIZE], second[VT_TASTTMSTR_SIZE];
    TastTmStr(first, 1, d);
    TastTmStr(second, 1, ScanTastTmStr(first));
    if (std::strcmp(first, second) != 0) std::abort();
  }
  return 0;
}
