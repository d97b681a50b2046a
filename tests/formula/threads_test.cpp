// Distinct formula objects on many threads at once. Every thread compiles
// and evaluates objects of its own while the others do the same: by rows
// through the value callback (machine code, interpreter, and the handlers
// one by one on the thread's stack), by columns, from code attached after
// the compile (prepared and turned into machine code by the first eval),
// and through the C handles. Each must give what one thread alone gave,
// bit for bit: the code, the type, the error code, position and text, and
// every row's result. Under ThreadSanitizer (the tsan build) the same run
// also shows that no two calls touch shared memory unguarded.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "../../bench/formula_set.h"
#include "formula/access.h"
#include "support/three_ways.h"
#include "harness.h"
#include "veltra/ctlcalc_c.h"

namespace {

// The signals every formula may read: the harness's names and the
// benchmark's, one column each.
const char* const kFloatNames[] = {"a", "b", "c", "t", "s0", "s1", "s2", "s3", "s4", "s5", "s6", "s7", "s8", "s9"};
const char* const kBoolNames[] = {"p", "q", "r", "k0", "k1", "k2"};
constexpr int kFloats = sizeof kFloatNames / sizeof *kFloatNames;
constexpr int kBools = sizeof kBoolNames / sizeof *kBoolNames;
constexpr std::uint32_t kRows = 40;  // past one SIMD width, few enough for the slow builds

struct Table {
  std::vector<float> f[kFloats];
  std::vector<std::int16_t> b[kBools];
  const float* floats[kFloats + kBools] = {};
  const std::int16_t* booleans[kFloats + kBools] = {};
  Table() {
    const float extremes[] = {NAN, INFINITY, -0.0f, 1e30f, 0.0f, 3.0f};
    std::uint32_t seed = 987654321u;
    for (int v = 0; v < kFloats; ++v)
      for (std::uint32_t r = 0; r < kRows; ++r) {
        seed = seed * 1664525u + 1013904223u;
        const std::uint32_t pick = seed >> 12;
        f[v].push_back(pick % 9 == 0 ? extremes[pick / 9 % 6] : static_cast<float>(int(pick % 4001) - 2000) / 16.0f);
      }
    for (int v = 0; v < kBools; ++v)
      for (std::uint32_t r = 0; r < kRows; ++r) b[v].push_back(static_cast<std::int16_t>((r * 7 + v * 3) % 5 == 0));
    for (int v = 0; v < kFloats; ++v) floats[v] = f[v].data();
    for (int v = 0; v < kBools; ++v) booleans[kFloats + v] = b[v].data();
  }
};
const Table& table() {
  static const Table t;
  return t;
}

// Indices: floats 0 to kFloats - 1, Booleans after them.
std::int16_t name_index(const char* name, std::int16_t type) {
  for (int i = 0; i < kFloats; ++i)
    if (type == 1 && std::strcmp(name, kFloatNames[i]) == 0) return static_cast<std::int16_t>(i);
  for (int i = 0; i < kBools; ++i)
    if (type == 4 && std::strcmp(name, kBoolNames[i]) == 0) return static_cast<std::int16_t>(kFloats + i);
  return -1;
}

// The row each thread's value callback reads: the callbacks take no
// context, so the test keeps it per thread.
thread_local std::uint32_t t_row;

float row_value(std::int16_t index, std::int16_t type) {
  if (type == 4) return harness::bool_bits(table().b[index - kFloats][t_row]);
  return table().f[index][t_row];
}

std::int16_t c_name(void*, const char* name, std::int16_t type) { return name_index(name, type); }
float c_value(void* row, std::int16_t index, std::int16_t type) {
  const std::uint32_t r = *static_cast<std::uint32_t*>(row);
  if (type == 4) return harness::bool_bits(table().b[index - kFloats][r]);
  return table().f[index][r];
}

// Everything one thread learns about a text. Between threads every bit
// counts, NaN included: each way runs the same code on every thread.
struct Outcome {
  int compiled = 0, error = 0, type = 0;
  std::uint32_t errorpos = 0;
  std::string error_text, code;
  std::vector<std::uint32_t> native, interpreted, handlers, attached, columns, handle;
  int handle_compiled = 0, handle_error = 0;
  std::string handle_text;
  bool operator==(const Outcome& o) const {
    return compiled == o.compiled && error == o.error && type == o.type && errorpos == o.errorpos &&
           error_text == o.error_text && code == o.code && native == o.native && interpreted == o.interpreted &&
           handlers == o.handlers && attached == o.attached && columns == o.columns && handle == o.handle &&
           handle_compiled == o.handle_compiled && handle_error == o.handle_error && handle_text == o.handle_text;
  }
};

// The built-in variables, which the library never sets.
const float kBuiltins[6] = {2.5f, -1.0f, 0.5f, 3.0f, 0.0f, -4.0f};
void set_builtins(ctlcalc& c) {
  c.x = kBuiltins[0], c.xl = kBuiltins[1], c.xh = kBuiltins[2];
  c.y = kBuiltins[3], c.yl = kBuiltins[4], c.yh = kBuiltins[5];
}

Outcome evaluate_everywhere(const std::string& text) {
  Outcome out;
  harness::Formula f;
  std::memset(f.code, 0, sizeof f.code);  // the terminator's operand is never written
  f.calc.setfunctions(name_index, row_value, nullptr);
  set_builtins(f.calc);
  out.compiled = f.compile(text);
  out.error = f.calc.geterror();
  out.errorpos = f.calc.geterrorpos();
  out.error_text = f.calc.geterrorstr();
  out.type = f.calc.gettype();
  out.code.assign(reinterpret_cast<const char*>(f.code), f.calc.getcodesize());
  // Stored code attached to a second object: its first eval prepares it.
  codeentry stored[harness::kCodeEntries];
  std::memcpy(stored, f.code, sizeof stored);
  ctlcalc attached;
  attached.setfunctions(name_index, row_value, nullptr);
  attached.setcode(stored, harness::kCodeEntries);
  set_builtins(attached);
  for (t_row = 0; t_row < kRows; ++t_row) {
    float three[3];
    vt::test::run_three_ways(f.calc, three, [](int) {});
    out.native.push_back(harness::bits(three[0]));
    out.interpreted.push_back(harness::bits(three[1]));
    out.handlers.push_back(harness::bits(three[2]));
    out.attached.push_back(harness::bits(attached.eval()));
  }
  std::vector<float> results(kRows);
  if (f.calc.evalcolumns(table().floats, kFloats + kBools, table().booleans, kFloats + kBools, results.data(), kRows))
    for (float r : results) out.columns.push_back(harness::bits(r));

  CalcHandle* h = CalcCreate(harness::kTextSize, harness::kCodeEntries);
  std::uint32_t row = 0;
  CalcSetCallbacks(h, c_name, c_value, &row);
  for (int i = 0; i < 6; ++i) CalcSetBuiltin(h, i, kBuiltins[i]);
  CalcSetText(h, text.c_str());
  out.handle_compiled = CalcCompile(h);
  out.handle_error = CalcGetError(h);
  out.handle_text = CalcGetErrorText(h);
  for (row = 0; row < kRows; ++row) out.handle.push_back(harness::bits(CalcEval(h)));
  CalcDestroy(h);
  return out;
}

std::vector<std::string> texts() {
  std::vector<std::string> all = harness::corpus();
  for (const formula_set::Entry& e : formula_set::kFormulas) all.push_back(e.ours);
  // errors of several kinds, so that the threads' error texts differ
  for (const char* bad : {"a +", "2 3", "sin a", "(a", "unbekannt * 2", "p ? a", "a ? 1 : 2"}) all.push_back(bad);
  all.push_back(std::string(300, 'n'));  // a name too long
  std::string deep = "a";
  for (int i = 0; i < 60; ++i) deep = "(b - " + deep + " * c)";
  all.push_back(deep);
  return all;
}

// The ways against each other: every bit, except that any NaN matches any
// NaN (which operand's NaN a sum of two passes on is no value rule).
bool same_values(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
  auto nan = [](std::uint32_t u) { return (u & 0x7F800000u) == 0x7F800000u && (u & 0x007FFFFFu) != 0; };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && !(nan(a[i]) && nan(b[i]))) return false;
  return true;
}

TEST(Threads, DistinctObjectsGiveWhatOneThreadAloneGives) {
  const std::vector<std::string> all = texts();
  std::vector<Outcome> alone;
  for (const std::string& text : all) alone.push_back(evaluate_everywhere(text));
  // The table's own answers: a text that compiles agrees with itself across
  // the ways, so that a fault common to all threads shows here too.
  int compiled = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    const Outcome& o = alone[i];
    ASSERT_EQ(o.compiled, o.handle_compiled) << all[i];
    ASSERT_EQ(o.error_text, o.handle_text) << all[i];
    if (!o.compiled) continue;
    ++compiled;
    EXPECT_TRUE(same_values(o.native, o.handlers)) << all[i];
    EXPECT_TRUE(same_values(o.interpreted, o.handlers)) << all[i];
    EXPECT_TRUE(same_values(o.attached, o.handlers)) << all[i];
    EXPECT_TRUE(same_values(o.handle, o.handlers)) << all[i];
    EXPECT_TRUE(same_values(o.columns, o.handlers)) << all[i];
  }
  EXPECT_GE(compiled, 50);

  constexpr int kThreads = 4, kRounds = 3;
  std::atomic<int> ready{0};
  std::vector<std::vector<std::string>> differences(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      ++ready;
      while (ready.load() < kThreads) std::this_thread::yield();  // all start together
      // Each thread walks the texts in its own order, so that different
      // texts (and different errors) meet at the same time.
      for (int round = 0; round < kRounds; ++round)
        for (std::size_t j = 0; j < all.size(); ++j) {
          const std::size_t i = (j * (2 * t + 1) + round * 7 + t) % all.size();
          if (!(evaluate_everywhere(all[i]) == alone[i])) differences[t].push_back(all[i]);
        }
    });
  for (std::thread& th : threads) th.join();
  for (int t = 0; t < kThreads; ++t)
    for (const std::string& text : differences[t]) ADD_FAILURE() << "thread " << t << " differs on: " << text;
}

// An error text stays in its thread's buffer while other threads load
// theirs: each thread takes the text of its own error, waits until every
// thread has loaded one, and still reads its own.
TEST(Threads, ErrorTextsBelongToTheirThread) {
  struct Case {
    const char* text;
    const char* error_text;
  };
  const Case cases[] = {{"a +", "Operand vermisst."},
                        {"2 3", "Syntax-Fehler"},
                        {"(a", "')' Klammer fehlt."},
                        {"unbekannt", "Unbekannter Bezeichner."}};
  constexpr int kThreads = sizeof cases / sizeof *cases;
  std::atomic<int> loaded{0};
  std::string seen[kThreads];
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      harness::Formula f;
      f.calc.setfunctions(name_index, row_value, nullptr);
      f.compile(cases[t].text);
      const char* text = f.calc.geterrorstr();
      ++loaded;
      while (loaded.load() < kThreads) std::this_thread::yield();
      seen[t] = text;
    });
  for (std::thread& th : threads) th.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(cases[t].error_text, seen[t]) << cases[t].text;
}

}  // namespace
