// Evaluation per row and on two threads, the way a host uses the engine:
// every formula of the benchmark set compiled into its own live object.
//
// First table, per formula: eval's time per row with machine code and on
// the interpreter, and the hand-written floor of the formula (formula_floor.h,
// the same callback contract) in the same run, with the ratio floor / eval
// (1.0 would be as fast as the floor). Run it against two builds of the
// library to compare them: the floor is the yardstick that both runs share.
//
// Second table: rows per second of the whole set, evaluated row by row
// (eval) and by columns (evalcolumns), on one thread and on two threads at
// once, each thread with objects of its own; the ratio is two threads' rows
// per second over one thread's (2.0 is perfect scaling on two free cores).
// On a machine that others share, wall-clock scaling says little, so each
// line also gives the rows per second of processor time the threads got,
// and its ratio: 1.0 means that running beside each other cost the threads
// nothing (no lock, no cache line they both write).
//
// The per-row times are the best of several runs taken in turns: natively
// of the measuring thread's processor time; on Windows, whose thread clock
// moves in steps of 10 to 16 ms, of many short wall-clock runs, the best
// of which ran without being put aside.
//
// Built natively with the other benchmarks and in the Windows builds
// (build/win32/bench_formula_threads.exe, run under wine). With --rows only
// the first table is printed.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <thread>
#include <vector>

#include "formula_floor.h"
#include "formula_set.h"
#include "thread_clock.h"
#include "veltra/ctlcalc.h"

using namespace formula_set;

namespace {

constexpr int kTextSize = 512;
constexpr int kCodeEntries = 256;
#if defined(_WIN32)
constexpr int kRuns = 25;
constexpr double kMinSeconds = 0.002;
#else
constexpr int kRuns = 7;
constexpr double kMinSeconds = 0.02;
#endif
constexpr std::uint32_t kColumnRows = 4096;

// The row each thread's value callback reads (callbacks take no context).
thread_local const float* t_cells;
float value_of(std::int16_t index, std::int16_t) { return t_cells[index]; }

std::int16_t name_of(const char* name, std::int16_t type) {
  const char* const* names = type == 1 ? kFloatNames : kBoolNames;
  const int n = type == 1 ? kFloatSignals : kBoolSignals;
  for (int i = 0; i < n; ++i)
    if (std::strcmp(name, names[i]) == 0) return static_cast<std::int16_t>(type == 1 ? i : kFloatSignals + i);
  return -1;
}

// Row r of the set as the value callback's cells (Booleans in the low half).
std::vector<float> cells_of_row(int r) {
  std::vector<float> cells(kFloatSignals + kBoolSignals);
  for (int i = 0; i < kFloatSignals; ++i) cells[i] = kFloatRows[r][i];
  for (int i = 0; i < kBoolSignals; ++i) {
    const std::uint32_t bits = kBoolRows[r][i] != 0 ? 1u : 0u;
    std::memcpy(&cells[kFloatSignals + i], &bits, 4);
  }
  return cells;
}

// One live object per formula, with its buffers.
struct Live {
  char text[kTextSize];
  codeentry code[kCodeEntries];
  ctlcalc calc{text, code, kTextSize, kCodeEntries};
};

std::vector<std::unique_ptr<Live>> compile_set() {
  std::vector<std::unique_ptr<Live>> set;
  for (const Entry& e : kFormulas) {
    auto live = std::make_unique<Live>();
    live->calc.setfunctions(name_of, value_of, nullptr);
    live->calc.settext(e.ours);
    if (live->calc.compile()) set.push_back(std::move(live));
  }
  return set;
}

// The set's rows down whole columns, indexed like the cells.
struct Columns {
  std::vector<float> f[kFloatSignals];
  std::vector<std::int16_t> b[kBoolSignals];
  const float* floats[kFloatSignals + kBoolSignals] = {};
  const std::int16_t* booleans[kFloatSignals + kBoolSignals] = {};
  Columns() {
    for (int i = 0; i < kFloatSignals; ++i) {
      for (std::uint32_t r = 0; r < kColumnRows; ++r) f[i].push_back(kFloatRows[r % kRows][i]);
      floats[i] = f[i].data();
    }
    for (int i = 0; i < kBoolSignals; ++i) {
      for (std::uint32_t r = 0; r < kColumnRows; ++r) b[i].push_back(kBoolRows[r % kRows][i] != 0);
      booleans[kFloatSignals + i] = b[i].data();
    }
  }
};

volatile float g_sink;

double now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

template <class F>
double seconds_for(F& f, long n) {
#if defined(_WIN32)
  const double t0 = now();
  for (long i = 0; i < n; ++i) f();
  return now() - t0;
#else
  const double t0 = thread_seconds();
  for (long i = 0; i < n; ++i) f();
  return thread_seconds() - t0;
#endif
}

// Seconds per call of each contender, the best of kRuns runs taken in turns.
template <class... F>
std::vector<double> time_turns(F&&... f) {
  std::vector<long> n;
  auto calibrate = [](auto& g) {
    long k = 1;
    while (seconds_for(g, k) < kMinSeconds) k *= 2;
    return k;
  };
  (n.push_back(calibrate(f)), ...);
  std::vector<double> best(sizeof...(F), 1e30);
  for (int r = 0; r < kRuns; ++r) {
    std::size_t i = 0;
    ((best[i] = std::min(best[i], seconds_for(f, n[i]) / n[i]), ++i), ...);
  }
  return best;
}

void per_row_table() {
  auto set = compile_set();
  const std::vector<float> row = cells_of_row(0);
  t_cells = row.data();
  std::printf("%-48s %9s %9s %9s %7s\n", "formula", "native ns", "interp ns", "floor ns", "ratio");
  double log_ratio = 0, log_native = 0, log_interp = 0;
  int floors = 0, count = 0;
  for (auto& live : set) {
    ctlcalc& c = live->calc;
    const char* text = c.gettext();
    float (*const floor)(ctlcalc_getvalue) = formula_floor::find(text);
    ctlcalc interp;
    interp = c;
    interp.setnative(0);
    auto native_eval = [&] { g_sink = c.eval(); };
    auto interp_eval = [&] { g_sink = interp.eval(); };
    ctlcalc_getvalue get = value_of;
    auto floor_eval = [&] { g_sink = floor(get); };
    double tn, ti, tf = 0;
    if (floor) {
      const auto t = time_turns(native_eval, interp_eval, floor_eval);
      tn = t[0], ti = t[1], tf = t[2];
    } else {
      const auto t = time_turns(native_eval, interp_eval);
      tn = t[0], ti = t[1];
    }
    log_native += std::log(tn), log_interp += std::log(ti), ++count;
    if (floor) {
      std::printf("%-48s %9.2f %9.2f %9.2f %7.2f\n", text, tn * 1e9, ti * 1e9, tf * 1e9, tf / tn);
      log_ratio += std::log(tf / tn), ++floors;
    } else {
      std::printf("%-48s %9.2f %9.2f %9s %7s\n", text, tn * 1e9, ti * 1e9, "-", "-");
    }
  }
  std::printf("%-48s %9.2f %9.2f %9s %7.2f\n", "geometric mean", std::exp(log_native / count) * 1e9,
              std::exp(log_interp / count) * 1e9, "", floors ? std::exp(log_ratio / floors) : 0.0);
}

struct Rate {
  double per_second;      // rows per second of wall-clock time
  double per_cpu_second;  // rows per second of the threads' processor time
};

// The rows of `threads` threads at once, each evaluating the whole set on
// objects of its own for kSeconds.
Rate rows_per_second(int threads, bool by_columns, const Columns& columns) {
  constexpr double kSeconds = 0.3;
  std::atomic<int> ready{0};
  std::atomic<bool> go{false}, stop{false};
  std::vector<double> rows(threads, 0), cpu(threads, 0);
  std::vector<std::thread> pool;
  for (int t = 0; t < threads; ++t)
    pool.emplace_back([&, t] {
      auto set = compile_set();
      const std::vector<float> row = cells_of_row(t % kRows);
      t_cells = row.data();
      std::vector<float> results(kColumnRows);
      volatile float sink;  // the thread's own: a shared one would be a cache line both threads write
      ++ready;
      while (!go.load()) std::this_thread::yield();
      const double cpu0 = thread_seconds();
      double done = 0;
      while (!stop.load(std::memory_order_relaxed)) {
        for (auto& live : set) {
          if (by_columns) {
            live->calc.evalcolumns(columns.floats, kFloatSignals + kBoolSignals, columns.booleans,
                                   kFloatSignals + kBoolSignals, results.data(), kColumnRows);
            done += kColumnRows;
          } else {
            for (int i = 0; i < 256; ++i) sink = live->calc.eval();
            done += 256;
          }
        }
      }
      rows[t] = done;
      cpu[t] = thread_seconds() - cpu0;
    });
  while (ready.load() < threads) std::this_thread::yield();
  const double t0 = now();
  go = true;
  std::this_thread::sleep_for(std::chrono::duration<double>(kSeconds));
  stop = true;
  for (std::thread& th : pool) th.join();
  const double elapsed = now() - t0;
  double total = 0, processor = 0;
  for (int t = 0; t < threads; ++t) total += rows[t], processor += cpu[t];
  return {total / elapsed, total / processor};
}

void threads_table() {
  const Columns columns;
  std::printf("\n%-12s %12s %12s %7s   %14s %14s %7s\n", "whole set", "1 thread", "2 threads", "ratio",
              "1 thread/cpu s", "2 threads/cpu s", "ratio");
  for (bool by_columns : {false, true}) {
    Rate one{0, 0}, two{0, 0};
    for (int r = 0; r < 3; ++r) {  // the best of three, in turns
      const Rate a = rows_per_second(1, by_columns, columns), b = rows_per_second(2, by_columns, columns);
      one = {std::max(one.per_second, a.per_second), std::max(one.per_cpu_second, a.per_cpu_second)};
      two = {std::max(two.per_second, b.per_second), std::max(two.per_cpu_second, b.per_cpu_second)};
    }
    std::printf("%-12s %12.3g %12.3g %7.2f   %14.3g %14.3g %7.2f\n", by_columns ? "evalcolumns" : "eval",
                one.per_second, two.per_second, two.per_second / one.per_second, one.per_cpu_second,
                two.per_cpu_second, two.per_cpu_second / one.per_cpu_second);
  }
  std::printf("rows per second (wall clock, then per second of processor time); hardware threads: %u\n",
              std::thread::hardware_concurrency());
}

}  // namespace

int main(int argc, char** argv) {
  per_row_table();
  if (!(argc > 1 && std::strcmp(argv[1], "--rows") == 0)) threads_table();
  return 0;
}
