// When machine code is made for a prepared block, and where it is placed.
// The code itself comes from the emitter (native_x86.cpp), its memory from
// the code arena (code_arena.h).
#include "formula/native.h"

#include <atomic>

#include "formula/access.h"
#include "formula/prepared.h"

namespace vt::formula {

namespace {

// Longer code runs on the interpreter: its machine code would take
// hundreds of kilobytes, and so long a formula is rare.
constexpr std::uint32_t kMaxNativeInstructions = 4096;

// Machine code pays while the code of the live formulas stays in the
// processor's caches. A host evaluates all of its formulas in turn; once
// their code no longer fits, every formula's code comes from further away
// line by line, and the processor waits for each line in turn, while the
// interpreter's few lines of data per formula are fetched side by side. So
// past this many bytes of live machine code, new formulas take the
// interpreter (bench_formula's live table shows where the line lies).
std::atomic<std::size_t> g_code_budget{128 * 1024};

}  // namespace

std::size_t set_code_budget_for_tests(std::size_t bytes) { return g_code_budget.exchange(bytes); }

void release_native(NativeCode& n) {
  free_code(n.place);
  n.entry = nullptr;
}

void build_native(ctlcalc_prepared* p, const codeentry* code) {
  NativeCode& n = p->native;
  n.entry = nullptr;
  // The old code is freed only once the new code has its place: it is
  // never written over, and the arena does not hand the same place to the
  // same formula again at once.
  CodePlace old = n.place;
  n.place = kNoPlace;
  Emitted e;
  if (p->length <= kMaxNativeInstructions && emit_native(*p, code, &e) &&
      code_bytes_taken() - old.bytes + e.length <= g_code_budget && place_code(e.bytes, e.length, &n.place))
    n.entry = reinterpret_cast<NativeEntry>(const_cast<unsigned char*>(n.place.run) + e.entry);
  free_code(old);
}

}  // namespace vt::formula

void ctlcalc_access::make_native(ctlcalc& c) {
  ctlcalc_prepared* p = c.prepared;
  if (!(c.types & ctlcalc_interpret) && p && !p->native.entry && vt::formula::still_matches(p, c.code, c.codesize))
    vt::formula::build_native(p, c.code);
}

bool ctlcalc_access::runs_native(const ctlcalc& c) {
  const ctlcalc_prepared* p = c.prepared;
  return p && p->native.entry && p->code == c.code && p->capacity == c.codesize && !(c.types & ctlcalc_interpret);
}
