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
  // The last code's piece is handed on to the arena, which writes the new
  // code over it when it fits.
  Emitted e;
  if (p->length <= kMaxNativeInstructions && emit_native(*p, code, &e)) {
    if (place_code(e.bytes, e.length, g_code_budget, &n.place))
      n.entry = reinterpret_cast<NativeEntry>(const_cast<unsigned char*>(n.place.run) + e.entry);
  } else {
    free_code(n.place);
  }
}

}  // namespace vt::formula

void ctlcalc_access::make_native(ctlcalc& c) {
  ctlcalc_prepared* p = c.prepared;
  if (!p || p->native.entry) return;
  if (vt::formula::still_matches(p, c.code, c.codesize)) make_native_prepared(c);
  else vt::formula::release_native(p->native);
}

void ctlcalc_access::make_native_prepared(ctlcalc& c) {
  ctlcalc_prepared* p = c.prepared;
  if (!(c.types & ctlcalc_interpret)) vt::formula::build_native(p, c.code);
  else vt::formula::release_native(p->native);  // the last code's piece that prepare kept
}

bool ctlcalc_access::runs_native(const ctlcalc& c) {
  const ctlcalc_prepared* p = c.prepared;
  return p && p->native.entry && p->code == c.code && p->capacity == c.codesize && !(c.types & ctlcalc_interpret);
}
