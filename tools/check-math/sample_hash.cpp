#include "sample_hash.h"

#include <cinttypes>
#include <cstdio>
#include <vector>

#include "functions.h"
#include "oracle.h"
#include "sample.h"

namespace checkmath {

using namespace vt::test::math_sample;

void print_sample_hashes() {
  Oracle oracle;
  Hash all;
  bool decided_by_mpfr;
  for (const Function& f : kFunctions) {
    const Unary* u = find_unary(f.name);
    Hash h;
    for (float x : arguments(f.name)) h.add(oracle.unary(*u, x, &decided_by_mpfr));
    std::printf("    {\"%s\", 0x%016" PRIx64 "u},\n", f.name, h.value());
    all.add_hash(h.value());
  }
  const Binary* pow = find_binary("pow");
  Hash h;
  for (const auto& p : pow_pairs()) h.add(oracle.binary(*pow, p.first, p.second, &decided_by_mpfr));
  std::printf("    {\"pow\", 0x%016" PRIx64 "u},\n", h.value());
  all.add_hash(h.value());
  std::printf("    {\"all\", 0x%016" PRIx64 "u},\n", all.value());
}

}  // namespace checkmath
