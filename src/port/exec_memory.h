// Platform seam: memory for machine code made at run time. One piece of
// shared memory is seen at two addresses: a read+execute view, where the
// code runs, and a read+write view, opened only to write code into it. No
// address is ever writable and executable at once, and no protection ever
// changes, so code can be written beside code that other threads are
// running.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vt::port {

struct CodeMemory {
  unsigned char* run;     // the read+execute view
  std::size_t bytes;      // the size of either view
  std::uintptr_t handle;  // the system's name for the memory
};

// The unit of sizes (the system's granularity of views).
std::size_t code_memory_granularity();
// bytes (a multiple of the granularity) of fresh memory with its
// read+execute view; false when the system gives none (a host that
// forbids code made at run time).
bool code_memory_create(std::size_t bytes, CodeMemory* out);
// A read+write view of the whole memory, or null.
unsigned char* code_memory_open(const CodeMemory& m);
// Unmaps a view that code_memory_open gave.
void code_memory_close(const CodeMemory& m, unsigned char* write);
// After bytes were written at offset: the run view's fetches see them.
void code_memory_written(const CodeMemory& m, std::size_t offset, std::size_t bytes);
// Unmaps the read+execute view and gives the memory back.
void code_memory_destroy(const CodeMemory& m);

}  // namespace vt::port
