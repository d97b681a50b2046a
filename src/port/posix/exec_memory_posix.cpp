// Memory for machine code natively: an anonymous memory file per piece,
// mapped shared twice. The descriptor stays open for the writable view.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include "port/exec_memory.h"

namespace vt::port {

std::size_t code_memory_granularity() {
  static const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return page;
}

bool code_memory_create(std::size_t bytes, CodeMemory* out) {
  const int fd = memfd_create("veltra-code", MFD_CLOEXEC);
  if (fd < 0) return false;
  if (ftruncate(fd, static_cast<off_t>(bytes)) == 0) {
    void* run = mmap(nullptr, bytes, PROT_READ | PROT_EXEC, MAP_SHARED, fd, 0);
    if (run != MAP_FAILED) {
      *out = {static_cast<unsigned char*>(run), bytes, static_cast<std::uintptr_t>(fd)};
      return true;
    }
  }
  close(fd);
  return false;
}

unsigned char* code_memory_open(const CodeMemory& m) {
  void* p = mmap(nullptr, m.bytes, PROT_READ | PROT_WRITE, MAP_SHARED, static_cast<int>(m.handle), 0);
  return p == MAP_FAILED ? nullptr : static_cast<unsigned char*>(p);
}

void code_memory_close(const CodeMemory& m, unsigned char* write) { munmap(write, m.bytes); }

// x86 keeps instruction fetches coherent with writes through another
// mapping of the same memory: nothing to flush.
void code_memory_written(const CodeMemory&, std::size_t, std::size_t) {}

void code_memory_destroy(const CodeMemory& m) {
  munmap(m.run, m.bytes);
  close(static_cast<int>(m.handle));
}

}  // namespace vt::port
