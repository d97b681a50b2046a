// Writing time cells in the column's notation.
#include <cstdio>
#include <cstring>

#include "time/civil.h"
#include "time_cell.h"

namespace vtcalc {

namespace {

namespace civil = vt::time::civil;

// The zone's offset at t in minutes east of UTC: the local fields read as
// UTC, less t. Local dates reach 1969-12-31 and 2100-01-01, which the
// library's calendar covers.
int offset_minutes(vt_time_t t, const vt_tm& local) {
  const std::int64_t as_utc =
      std::int64_t{civil::days_from_year_day(local.tm_year, local.tm_yday)} * civil::kSecondsPerDay +
      local.tm_hour * civil::kSecondsPerHour + local.tm_min * civil::kSecondsPerMinute + local.tm_sec;
  return static_cast<int>((as_utc - static_cast<std::uint32_t>(t)) / civil::kSecondsPerMinute);
}

}  // namespace

bool TimeCellWriter::write(char* out, vt_time_t t, int ms, bool with_ms) {
  out[0] = '\0';
  const std::uint32_t u = static_cast<std::uint32_t>(t);
  if (u / 60 != minute_) {
    const vt_tm* tm = vt_localtime(&t);
    if (!tm) return false;
    if (n_.iso) {
      prefix_len_ = std::snprintf(prefix_, sizeof prefix_, "%04d-%02d-%02dT%02d:%02d:", tm->tm_year + 1900,
                                  tm->tm_mon + 1, tm->tm_mday, tm->tm_hour, tm->tm_min);
      const int offset = offset_minutes(t, *tm), magnitude = offset < 0 ? -offset : offset;
      std::snprintf(offset_, sizeof offset_, "%c%02d:%02d", offset < 0 ? '-' : '+', magnitude / 60 % 100,
                    magnitude % 60);
    } else {
      int value[3];
      for (int i = 0; i < 3; ++i)
        value[i] = n_.order[i] == 'd' ? tm->tm_mday : n_.order[i] == 'm' ? tm->tm_mon + 1 : tm->tm_year + 1900;
      prefix_len_ = std::snprintf(prefix_, sizeof prefix_, "%02d%c%02d%c%02d %02d%c%02d%c", value[0], n_.date_sep,
                                  value[1], n_.date_sep, value[2], tm->tm_hour, n_.time_sep, tm->tm_min,
                                  n_.time_sep);
      offset_[0] = '\0';
    }
    minute_ = u / 60;
  }
  // Every row comes here: the digits are stored directly.
  std::memcpy(out, prefix_, static_cast<std::size_t>(prefix_len_));
  char* p = out + prefix_len_;
  const int second = static_cast<int>(u % 60);
  *p++ = static_cast<char>('0' + second / 10);
  *p++ = static_cast<char>('0' + second % 10);
  if (with_ms) {
    *p++ = '.';
    *p++ = static_cast<char>('0' + ms / 100);
    *p++ = static_cast<char>('0' + ms / 10 % 10);
    *p++ = static_cast<char>('0' + ms % 10);
  }
  if (n_.iso)
    std::memcpy(p, offset_, sizeof offset_);
  else
    *p = '\0';
  return true;
}

}  // namespace vtcalc
