// A customer's program: it knows the library only through the installed
// headers and the import library (the DLL on Windows), and calls exports of
// every kind: plain C functions, the window-system callbacks (stdcall), the
// members of ctlcalc and tmsmap, and the C handle API of the formula engine.
// The library exports no data.
#include <cmath>
#include <cstdio>
#include <cstring>

#include <veltra/support.h>

namespace {

int failures = 0;

void check(bool ok, const char* what) {
  if (!ok) {
    std::printf("FAILED: %s\n", what);
    ++failures;
  }
}

const float kA = 2.5f;  // the one signal, "a"

std::int16_t class_name(const char* name, std::int16_t type) {
  return type == 1 && std::strcmp(name, "a") == 0 ? 7 : -1;
}
float class_value(std::int16_t index, std::int16_t) { return index == 7 ? kA : 0.0f; }
int16_t handle_name(void*, const char* name, int16_t type) { return class_name(name, type); }
float handle_value(void*, int16_t index, int16_t type) { return class_value(index, type); }

std::uint32_t bits(float f) {
  std::uint32_t u;
  std::memcpy(&u, &f, sizeof u);
  return u;
}

void formula_engine() {
  const char* formula = "sqrt(a) * 4 + (a > 2 ? 1 : 0)";
  const float want = std::sqrt(kA) * 4.0f + 1.0f;  // each step exact or rounded once
  char text[128];
  codeentry code[64];
  ctlcalc calc(text, code, sizeof text, 64);
  calc.setfunctions(class_name, class_value, nullptr);
  calc.settext(formula);
  check(calc.compile() == 1 && calc.gettype() == 1, "ctlcalc::compile");
  const float by_class = calc.eval();
  check(bits(by_class) == bits(want), "ctlcalc::eval");
  {
    ctlcalc copy(calc);  // shares the buffers, prepares its own code
    check(bits(copy.eval()) == bits(by_class), "ctlcalc copy");
  }
  calc.settext("a +");
  check(calc.compile() == 0 && calc.geterror() != 0 && *calc.geterrorstr() != 0, "ctlcalc error");

  CalcHandle* h = CalcCreate(128, 64);
  check(h && CalcSetCallbacks(h, handle_name, handle_value, nullptr) && CalcSetText(h, formula) &&
            CalcCompile(h),
        "CalcCompile");
  check(h && bits(CalcEval(h)) == bits(by_class), "CalcEval as ctlcalc::eval");
  CalcDestroy(h);
}

void time_value() {
  const tmsmap start(vt_time_t(1700000000), std::int16_t(250));
  const tmsmap later = start + tmsmap(60.5);
  check(double(later) == 1700000060.75, "tmsmap::operator+");
  check(!later == 1700000060 && ~later == 750, "tmsmap::operator! and operator~");
  tmsmap floored = later;
  check(floored.floorne(tmsmap::floor_minute) && double(floored) == 1700000040.0, "tmsmap::floorne");
  check(later.gt(start) && !later.eq(start), "tmsmap comparisons");
}

}  // namespace

int main() {
  const char* version = VeltraVersion();
  check(std::strcmp(version, VELTRA_VERSION_TEXT) == 0, "VeltraVersion");
  check(std::uint16_t(CRC16("123456789", 9)) == 0x4B37, "CRC16");  // the published check value
  formula_engine();
  time_value();
#if defined(_WIN32)
  // The progress dialog's procedure and the abort procedure share the job's
  // state; a wrong calling convention would unbalance the stack at once.
  for (int round = 0; round < 1000; ++round) {
    check(prt_printerdlg(nullptr, WM_INITDIALOG, 0, 0) == TRUE, "prt_printerdlg WM_INITDIALOG");
    check(PrinterAbortProc(nullptr, 0) == TRUE, "PrinterAbortProc before cancel");
    check(prt_printerdlg(nullptr, WM_COMMAND, 1 /* the dialog's "Abbrechen" */, 0) == TRUE,
          "prt_printerdlg cancel");
    check(PrinterAbortProc(nullptr, 0) == FALSE, "PrinterAbortProc after cancel");
    if (failures) break;
  }
  prt_printerdlg(nullptr, WM_INITDIALOG, 0, 0);
#endif
  std::printf("consumer linked against Veltra %s: %s\n", version, failures ? "FAILED" : "all calls as expected");
  return failures != 0;
}
