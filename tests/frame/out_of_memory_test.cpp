// Out of memory at every allocation of an export gives the export's failure
// result, never an exception through the C boundary: each call is repeated
// with its first, second, ... allocation failing until it runs without a
// failure, and then it must give its ordinary result.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "failing_new.h"
#include "veltra/ctlcalc.h"
#include "veltra/ctlcalc_c.h"
#include "veltra/print.h"

namespace {
int g_countdown = 0;  // 0: no failure armed
bool g_failed = false;

void* allocate(std::size_t n) {
  if (g_countdown > 0 && --g_countdown == 0) {
    g_failed = true;
    throw std::bad_alloc();
  }
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t n) { return allocate(n); }
void* operator new[](std::size_t n) { return allocate(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  try {
    return allocate(n);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace vt_test {

bool run_failing_at(int n, const std::function<void()>& call) {
  g_failed = false;
  g_countdown = n;
  call();
  g_countdown = 0;
  return g_failed;
}

}  // namespace vt_test

namespace {

constexpr int kMaxAllocations = 100000;

// Runs call under every failing allocation in turn; `failed` checks the
// result of a call whose allocation failed, `succeeded` the one that ran
// through. Returns the number of allocations the call makes.
template <typename Call, typename Failed, typename Succeeded>
int each_failing_allocation(Call call, Failed failed, Succeeded succeeded) {
  for (int n = 1; n < kMaxAllocations; ++n) {
    bool hit = vt_test::run_failing_at(n, call);
    if (!hit) {
      succeeded();
      return n - 1;
    }
    failed(n);
  }
  ADD_FAILURE() << "no end of allocations";
  return kMaxAllocations;
}

// A formula whose parse takes many nodes, memo entries and walk cells.
std::string long_formula() {
  std::string text = "1";
  for (int i = 0; i < 300; ++i) text += i % 3 ? " + (a > " + std::to_string(i) + " ? sin(a) : b * 2)" : " - c ^ 2";
  return text;
}

std::int16_t names(const char* name, std::int16_t type) {
  return static_cast<std::int16_t>(type == 1 && name[1] == '\0' ? name[0] - 'a' : -1);
}
std::int16_t handle_names(void*, const char* name, std::int16_t type) { return names(name, type); }

std::uint32_t bits(float f) {
  std::uint32_t u;
  std::memcpy(&u, &f, sizeof u);
  return u;
}

// What a compile left: its result, error, code length and value.
struct Outcome {
  int result, error, code_length;
  std::uint32_t value;
};

Outcome outcome(ctlcalc& calc, int result) {
  return {result, calc.geterror(), static_cast<int>(calc.getcodelen()), bits(calc.eval())};
}

// A compile that met a failing allocation either fails with the memory
// error and empty code (evaluating to 0.0), or succeeded without the
// optional machine code (its generator gives up on any failure) and is the
// ordinary compile. This is the first compile of the process, so the
// parser's workspace grows during it.
TEST(OutOfMemory, FormulaCompileFailsWithTheMemoryErrorOrWithoutMachineCode) {
  const std::string text = long_formula();
  static char buffer[16384];
  static codeentry code[8192];
  ctlcalc calc(buffer, code, sizeof buffer, 8192);
  calc.setfunctions(names, nullptr, nullptr);
  calc.settext(text.c_str());
  std::int16_t result = -1;
  std::vector<Outcome> failed;
  Outcome ordinary{};
  each_failing_allocation([&] { result = calc.compile(); }, [&](int) { failed.push_back(outcome(calc, result)); },
                          [&] { ordinary = outcome(calc, result); });
  ASSERT_EQ(1, ordinary.result);
  int refused = 0;
  for (std::size_t i = 0; i < failed.size(); ++i) {
    const Outcome& o = failed[i];
    if (o.result == 0) {
      ++refused;
      EXPECT_EQ(31, o.error) << "allocation " << i + 1;
      EXPECT_EQ(1, o.code_length) << "allocation " << i + 1;  // the terminator alone
      EXPECT_EQ(0u, o.value) << "allocation " << i + 1;
    } else {
      EXPECT_EQ(0, std::memcmp(&o, &ordinary, sizeof o)) << "allocation " << i + 1;
    }
  }
  EXPECT_GT(refused, 0);
}

TEST(OutOfMemory, HandleApiGivesNullOrZero) {
  const std::string text = long_formula();
  CalcHandle* h = nullptr;
  int compiled = -1;
  std::uint32_t value = 0;
  std::vector<std::pair<int, std::uint32_t>> failed;
  each_failing_allocation(
      [&] {
        h = CalcCreate(16384, 8192);
        compiled = h && CalcSetCallbacks(h, handle_names, nullptr, nullptr) && CalcSetText(h, text.c_str())
                       ? CalcCompile(h)
                       : -1;
      },
      [&](int) {
        if (compiled == 0) {
          EXPECT_EQ(31, CalcGetError(h));
        }
        failed.push_back({compiled, compiled == 1 ? bits(CalcEval(h)) : 0});
        CalcDestroy(h);
      },
      [&] {
        EXPECT_EQ(1, compiled);
        value = bits(CalcEval(h));
        CalcDestroy(h);
      });
  for (const auto& f : failed) {
    if (f.first == 1) {
      EXPECT_EQ(value, f.second);
    }
  }
}

TEST(OutOfMemory, ColumnDetectionFindsNoColumns) {
  std::FILE* f = std::tmpfile();
  ASSERT_TRUE(f);
  std::fputs("Name     Wert    Einheit\n", f);
  for (int i = 0; i < 50; ++i) std::fprintf(f, "Pumpe%-4d%-8d bar\n", i, i * 7);
  int starts[128];
  int found = -1, header = -1;
  each_failing_allocation(
      [&] {
        header = -1;
        found = DetectColumns(f, starts, &header, nullptr);
      },
      [&](int n) {
        ASSERT_EQ(0, found) << "allocation " << n;
        for (int s : starts) ASSERT_EQ(-1, s);
      },
      [&] {
        EXPECT_EQ(3, found);
        EXPECT_EQ(0, header);
      });
  std::fclose(f);
}

}  // namespace
