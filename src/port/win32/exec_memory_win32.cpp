#include <windows.h>

#include "port/exec_memory.h"

namespace vt::port {

std::size_t exec_granularity() {
  static const std::size_t page = [] {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return static_cast<std::size_t>(info.dwPageSize);
  }();
  return page;
}

void* exec_reserve(std::size_t bytes) { return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE); }

bool exec_seal(void* p, std::size_t bytes) {
  DWORD old;
  if (!VirtualProtect(p, bytes, PAGE_EXECUTE_READ, &old)) return false;
  FlushInstructionCache(GetCurrentProcess(), p, bytes);
  return true;
}

bool exec_unseal(void* p, std::size_t bytes) {
  DWORD old;
  return VirtualProtect(p, bytes, PAGE_READWRITE, &old) != 0;
}

void exec_release(void* p, std::size_t) { VirtualFree(p, 0, MEM_RELEASE); }

}  // namespace vt::port
