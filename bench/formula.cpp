// Evaluation and compile speed of the formula engine against muparser, the
// same formulas and values fed to both. For each formula of the set it first
// checks that both give the same result (within single-precision rounding)
// on every row of values, then prints the time per evaluation and per
// compile of each and the ratio (muparser time / ctlcalc time, so above 1
// means ctlcalc is faster), with the geometric means. Every contender puts
// its result into the same volatile sink. Two more pairs of columns: the
// hand-written floor of a formula (formula_floor.h; it must give eval's
// bits), where the set has one, and its ratio to eval (floor time / eval
// time); the column entry's time per row over kColumnRows rows (it must
// give eval's bits on each) and its ratio to eval (eval time / column time
// per row, the speed-up), with its geometric mean over the whole set and over
// the formulas whose code calls a math function or the power (targets: 5
// and 4). It also counts heap allocations during
// evaluation and column calls, which must stay 0.
//
// muparser has no "mod", "int", "rad", "deg" and "sqr" and no "and"/"or"
// words: it gets custom functions for them (fmod, truncation toward zero,
// the angle factors, the square) and its own "&&", "||", "!".
#include <muParser.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "formula_floor.h"
#include "formula_set.h"
#include "thread_clock.h"
#include "live_formulas.h"
#include "port/fp_state.h"
#include "formula/access.h"
#include "veltra/ctlcalc.h"

using namespace formula_set;

// True when the compiled code calls a math function (ln to asin) or the power.
static bool calls_math(const ctlcalc& calc) {
  const codeentry* code = ctlcalc_access::code(calc);
  for (std::uint32_t i = 0; i < ctlcalc_access::codesize(calc) && code[i].op != op_null; ++i)
    if ((code[i].op >= op_log && code[i].op <= op_asin) || code[i].op == op_pot) return true;
  return false;
}

// Every heap allocation of the process is counted.
static unsigned long g_allocations = 0;
void* operator new(std::size_t n) {
  ++g_allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr int kTextSize = 512;
constexpr int kCodeEntries = 256;
constexpr double kMinSeconds = 0.01;  // per timing run
constexpr int kAllocationProbe = 10000;  // evaluations watched for heap use
constexpr int kRuns = 7;              // best of (the machine may be busy)
constexpr int kColumnRows = 1000;     // rows of one column call

// Every contender's result goes here, the same store for each.
volatile double g_sink;

float g_cells[kFloatSignals + kBoolSignals];
double g_peer_vars[kFloatSignals + kBoolSignals];

std::int16_t name_of(const char* name, std::int16_t type) {
  const char* const* names = type == 1 ? kFloatNames : kBoolNames;
  int n = type == 1 ? kFloatSignals : kBoolSignals;
  for (int i = 0; i < n; ++i)
    if (std::strcmp(name, names[i]) == 0) return static_cast<std::int16_t>(type == 1 ? i : kFloatSignals + i);
  return -1;
}

float value_of(std::int16_t index, std::int16_t) { return g_cells[index]; }

// The rows of the set repeated down whole columns, indexed like the cells.
struct ColumnTable {
  std::vector<float> f[kFloatSignals];
  std::vector<std::int16_t> b[kBoolSignals];
  const float* floats[kFloatSignals + kBoolSignals] = {};
  const std::int16_t* booleans[kFloatSignals + kBoolSignals] = {};
  ColumnTable() {
    for (int i = 0; i < kFloatSignals; ++i) {
      for (int r = 0; r < kColumnRows; ++r) f[i].push_back(kFloatRows[r % kRows][i]);
      floats[i] = f[i].data();
    }
    for (int i = 0; i < kBoolSignals; ++i) {
      for (int r = 0; r < kColumnRows; ++r) b[i].push_back(kBoolRows[r % kRows][i] != 0);
      booleans[kFloatSignals + i] = b[i].data();
    }
  }
};

void load_row(int row) {
  for (int i = 0; i < kFloatSignals; ++i) g_cells[i] = g_peer_vars[i] = kFloatRows[row][i];
  for (int i = 0; i < kBoolSignals; ++i) {
    std::uint32_t bits = kBoolRows[row][i] != 0 ? 1u : 0u;  // Boolean in the low half
    std::memcpy(&g_cells[kFloatSignals + i], &bits, 4);
    g_peer_vars[kFloatSignals + i] = kBoolRows[row][i];
  }
}

double peer_mod(double a, double b) { return b == 0 ? 0 : std::fmod(a, b); }
double peer_int(double a) { return a >= 0 ? std::floor(a) : -std::floor(-a); }
double peer_rad(double a) { return a * 0.01745329238474369; }
double peer_deg(double a) { return a * 57.295780181884766; }
double peer_sqr(double a) { return a * a; }
double peer_not(double a) { return a == 0 ? 1 : 0; }

void setup_peer(mu::Parser& p) {
  for (int i = 0; i < kFloatSignals; ++i) p.DefineVar(kFloatNames[i], &g_peer_vars[i]);
  for (int i = 0; i < kBoolSignals; ++i) p.DefineVar(kBoolNames[i], &g_peer_vars[kFloatSignals + i]);
  p.DefineFun("mod", peer_mod);
  p.DefineFun("int", peer_int);
  p.DefineFun("rad", peer_rad);
  p.DefineFun("deg", peer_deg);
  p.DefineFun("sqr", peer_sqr);
  p.DefineInfixOprt("!", peer_not);
}

template <class F>
double seconds_for(F& f, long n) {
  double t0 = thread_seconds();
  for (long i = 0; i < n; ++i) f();
  return thread_seconds() - t0;
}

// A call count that takes at least kMinSeconds.
template <class F>
long calibrate(F& f) {
  long n = 1;
  while (seconds_for(f, n) < kMinSeconds) n *= 2;
  return n;
}

// Seconds per call of each contender, each the best of kRuns runs taken in
// turns, so that a busy machine slows all alike.
template <class... F>
std::array<double, sizeof...(F)> time_turns(F&&... f) {
  const std::array<long, sizeof...(F)> n = {calibrate(f)...};
  std::array<double, sizeof...(F)> best;
  best.fill(1e30);
  for (int r = 0; r < kRuns; ++r) {
    std::size_t i = 0;
    ((best[i] = std::min(best[i], seconds_for(f, n[i]) / n[i]), ++i), ...);
  }
  return best;
}

std::uint32_t bits_of(float f) {
  std::uint32_t u;
  std::memcpy(&u, &f, 4);
  return u;
}

bool agree(double ours, double peer) {
  if (std::isnan(ours) || std::isnan(peer)) return std::isnan(ours) && std::isnan(peer);
  return std::fabs(ours - peer) <= 1e-4 * std::max(1.0, std::fabs(peer));
}

// What eval's floating-point guard adds per call in a host that keeps the
// library's state: a loop of guards against the same loop without.
double guard_seconds() {
  auto guarded = [] {
    vt::port::FpGuard guard;
    asm volatile("" ::: "memory");
  };
  auto bare = [] { asm volatile("" ::: "memory"); };
  const auto t = time_turns(guarded, bare);
  return std::max(0.0, t[0] - t[1]);
}

// muparser's side of the live-formulas table: one parser per formula with
// its four signals bound, the bytecode made by a first evaluation.
std::vector<std::unique_ptr<mu::Parser>> g_live_parsers;

bool build_live_parsers(const std::vector<live_formulas::Spec>& specs) {
  g_live_parsers.clear();
  try {
    for (const live_formulas::Spec& s : specs) {
      auto p = std::make_unique<mu::Parser>();
      for (int k : s.signal) p->DefineVar("a" + std::to_string(k), &live_formulas::g_peer_signal[k]);
      p->SetExpr(s.text);
      p->Eval();
      g_live_parsers.push_back(std::move(p));
    }
  } catch (const mu::Parser::exception_type& err) {
    std::printf("muparser: %s\n", err.GetMsg().c_str());
    return false;
  }
  return true;
}

}  // namespace

// The floor gets the value callback through this pointer, as eval does
// through the object: the compiler cannot see which function it calls.
ctlcalc_getvalue g_floor_value = value_of;

int main() {
  char text[kTextSize];
  codeentry code[kCodeEntries];
  ctlcalc calc(text, code, kTextSize, kCodeEntries);
  calc.setfunctions(name_of, value_of, nullptr);

  std::printf("ctlcalc against muparser %s (peer: custom mod/int/rad/deg/sqr, &&/||/! for and/or/not)\n",
              mu::ParserVersion.c_str());
  std::printf("%-48s %9s %9s %7s   %9s %9s %7s   %9s %7s   %9s %7s\n", "formula", "eval ns", "peer ns", "ratio",
              "compile ns", "peer ns", "ratio", "floor ns", "ratio", "column ns", "ratio");
  const ColumnTable columns;
  std::vector<float> column_results(kColumnRows);
  auto run_columns = [&] {
    return calc.evalcolumns(columns.floats, kFloatSignals + kBoolSignals, columns.booleans,
                            kFloatSignals + kBoolSignals, column_results.data(), kColumnRows);
  };
  double log_eval = 0, log_compile = 0, log_floor = 0, log_columns = 0, log_math_columns = 0, worst = 1e30;
  int count = 0, floors = 0, failures = 0, math_count = 0;
  unsigned long eval_allocations = 0;
  for (const Entry& e : kFormulas) {
    calc.settext(e.ours);
    if (!calc.compile()) {
      std::printf("%-48s does not compile: error %d\n", e.ours, calc.geterror());
      ++failures;
      continue;
    }
    mu::Parser peer;
    setup_peer(peer);
    try {
      peer.SetExpr(e.peer);
      peer.Eval();
    } catch (const mu::Parser::exception_type& err) {
      std::printf("%-48s muparser refuses %s: %s\n", e.ours, e.peer, err.GetMsg().c_str());
      ++failures;
      continue;
    }
    bool same = true;
    for (int row = 0; row < kRows && same; ++row) {
      load_row(row);
      double a = calc.eval(), b = peer.Eval();
      if (!agree(a, b)) {
        std::printf("%-48s results differ on row %d: %.9g against %.9g\n", e.ours, row, a, b);
        same = false;
      }
    }
    float (*const floor)(ctlcalc_getvalue) = formula_floor::find(e.ours);
    for (int row = 0; row < kRows && same && floor; ++row) {
      load_row(row);
      float a = calc.eval(), b = floor(g_floor_value);
      if (bits_of(a) != bits_of(b)) {
        std::printf("%-48s the floor differs on row %d: %.9g against %.9g\n", e.ours, row, b, a);
        same = false;
      }
    }
    same = same && run_columns() == 1;
    for (int row = 0; row < kColumnRows && same; ++row) {
      load_row(row % kRows);
      float a = calc.eval();
      if (bits_of(a) != bits_of(column_results[row])) {
        std::printf("%-48s the columns differ on row %d: %.9g against %.9g\n", e.ours, row, column_results[row], a);
        same = false;
      }
    }
    if (!same) {
      ++failures;
      continue;
    }
    load_row(0);
    unsigned long before = g_allocations;
    for (int i = 0; i < kAllocationProbe; ++i) g_sink = calc.eval();
    for (int i = 0; i < kAllocationProbe / kColumnRows; ++i) g_sink = run_columns();
    eval_allocations += g_allocations - before;
    auto eval = [&] { g_sink = calc.eval(); };
    auto peer_eval = [&] { g_sink = peer.Eval(); };
    auto column_eval = [&] {
      run_columns();
      g_sink = column_results[kColumnRows - 1];
    };
    double ours, theirs, floor_time = 0, column_time;
    if (floor) {
      auto t = time_turns(eval, peer_eval, column_eval, [&] { g_sink = floor(g_floor_value); });
      ours = t[0], theirs = t[1], column_time = t[2] / kColumnRows, floor_time = t[3];
    } else {
      auto t = time_turns(eval, peer_eval, column_eval);
      ours = t[0], theirs = t[1], column_time = t[2] / kColumnRows;
    }
    // the peer turns text into bytecode at the first Eval after SetExpr
    auto [ours_c, theirs_c] = time_turns(
        [&] {
          calc.settext(e.ours);
          g_sink = calc.compile();
        },
        [&] {
          peer.SetExpr(e.peer);
          g_sink = peer.Eval();
        });
    double r = theirs / ours, rc = theirs_c / ours_c;
    std::printf("%-48s %9.1f %9.1f %7.2f   %9.1f %9.1f %7.2f", e.ours, ours * 1e9, theirs * 1e9, r,
                ours_c * 1e9, theirs_c * 1e9, rc);
    if (floor) {
      std::printf("   %9.1f %7.2f", floor_time * 1e9, floor_time / ours);
      log_floor += std::log(floor_time / ours);
      ++floors;
    } else {
      std::printf("   %9s %7s", "-", "-");
    }
    std::printf("   %9.2f %7.2f\n", column_time * 1e9, ours / column_time);
    log_columns += std::log(ours / column_time);
    calc.settext(e.ours);
    calc.compile();
    if (calls_math(calc)) log_math_columns += std::log(ours / column_time), ++math_count;
    log_eval += std::log(r);
    log_compile += std::log(rc);
    worst = std::min(worst, r);
    ++count;
  }
  if (count) {
    std::printf("%-48s %9s %9s %7.2f   %9s %9s %7.2f   %9s %7.2f   %9s %7.2f\n", "geometric mean", "", "",
                std::exp(log_eval / count), "", "", std::exp(log_compile / count), "",
                floors ? std::exp(log_floor / floors) : 0.0, "", std::exp(log_columns / count));
    std::printf("slowest evaluation ratio: %.2f\n", worst);
    const double all = std::exp(log_columns / count);
    const double math = math_count ? std::exp(log_math_columns / math_count) : 0.0;
    std::printf("columns per row against eval, geometric mean: all %d formulas %.2fx (target 5) %s, "
                "the %d with math functions or powers %.2fx (target 4) %s\n",
                count, all, all >= 5 ? "ok" : "BELOW TARGET", math_count, math, math >= 4 ? "ok" : "BELOW TARGET");
  }
  std::printf("floating-point guard per eval: %.2f ns\n", guard_seconds() * 1e9);
  std::printf("heap allocations during evaluation and column calls: %lu\n", eval_allocations);
  std::printf("formulas: %d timed, %d failed\n", count, failures);
  const live_formulas::Peer peer = {"muparser", build_live_parsers,
                                    [] {
                                      for (auto& p : g_live_parsers) live_formulas::g_sink = static_cast<float>(p->Eval());
                                    },
                                    [](int i) { return g_live_parsers[i]->Eval(); }};
  const bool live_ok = live_formulas::print_table(&peer);
  g_live_parsers.clear();
  return failures || eval_allocations || !live_ok ? 1 : 0;
}
