// The exported time and duration texts.
#include "port/fp_state.h"
#include "time/broken.h"
#include "time/sampling_period_text.h"
#include "time/timestr.h"
#include "veltra/timestr.h"

using namespace vt::time;

char* TimeStr(char* buf, vt_time_t t, int16_t ms, int16_t flags) {
  if (!buf) return nullptr;
  return format_time(buf, static_cast<uint32_t>(t), ms, static_cast<uint16_t>(flags));
}

vt_time_t ScanHDATime(const char* text) {
  vt::port::FpGuard fp;
  return static_cast<vt_time_t>(scan_keyword_time(text));
}

vt_time_t ScanTimeStr(char* text, int strict) {
  vt::port::FpGuard fp;
  return static_cast<vt_time_t>(scan_time(text, strict));
}

char* TastTmStr(char* buf, int16_t msmode, double seconds) {
  vt::port::FpGuard fp;
  return buf ? format_duration(buf, msmode, seconds) : nullptr;
}

double ScanTastTmStr(const char* text) {
  vt::port::FpGuard fp;
  return scan_duration(text);
}
