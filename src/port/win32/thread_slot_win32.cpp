// The slots are Windows thread-local storage indices, taken once. An index
// below 64 lives in the thread environment block's own table, which is read
// directly (what TlsGetValue does, without the call); a higher index, or no
// index at all, goes the slower ways.
#include <windows.h>
#include <winternl.h>

#include <cstddef>

#include "port/thread_slot.h"

namespace vt::port {

namespace {

#if defined(_WIN64)
static_assert(offsetof(TEB, TlsSlots) == 0x1480, "the thread block's slot table");
#else
static_assert(offsetof(TEB, TlsSlots) == 0xE10, "the thread block's slot table");
#endif
constexpr DWORD kDirectSlots = 64;

// When the system has no index left: the C++ runtime's own thread storage.
thread_local void* t_fallback[kThreadSlots];

struct Indices {
  DWORD index[kThreadSlots];
  Indices() {
    for (DWORD& i : index) i = TlsAlloc();
  }
  // At unload: a library loaded and unloaded again takes no more indices.
  ~Indices() {
    for (DWORD i : index)
      if (i != TLS_OUT_OF_INDEXES) TlsFree(i);
  }
};

// Taken at the first use (the compile of another module's static object
// may come first), once for the process.
const Indices& indices() {
  static const Indices taken;
  return taken;
}

}  // namespace

void* thread_slot(ThreadSlot slot) {
  const DWORD i = indices().index[static_cast<int>(slot)];
  if (i < kDirectSlots) return NtCurrentTeb()->TlsSlots[i];
  if (i != TLS_OUT_OF_INDEXES) return TlsGetValue(i);
  return t_fallback[static_cast<int>(slot)];
}

void set_thread_slot(ThreadSlot slot, void* value) {
  const DWORD i = indices().index[static_cast<int>(slot)];
  if (i != TLS_OUT_OF_INDEXES) TlsSetValue(i, value);
  else t_fallback[static_cast<int>(slot)] = value;
}

}  // namespace vt::port
