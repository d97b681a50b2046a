// The C handle API: a ctlcalc with its own buffers and callbacks that carry
// a user pointer. The class's callbacks have no context argument, so the
// handle being compiled or evaluated is kept in the calling thread's slot
// (port/thread_slot.h): handles compile and evaluate on many threads at
// once, each callback finding its own handle.
#include <cstring>
#include <new>

#include "formula/code_check.h"
#include "port/thread_slot.h"
#include "veltra/ctlcalc.h"
#include "veltra/ctlcalc_c.h"

struct CalcHandle {
  ctlcalc calc;
  char* text = nullptr;
  codeentry* code = nullptr;
  std::uint32_t textsize = 0;
  std::uint32_t codeentries = 0;
  CalcNameFn name = nullptr;
  CalcValueFn value = nullptr;
  void* user = nullptr;
  bool native = true;
};

namespace {

using vt::port::ThreadSlot;

CalcHandle* active() { return static_cast<CalcHandle*>(vt::port::thread_slot(ThreadSlot::handle)); }

// The handle whose callbacks the calling thread serves, for one compile or
// evaluation; the one served before comes back after it (a callback may
// use another handle).
class Serving {
 public:
  explicit Serving(CalcHandle* h) : outer_(active()) { vt::port::set_thread_slot(ThreadSlot::handle, h); }
  ~Serving() { vt::port::set_thread_slot(ThreadSlot::handle, outer_); }
  Serving(const Serving&) = delete;
  Serving& operator=(const Serving&) = delete;

 private:
  CalcHandle* outer_;
};

std::int16_t name_trampoline(const char* name, std::int16_t type) {
  const CalcHandle* h = active();
  return h && h->name ? h->name(h->user, name, type) : -1;
}

float value_trampoline(std::int16_t index, std::int16_t type) {
  const CalcHandle* h = active();
  return h && h->value ? h->value(h->user, index, type) : 0.0f;
}

}  // namespace

CalcHandle* CalcCreate(uint32_t textsize, uint32_t codeentries) {
  if (!textsize || !codeentries || codeentries > vt::formula::kMaxCodeEntries) return nullptr;
  CalcHandle* h = new (std::nothrow) CalcHandle;
  if (!h) return nullptr;
  h->text = new (std::nothrow) char[textsize];
  // Zeroed: the code read back after a failed compile is a terminator, and
  // its operand must not be whatever the heap held.
  h->code = new (std::nothrow) codeentry[codeentries]();
  if (!h->text || !h->code) {
    CalcDestroy(h);
    return nullptr;
  }
  h->textsize = textsize;
  h->codeentries = codeentries;
  h->calc.init(h->text, h->code, textsize, codeentries);
  h->calc.init();
  h->calc.setfunctions(name_trampoline, value_trampoline, nullptr);
  return h;
}

void CalcDestroy(CalcHandle* h) {
  if (!h) return;
  delete[] h->text;
  delete[] h->code;
  delete h;
}

int CalcSetText(CalcHandle* h, const char* text) {
  if (!h || !text || std::strlen(text) >= h->textsize) return 0;
  h->calc.settext(text);
  return 1;
}

int CalcSetCallbacks(CalcHandle* h, CalcNameFn name, CalcValueFn value, void* user) {
  if (!h) return 0;
  h->name = name;
  h->value = value;
  h->user = user;
  return 1;
}

int CalcSetTypes(CalcHandle* h, int16_t mask) {
  if (!h) return 0;
  h->calc.settype(mask);
  h->calc.setnative(h->native);  // the mask's interpreter bit is the handle's own
  return 1;
}

int CalcSetNative(CalcHandle* h, int on) {
  if (!h) return 0;
  h->native = on != 0;
  h->calc.setnative(h->native);
  return 1;
}

int CalcSetBuiltin(CalcHandle* h, int which, float value) {
  if (!h) return 0;
  float* fields[] = {&h->calc.x, &h->calc.xl, &h->calc.xh, &h->calc.y, &h->calc.yl, &h->calc.yh};
  if (which < 0 || which >= static_cast<int>(sizeof fields / sizeof fields[0])) return 0;
  *fields[which] = value;
  return 1;
}

int CalcCompile(CalcHandle* h) {
  if (!h) return 0;
  Serving serving(h);
  return h->calc.compile();
}

float CalcEval(CalcHandle* h) {
  if (!h) return 0.0f;
  Serving serving(h);
  return h->calc.eval();
}

int CalcEvalColumns(CalcHandle* h, const float* const* floats, uint32_t float_count, const int16_t* const* booleans,
                    uint32_t boolean_count, float* results, uint32_t rows) {
  if (!h) return 0;
  return h->calc.evalcolumns(floats, float_count, booleans, boolean_count, results, rows);
}

int CalcGetError(CalcHandle* h) { return h ? h->calc.geterror() : -1; }

uint32_t CalcGetErrorPos(CalcHandle* h) { return h ? h->calc.geterrorpos() : 0; }

const char* CalcGetErrorText(CalcHandle* h) { return h ? h->calc.geterrorstr() : ""; }

int CalcGetType(CalcHandle* h) { return h ? h->calc.gettype() : 0; }

uint32_t CalcGetCode(CalcHandle* h, void* buf, uint32_t size) {
  if (!h) return 0;
  std::uint32_t bytes = h->calc.getcodesize();
  if (buf && size >= bytes) std::memcpy(buf, h->code, bytes);
  return bytes;
}

int CalcAttachCode(CalcHandle* h, const void* code, uint32_t size) {
  if (!h || !code || size % sizeof(codeentry) != 0 || size / sizeof(codeentry) > h->codeentries) return 0;
  if (size == 0) {
    h->calc.invalidate();
    return 1;
  }
  // Checked here against its own length, so that a missing terminator is
  // not made up by whatever follows in the handle's buffer.
  std::uint32_t entries = size / sizeof(codeentry);
  std::memcpy(h->code, code, size);
  if (!vt::formula::check_code(h->code, entries).valid) {
    h->calc.invalidate();
    return 0;
  }
  h->calc.setcode(h->code, h->codeentries);
  return 1;
}
