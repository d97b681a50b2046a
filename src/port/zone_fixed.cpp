// The test override of the system's zone record.
#include "port/zone.h"

namespace vt::port {

namespace {
bool g_fixed = false;
ZoneInfo g_info;
ZoneNow g_now = ZoneNow::Failed;
}  // namespace

void fix_zone_for_tests(const ZoneInfo* info, ZoneNow now) {
  g_fixed = info != nullptr;
  if (info) g_info = *info;
  g_now = now;
}

ZoneNow system_zone(ZoneInfo& info) {
  if (!g_fixed) return query_system_zone(info);
  info = g_info;
  return g_now;
}

}  // namespace vt::port
