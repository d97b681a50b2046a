// Zone files and rule texts on arbitrary bytes: the TZif reader on an exactly
// sized copy (AddressSanitizer catches a read past its end), the footer's
// rule into a zone record, and the record, as the system's zone, through
// the wall clock and the library's breakdowns. Every malformed input must
// come back as no zone; every record must convert without a fault (a
// breakdown may fail where the zone's offset leaves the range).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "port/posix/posix_rule.h"
#include "port/posix/tzif.h"
#include "port/posix/zone_clock.h"
#include "port/zone.h"
#include "veltra/timezone.h"

namespace {

// Instants around the range of the library and the transitions of a year.
constexpr int64_t kInstants[] = {0, 86399, 1711846800, 1729990800, 2145916800, 4102444799};

void exercise(const vt::port::ZoneInfo& z) {
  // The daylight test reads the record's dates, which any bytes may fill.
  for (int64_t t : kInstants) (void)vt::port::daylight_at(z, t);
  vt::port::fix_zone_for_tests(&z, vt::port::ZoneNow::Standard);
  tzset_();
  for (int64_t t : kInstants) {
    vt_time_t v = static_cast<vt_time_t>(t);
    vt_tm* r = vt_localtime(&v);
    if (!r) continue;  // offsets of a day and more leave the range at its ends
    vt_tm copy = *r;
    vt_mktime(&copy);
  }
  vt::port::fix_zone_for_tests(nullptr, vt::port::ZoneNow::Failed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool once = [] { return unsetenv("TZ") == 0; }();
  (void)once;
  std::vector<unsigned char> copy(data, data + size);
  vt::port::tzif::Zone zone;
  if (vt::port::tzif::read(copy.data(), copy.size(), zone)) {
    if (std::strlen(zone.rule) >= vt::port::tzif::kRuleSize || std::strlen(zone.name) >= sizeof zone.name)
      std::abort();
    vt::port::ZoneInfo z;
    if (zone.rule[0] && vt::port::zone_of_rule(zone.rule, z)) exercise(z);
  }
  // The bytes as a rule text themselves (up to the first zero byte).
  std::vector<char> text(data, data + size);
  text.push_back('\0');
  vt::port::ZoneInfo z;
  if (vt::port::zone_of_rule(text.data(), z)) exercise(z);
  return 0;
}
