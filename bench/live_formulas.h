// The "live formulas" table: a host keeps one formula object alive for each
// configured formula, often thousands, and evaluates all of them in turn
// every cycle. This times that: with 1, 100, 1,000 and 20,000 live
// formulas of the form "a0 * k + a1 * a2 - a3 / m" (each its own signals
// and constants, each object with its own text and code buffers in one
// heap record, as a host allocates them), the time per evaluation when all
// are evaluated in turn, on machine code, on the interpreter and, where a
// peer is given, on the peer evaluating the same formulas in turn. Then the
// time per compile when every live formula is compiled again in turn, with
// one live and with 20,000 live.
//
// Before timing, every formula's machine code result must have the
// interpreter's bits (and agree with the peer). Each contender's runs are
// taken in turns, best of kRuns, so that a busy machine slows all alike.
#pragma once

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "formula/access.h"
#include "formula/code_arena.h"
#include "veltra/ctlcalc.h"

namespace live_formulas {

constexpr int kCounts[] = {1, 100, 1000, 20000};
constexpr int kMostLive = 20000;
constexpr int kSignals = 64;          // a0 to a63
constexpr int kRuns = 5;              // best of
constexpr double kMinSeconds = 0.02;  // per timed run
constexpr int kTextSize = 96;
constexpr int kCodeEntries = 32;

// One formula: its signals and its text in the syntax both sides read.
struct Spec {
  int signal[4];
  std::string text;
};

inline Spec spec_of(int i) {
  Spec s;
  for (int k = 0; k < 4; ++k) s.signal[k] = (7 * i + 3 * k) % kSignals;
  char text[kTextSize];
  std::snprintf(text, sizeof text, "a%d * %g + a%d * a%d - a%d / %g", s.signal[0], 0.5 + (i % 23) * 0.25, s.signal[1],
                s.signal[2], s.signal[3], 1.5 + (i % 19) * 0.5);
  s.text = text;
  return s;
}

// The signal values: both sides read the same numbers.
inline float g_signal[kSignals];
inline double g_peer_signal[kSignals];

inline std::int16_t name_of(const char* name, std::int16_t type) {
  if (type != 1 || name[0] != 'a') return -1;
  int i = std::atoi(name + 1);
  return i >= 0 && i < kSignals ? static_cast<std::int16_t>(i) : -1;
}
inline float value_of(std::int16_t index, std::int16_t) { return g_signal[index]; }

// A host's record of one formula: the object and its buffers together.
struct Record {
  char text[kTextSize];
  codeentry code[kCodeEntries];
  ctlcalc calc{text, code, kTextSize, kCodeEntries};
};

// The peer side: build makes n formulas (false when it refuses one),
// eval_all evaluates all of them once, result(i) is formula i's last value.
struct Peer {
  const char* name;
  std::function<bool(const std::vector<Spec>&)> build;
  std::function<void()> eval_all;
  std::function<double(int)> result;
};

inline volatile float g_sink;

// The clock: this thread's processor time natively (time spent waiting for
// a core does not count); wine's thread times tick too coarsely, so the
// Windows builds take the steady clock.
inline double now_seconds() {
#if defined(_WIN32)
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
#else
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9;
#endif
}

// Seconds per call of each contender (each call does `per_call` units of
// work), the best of kRuns runs taken in turns.
inline std::vector<double> time_turns(const std::vector<std::function<void()>>& contenders, int per_call) {
  std::vector<long> calls;
  for (const auto& f : contenders) {
    long n = 1;
    for (;;) {
      const double t0 = now_seconds();
      for (long i = 0; i < n; ++i) f();
      if (now_seconds() - t0 >= kMinSeconds) break;
      n *= 2;
    }
    calls.push_back(n);
  }
  std::vector<double> best(contenders.size(), 1e30);
  for (int r = 0; r < kRuns; ++r)
    for (std::size_t c = 0; c < contenders.size(); ++c) {
      const double t0 = now_seconds();
      for (long i = 0; i < calls[c]; ++i) contenders[c]();
      best[c] = std::min(best[c], (now_seconds() - t0) / (static_cast<double>(calls[c]) * per_call));
    }
  return best;
}

inline std::uint32_t bits_of(float f) {
  std::uint32_t u;
  std::memcpy(&u, &f, 4);
  return u;
}

// n live records, every formula compiled (on machine code or kept on the
// interpreter); empty when one does not compile.
inline std::vector<std::unique_ptr<Record>> make_records(const std::vector<Spec>& specs, bool native = true) {
  std::vector<std::unique_ptr<Record>> records;
  for (const Spec& s : specs) {
    records.push_back(std::make_unique<Record>());
    ctlcalc& c = records.back()->calc;
    c.setfunctions(name_of, value_of, nullptr);
    c.setnative(native ? 1 : 0);
    c.settext(s.text.c_str());
    if (!c.compile()) {
      std::printf("live formulas: %s does not compile: error %d\n", s.text.c_str(), c.geterror());
      return {};
    }
  }
  return records;
}

// Prints the table; false when a result is wrong or a formula fails.
inline bool print_table(const Peer* peer) {
  for (int i = 0; i < kSignals; ++i) g_peer_signal[i] = g_signal[i] = 0.25f * static_cast<float>(i % 13) - 1.0f;
  std::printf("\nlive formulas \"a0 * k + a1 * a2 - a3 / m\", all evaluated in turn: ns per evaluation\n");
  std::printf("%8s %12s %12s %12s   %9s %9s   %s\n", "live", "machine", "interpreter", peer ? peer->name : "(no peer)",
              "int/mc", "peer/mc", "on machine code");
  double at_one = 0, at_thousand = 0;
  bool ok = true;
  for (int n : kCounts) {
    std::vector<Spec> specs;
    for (int i = 0; i < n; ++i) specs.push_back(spec_of(i));
    auto records = make_records(specs);
    if (records.empty()) return false;
    const bool peer_ok = peer && peer->build(specs);
    if (peer && !peer_ok) {
      std::printf("live formulas: the peer refuses the formulas\n");
      ok = false;
    }
    int native = 0;
    for (int i = 0; i < n; ++i) {
      ctlcalc& c = records[i]->calc;
      c.setnative(1);
      const float machine = c.eval();
      native += ctlcalc_access::runs_native(c) ? 1 : 0;
      c.setnative(0);
      const float interpreter = c.eval();
      c.setnative(1);
      if (bits_of(machine) != bits_of(interpreter)) {
        std::printf("live formulas: %s gives %.9g on machine code, %.9g interpreted\n", specs[i].text.c_str(), machine,
                    interpreter);
        ok = false;
      }
    }
    // The interpreter's own objects, alive beside the others.
    auto interpreted = make_records(specs, false);
    if (peer_ok) {
      peer->eval_all();
      for (int i = 0; i < n; ++i) {
        const double theirs = peer->result(i), ours = records[i]->calc.eval();
        if (std::fabs(ours - theirs) > 1e-4 * std::max(1.0, std::fabs(theirs))) {
          std::printf("live formulas: %s gives %.9g, the peer %.9g\n", specs[i].text.c_str(), ours, theirs);
          ok = false;
        }
      }
    }
    std::vector<std::function<void()>> contenders = {
        [&] {
          for (auto& r : records) g_sink = r->calc.eval();
        },
        [&] {
          for (auto& r : interpreted) g_sink = r->calc.eval();
        }};
    if (peer_ok) contenders.push_back(peer->eval_all);
    const std::vector<double> t = time_turns(contenders, n);
    std::printf("%8d %12.1f %12.1f ", n, t[0] * 1e9, t[1] * 1e9);
    if (peer_ok) std::printf("%12.1f   %9.2f %9.2f", t[2] * 1e9, t[1] / t[0], t[2] / t[0]);
    else std::printf("%12s   %9.2f %9s", "-", t[1] / t[0], "-");
    const vt::formula::CodeSpace space = vt::formula::code_space();
    std::printf("   %d of %d, %zu code bytes each\n", native, n, space.taken / static_cast<std::size_t>(n));
    if (n == 1) at_one = t[0];
    if (n == 1000) at_thousand = t[0];
  }
  std::printf("machine code per evaluation at 1,000 live against 1: %.2f\n", at_thousand / at_one);

  // Compile: every live formula compiled again in turn.
  double compile[2];
  const int live[2] = {1, kMostLive};
  for (int k = 0; k < 2; ++k) {
    std::vector<Spec> specs;
    for (int i = 0; i < live[k]; ++i) specs.push_back(spec_of(i));
    auto records = make_records(specs);
    if (records.empty()) return false;
    compile[k] = time_turns({[&] {
                              for (auto& r : records) g_sink = r->calc.compile();
                            }},
                            live[k])[0];
  }
  std::printf("compile ns per formula, every live formula compiled again in turn: %.1f with 1 live, %.1f with %d live, "
              "ratio %.2f\n",
              compile[0] * 1e9, compile[1] * 1e9, kMostLive, compile[1] / compile[0]);
  return ok;
}

}  // namespace live_formulas
