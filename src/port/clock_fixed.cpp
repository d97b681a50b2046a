// The test override of the current time. Plain process-wide state: tests set
// it before the calls they check and release it afterwards.
#include "port/clock.h"

namespace vt::port {

namespace {
bool g_fixed = false;
uint64_t g_fixed_ticks = 0;
}  // namespace

void fix_time_for_tests(uint64_t ticks) {
  g_fixed_ticks = ticks;
  g_fixed = true;
}

void release_time_for_tests() { g_fixed = false; }

bool fixed_time(uint64_t& ticks) {
  if (!g_fixed) return false;
  ticks = g_fixed_ticks;
  return true;
}

uint64_t now_ticks() {
  uint64_t t;
  return fixed_time(t) ? t : system_ticks();
}

}  // namespace vt::port
