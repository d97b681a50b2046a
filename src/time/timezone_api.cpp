// The exported zone and breakdown functions: thin wrappers with C linkage.
#include "time/asctime.h"
#include "time/broken.h"
#include "time/clock.h"
#include "time/zone.h"
#include "veltra/timezone.h"

using namespace vt::time;

void tzset_(void) { read_zone(); }

vt_time_t vt_time(vt_time_t* t) {
  vt_time_t now_time = static_cast<vt_time_t>(now());
  if (t) *t = now_time;
  return now_time;
}

vt_tm* vt_gmtime(const vt_time_t* t) { return t ? gmtime(static_cast<uint32_t>(*t)) : nullptr; }

vt_tm* vt_localtime(const vt_time_t* t) {
  return t ? localtime(static_cast<uint32_t>(*t)) : nullptr;
}

vt_time_t vt_mktime(vt_tm* rec) { return static_cast<vt_time_t>(mktime_local(rec)); }

vt_time_t mktimegm(vt_tm* rec) { return static_cast<vt_time_t>(mktime_utc(rec)); }

char* vt_asctime(const vt_tm* rec) { return rec ? asctime(*rec) : nullptr; }

char* vt_ctime(const vt_time_t* t) {
  vt_tm* rec = vt_localtime(t);
  return rec ? asctime(*rec) : nullptr;
}

void vt_ftime(vt_timeb* rec) {
  if (rec) ftime(*rec);
}

int32_t* gettimezone(void) { return &zone_state().timezone; }
int32_t* getdstbias(void) { return &zone_state().dstbias; }
int32_t* getdaylight(void) { return &zone_state().daylight; }
