// The floating-point state the library computes under, set for the length
// of one exported call. A host process may call in with any precision,
// rounding or flush-to-zero mode and with exceptions unmasked; the library's
// results are defined under one state (round to nearest, denormals kept, all
// exceptions masked, and on the i686 x87 unit 64-bit precision, as the
// runtime's start-up leaves it: the C runtime's math functions compute
// there). An exported function that computes with floats opens an FpGuard
// first; the guard reads the state and loads only what differs, so a caller
// already in that state pays two stores and two compares. On return the
// caller's state comes back exactly: control words and sticky flags.
#pragma once

#include <cstdint>

namespace vt::port {

#if defined(__i386__) || defined(__x86_64__)

class FpGuard {
 public:
  // SSE: all exceptions masked, round to nearest, no flush-to-zero, no
  // denormals-are-zero. The low six bits are the sticky flags.
  static constexpr std::uint32_t kMxcsr = 0x1F80;
  static constexpr std::uint32_t kMxcsrFlags = 0x3F;
#if defined(__i386__)
  // x87: all exceptions masked, 64-bit precision, round to nearest.
  static constexpr std::uint16_t kX87Control = 0x037F;
#endif

  FpGuard() noexcept {
    asm volatile("stmxcsr %0" : "=m"(caller_mxcsr_)::"memory");
    if ((caller_mxcsr_ & ~kMxcsrFlags) != kMxcsr) {
      mxcsr_changed_ = true;
      std::uint32_t mine = kMxcsr;
      asm volatile("ldmxcsr %0" ::"m"(mine) : "memory");
    }
#if defined(__i386__)
    asm volatile("fnstcw %0" : "=m"(caller_x87_)::"memory");
    if (caller_x87_ != kX87Control) {
      x87_changed_ = true;
      asm volatile("fnstsw %0" : "=m"(caller_x87_status_)::"memory");
      std::uint16_t mine = kX87Control;
      asm volatile("fldcw %0" ::"m"(mine) : "memory");
    }
#endif
  }

  ~FpGuard() {
    if (mxcsr_changed_) asm volatile("ldmxcsr %0" ::"m"(caller_mxcsr_) : "memory");
#if defined(__i386__)
    if (x87_changed_) restore_x87();
#endif
  }

  FpGuard(const FpGuard&) = delete;
  FpGuard& operator=(const FpGuard&) = delete;

 private:
#if defined(__i386__)
  // The control word and the sticky flags go back through the environment:
  // fldcw alone would leave the library's flags behind, and a flag whose
  // exception the caller unmasks would trap at its next float instruction.
  // The register stack (its top and tags) stays as it is now, since a float
  // result may already sit in st(0).
  void restore_x87() {
    std::uint32_t env[7];  // control, status, tags, then pointers
    asm volatile("fnstenv %0" : "=m"(env)::"memory");
    constexpr std::uint32_t kTop = 0x3800;
    env[0] = (env[0] & 0xFFFF0000u) | caller_x87_;
    env[1] = (env[1] & (0xFFFF0000u | kTop)) | (caller_x87_status_ & ~kTop);
    asm volatile("fldenv %0" ::"m"(env) : "memory");
  }
  std::uint16_t caller_x87_ = 0;
  std::uint16_t caller_x87_status_ = 0;
  bool x87_changed_ = false;
#endif
  std::uint32_t caller_mxcsr_ = 0;
  bool mxcsr_changed_ = false;
};

#else

// Other processors: the state is the platform's default.
class FpGuard {
 public:
  FpGuard() noexcept {}
  FpGuard(const FpGuard&) = delete;
  FpGuard& operator=(const FpGuard&) = delete;
};

#endif

}  // namespace vt::port
