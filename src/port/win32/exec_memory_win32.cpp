// Memory for machine code on Windows: a section backed by the paging file,
// mapped twice (FILE_MAP_READ | FILE_MAP_EXECUTE to run, FILE_MAP_WRITE to
// write). Views start at the allocation granularity (64 KiB).
#include <windows.h>

#include "port/exec_memory.h"

namespace vt::port {

std::size_t code_memory_granularity() {
  static const std::size_t unit = [] {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return static_cast<std::size_t>(info.dwAllocationGranularity);
  }();
  return unit;
}

bool code_memory_create(std::size_t bytes, CodeMemory* out) {
  const unsigned long long size = bytes;
  HANDLE section = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_EXECUTE_READWRITE | SEC_COMMIT,
                                      static_cast<DWORD>(size >> 32), static_cast<DWORD>(size), nullptr);
  if (!section) return false;
  void* run = MapViewOfFile(section, FILE_MAP_READ | FILE_MAP_EXECUTE, 0, 0, bytes);
  if (!run) {
    CloseHandle(section);
    return false;
  }
  *out = {static_cast<unsigned char*>(run), bytes, reinterpret_cast<std::uintptr_t>(section)};
  return true;
}

unsigned char* code_memory_open(const CodeMemory& m) {
  return static_cast<unsigned char*>(MapViewOfFile(reinterpret_cast<HANDLE>(m.handle), FILE_MAP_WRITE, 0, 0, m.bytes));
}

void code_memory_close(const CodeMemory&, unsigned char* write) { UnmapViewOfFile(write); }

void code_memory_written(const CodeMemory& m, std::size_t offset, std::size_t bytes) {
  FlushInstructionCache(GetCurrentProcess(), m.run + offset, bytes);
}

void code_memory_destroy(const CodeMemory& m) {
  UnmapViewOfFile(m.run);
  CloseHandle(reinterpret_cast<HANDLE>(m.handle));
}

}  // namespace vt::port
