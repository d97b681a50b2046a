// The arena of the formulas' machine code. Code lives in regions of memory
// for code (port/exec_memory.h), each seen read+execute where the code
// runs and, while code is written into it, read+write at a second address;
// no page is ever writable and executable at once and no protection
// changes, so writing or freeing one formula's code is safe while other
// formulas in the same region run on other threads.
//
// Pieces are packed at kCodeAlign steps: the code of formulas compiled one
// after another lies side by side, so that a host's thousands of formulas
// share cache lines' sets and pages instead of each taking pages of its
// own. A freed piece joins its free neighbours and is given to later code
// (the smallest free piece that fits, the lowest such), and a region
// whose code is all freed goes back to the system, except one kept for
// the next code. One mutex guards the arena; evaluation never takes it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vt::formula {

// Pieces start at multiples of this: at most a cache line, so that code
// is packed, and enough for the 16-byte loads of the code's constants.
constexpr std::size_t kCodeAlign = 16;
// Bytes of a region (longer code gets a region of its own). Large enough
// that hundreds of formulas share one, small enough to be the fixed part
// of the address space the arena takes (on 32-bit Windows a region's two
// views take 2 x 256 KiB).
constexpr std::size_t kRegionBytes = 256 * 1024;

// Where a piece of code lives; run is null when there is none.
struct CodePlace {
  const unsigned char* run;
  std::uint32_t region;
  std::uint32_t offset;
  std::uint32_t bytes;  // taken, a multiple of kCodeAlign
};
constexpr CodePlace kNoPlace = {nullptr, 0, 0, 0};

// Copies n bytes of a formula's code into the arena; *place tells where its
// last code is (kNoPlace for none; that code must not be running) and,
// after, where the new code runs. Code that needs no more room than the
// last code's piece is written over it (the rest of the piece is freed):
// a formula compiled again costs no search of the free space. Other code
// goes to a new place and the old piece is freed. False, with the old
// piece freed and *place kNoPlace, when the live code would pass budget
// bytes (the old piece not counted) or no memory for code can be had.
bool place_code(const unsigned char* bytes, std::size_t n, std::size_t budget, CodePlace* place);
// Gives the piece back; place becomes kNoPlace. The code must not be
// running and must not run again.
void free_code(CodePlace& place);

// What the arena takes, for tests and benchmarks.
struct CodeSpace {
  std::size_t taken;    // bytes of the live pieces
  std::size_t mapped;   // address space of the views: every region's, and
                        // the one writable view while it is open
  std::size_t regions;  // regions held
};
CodeSpace code_space();
// Bytes of the live pieces (code_space().taken, cheaper).
std::size_t code_bytes_taken();

// Tests: while on, the arena places no code, as in a host that forbids
// code made at run time.
void refuse_code_for_tests(bool on);

}  // namespace vt::formula
