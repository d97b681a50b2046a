#include <windows.h>

#include <memory>
#include <new>

#include "port/system_time.h"
#include "port/zone.h"

namespace vt::port {

namespace {

void narrow(const WCHAR* wide, char* out) {
  if (WideCharToMultiByte(CP_ACP, 0, wide, -1, out, kZoneNameSize, nullptr, nullptr) == 0)
    out[0] = '\0';
  out[kZoneNameSize - 1] = '\0';
}

}  // namespace

ZoneNow query_system_zone(ZoneInfo& info) {
  TIME_ZONE_INFORMATION z;
  DWORD id = GetTimeZoneInformation(&z);
  if (id == TIME_ZONE_ID_INVALID) return ZoneNow::Failed;
  info.bias = z.Bias;
  info.standard_bias = z.StandardBias;
  info.daylight_bias = z.DaylightBias;
  info.standard_date = wall_time_of(z.StandardDate);
  info.daylight_date = wall_time_of(z.DaylightDate);
  narrow(z.StandardName, info.standard_name);
  narrow(z.DaylightName, info.daylight_name);
  if (id == TIME_ZONE_ID_DAYLIGHT) return ZoneNow::Daylight;
  if (id == TIME_ZONE_ID_STANDARD) return ZoneNow::Standard;
  return ZoneNow::Unknown;
}

bool read_tz(char* buf, std::size_t size) {
  if (!buf || size == 0) return false;
  buf[0] = '\0';
  SetLastError(0);
  DWORD n = GetEnvironmentVariableA("TZ", buf, static_cast<DWORD>(size));
  if (n == 0) return GetLastError() != ERROR_ENVVAR_NOT_FOUND;
  if (n < size) return true;
  // Too long for the buffer: n is the size needed; read it whole and cut.
  std::unique_ptr<char[]> whole(new (std::nothrow) char[n]);
  if (!whole) return false;
  DWORD m = GetEnvironmentVariableA("TZ", whole.get(), n);
  if (m == 0 || m >= n) return false;
  std::size_t keep = size - 1;
  for (std::size_t i = 0; i < keep; ++i) buf[i] = whole[i];
  buf[keep] = '\0';
  return true;
}

}  // namespace vt::port
