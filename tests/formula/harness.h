// A formula object wired to a small fixed set of signals: float variables
// a, b, c, t (indices 1 to 4) and Boolean variables p, q, r (10 to 12).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "veltra/ctlcalc.h"

namespace harness {

// The builds for x86 and x86-64 make machine code for formulas.
#if defined(__x86_64__) || defined(__i386__)
constexpr bool kMachineCode = true;
#else
constexpr bool kMachineCode = false;
#endif

constexpr int kTextSize = 4096;
constexpr int kCodeEntries = 512;

struct Signals {
  float f[16] = {};
  std::int16_t b[16] = {};
  int value_calls = 0;
};
extern Signals g_signals;

std::int16_t get_name(const char* name, std::int16_t type);
float get_value(std::int16_t index, std::int16_t type);
// A float whose low 16 bits carry a Boolean, as a value callback returns it.
float bool_bits(std::int16_t b);
std::uint32_t bits(float f);

struct Formula {
  char text[kTextSize];
  codeentry code[kCodeEntries];
  ctlcalc calc{text, code, kTextSize, kCodeEntries};

  Formula() { calc.setfunctions(get_name, get_value, nullptr); }
  std::int16_t compile(const std::string& s) {
    calc.settext(s.c_str());
    return calc.compile();
  }
  // Operation codes of the compiled code, terminator excluded.
  std::vector<int> ops() const;
};

// Sets a=1.5, b=-2.25, c=4, t=10, p=true, q=false, r=true.
void set_default_signals();

// The formula texts of the fuzzer's seed corpus.
std::vector<std::string> corpus();

}  // namespace harness
