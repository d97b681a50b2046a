// check-math: holds the library's correctly rounded float functions against
// MPFR and prints how many results are misrounded (must be 0).
//
//   check-math FUNCTION... [--from HEX] [--to HEX] [--stride N] [--threads N]
//                          [--show N] [--hard] [--pairs N]
//   check-math --sample-hash
//
// A one-argument function runs over the float bit patterns from..to
// (default all 2^32) in steps of stride; pow over its argument classes
// (pow_classes.h) with --pairs random pairs (default 10^8). "all" names every
// function. --hard lists the arguments whose result MPFR had to decide: the
// ones nearest a rounding boundary. Exit status 0 when nothing is misrounded.
// --sample-hash prints the expected hashes of the tests' cross-build sample
// (tests/math/sample_hashes.inc).
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "functions.h"
#include "oracle.h"
#include "pow_classes.h"
#include "sample_hash.h"
#include "sweep.h"

namespace {

using namespace checkmath;

struct Options {
  std::vector<std::string> names;
  Range range;
  int threads = 0;
  std::size_t show = 10;
  bool list_hard = false;
  std::uint64_t pairs = 100000000;
};

[[noreturn]] void usage() {
  std::fprintf(stderr,
               "usage: check-math FUNCTION... [--from HEX] [--to HEX] [--stride N] [--threads N]\n"
               "                  [--show N] [--hard] [--pairs N]\n"
               "       check-math --sample-hash\n"
               "functions: %s (or all)\n",
               all_names().c_str());
  std::exit(2);
}

std::uint64_t number(const char* text, int base) {
  char* end = nullptr;
  const unsigned long long v = std::strtoull(text, &end, base);
  if (!*text || *end) usage();
  return v;
}

Options parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool has_value = i + 1 < argc;
    if (a == "--from" && has_value) o.range.from = number(argv[++i], 16);
    else if (a == "--to" && has_value) o.range.to = number(argv[++i], 16);
    else if (a == "--stride" && has_value) o.range.stride = number(argv[++i], 10);
    else if (a == "--threads" && has_value) o.threads = static_cast<int>(number(argv[++i], 10));
    else if (a == "--show" && has_value) o.show = number(argv[++i], 10);
    else if (a == "--pairs" && has_value) o.pairs = number(argv[++i], 10);
    else if (a == "--hard") o.list_hard = true;
    else if (a == "all") {
      for (int k = 0; k < kUnaryCount; ++k) o.names.push_back(kUnary[k].name);
      o.names.push_back("pow");
    } else if (!a.empty() && a[0] != '-' && (find_unary(a) || find_binary(a))) o.names.push_back(a);
    else usage();
  }
  if (o.names.empty() || o.range.stride == 0 || o.range.to > 0xffffffffu) usage();
  return o;
}

void print_misses(const char* name, const Tally& t, bool binary, Oracle& oracle, const Unary* u,
                  const Binary* b) {
  for (const Miss& m : t.first()) {
    const std::string exact = binary ? oracle.exact_text(*b, m.x, m.y) : oracle.exact_text(*u, m.x);
    if (binary)
      std::printf("  %s(%a, %a) = %a [%08x], correctly rounded %a [%08x], exact %s\n", name,
                  static_cast<double>(m.x), static_cast<double>(m.y), static_cast<double>(m.got),
                  bits_of(m.got), static_cast<double>(m.want), bits_of(m.want), exact.c_str());
    else
      std::printf("  %s(%a [%08x]) = %a [%08x], correctly rounded %a [%08x], exact %s\n", name,
                  static_cast<double>(m.x), bits_of(m.x), static_cast<double>(m.got),
                  bits_of(m.got), static_cast<double>(m.want), bits_of(m.want), exact.c_str());
  }
}

double seconds_since(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

std::uint64_t check_unary(const Unary& f, const Options& o, Oracle& oracle) {
  const auto t0 = std::chrono::steady_clock::now();
  Tally tally(o.show);
  std::vector<std::uint32_t> hard;
  sweep(f, o.range, o.threads, &tally, o.list_hard ? &hard : nullptr);
  std::printf("%s: %" PRIu64 " arguments %08" PRIx64 "..%08" PRIx64 " stride %" PRIu64
              ", %" PRIu64 " decided by MPFR, %" PRIu64 " misrounded (%.1f s)\n",
              f.name, tally.checked(), o.range.from, o.range.to, o.range.stride, tally.hard(),
              tally.misrounded(), seconds_since(t0));
  print_misses(f.name, tally, false, oracle, &f, nullptr);
  for (std::uint32_t x : hard) std::printf("  hard %s %08x\n", f.name, x);
  std::fflush(stdout);
  return tally.misrounded();
}

std::uint64_t check_binary(const Binary& f, const Options& o, Oracle& oracle) {
  const auto t0 = std::chrono::steady_clock::now();
  std::uint64_t total = 0;
  for (const auto& c : check_pow_classes(f, o.pairs, o.threads, o.show)) {
    std::printf("%s, %s: %" PRIu64 " pairs, %" PRIu64 " decided by MPFR, %" PRIu64
                " misrounded\n",
                f.name, c->name.c_str(), c->tally.checked(), c->tally.hard(),
                c->tally.misrounded());
    print_misses(f.name, c->tally, true, oracle, nullptr, &f);
    total += c->tally.misrounded();
    std::fflush(stdout);
  }
  std::printf("%s: %" PRIu64 " misrounded in all classes (%.1f s)\n", f.name, total,
              seconds_since(t0));
  return total;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--sample-hash") {
    print_sample_hashes();
    return 0;
  }
  const Options o = parse(argc, argv);
  Oracle oracle;  // for the exact values in reports, on this thread
  std::uint64_t misrounded = 0;
  for (const std::string& name : o.names) {
    if (const Unary* u = find_unary(name)) misrounded += check_unary(*u, o, oracle);
    else misrounded += check_binary(*find_binary(name), o, oracle);
  }
  return misrounded == 0 ? 0 : 1;
}
