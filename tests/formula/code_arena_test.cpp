// The formulas' machine code as a host holds it: thousands of live objects,
// their code packed in shared memory for code. Results are held against
// the formula's closed form computed here in single precision; the address
// space against the system's own account of mapped views (VirtualQuery on
// Windows, /proc/self/maps natively).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "formula/access.h"
#include "formula/code_arena.h"
#include "formula/native.h"
#include "harness.h"
#include "mapped_space.h"

namespace {

using harness::kMachineCode;

constexpr int kSignals = 64;
float g_value[kSignals];

std::int16_t name_of(const char* name, std::int16_t type) {
  const int i = name[0] == 'a' ? std::atoi(name + 1) : -1;
  return type == 1 && i >= 0 && i < kSignals ? static_cast<std::int16_t>(i) : -1;
}
float value_of(std::int16_t index, std::int16_t) { return g_value[index]; }

// "a_p * k + a_q * a_r - a_s / m", its signals and constants drawn from n;
// every third one has a fifth term, so that pieces differ in size.
struct Shape {
  int p, q, r, s, t;
  float k, m;
  bool longer;
  explicit Shape(unsigned n)
      : p(n % kSignals), q((n / 3 + 1) % kSignals), r((n / 7 + 2) % kSignals), s((n / 11 + 3) % kSignals),
        t((n / 13 + 5) % kSignals), k(0.25f * static_cast<float>(1 + n % 40)), m(0.5f + static_cast<float>(n % 9)),
        longer(n % 3 == 0) {}
  std::string text() const {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "a%d * %.9g + a%d * a%d - a%d / %.9g%s", p, k, q, r, s, m, longer ? " + a" : "");
    std::string out = buffer;
    if (longer) out += std::to_string(t);
    return out;
  }
  // The same operations in the same order, each rounded to single precision.
  float expected() const {
    const float sum = g_value[p] * k + g_value[q] * g_value[r];
    const float value = sum - g_value[s] / m;
    return longer ? value + g_value[t] : value;
  }
};

struct Record {
  char text[96];
  codeentry code[24];
  ctlcalc calc{text, code, sizeof text, 24};
  Shape shape;
  explicit Record(unsigned n) : shape(n) {
    calc.setfunctions(name_of, value_of, nullptr);
    calc.settext(shape.text().c_str());
  }
};

void set_values(unsigned seed) {
  for (int i = 0; i < kSignals; ++i) g_value[i] = static_cast<float>((i * 37 + seed * 11) % 101) * 0.125f - 6.0f;
}

// Compiles n new records numbered from first; false when one fails.
bool compile_records(std::vector<std::unique_ptr<Record>>& out, unsigned first, int n) {
  for (int i = 0; i < n; ++i) {
    out.push_back(std::make_unique<Record>(first + static_cast<unsigned>(i)));
    if (out.back()->calc.compile() != 1) return false;
  }
  return true;
}

// Every record's result against its closed form; the count of wrong ones.
int wrong_results(std::vector<std::unique_ptr<Record>>& records, bool need_machine_code) {
  int wrong = 0;
  for (auto& r : records) {
    const float got = r->calc.eval();
    if (harness::bits(got) != harness::bits(r->shape.expected()) ||
        (need_machine_code && !ctlcalc_access::runs_native(r->calc)))
      ++wrong;
  }
  return wrong;
}

// Address space for code against the code's bytes: this fixed part covers
// the open writable view and a region still being filled.
constexpr std::size_t kFixedSpace = 2 * vt::formula::kRegionBytes;

// Machine code for every formula, whatever the engine's budget, while it
// lives.
struct NoBudget {
  const std::size_t saved = vt::formula::set_code_budget_for_tests(SIZE_MAX);
  ~NoBudget() { vt::formula::set_code_budget_for_tests(saved); }
};

TEST(CodeArena, TwentyThousandLiveFormulasArePackedAndTheirSpaceIsReused) {
  constexpr int kLive = 20000;
  const NoBudget no_budget;
  set_values(1);
  const std::size_t views_before = harness::mapped_view_bytes();
  const std::size_t taken_before = vt::formula::code_space().taken;
  std::vector<std::unique_ptr<Record>> records;
  ASSERT_TRUE(compile_records(records, 0, kLive));
  EXPECT_EQ(0, wrong_results(records, kMachineCode));
  const std::size_t code = vt::formula::code_space().taken - taken_before;
  const std::size_t views = harness::mapped_view_bytes() - views_before;
  std::printf("%d live formulas: %zu bytes of code, %zu bytes of address space in views\n", kLive, code, views);
  if (kMachineCode) {
    EXPECT_GE(code, kLive * 64u);  // there is code for every formula
    EXPECT_LT(views, 2 * code + kFixedSpace) << code << " bytes of code";
  }

  // Half of them freed in random order, as many new ones compiled: they go
  // into the gaps. Pieces differ in size, so a gap may keep a sliver too
  // small for any; the fresh space stays under an eighth of what the new
  // code takes.
  std::mt19937 random(7);
  std::shuffle(records.begin(), records.end(), random);
  records.resize(kLive / 2);
  ASSERT_TRUE(compile_records(records, kLive, kLive / 2));
  set_values(2);
  EXPECT_EQ(0, wrong_results(records, kMachineCode));
  const std::size_t views_again = harness::mapped_view_bytes() - views_before;
  EXPECT_LT(views_again, views + code / 2 / 8);

  // All freed in random order: the regions go back, but one.
  std::shuffle(records.begin(), records.end(), random);
  records.clear();
  EXPECT_EQ(taken_before, vt::formula::code_space().taken);
  if (taken_before == 0) {
    EXPECT_LE(vt::formula::code_space().regions, 1u);
  }
  EXPECT_LE(harness::mapped_view_bytes(), views_before + kFixedSpace);
}

// Formulas destroyed on another thread while this one evaluates the others,
// whose code lies among theirs in the same regions.
TEST(CodeArena, DestroyingFormulasWhileOthersInTheSameRegionsRun) {
  constexpr int kEach = 3000;
  const NoBudget no_budget;
  set_values(3);
  std::vector<std::unique_ptr<Record>> all, kept, doomed;
  ASSERT_TRUE(compile_records(all, 100, 2 * kEach));
  for (int i = 0; i < 2 * kEach; ++i) (i % 2 ? doomed : kept).push_back(std::move(all[i]));
  std::shuffle(doomed.begin(), doomed.end(), std::mt19937(11));
  std::atomic<bool> done{false};
  std::thread destroyer([&] {
    for (auto& r : doomed) r.reset();
    done = true;
  });
  int rounds = 0, wrong = 0;
  while (!done || rounds < 3) {
    wrong += wrong_results(kept, kMachineCode);
    ++rounds;
  }
  destroyer.join();
  EXPECT_EQ(0, wrong) << rounds << " rounds";
}

// The value callback writes other code into the object's own buffer during
// evaluation: that evaluation finishes with the code it started on, the
// next one notices the change, and the code made for each version replaces
// the last one's without the space taken growing.
const codeentry* g_swap_to = nullptr;
codeentry* g_swap_into = nullptr;
float swapping_value(std::int16_t index, std::int16_t type) {
  if (g_swap_to) {
    std::memcpy(g_swap_into, g_swap_to, 24 * sizeof(codeentry));
    g_swap_to = nullptr;
  }
  return value_of(index, type);
}

TEST(CodeArena, CodeRewrittenFromTheValueCallbackIsNoticedAndItsCodeReplaced) {
  set_values(4);
  Record first(21), second(22), object(21);
  ASSERT_EQ(1, first.calc.compile());
  ASSERT_EQ(1, second.calc.compile());
  ASSERT_EQ(1, object.calc.compile());
  object.calc.setfunctions(name_of, swapping_value, nullptr);
  std::size_t taken[2] = {};  // after each version's code was made
  for (int i = 0; i < 200; ++i) {
    const Record& now = i % 2 ? second : first;
    const Record& next = i % 2 ? first : second;
    g_swap_to = next.code;
    g_swap_into = object.code;
    EXPECT_EQ(harness::bits(now.shape.expected()), harness::bits(object.calc.eval())) << i;
    if (i < 4) taken[i % 2] = vt::formula::code_space().taken;
    else EXPECT_EQ(taken[i % 2], vt::formula::code_space().taken) << i;
  }
  // Left alone, the last version runs on machine code again.
  object.calc.eval();
  EXPECT_EQ(kMachineCode, ctlcalc_access::runs_native(object.calc));
}

// Past the budget of live machine code, new formulas take the interpreter
// with the same results; code freed below the budget is made again.
TEST(CodeArena, FormulasPastTheBudgetRunOnTheInterpreter) {
  set_values(5);
  const std::size_t base = vt::formula::code_bytes_taken();
  const std::size_t saved = vt::formula::set_code_budget_for_tests(base + 4096);
  std::vector<std::unique_ptr<Record>> records;
  ASSERT_TRUE(compile_records(records, 300, 100));
  EXPECT_EQ(0, wrong_results(records, false));
  int native = 0;
  for (auto& r : records) native += ctlcalc_access::runs_native(r->calc) ? 1 : 0;
  EXPECT_LE(vt::formula::code_bytes_taken(), base + 4096);
  if (kMachineCode) {
    EXPECT_GT(native, 0);
  }
  EXPECT_LT(native, 100);
  records.clear();
  ASSERT_TRUE(compile_records(records, 300, 1));
  EXPECT_EQ(kMachineCode, ctlcalc_access::runs_native(records[0]->calc));
  vt::formula::set_code_budget_for_tests(saved);
}

// Without memory for code every formula runs on the interpreter, with the
// handlers' bits.
TEST(CodeArena, WithoutMemoryForCodeTheInterpreterGivesTheSameResults) {
  vt::formula::refuse_code_for_tests(true);
  int compared = 0;
  for (const std::string& text : harness::corpus()) {
    harness::Formula f;
    if (f.compile(text) != 1 || f.calc.getcodelen() < 2) continue;
    EXPECT_FALSE(ctlcalc_access::runs_native(f.calc)) << text;
    for (int row = 0; row < 4; ++row) {
      harness::set_default_signals();
      harness::g_signals.f[1] = static_cast<float>(row) - 1.5f;
      EXPECT_EQ(harness::bits(ctlcalc_access::run_reference(f.calc)), harness::bits(f.calc.eval())) << text;
      ++compared;
    }
  }
  vt::formula::refuse_code_for_tests(false);
  EXPECT_GT(compared, 0);
  harness::Formula f;
  ASSERT_EQ(1, f.compile("a * 2 + b"));
  EXPECT_EQ(kMachineCode, ctlcalc_access::runs_native(f.calc));
}

}  // namespace
