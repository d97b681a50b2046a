// Evaluation three ways: the machine code, the interpreter and the handlers
// called one by one. Every formula of the benchmark set and of the fuzzer's
// seed corpus, on every row of values, must give the same bits and the same
// value callback calls in the same order each way.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../../bench/formula_set.h"
#include "formula/access.h"
#include "support/three_ways.h"
#include "formula/code_check.h"
#include "harness.h"

namespace {

using harness::kMachineCode;
constexpr int kSetBase = 20;  // indices of the benchmark's signals
int g_row = 0;

std::int16_t set_names(const char* name, std::int16_t type) {
  using namespace formula_set;
  if (type == 1)
    for (int i = 0; i < kFloatSignals; ++i)
      if (std::strcmp(name, kFloatNames[i]) == 0) return static_cast<std::int16_t>(kSetBase + i);
  if (type == 4)
    for (int i = 0; i < kBoolSignals; ++i)
      if (std::strcmp(name, kBoolNames[i]) == 0)
        return static_cast<std::int16_t>(kSetBase + kFloatSignals + i);
  return harness::get_name(name, type);
}

// (index, type) of every value callback call, per way of evaluating
std::vector<std::pair<int, int>> g_calls[3];
int g_way = 0;

float set_values(std::int16_t index, std::int16_t type) {
  using namespace formula_set;
  g_calls[g_way].emplace_back(index, type);
  int i = index - kSetBase;
  if (i >= 0 && i < kFloatSignals) return kFloatRows[g_row][i];
  if (i >= kFloatSignals && i < kFloatSignals + kBoolSignals)
    return harness::bool_bits(kBoolRows[g_row][i - kFloatSignals] != 0);
  if (type == 4) return harness::bool_bits(static_cast<std::int16_t>((index + g_row) & 1));
  return kFloatRows[g_row][(index + g_row) % kFloatSignals];
}

// Every bit, except that any NaN matches any NaN (payloads are not part of
// the value rules).
// Every bit, NaN included: each case has one NaN in every build.
bool same_bits(float a, float b) { return harness::bits(a) == harness::bits(b); }

// Evaluates three ways; false (with a message) when they disagree.
::testing::AssertionResult three_ways_agree(ctlcalc& calc, bool expect_native) {
  float r[3];
  vt::test::run_three_ways(calc, r, [](int way) {
    g_way = way;
    g_calls[way].clear();
  });
  if (expect_native && !ctlcalc_access::runs_native(calc)) return ::testing::AssertionFailure() << "no machine code";
  if (!same_bits(r[2], r[1]) || !same_bits(r[2], r[0]))
    return ::testing::AssertionFailure() << std::hex << "handlers " << harness::bits(r[2]) << " interpreter "
                                         << harness::bits(r[1]) << " machine code " << harness::bits(r[0]);
  if (g_calls[1] != g_calls[2] || g_calls[0] != g_calls[2])
    return ::testing::AssertionFailure() << "value callback calls differ";
  return ::testing::AssertionSuccess();
}

TEST(FastLoop, MachineCodeInterpreterAndHandlersAgreeOnTheBenchmarkSetAndTheCorpus) {
  std::vector<std::string> texts = harness::corpus();
  EXPECT_GE(texts.size(), 10u);
  for (const formula_set::Entry& e : formula_set::kFormulas) texts.push_back(e.ours);
  int compared = 0;
  for (const std::string& text : texts) {
    harness::Formula f;
    f.calc.setfunctions(set_names, set_values, nullptr);
    if (!f.compile(text)) continue;
    for (g_row = 0; g_row < formula_set::kRows; ++g_row) {
      f.calc.x = static_cast<float>(g_row) - 2.5f;
      f.calc.yl = 0.5f * static_cast<float>(g_row);
      EXPECT_TRUE(three_ways_agree(f.calc, kMachineCode && ctlcalc_access::code(f.calc)[0].op != op_null)) << text << " row " << g_row;
      ++compared;
    }
  }
  EXPECT_GE(compared, 40 * formula_set::kRows);
}

// Long code: past 16383 instructions, step numbers no longer fit a branch
// target and the conditionals choose between both values instead.
TEST(FastLoop, LongCodeWithBranchesGivesTheHandlersBits) {
  std::string text = "0";
  for (int i = 0; i < 2000; ++i) text += i % 2 ? " + (a > b ? a * 2 : b * 3)" : " - (a < c ? c / 3 : a - 1)";
  std::vector<char> buffer(text.size() + 1);
  std::vector<codeentry> code(vt::formula::kMaxCodeEntries);
  ctlcalc calc(buffer.data(), code.data(), static_cast<std::uint32_t>(buffer.size()), vt::formula::kMaxCodeEntries);
  calc.setfunctions(harness::get_name, harness::get_value, nullptr);
  calc.settext(text.c_str());
  ASSERT_EQ(1, calc.compile()) << calc.geterror();
  ASSERT_GT(calc.getcodelen(), 16384u);
  for (float a : {-1.0f, 0.5f, 7.0f}) {
    harness::set_default_signals();
    harness::g_signals.f[1] = a;
    float fast = calc.eval(), reference = ctlcalc_access::run_reference(calc);
    EXPECT_EQ(harness::bits(reference), harness::bits(fast)) << a;
  }
}

// Every build gives the same bits: the values of the benchmark set on all
// rows are kept in a file made by one build and checked by all of them.
// VELTRA_GOLDEN_OUT=file writes this build's values instead.
TEST(FastLoop, BenchmarkSetValuesAreTheSameInEveryBuild) {
  std::string path = std::string(VELTRA_TEST_DATA) + "/formula/data/benchmark_set_values.txt";
  std::ostringstream actual;
  for (const formula_set::Entry& e : formula_set::kFormulas) {
    harness::Formula f;
    f.calc.setfunctions(set_names, set_values, nullptr);
    ASSERT_EQ(1, f.compile(e.ours)) << e.ours;
    for (g_row = 0; g_row < formula_set::kRows; ++g_row) {
      char line[32];
      std::snprintf(line, sizeof line, "%08x", harness::bits(f.calc.eval()));
      actual << line << (g_row + 1 < formula_set::kRows ? ' ' : '\n');
    }
  }
  if (const char* out = std::getenv("VELTRA_GOLDEN_OUT")) {
    std::ofstream(out) << actual.str();
    return;
  }
  std::ifstream in(path);
  ASSERT_TRUE(in) << path;
  std::stringstream expected;
  expected << in.rdbuf();
  std::istringstream want(expected.str()), got(actual.str());
  std::string want_line, got_line;
  for (const formula_set::Entry& e : formula_set::kFormulas) {
    std::getline(want, want_line);
    std::getline(got, got_line);
    EXPECT_EQ(want_line, got_line) << e.ours;
  }
}

}  // namespace
