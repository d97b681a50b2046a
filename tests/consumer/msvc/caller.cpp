// A caller built for Microsoft's C++ ABI (clang --target=i686-pc-windows-msvc)
// with no C runtime: it reaches the DLL through an import library made from
// the installed veltra.def, and kernel32 for its output. It uses ctlcalc and
// tmsmap as a program built with Microsoft's compiler would (built without
// optimisation, it also calls the members the headers define) and compares
// with the C API and with worked-out values.
#include <veltra/ctlcalc.h>
#include <veltra/ctlcalc_c.h>
#include <veltra/tmsmap.h>

typedef decltype(sizeof 0) size_type;

extern "C" {
__declspec(dllimport) void* __stdcall GetStdHandle(unsigned long which);
__declspec(dllimport) int __stdcall WriteFile(void* file, const void* data, unsigned long size,
                                              unsigned long* written, void* overlapped);
__declspec(dllimport) void __stdcall ExitProcess(unsigned code);
int _fltused = 0;  // the compiler's mark that floating point is used
void* memset(void* p, int c, size_type n) {
  for (volatile unsigned char* q = static_cast<unsigned char*>(p); n--; ++q) *q = static_cast<unsigned char>(c);
  return p;
}
void* memcpy(void* to, const void* from, size_type n) {
  volatile unsigned char* t = static_cast<unsigned char*>(to);
  for (const unsigned char* f = static_cast<const unsigned char*>(from); n--;) *t++ = *f++;
  return to;
}
}

// Two constructors called as plain functions, to see what they return in EAX.
ctlcalc* __attribute__((thiscall)) construct_ctlcalc(ctlcalc* self) __asm__("??0ctlcalc@@QAE@XZ");
tmsmap* __attribute__((thiscall)) construct_tmsmap(tmsmap* self, double v) __asm__("??0tmsmap@@QAE@N@Z");

namespace {

int failures = 0;

void say(const char* text) {
  unsigned long n = 0, written;
  while (text[n]) ++n;
  WriteFile(GetStdHandle(static_cast<unsigned long>(-11)), text, n, &written, nullptr);
}

void check(bool ok, const char* what) {
  if (ok) return;
  say("FAILED: ");
  say(what);
  say("\n");
  ++failures;
}

unsigned bits(float f) {
  unsigned u;
  memcpy(&u, &f, 4);
  return u;
}

const float kA = 2.5f;
short names(const char* name, short type) { return type == 1 && name[0] == 'a' && !name[1] ? 7 : -1; }
float values(short index, short) { return index == 7 ? kA : 0.0f; }
int16_t handle_names(void*, const char* name, int16_t type) { return names(name, type); }
float handle_values(void*, int16_t index, int16_t type) { return values(index, type); }

// The object between two guards: a size that differed between the two
// compilers would show as a changed guard.
struct Guarded {
  unsigned before[4];
  ctlcalc calc;
  unsigned after[4];
};

bool guards_intact(const Guarded& g) {
  for (int i = 0; i < 4; ++i)
    if (g.before[i] != 0xA5A5A5A5u || g.after[i] != 0x5A5A5A5Au) return false;
  return true;
}

void formula_engine() {
  const char* formulas[] = {"sqrt(a) * 4 + (a > 2 ? 1 : 0)", "ln(0 - a)", "sin(a)^2 + cos(a)^2",
                            "a > 2 und a < 3", "a +"};
  char text[128];
  codeentry code[64];
  Guarded g = {{0xA5A5A5A5u, 0xA5A5A5A5u, 0xA5A5A5A5u, 0xA5A5A5A5u},
               ctlcalc(text, code, sizeof text, 64),
               {0x5A5A5A5Au, 0x5A5A5A5Au, 0x5A5A5A5Au, 0x5A5A5A5Au}};
  g.calc.setfunctions(names, values, nullptr);
  CalcHandle* h = CalcCreate(128, 64);
  check(h && CalcSetCallbacks(h, handle_names, handle_values, nullptr), "CalcCreate");
  for (const char* f : formulas) {
    g.calc.settext(f);
    CalcSetText(h, f);
    const short ok = g.calc.compile();
    check(ok == CalcCompile(h), f);
    check(g.calc.geterror() == CalcGetError(h) && g.calc.geterrorpos() == CalcGetErrorPos(h), f);
    if (!ok) continue;
    const float value = g.calc.eval();
    check(bits(value) == bits(CalcEval(h)), f);
    check(g.calc.gettype() == CalcGetType(h), f);
    const float column[3] = {kA, kA, kA};  // signal 7 over three rows
    const float* floats[8] = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, column};
    float rows[3] = {0.0f, 0.0f, 0.0f};
    check(g.calc.evalcolumns(floats, 8, nullptr, 0, rows, 3) == 1 && bits(rows[2]) == bits(value), f);
    ctlcalc copy(g.calc);  // the copy constructor
    check(bits(copy.eval()) == bits(value), f);
    ctlcalc assigned;
    assigned = copy;  // the default constructor and the assignment
    check(bits(assigned.eval()) == bits(value), f);
  }  // the copies are destroyed here, each with its own prepared code
  CalcDestroy(h);
  g.calc.settext("sqrt(a) * 4 + (a > 2 ? 1 : 0)");
  check(g.calc.compile() == 1 && g.calc.eval() == 7.3245554f, "worked-out value");  // sqrt(2.5)*4 + 1
  check(guards_intact(g), "ctlcalc's size as this compiler sees it");

  unsigned char raw[sizeof(ctlcalc)];
  ctlcalc* made = construct_ctlcalc(reinterpret_cast<ctlcalc*>(raw));
  check(made == reinterpret_cast<ctlcalc*>(raw), "a constructor returns this");
  made->~ctlcalc();
}

void time_value() {
  const tmsmap start(vt_time_t(1700000000), int16_t(250));
  const tmsmap later = start + tmsmap(60.5);  // a class returned by value
  check(double(later) == 1700000060.75, "tmsmap::operator+");
  check(double(later - start) == 60.5, "tmsmap::operator-");
  check(double(start * 2.0) == 3400000000.5 && double(start * int32_t(2)) == 3400000000.5, "tmsmap::operator*");
  check(double(tmsmap(8.0) / 4.0) == 2.0 && double(tmsmap(8.0) / int32_t(500)) == 16.0, "tmsmap::operator/");
  check(!later == 1700000060 && ~later == 750, "tmsmap::operator! and operator~");
  check(tmsmap::conv(vt_time_t(10), int16_t(1500)) == 11.5, "tmsmap::conv");
  tmsmap floored = later;
  check(floored.floorne(tmsmap::floor_minute) && double(floored) == 1700000040.0, "tmsmap::floorne");
  check(later.gt(start) && start.lt(later) && later.ne(start) && !later.eq(start), "tmsmap comparisons");
  tmsmap assigned;
  assigned = 5.25;
  check(double(assigned) == 5.25, "tmsmap::operator=(double)");
  unsigned char raw[sizeof(tmsmap)];
  tmsmap* made = construct_tmsmap(reinterpret_cast<tmsmap*>(raw), 1.5);
  check(made == reinterpret_cast<tmsmap*>(raw) && double(*made) == 1.5, "tmsmap's constructor returns this");
}

}  // namespace

extern "C" void start() {
  formula_engine();
  time_value();
  say(failures ? "Microsoft-ABI caller: FAILED\n" : "Microsoft-ABI caller: ctlcalc and tmsmap as the C API and worked-out values\n");
  ExitProcess(failures ? 1 : 0);
}
