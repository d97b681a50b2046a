// When machine code is made for a prepared block, and the executable pages
// it lives in. The code itself comes from the emitter (native_x86.cpp).
#include "formula/native.h"

#include <cstring>
#include <mutex>

#include "formula/access.h"
#include "formula/prepared.h"
#include "port/exec_memory.h"

namespace vt::formula {

namespace {

// Longer code runs on the interpreter: its machine code would take
// hundreds of kilobytes, and so long a formula is rare.
constexpr std::uint32_t kMaxNativeInstructions = 4096;

constexpr NativeCode kNoCode = {nullptr, nullptr, 0, 0, false, false};

// Pages given back by formulas, kept for the next compile so that machine
// code for a new formula costs no mapping. Shared by the compiles of all
// threads under one lock, held only to take or put an entry.
constexpr int kPoolSize = 32;
NativeCode g_pool[kPoolSize];
int g_pooled = 0;
std::mutex g_pool_lock;

// The smallest pooled pages of at least bytes, taken out of the pool, or
// none.
NativeCode take_pooled(std::size_t bytes) {
  std::lock_guard<std::mutex> lock(g_pool_lock);
  int best = -1;
  for (int i = 0; i < g_pooled; ++i)
    if (g_pool[i].bytes >= bytes && (best < 0 || g_pool[i].bytes < g_pool[best].bytes)) best = i;
  if (best < 0) return kNoCode;
  NativeCode n = g_pool[best];
  g_pool[best] = g_pool[--g_pooled];
  return n;
}

// Writable pages of at least bytes (a multiple of the granularity): the
// smallest pooled ones that are large enough, else new ones.
NativeCode take_pages(std::size_t bytes) {
  if (NativeCode n = take_pooled(bytes); n.pages) {
    if (!n.sealed || port::exec_unseal(n.pages, n.bytes)) {
      n.sealed = false;
      return n;
    }
    port::exec_release(n.pages, n.bytes);
  }
  NativeCode n = kNoCode;
  if ((n.pages = port::exec_reserve(bytes))) n.bytes = bytes;
  return n;
}

}  // namespace

void release_native(NativeCode& n) {
  if (n.pages) {
    bool pooled = false;
    {
      std::lock_guard<std::mutex> lock(g_pool_lock);
      if (g_pooled < kPoolSize) g_pool[g_pooled++] = {nullptr, n.pages, n.bytes, 0, false, n.sealed}, pooled = true;
    }
    if (!pooled) port::exec_release(n.pages, n.bytes);
  }
  n = kNoCode;
}

void build_native(ctlcalc_prepared* p, const codeentry* code) {
  NativeCode& n = p->native;
  n.entry = nullptr;
  n.written = false;  // the pages are kept for the next code
  Emitted e;
  if (p->length > kMaxNativeInstructions || !emit_native(*p, code, &e)) return;
  const std::size_t unit = port::exec_granularity();
  const std::size_t bytes = (e.length + unit - 1) / unit * unit;
  if (!n.pages || n.bytes < bytes) {
    release_native(n);
    n = take_pages(bytes);
    if (!n.pages) return;
  } else if (n.sealed) {
    if (!port::exec_unseal(n.pages, n.bytes)) {
      port::exec_release(n.pages, n.bytes);
      n = kNoCode;
      return;
    }
    n.sealed = false;
  }
  std::memcpy(n.pages, e.bytes, e.length);
  n.start = e.entry;
  n.written = true;
}

bool seal_native(NativeCode& n) {
  if (!n.written) return false;
  if (!n.sealed) {
    if (!port::exec_seal(n.pages, n.bytes)) {
      port::exec_release(n.pages, n.bytes);
      n = kNoCode;
      return false;
    }
    n.sealed = true;
  }
  n.entry = reinterpret_cast<NativeEntry>(static_cast<unsigned char*>(n.pages) + n.start);
  return true;
}

}  // namespace vt::formula

bool ctlcalc_access::seal_native(ctlcalc& c) { return c.prepared && vt::formula::seal_native(c.prepared->native); }

bool ctlcalc_access::runs_native(const ctlcalc& c) {
  const ctlcalc_prepared* p = c.prepared;
  return p && p->native.entry && p->code == c.code && p->capacity == c.codesize && !(c.types & ctlcalc_interpret);
}
