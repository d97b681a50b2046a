// Whole columns against eval row by row: every formula of the benchmark set
// and of the fuzzer's seed corpus, over rows of ordinary and extreme values
// (NaN, infinities, signed zeros, subnormals, values past the limit, odd
// Boolean bit patterns), must give per row the bits eval gives with a value
// callback that reads the same arrays. Then the refusals: what the column
// call does with input it cannot run.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "../../bench/formula_set.h"
#include "harness.h"
#include "veltra/ctlcalc_c.h"

namespace {

// Variables: the harness's a, b, c, t (1-4) and p, q, r (10-12); the
// benchmark's s0-s9 (20-29) and k0-k2 (30-32).
constexpr int kVariables = 33;
// More rows than one block holds, and no multiple of the SIMD width.
constexpr std::uint32_t kRows = 611;

struct Table {
  std::vector<std::vector<float>> f = std::vector<std::vector<float>>(kVariables, std::vector<float>(kRows));
  std::vector<std::vector<std::int16_t>> b =
      std::vector<std::vector<std::int16_t>>(kVariables, std::vector<std::int16_t>(kRows));
  std::vector<const float*> floats;
  std::vector<const std::int16_t*> booleans;

  Table() {
    const float extremes[] = {NAN, INFINITY, -INFINITY, 0.0f, -0.0f, FLT_MIN / 4, 1e30f, -1e30f, 1e24f,
                              FLT_MAX, 3.0f, -2.0f, 1.0f};
    const std::int16_t odd_booleans[] = {0, 1, -1, 0x100, -32768, 2};
    std::uint32_t seed = 12345;
    for (std::uint32_t r = 0; r < kRows; ++r)
      for (int v = 0; v < kVariables; ++v) {
        seed = seed * 1103515245u + 12345u;
        const std::uint32_t pick = seed >> 16;
        if (r < formula_set::kRows && v >= 20 && v < 30) f[v][r] = formula_set::kFloatRows[r][v - 20];
        else if (pick % 7 == 0) f[v][r] = extremes[pick / 7 % (sizeof extremes / sizeof *extremes)];
        else f[v][r] = static_cast<float>(static_cast<int>(pick % 2001) - 1000) / 8.0f;
        if (r < formula_set::kRows && v >= 30) b[v][r] = formula_set::kBoolRows[r][v - 30] != 0;
        else b[v][r] = odd_booleans[pick / 3 % (sizeof odd_booleans / sizeof *odd_booleans)];
      }
    for (int v = 0; v < kVariables; ++v) {
      floats.push_back(f[v].data());
      booleans.push_back(b[v].data());
    }
  }
};

const Table* g_table;
std::uint32_t g_row;

std::int16_t names(const char* name, std::int16_t type) {
  using namespace formula_set;
  for (int i = 0; i < kFloatSignals; ++i)
    if (type == 1 && std::strcmp(name, kFloatNames[i]) == 0) return static_cast<std::int16_t>(20 + i);
  for (int i = 0; i < kBoolSignals; ++i)
    if (type == 4 && std::strcmp(name, kBoolNames[i]) == 0) return static_cast<std::int16_t>(30 + i);
  return harness::get_name(name, type);
}

// The callback that reads the columns: a Boolean as the cell of a Boolean
// constant with the same 16 bits.
float column_value(std::int16_t index, std::int16_t type) {
  if (type == 4) {
    const std::uint32_t cell = static_cast<std::uint32_t>(static_cast<std::int32_t>(g_table->b[index][g_row]));
    float v;
    std::memcpy(&v, &cell, 4);
    return v;
  }
  return g_table->f[index][g_row];
}

TEST(Columns, GiveEvalsBitsRowByRow) {
  static const Table table;
  g_table = &table;
  std::vector<std::string> texts = harness::corpus();
  for (const formula_set::Entry& e : formula_set::kFormulas) texts.push_back(e.ours);
  // the built-ins and a deep stack (small blocks) too
  texts.push_back("x * xl - yh / y + a");
  std::string deep = "a";
  for (int i = 0; i < 120; ++i) deep = "(b - " + deep;
  deep += std::string(120, ')');
  texts.push_back(deep);
  int compared = 0;
  std::vector<float> results(kRows);
  for (const std::string& text : texts) {
    harness::Formula f;
    f.calc.setfunctions(names, column_value, nullptr);
    f.calc.x = 2.5f, f.calc.xl = -0.0f, f.calc.y = 3.0f, f.calc.yh = NAN;
    if (!f.compile(text)) continue;
    ASSERT_EQ(1, f.calc.evalcolumns(table.floats.data(), kVariables, table.booleans.data(), kVariables,
                                    results.data(), kRows))
        << text;
    for (g_row = 0; g_row < kRows; ++g_row) {
      const float row = f.calc.eval();
      // every bit, except that any NaN matches any NaN (payloads are not
      // part of the value rules)
      if (!(std::isnan(row) && std::isnan(results[g_row]))) {
        ASSERT_EQ(harness::bits(row), harness::bits(results[g_row])) << text << " row " << g_row;
      }
    }
    ++compared;
  }
  EXPECT_GE(compared, 40);
}

TEST(Columns, RefuseWhatTheyCannotRunAndNeverWritePastTheRows) {
  static const Table table;
  std::vector<const float*> floats(table.floats);
  std::vector<const float*> no_s0(table.floats);
  no_s0[20] = nullptr;
  const std::int16_t* const* booleans = table.booleans.data();
  constexpr float kUntouched = 123.0f;
  struct Case {
    const char* what;
    const char* text;
    const float* const* floats;
    std::uint32_t float_count, boolean_count, rows;
    int result;
    float first;  // results[0] afterwards; row 0 has s0 = 3.5, s1 = 2
  };
  const Case cases[] = {
      {"an ordinary call", "s0 * 2", floats.data(), kVariables, kVariables, 5, 1, 7.0f},
      {"zero rows", "s0 * 2", floats.data(), kVariables, kVariables, 0, 1, kUntouched},
      {"a null column the code reads", "s0 * 2", no_s0.data(), kVariables, kVariables, 5, 0, kUntouched},
      {"a null column the code does not read", "s1 * 2", no_s0.data(), kVariables, kVariables, 5, 1, 4.0f},
      {"an index past the columns", "s9 + 1", floats.data(), 29, kVariables, 5, 0, kUntouched},
      {"no columns at all", "s0", nullptr, 0, 0, 5, 0, kUntouched},
      {"no variables read", "2 + 3", nullptr, 0, 0, 5, 1, 5.0f},
      {"empty code", "", nullptr, 0, 0, 5, 1, 0.0f},
      {"a Boolean index past the columns", "k0 und k1", floats.data(), kVariables, 31, 5, 0, kUntouched},
  };
  for (const Case& c : cases) {
    harness::Formula f;
    f.calc.setfunctions(names, nullptr, nullptr);
    ASSERT_EQ(1, f.compile(c.text)) << c.what;
    std::vector<float> results(8, kUntouched);
    EXPECT_EQ(c.result, f.calc.evalcolumns(c.floats, c.float_count, booleans, c.boolean_count, results.data(), c.rows))
        << c.what;
    EXPECT_EQ(harness::bits(c.first), harness::bits(results[0])) << c.what;
    for (std::uint32_t r = c.rows; r < results.size(); ++r) EXPECT_EQ(kUntouched, results[r]) << c.what;
  }

  // Null results; a null handle; attached code that fails the check gives
  // 0.0 on every row, as eval does; results that are the column read.
  harness::Formula f;
  f.calc.setfunctions(names, nullptr, nullptr);
  ASSERT_EQ(1, f.compile("s0 * 2"));
  EXPECT_EQ(0, f.calc.evalcolumns(floats.data(), kVariables, booleans, kVariables, nullptr, 5));
  float out[3] = {1, 1, 1};
  EXPECT_EQ(0, CalcEvalColumns(nullptr, floats.data(), kVariables, booleans, kVariables, out, 3));
  std::vector<float> apart(kRows), in_place(table.f[20]);
  ASSERT_EQ(1, f.calc.evalcolumns(floats.data(), kVariables, booleans, kVariables, apart.data(), kRows));
  floats[20] = in_place.data();
  EXPECT_EQ(1, f.calc.evalcolumns(floats.data(), kVariables, booleans, kVariables, in_place.data(), kRows));
  EXPECT_EQ(0, std::memcmp(apart.data(), in_place.data(), kRows * sizeof(float)));
  codeentry unbalanced[3] = {};
  unbalanced[0].op = op_plus;
  f.calc.setcode(unbalanced, 3);
  EXPECT_EQ(1, f.calc.evalcolumns(floats.data(), kVariables, booleans, kVariables, out, 3));
  EXPECT_EQ(0.0f, out[0] + out[1] + out[2]);
}

}  // namespace
