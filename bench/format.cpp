// FormatFloat and ScanFloat beside snprintf/strtod (the peers they must beat:
// 3 times for formatting, 2 times for scanning) and std::to_chars and
// std::from_chars (the bar to approach), over the same million values in the
// same run. Each figure is the best of several passes, which filters out the
// noise of a shared machine. Every text and value is checked to be equal
// across the contenders, and heap allocations during the library's calls are
// counted (there must be none).
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "veltra/format.h"

namespace {

constexpr int kValues = 1000000;
constexpr int kPasses = 3;
constexpr int kTextSize = 32;

long g_allocations = 0;
volatile double g_sink;

// Best nanoseconds per value of fn(i) over all values.
double best_ns(const std::function<void(int)>& fn) {
  double best = 1e30;
  for (int pass = 0; pass < kPasses; ++pass) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kValues; ++i) fn(i);
    double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
    if (ns / kValues < best) best = ns / kValues;
  }
  return best;
}

struct Row {
  const char* name;
  double ns;
};

void print_group(const char* title, Row ours, Row peer, Row bar, double target) {
  std::printf("%-34s %9.1f ns  %6.2fx %-8s %s\n", ours.name, ours.ns, peer.ns / ours.ns,
              "vs peer", peer.ns / ours.ns >= target ? "ok" : "BELOW TARGET");
  std::printf("%-34s %9.1f ns  %6.2fx\n", peer.name, peer.ns, 1.0);
  std::printf("%-34s %9.1f ns  %6.2fx\n", bar.name, bar.ns, peer.ns / bar.ns);
  (void)title;
}

}  // namespace

void* operator new(std::size_t n) {
  ++g_allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

int main() {
  std::mt19937_64 rng(1);
  std::vector<double> values(kValues);
  for (double& v : values) {
    // magnitudes from 1e-3 to 1e6 with full mantissas, both signs
    double m = static_cast<double>(rng() >> 11) / static_cast<double>(1ull << 53);
    v = (rng() & 1 ? -1 : 1) * m * std::pow(10.0, static_cast<double>(rng() % 10) - 3);
  }
  std::vector<std::string> texts(kValues);
  char buf[80];
  int mismatches = 0;
  for (int i = 0; i < kValues; ++i) {
    std::snprintf(buf, sizeof buf, "%.3f", values[i]);
    texts[i] = buf;
    char ours[80];
    FormatFloat(ours, 20, 3, values[i], 0);
    // FormatFloat drops the sign of a value that rounds to zero
    const char* want = (buf[0] == '-' && !std::strpbrk(buf, "123456789")) ? buf + 1 : buf;
    mismatches += std::strcmp(ours, want) != 0;
    char e1[80], e2[80];
    FormatFloat(e1, 0x800 + 20, 6, values[i], 0);
    std::snprintf(e2, sizeof e2, "%.6E", values[i]);
    std::string glibc = e2;
    glibc.insert(glibc.find('E') + 2, "0");
    mismatches += glibc != e1;
    std::strcpy(buf, texts[i].c_str());
    mismatches += ScanFloat(buf, 0, nullptr) != std::strtod(texts[i].c_str(), nullptr);
  }

  // ScanFloat rewrites its text (lower case, decimal point), so it reads
  // private copies; rewriting an already rewritten copy is the same work.
  std::vector<std::array<char, kTextSize>> copies(kValues);
  for (int i = 0; i < kValues; ++i) std::memcpy(copies[i].data(), texts[i].c_str(), texts[i].size() + 1);

  long before = g_allocations;
  Row fmt = {"FormatFloat(20, 3)", best_ns([&](int i) { FormatFloat(buf, 20, 3, values[i], 0); })};
  Row fexp = {"FormatFloat(0x800+20, 6)", best_ns([&](int i) { FormatFloat(buf, 0x800 + 20, 6, values[i], 0); })};
  Row scan = {"ScanFloat", best_ns([&](int i) { g_sink = ScanFloat(copies[i].data(), 0, nullptr); })};
  long allocations = g_allocations - before;

  Row snp = {"snprintf(\"%.3f\")", best_ns([&](int i) { std::snprintf(buf, sizeof buf, "%.3f", values[i]); })};
  Row sexp = {"snprintf(\"%.6E\")", best_ns([&](int i) { std::snprintf(buf, sizeof buf, "%.6E", values[i]); })};
  Row tc = {"std::to_chars(fixed, 3)", best_ns([&](int i) {
              *std::to_chars(buf, buf + sizeof buf, values[i], std::chars_format::fixed, 3).ptr = 0;
            })};
  Row texp = {"std::to_chars(scientific, 6)", best_ns([&](int i) {
                *std::to_chars(buf, buf + sizeof buf, values[i], std::chars_format::scientific, 6).ptr = 0;
              })};
  Row std_scan = {"strtod", best_ns([&](int i) { g_sink = std::strtod(texts[i].c_str(), nullptr); })};
  Row fc = {"std::from_chars", best_ns([&](int i) {
              double v;
              std::from_chars(texts[i].data(), texts[i].data() + texts[i].size(), v);
              g_sink = v;
            })};

  std::printf("%d values; ratio = peer time / time (target: format >= 3, scan >= 2)\n", kValues);
  std::printf("%-34s %12s  %7s\n", "contender", "per value", "ratio");
  print_group("decimal", fmt, snp, tc, 3);
  print_group("exponent", fexp, sexp, texp, 3);
  print_group("scan", scan, std_scan, fc, 2);
  std::printf("texts or values differing from the peer: %d\n", mismatches);
  std::printf("heap allocations in FormatFloat/ScanFloat: %ld\n", allocations);
  return mismatches || allocations ? 1 : 0;
}
