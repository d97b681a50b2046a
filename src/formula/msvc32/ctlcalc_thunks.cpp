// The constructors of ctlcalc for callers built with Microsoft's compiler
// (i686 DLL only). Such a caller expects a constructor to return this in
// EAX, which g++'s constructors do not; these adapters, thiscall like the
// members they stand for, construct in place and return the object.
#include <new>

#include "veltra/ctlcalc.h"

// Both compilers lay the class out alike; its size is what a caller of
// either kind reserves for it.
static_assert(sizeof(ctlcalc) == 76, "ctlcalc's layout is part of the DLL's interface");

#define VT_MSVC_MEMBER extern "C" __attribute__((thiscall))

VT_MSVC_MEMBER ctlcalc* vt_msvc_ctlcalc_new(ctlcalc* self) { return new (self) ctlcalc(); }

VT_MSVC_MEMBER ctlcalc* vt_msvc_ctlcalc_new_buffers(ctlcalc* self, char* text, codeentry* code,
                                                    std::uint32_t textsize, std::uint32_t codesize) {
  return new (self) ctlcalc(text, code, textsize, codesize);
}

VT_MSVC_MEMBER ctlcalc* vt_msvc_ctlcalc_new_copy(ctlcalc* self, const ctlcalc* other) {
  return new (self) ctlcalc(*other);
}
