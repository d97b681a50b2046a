#include <sys/mman.h>
#include <unistd.h>

#include "port/exec_memory.h"

namespace vt::port {

std::size_t exec_granularity() {
  static const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return page;
}

void* exec_reserve(std::size_t bytes) {
  void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return p == MAP_FAILED ? nullptr : p;
}

bool exec_seal(void* p, std::size_t bytes) {
  // x86 keeps instruction fetches coherent with the writes before: no
  // cache flush is needed.
  return mprotect(p, bytes, PROT_READ | PROT_EXEC) == 0;
}

bool exec_unseal(void* p, std::size_t bytes) { return mprotect(p, bytes, PROT_READ | PROT_WRITE) == 0; }

void exec_release(void* p, std::size_t bytes) { munmap(p, bytes); }

}  // namespace vt::port
