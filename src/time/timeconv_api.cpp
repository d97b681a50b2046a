// The exported conversions: FILETIME and SYSTEMTIME (the Windows types in
// the Windows builds) around the conversions of time/conversions.h.
#include "port/clock.h"
#include "port/fp_state.h"
#include "port/system_time.h"
#include "time/broken.h"
#include "time/conversions.h"
#include "veltra/timeconv.h"

using namespace vt::time;

namespace {

FILETIME filetime_of(uint64_t ticks) {
  FILETIME ft;
  ft.dwLowDateTime = static_cast<uint32_t>(ticks);
  ft.dwHighDateTime = static_cast<uint32_t>(ticks >> 32);
  return ft;
}

uint64_t ticks_of(const FILETIME& ft) {
  return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

}  // namespace

double Time_tToDate(vt_time_t t) {
  vt::port::FpGuard fp;
  return epoch_to_ole(static_cast<uint32_t>(t));
}

vt_time_t DateToTime_t(double date) {
  vt::port::FpGuard fp;
  return static_cast<vt_time_t>(ole_to_epoch(date));
}

FILETIME Time_tToFILETIME(vt_time_t t) {
  return filetime_of(epoch_to_ticks(static_cast<uint32_t>(t)));
}

vt_time_t FILETIMEToTime_t(FILETIME ft) {
  return static_cast<vt_time_t>(ticks_to_epoch_wide(ticks_of(ft)));
}

double FILETIMEToDouble(FILETIME ft) {
  vt::port::FpGuard fp;
  return ticks_to_seconds(ticks_of(ft));
}

FILETIME DoubleToFILETIME(double seconds) {
  vt::port::FpGuard fp;
  return filetime_of(seconds_to_ticks(seconds));
}

int Time_tToSYSTEMTIME(vt_time_t t, int16_t ms, SYSTEMTIME& st, bool local) {
  vt::port::WallTime w;
  if (!epoch_to_wall(static_cast<uint32_t>(t), static_cast<uint16_t>(ms), w, local)) return 0;
  st = vt::port::system_time_of(w);
  return 1;
}

vt_time_t SYSTEMTIMEToTime_t(const SYSTEMTIME& st, bool local, int16_t* ms) {
  uint32_t t = wall_to_epoch(vt::port::wall_time_of(st), local);
  if (ms) *ms = static_cast<int16_t>(st.wMilliseconds);
  return static_cast<vt_time_t>(t);
}

vt_time_t FileTime(const char* path) { return static_cast<vt_time_t>(file_time(path)); }
