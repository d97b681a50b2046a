// When machine code is made for a prepared block, and the executable pages
// it lives in. The code itself comes from the emitter (native_x86.cpp).
#include "formula/native.h"

#include <cstring>
#include <new>
#include <vector>

#include "formula/access.h"
#include "formula/prepared.h"
#include "port/exec_memory.h"

namespace vt::formula {

namespace {

// Longer code runs on the interpreter: its machine code would take
// megabytes, and so long a formula is rare.
constexpr std::uint32_t kMaxNativeInstructions = 4096;

// Pages given back by formulas, kept read+execute for the next compile:
// machine code for a new formula then costs two protection changes and no
// mapping. Everything here is process-wide like the rest of the engine's
// state (one compile or evaluation at a time).
struct FreePages {
  void* pages;
  std::size_t bytes;
};
constexpr int kPoolSize = 32;
FreePages g_pool[kPoolSize];
int g_pooled = 0;

// The emitter writes here first; the length is known only afterwards.
std::vector<unsigned char> g_emitted;

// Read+write pages of at least bytes (a multiple of the granularity):
// the smallest pooled ones that are large enough, else new ones.
NativeCode take_pages(std::size_t bytes) {
  int best = -1;
  for (int i = 0; i < g_pooled; ++i)
    if (g_pool[i].bytes >= bytes && (best < 0 || g_pool[i].bytes < g_pool[best].bytes)) best = i;
  if (best >= 0) {
    FreePages f = g_pool[best];
    g_pool[best] = g_pool[--g_pooled];
    if (port::exec_unseal(f.pages, f.bytes)) return {nullptr, f.pages, f.bytes};
    port::exec_release(f.pages, f.bytes);
  }
  void* pages = port::exec_reserve(bytes);
  return {nullptr, pages, pages ? bytes : 0};
}

}  // namespace

void release_native(NativeCode& n) {
  if (n.pages) {
    if (g_pooled < kPoolSize) g_pool[g_pooled++] = {n.pages, n.bytes};
    else port::exec_release(n.pages, n.bytes);
  }
  n = NativeCode{nullptr, nullptr, 0};
}

void build_native(ctlcalc_prepared* p, const codeentry* code) {
  NativeCode& n = p->native;
  n.entry = nullptr;  // the pages are kept for the next code
  if (p->length > kMaxNativeInstructions) return;
  const std::size_t bound = native_size_bound(*p);
  try {
    if (g_emitted.size() < bound) g_emitted.resize(bound);
  } catch (const std::bad_alloc&) {
    return;
  }
  const std::size_t length = emit_native(g_emitted.data(), bound, *p, code);
  if (!length) return;
  const std::size_t unit = port::exec_granularity();
  const std::size_t bytes = (length + unit - 1) / unit * unit;
  if (n.pages && n.bytes >= bytes && port::exec_unseal(n.pages, n.bytes)) {
    // the block's own pages, writable again
  } else {
    release_native(n);
    n = take_pages(bytes);
    if (!n.pages) return;
  }
  std::memcpy(n.pages, g_emitted.data(), length);
  if (!port::exec_seal(n.pages, n.bytes)) {
    port::exec_release(n.pages, n.bytes);
    n = NativeCode{nullptr, nullptr, 0};
    return;
  }
  n.entry = reinterpret_cast<NativeEntry>(n.pages);
}

}  // namespace vt::formula

bool ctlcalc_access::runs_native(const ctlcalc& c) {
  const ctlcalc_prepared* p = c.prepared;
  return p && p->native.entry && p->code == c.code && p->capacity == c.codesize && !(c.types & ctlcalc_interpret);
}
