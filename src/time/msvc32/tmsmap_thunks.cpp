// Members of tmsmap for callers built with Microsoft's compiler (i686 DLL
// only), where that compiler's convention differs from g++'s:
//  - a constructor returns this in EAX;
//  - a member returning the class by value gets a hidden pointer to the
//    result as its first stack argument (after this in ECX) and returns it;
//  - the members defined in the header are called, not inlined, by such a
//    caller that does not optimise, so they need code in the DLL.
// Each adapter is thiscall, like the member it stands for.
#include <new>

#include "veltra/tmsmap.h"

static_assert(sizeof(tmsmap) == 8, "tmsmap's layout is part of the DLL's interface");

#define VT_MSVC_MEMBER extern "C" __attribute__((thiscall))

VT_MSVC_MEMBER tmsmap* vt_msvc_tmsmap_new(tmsmap* self) { return new (self) tmsmap(); }
VT_MSVC_MEMBER tmsmap* vt_msvc_tmsmap_new_value(tmsmap* self, double v) { return new (self) tmsmap(v); }
VT_MSVC_MEMBER tmsmap* vt_msvc_tmsmap_new_epoch(tmsmap* self, vt_time_t t) { return new (self) tmsmap(t); }
VT_MSVC_MEMBER tmsmap* vt_msvc_tmsmap_new_epoch_ms(tmsmap* self, vt_time_t t, int16_t ms) {
  return new (self) tmsmap(t, ms);
}
VT_MSVC_MEMBER tmsmap* vt_msvc_tmsmap_new_copy(tmsmap* self, const tmsmap* o) { return new (self) tmsmap(*o); }

VT_MSVC_MEMBER tmsmap* vt_msvc_tmsmap_assign(tmsmap* self, const tmsmap* o) { return &(*self = *o); }
VT_MSVC_MEMBER tmsmap* vt_msvc_tmsmap_assign_value(tmsmap* self, double v) { return &(*self = v); }
VT_MSVC_MEMBER double vt_msvc_tmsmap_value(const tmsmap* self) { return *self; }

VT_MSVC_MEMBER tmsmap* vt_msvc_tmsmap_plus(const tmsmap* self, tmsmap* result, const tmsmap* o) {
  return new (result) tmsmap(*self + *o);
}
VT_MSVC_MEMBER tmsmap* vt_msvc_tmsmap_minus(const tmsmap* self, tmsmap* result, const tmsmap* o) {
  return new (result) tmsmap(*self - *o);
}
VT_MSVC_MEMBER tmsmap* vt_msvc_tmsmap_times(const tmsmap* self, tmsmap* result, double d) {
  return new (result) tmsmap(*self * d);
}
VT_MSVC_MEMBER tmsmap* vt_msvc_tmsmap_times_count(const tmsmap* self, tmsmap* result, int32_t n) {
  return new (result) tmsmap(*self * n);
}
VT_MSVC_MEMBER tmsmap* vt_msvc_tmsmap_over(const tmsmap* self, tmsmap* result, double d) {
  return new (result) tmsmap(*self / d);
}
VT_MSVC_MEMBER tmsmap* vt_msvc_tmsmap_over_count(const tmsmap* self, tmsmap* result, int32_t n) {
  return new (result) tmsmap(*self / n);
}
