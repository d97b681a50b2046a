// Machine code per formula: the prepared form (prepared.h) turned into one
// function for the processor the library was built for (x86-64 with the
// Windows or the System V calling convention, or i686 with SSE2 and cdecl).
//
// The function first compares the caller's code buffer with the code it was
// made from, then calls the value callback once per variable instruction in
// code order, then runs the steps with the accumulator in a register and
// the values set aside on its own stack frame. Every operation computes
// exactly what the value rules say; the math functions are the ones the
// handlers call, so the result has the handlers' bits.
#pragma once

#include <cstddef>
#include <cstdint>

#include "veltra/ctlcalc.h"

struct ctlcalc_prepared;

namespace vt::formula {

// The generated function. Returns the result's bits in the low 32 bits; bit
// 32 is set (and nothing else done, the callback not called) when the code
// in the buffer differs from the code the function was made from.
using NativeEntry = std::uint64_t (*)(const codeentry* code, ctlcalc_getvalue get, const float* builtins);
constexpr std::uint64_t kNativeCodeChanged = std::uint64_t{1} << 32;

// The function and the executable pages it lives in, owned by a prepared
// block. entry is null when there is no machine code (the interpreter runs).
struct NativeCode {
  NativeEntry entry;
  void* pages;
  std::size_t bytes;
};

// Makes the machine code of a block just prepared from code, reusing the
// block's pages when they are large enough. Leaves entry null when no code
// can be made (no executable memory, code too long, another processor).
void build_native(ctlcalc_prepared* p, const codeentry* code);
// Gives the pages back to the pool.
void release_native(NativeCode& n);

// Writes the function for p into buffer (size bytes, ordinary memory; the
// code runs from wherever it is copied). Returns its length, 0 when it
// cannot be made or does not fit.
std::size_t emit_native(void* buffer, std::size_t size, const ctlcalc_prepared& p, const codeentry* code);
// A size that emit_native's function for p surely fits in.
std::size_t native_size_bound(const ctlcalc_prepared& p);

}  // namespace vt::formula
