// The library's correctly rounded float functions (math/crmath.h) beside
// what they replace: the C runtime's double function with the result rounded
// to float, on the same arguments in the same run. For each function: the
// scalar call and the row form (ns per value) and their ratios (peer time /
// our time; targets: every scalar ratio >= 1, geometric mean >= 1.3).
// Arguments are spread over each function's working range; each figure is
// the best of several passes, which filters the noise of a shared machine.
// Built natively and in the Windows builds (no benchmark library needed),
// so that the i686 build runs it under wine against its own C runtime.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "math/crmath.h"

namespace {

constexpr std::uint32_t kValues = 1u << 14;  // fits the first-level caches
constexpr int kRepeats = 16;
constexpr int kPasses = 9;

volatile float g_sink;

// splitmix64: the same arguments on every machine.
struct Rng {
  std::uint64_t state = 0x5eed;
  double unit() {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return static_cast<double>((z ^ (z >> 31)) >> 11) * 0x1p-53;
  }
  float uniform(double lo, double hi) { return static_cast<float>(lo + (hi - lo) * unit()); }
  // Spread evenly over magnitudes, as a plant's signals are.
  float magnitude(double lo, double hi) { return static_cast<float>(lo * std::pow(hi / lo, unit())); }
};

// One pass of a contender: ns per value.
template <class F>
double pass_ns(F& body) {
  const auto start = std::chrono::steady_clock::now();
  for (int r = 0; r < kRepeats; ++r) body();
  const double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
  return ns / (static_cast<double>(kRepeats) * kValues);
}

struct Result {
  double ours = 1e30, rows = 1e30, peer = 1e30;
};

// The best pass of each contender, their passes taken in turn, so that a
// busy moment of the machine hits all of them alike.
template <class A, class B, class C>
Result measure(A ours, B rows, C peer) {
  Result r;
  for (int pass = 0; pass < kPasses; ++pass) {
    r.ours = std::min(r.ours, pass_ns(ours));
    r.rows = std::min(r.rows, pass_ns(rows));
    r.peer = std::min(r.peer, pass_ns(peer));
  }
  return r;
}

struct Unary {
  const char* name;
  float (*ours)(float);
  void (*rows)(float*, const float*, std::uint32_t);
  double (*peer)(double);
  double lo, hi;
  enum Spread { kUniform, kMagnitude, kMagnitudeBothSigns } spread;
};

// The peers: the C runtime's double functions, as plain functions.
double c_log(double x) { return std::log(x); }
double c_exp(double x) { return std::exp(x); }
double c_sqrt(double x) { return std::sqrt(x); }
double c_sinh(double x) { return std::sinh(x); }
double c_cosh(double x) { return std::cosh(x); }
double c_tanh(double x) { return std::tanh(x); }
double c_sin(double x) { return std::sin(x); }
double c_cos(double x) { return std::cos(x); }
double c_tan(double x) { return std::tan(x); }
double c_atan(double x) { return std::atan(x); }
double c_asin(double x) { return std::asin(x); }
double c_acos(double x) { return std::acos(x); }

using namespace vt::math;
const Unary kUnary[] = {
    {"ln", cr_log, cr_log_rows, c_log, 1e-6, 1e6, Unary::kMagnitude},
    {"exp", cr_exp, cr_exp_rows, c_exp, -80, 80, Unary::kUniform},
    {"sqrt", cr_sqrt, cr_sqrt_rows, c_sqrt, 1e-6, 1e6, Unary::kMagnitude},
    {"sinh", cr_sinh, cr_sinh_rows, c_sinh, -80, 80, Unary::kUniform},
    {"cosh", cr_cosh, cr_cosh_rows, c_cosh, -80, 80, Unary::kUniform},
    {"tanh", cr_tanh, cr_tanh_rows, c_tanh, -10, 10, Unary::kUniform},
    {"sin", cr_sin, cr_sin_rows, c_sin, -100, 100, Unary::kUniform},
    {"cos", cr_cos, cr_cos_rows, c_cos, -100, 100, Unary::kUniform},
    {"tan", cr_tan, cr_tan_rows, c_tan, -100, 100, Unary::kUniform},
    {"atan", cr_atan, cr_atan_rows, c_atan, 1e-4, 1e4, Unary::kMagnitudeBothSigns},
    {"asin", cr_asin, cr_asin_rows, c_asin, -1, 1, Unary::kUniform},
    {"acos", cr_acos, cr_acos_rows, c_acos, -1, 1, Unary::kUniform},
};

void print_row(const char* name, const Result& r) {
  std::printf("%-6s %9.2f %9.2f %7.2fx %9.2f %7.2fx %s\n", name, r.ours, r.peer, r.peer / r.ours, r.rows,
              r.peer / r.rows, r.peer / r.ours >= 1.0 ? "" : "SLOWER THAN PEER");
}

}  // namespace

int main() {
  std::vector<float> in(kValues), in2(kValues), out(kValues);
  std::printf("ns per value, %u arguments per function, best of %d passes;\n", kValues, kPasses);
  std::printf("peer = the C runtime's double function rounded to float; ratio = peer / ours\n");
  std::printf("%-6s %9s %9s %8s %9s %8s\n", "fn", "ours", "peer", "ratio", "rows", "ratio");
  double log_scalar = 0, log_rows = 0;
  int count = 0;
  Rng rng;
  for (const Unary& f : kUnary) {
    for (std::uint32_t i = 0; i < kValues; ++i) {
      in[i] = f.spread == Unary::kUniform ? rng.uniform(f.lo, f.hi) : rng.magnitude(f.lo, f.hi);
      if (f.spread == Unary::kMagnitudeBothSigns && (i & 1)) in[i] = -in[i];
    }
    const Result r = measure(
        [&] {
          for (std::uint32_t i = 0; i < kValues; ++i) out[i] = f.ours(in[i]);
          g_sink = out[kValues - 1];
        },
        [&] {
          f.rows(out.data(), in.data(), kValues);
          g_sink = out[kValues - 1];
        },
        [&] {
          for (std::uint32_t i = 0; i < kValues; ++i) out[i] = static_cast<float>(f.peer(in[i]));
          g_sink = out[kValues - 1];
        });
    print_row(f.name, r);
    log_scalar += std::log(r.peer / r.ours);
    log_rows += std::log(r.peer / r.rows);
    ++count;
  }
  // x^y over bases from 1e-3 to 1e3 and exponents from -8 to 8.
  for (std::uint32_t i = 0; i < kValues; ++i) {
    in[i] = rng.magnitude(1e-3, 1e3);
    in2[i] = rng.uniform(-8, 8);
  }
  const Result r = measure(
      [&] {
        for (std::uint32_t i = 0; i < kValues; ++i) out[i] = cr_pow(in[i], in2[i]);
        g_sink = out[kValues - 1];
      },
      [&] {
        cr_pow_rows(out.data(), in.data(), in2.data(), kValues);
        g_sink = out[kValues - 1];
      },
      [&] {
        for (std::uint32_t i = 0; i < kValues; ++i)
          out[i] = static_cast<float>(std::pow(static_cast<double>(in[i]), static_cast<double>(in2[i])));
        g_sink = out[kValues - 1];
      });
  print_row("pow", r);
  log_scalar += std::log(r.peer / r.ours);
  log_rows += std::log(r.peer / r.rows);
  ++count;
  const double gm_scalar = std::exp(log_scalar / count), gm_rows = std::exp(log_rows / count);
  std::printf("geometric mean of the ratios: scalar %.2fx (target 1.3x) %s, rows %.2fx\n", gm_scalar,
              gm_scalar >= 1.3 ? "ok" : "BELOW TARGET", gm_rows);
  return 0;
}
