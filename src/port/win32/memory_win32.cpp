// Walks the pages of a range with VirtualQuery: every page must be committed,
// neither a guard page nor without access, and allow the access asked for.
#include <windows.h>

#include <cstdint>

#include "port/memory.h"

namespace vt::port {

namespace {

constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY |
                            PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE |
                            PAGE_EXECUTE_WRITECOPY;
constexpr DWORD kWritable =
    PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

bool accessible(const void* p, size_t bytes, DWORD allowed) {
  if (!p) return false;
  uintptr_t at = reinterpret_cast<uintptr_t>(p);
  uintptr_t end = at + bytes;
  if (end < at) return false;  // the range wraps round the address space
  while (at < end) {
    MEMORY_BASIC_INFORMATION info;
    if (!VirtualQuery(reinterpret_cast<const void*>(at), &info, sizeof info)) return false;
    if (info.State != MEM_COMMIT || (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) ||
        !(info.Protect & allowed))
      return false;
    at = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
  }
  return true;
}

}  // namespace

bool memory_readable(const void* p, size_t bytes) { return accessible(p, bytes, kReadable); }
bool memory_writable(void* p, size_t bytes) { return accessible(p, bytes, kWritable); }

}  // namespace vt::port
