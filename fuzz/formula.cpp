// Fuzz target of the formula engine. Every input is used twice:
//  - as a formula text, compiled with a name callback that knows a few
//    float and Boolean names; what compiles is evaluated three ways: by the
//    machine code, by the interpreter and by the handlers one by one, which
//    must give the same bits and the same value callback calls in order;
//  - as raw code records attached to an object, evaluated the three ways
//    too (code that fails the check gives 0.0 each way), then again after
//    one record's operation and then its operand are changed in the
//    attached buffer (the machine code runs first, so it must notice).
// Both objects also run over whole columns of values with NaN, infinities
// and odd Boolean bits, which must give per row what eval gives with a
// callback that reads the same columns (or refuse, when the code reads a
// variable without a column).
// Any crash, sanitizer report or disagreement is a finding.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "formula/access.h"
#include "support/three_ways.h"
#include "veltra/ctlcalc.h"
#include "veltra/ctlcalc_c.h"

namespace {

constexpr std::size_t kTextSize = 8192;
constexpr std::size_t kCodeEntries = 1024;

std::int16_t names(const char* name, std::int16_t type) {
  static const char* const floats[] = {"a", "b", "c", "temp", "Druck"};
  static const char* const bools[] = {"p", "q", "pumpe_ein"};
  if (type == 1)
    for (int i = 0; i < 5; ++i)
      if (std::strcmp(name, floats[i]) == 0) return static_cast<std::int16_t>(i);
  if (type == 4)
    for (int i = 0; i < 3; ++i)
      if (std::strcmp(name, bools[i]) == 0) return static_cast<std::int16_t>(10 + i);
  if (type == 1 && std::strcmp(name, "wild") == 0) return 31000;  // past the built-ins
  return -1;
}

// (index, type) of each value callback call, per way of evaluating
std::vector<std::pair<int, int>> g_calls[3];
int g_way = 0;

float values(std::int16_t index, std::int16_t type) {
  static const float floats[] = {1.5f, -2.0f, NAN, 0.0f, 1e30f};
  g_calls[g_way].emplace_back(index, type);
  if (type == 4) {
    std::uint32_t bits = static_cast<std::uint32_t>(index & 1) | 0xABCD0000u;
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
  }
  return index >= 0 && index < 5 ? floats[index] : 7.0f;
}

void agree(float fast, float reference) {
  std::uint32_t a, b;
  std::memcpy(&a, &fast, 4);
  std::memcpy(&b, &reference, 4);
  // NaN payloads are not part of the value rules; every other bit is.
  if (a != b && !(std::isnan(fast) && std::isnan(reference))) std::abort();
}

// Columns for the variables 0 to 12 (floats below 5, Booleans from 10), the
// rows not a multiple of the SIMD width.
constexpr int kColumns = 13;
constexpr std::uint32_t kRows = 11;
const float kFloatColumn[kRows] = {1.5f, -2.0f, NAN, 0.0f, -0.0f, 1e30f, INFINITY, -INFINITY, 1e-40f, 3.0f, -1e24f};
const std::int16_t kBoolColumn[kRows] = {0, 1, -1, 0x100, -32768, 2, 0, 1, 1, 0, 7};
std::uint32_t g_row;

float column_value(std::int16_t index, std::int16_t type) {
  if (type == 4) {
    // the column's 16 bits, sign-widened, as a Boolean constant's cell
    std::uint32_t bits = static_cast<std::uint32_t>(static_cast<std::int32_t>(kBoolColumn[(g_row + index) % kRows]));
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
  }
  return kFloatColumn[(g_row + index) % kRows];
}

void columns_agree(ctlcalc& calc) {
  static float shifted[kColumns][kRows];
  static std::int16_t shifted_bool[kColumns][kRows];
  const float* floats[kColumns] = {};
  const std::int16_t* booleans[kColumns] = {};
  for (int v = 0; v < kColumns; ++v) {
    for (std::uint32_t r = 0; r < kRows; ++r) {
      shifted[v][r] = kFloatColumn[(r + v) % kRows];
      shifted_bool[v][r] = kBoolColumn[(r + v) % kRows];
    }
    if (v < 5) floats[v] = shifted[v];
    if (v >= 10) booleans[v] = shifted_bool[v];
  }
  float results[kRows + 1];
  results[kRows] = 42.0f;
  calc.setfunctions(names, column_value, nullptr);
  const int ok = calc.evalcolumns(floats, kColumns, booleans, kColumns, results, kRows);
  if (results[kRows] != 42.0f) std::abort();
  for (g_row = 0; ok && g_row < kRows; ++g_row) agree(results[g_row], calc.eval());
  calc.setfunctions(names, values, nullptr);
}

void three_ways(ctlcalc& calc) {
  float r[3];
  vt::test::run_three_ways(calc, r, [](int way) {
    g_way = way;
    g_calls[way].clear();
  });
  agree(r[0], r[2]);
  agree(r[1], r[2]);
  if (g_calls[0] != g_calls[2] || g_calls[1] != g_calls[2]) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::vector<char> text(kTextSize);
  static std::vector<codeentry> code(kCodeEntries);

  ctlcalc calc(text.data(), code.data(), kTextSize, kCodeEntries);
  calc.setfunctions(names, values, nullptr);
  calc.x = 2.0f, calc.xl = 0.0f, calc.xh = 1e24f;
  calc.y = -3.0f, calc.yl = NAN, calc.yh = -0.5f;
  std::size_t n = size < kTextSize - 1 ? size : kTextSize - 1;
  std::memcpy(text.data(), data, n);
  text[n] = '\0';
  if (calc.compile()) {
    three_ways(calc);
    columns_agree(calc);
  }
  if (calc.geterrorpos() > n) std::abort();
  (void)calc.geterrorstr();

  // The bytes as stored code, exactly as long as the input.
  std::size_t entries = size / sizeof(codeentry);
  if (entries > 0 && entries <= kCodeEntries) {
    std::vector<codeentry> stored(entries);
    std::memcpy(stored.data(), data, entries * sizeof(codeentry));
    ctlcalc attached;
    attached = calc;  // the same built-ins and callbacks
    attached.setfunctions(names, values, nullptr);
    attached.setcode(stored.data(), static_cast<std::uint32_t>(entries));
    three_ways(attached);
    columns_agree(attached);
    // The same buffer rewritten in place without attaching it again: one
    // entry's operation becomes the byte that follows the input's records,
    // then its operand changes by one bit.
    std::size_t at = data[0] % entries;
    stored[at].op = static_cast<operation>(size % sizeof(codeentry) ? data[size - 1] % 64 : data[0] % 64);
    three_ways(attached);
    stored[at].value.bits ^= 1u << (data[0] % 16);
    three_ways(attached);
    std::int16_t list[8] = {-1};
    (void)attached.getcalclist(list, 8);
    (void)attached.getcodelen();
  }
  return 0;
}
