// Row forms of the math functions, written once for every lane width.
//
// A function's fast path is a "kernel": a struct with
//
//   template <class P> static typename P::D eval(typename P::D x, typename P::M& hard);
//   static float scalar(float x);            // the complete scalar function
//
// (pow's kernel takes two arguments: eval(x, y, hard) and scalar(x, y)).
// eval computes in double precision on the lanes of a pack P and returns a
// double for each lane whose float rounding is proven correct; it sets the
// lane's bit in `hard` where it cannot prove that (rounding test failed,
// argument out of the fast path's range). The row drivers below store the
// float rounding of every lane and then give each hard lane to the scalar
// function. As the scalar function runs the very same eval on a pack of one
// lane first, a row gives the scalar function's bits by construction.
//
// Packs: One (plain double, the scalar function), Pack<2> (an SSE2
// register of doubles: every build, i686 included), Pack<4> (an AVX2
// register) and Pack<8> (an AVX-512 register, built in rows_avx512.cpp),
// the last two in the x86-64 builds outside Windows, chosen at run time. A
// pack is exactly one register wide: GCC splits wider vectors but does
// their comparisons lane by lane in scalar code. Kernels use only what
// IEEE 754 rounds exactly (+ - * / sqrt, conversions, integer and bit
// operations) and no fused multiply-add, so the lane width cannot change a
// bit. The wide paths stay out of the Windows builds: their compiler does
// not keep 32-byte stack slots aligned.
#pragma once

#include <cstdint>
#include <cstring>

#if defined(__x86_64__) && !defined(_WIN32)
#include <immintrin.h>  // declares the processor's builtins, the gather's among them
#endif

#if defined(__GNUC__)
// Vectors wider than the baseline pass between always-inlined helpers only;
// no function of another ABI ever sees them. (The note would come from the
// kernels' instantiations in the including file, hence no pop at the end.)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace vt::math::rows {

#define VT_MATH_INLINE inline __attribute__((always_inline))

#if defined(__x86_64__) && !defined(_WIN32)
#define VT_MATH_HAVE_AVX2_ROWS 1
#else
#define VT_MATH_HAVE_AVX2_ROWS 0
#endif

// One lane: the scalar function's own pack.
struct One {
  static constexpr int L = 1;
  using D = double;
  using U = std::uint64_t;
  using I = std::int64_t;
  using M = bool;
  static VT_MATH_INLINE D splat(double c) { return c; }
  static VT_MATH_INLINE U bits(D x) {
    U u;
    std::memcpy(&u, &x, sizeof u);
    return u;
  }
  static VT_MATH_INLINE D from_bits(U u) {
    D x;
    std::memcpy(&x, &u, sizeof x);
    return x;
  }
  static VT_MATH_INLINE D select(M m, D a, D b) { return m ? a : b; }
  static VT_MATH_INLINE M mask(M m) { return m; }
  static VT_MATH_INLINE D gather(const double* table, U index) { return table[index]; }
  static VT_MATH_INLINE unsigned lanes(M m) { return m; }
  // Float rounding of each lane, back in double: the rounding test compares
  // the roundings of the two ends of a result's error interval.
  static VT_MATH_INLINE D round_float(D x) { return static_cast<double>(static_cast<float>(x)); }
  static VT_MATH_INLINE D abs(D x) { return __builtin_fabs(x); }  // an SSE and, not a trip through integers
};

// L lanes of doubles in GCC's vector extension; the compiler splits them
// into as many registers as the target has width for.
// (GCC drops a vector_size that depends on a template parameter, hence one
// definition per width.)
template <int Lanes>
struct VectorTypes;
#define VT_MATH_VECTOR_TYPES(lanes)                                  \
  template <>                                                        \
  struct VectorTypes<lanes> {                                        \
    typedef double D __attribute__((vector_size(8 * lanes)));        \
    typedef std::uint64_t U __attribute__((vector_size(8 * lanes))); \
    typedef std::int64_t I __attribute__((vector_size(8 * lanes)));  \
    typedef float F __attribute__((vector_size(4 * lanes)));         \
  };
VT_MATH_VECTOR_TYPES(2)
VT_MATH_VECTOR_TYPES(4)
VT_MATH_VECTOR_TYPES(8)
#undef VT_MATH_VECTOR_TYPES

template <int Lanes>
struct Pack {
  static constexpr int L = Lanes;
  using D = typename VectorTypes<Lanes>::D;
  using U = typename VectorTypes<Lanes>::U;
  using I = typename VectorTypes<Lanes>::I;
  using F = typename VectorTypes<Lanes>::F;
  using M = I;  // all ones in a lane that is true
  static VT_MATH_INLINE D splat(double c) {
    D r;  // each lane set (an addition to zeros would turn -0 into +0)
    for (int k = 0; k < L; ++k) r[k] = c;
    return r;
  }
  static VT_MATH_INLINE U bits(D x) { return (U)x; }  // a vector cast keeps the bits
  static VT_MATH_INLINE D from_bits(U u) { return (D)u; }
  static VT_MATH_INLINE D select(M m, D a, D b) { return from_bits((bits(a) & U(m)) | (bits(b) & ~U(m))); }
  // A comparison's lanes as a plain vector. Left as a comparison, GCC may
  // fold it with others into a vector of truth values and then widen that
  // lane by lane in general registers (a 32-bit build moves each lane back
  // through memory); the empty asm keeps the comparison's own register.
  // (Clang neither folds so nor takes a wide vector in an "x" operand.)
  static VT_MATH_INLINE M mask(M m) {
#if !defined(__clang__)
    __asm__("" : "+x"(m));
#endif
    return m;
  }
  static VT_MATH_INLINE D gather(const double* table, U index) {
#if VT_MATH_HAVE_AVX2_ROWS && !defined(__clang__)
    // Eight lanes run only inside AVX-512 functions, where the processor's
    // gather loads them in one instruction (a builtin, which GCC checks
    // against the function it is finally expanded in; Clang checks it where
    // it is written, and makes the gather of the plain loop itself).
    if constexpr (Lanes == 8)
      return __builtin_ia32_gatherdiv8df(D{}, table, (__v8di)index, static_cast<char>(0xff), 8);
#endif
    D r;
    for (int k = 0; k < L; ++k) r[k] = table[index[k]];
    return r;
  }
  // One bit per true lane, from the processor's mask move. (Reading the
  // lanes one by one instead lets the compiler redo each lane's comparison
  // in scalar code, on the hot path.)
  static VT_MATH_INLINE unsigned lanes(M m) {
#if defined(__clang__)
    unsigned bits = 0;  // Clang turns this into the mask move itself
    for (int k = 0; k < L; ++k) bits |= (m[k] < 0 ? 1u : 0u) << k;
    return bits;
#else
    if constexpr (Lanes == 2) {
      return static_cast<unsigned>(__builtin_ia32_movmskpd((D)m));
    } else if constexpr (Lanes == 4) {
      return static_cast<unsigned>(__builtin_ia32_movmskpd256((D)m));
    } else {
#if VT_MATH_HAVE_AVX2_ROWS
      return static_cast<unsigned char>(__builtin_ia32_cvtq2mask512((__v8di)m));
#endif
    }
#endif
  }
  static VT_MATH_INLINE D round_float(D x) {
    return __builtin_convertvector(__builtin_convertvector(x, F), D);
  }
  static VT_MATH_INLINE D abs(D x) { return from_bits(bits(x) & 0x7fffffffffffffffull); }
};

// Lanes outside the open interval (lo, hi), NaN included.
template <class P>
VT_MATH_INLINE typename P::M outside(typename P::D x, double lo, double hi) {
  return P::mask(x <= lo) | P::mask(x >= hi) | P::mask(x != x);
}

// Lanes where the float roundings of lo and hi differ: the exact value lies
// somewhere in [lo, hi] and may round either way.
template <class P>
VT_MATH_INLINE typename P::M ambiguous(typename P::D lo, typename P::D hi) {
  return P::mask(P::round_float(lo) != P::round_float(hi));
}

// The rounding test on a result's bits: a float keeps the top 23 of a
// normal double's 52 fraction bits. If the approximation y is more than
// `Ulps` double units from the middle between two floats, and the exact
// value is within `Ulps` units of y, both lie on the same side of that
// middle and round alike. The result: lanes whose y lies within `Ulps`
// units of a float middle. In packs the low 29 bits, offset so that the
// window starts at 0, are compared as the fraction of a double with a fixed
// exponent: a double comparison, which SSE2 has for 64-bit lanes where it
// has no 64-bit integer one.
template <class P, unsigned Ulps>
VT_MATH_INLINE typename P::M near_float_middle(typename P::D y) {
  using U = typename P::U;
  constexpr std::uint64_t kDropped = 0x1fffffff, kMiddle = 0x10000000, kTwo52 = 0x4330000000000000ull;
  U window = (P::bits(y) - std::uint64_t{kMiddle - Ulps}) & kDropped;
  if constexpr (P::L == 1) {
    return window <= 2 * Ulps;
  } else {
    return P::mask(P::from_bits(window | kTwo52) <= P::splat(0x1p52 + 2.0 * Ulps));
  }
}

// One-argument driver over a pack; hard lanes go to the scalar function.
template <class K, class P>
VT_MATH_INLINE void unary(float* out, const float* in, std::uint32_t n) {
  constexpr int L = P::L;
  std::uint32_t i = 0;
  // Two packs per step: their independent chains of dependent operations
  // then overlap in the processor.
  for (; i + 2 * L <= n; i += 2 * L) {
    typename P::F xf[2];
    std::memcpy(xf, in + i, sizeof xf);  // read before out (may be in) is written
    typename P::M hard[2] = {};
    typename P::D y0 = K::template eval<P>(__builtin_convertvector(xf[0], typename P::D), hard[0]);
    typename P::D y1 = K::template eval<P>(__builtin_convertvector(xf[1], typename P::D), hard[1]);
    typename P::F yf[2] = {__builtin_convertvector(y0, typename P::F), __builtin_convertvector(y1, typename P::F)};
    std::memcpy(out + i, yf, sizeof yf);
    unsigned todo = P::lanes(hard[0]) | P::lanes(hard[1]) << L;
    if (__builtin_expect(todo != 0, 0)) {
      float x[2 * L];
      std::memcpy(x, xf, sizeof x);
      for (; todo; todo &= todo - 1) {
        const int k = __builtin_ctz(todo);
        out[i + k] = K::scalar(x[k]);
      }
    }
  }
  for (; i < n; ++i) out[i] = K::scalar(in[i]);
}

// Two-argument driver (the power): out[i] = f(x[i], y[i]).
template <class K, class P>
VT_MATH_INLINE void binary(float* out, const float* x, const float* y, std::uint32_t n) {
  constexpr int L = P::L;
  std::uint32_t i = 0;
  for (; i + 2 * L <= n; i += 2 * L) {
    typename P::F xf[2], yf[2];
    std::memcpy(xf, x + i, sizeof xf);
    std::memcpy(yf, y + i, sizeof yf);
    typename P::M hard[2] = {};
    typename P::D r0 = K::template eval<P>(__builtin_convertvector(xf[0], typename P::D),
                                           __builtin_convertvector(yf[0], typename P::D), hard[0]);
    typename P::D r1 = K::template eval<P>(__builtin_convertvector(xf[1], typename P::D),
                                           __builtin_convertvector(yf[1], typename P::D), hard[1]);
    typename P::F rf[2] = {__builtin_convertvector(r0, typename P::F), __builtin_convertvector(r1, typename P::F)};
    std::memcpy(out + i, rf, sizeof rf);
    unsigned todo = P::lanes(hard[0]) | P::lanes(hard[1]) << L;
    if (__builtin_expect(todo != 0, 0)) {
      float xs[2 * L], ys[2 * L];
      std::memcpy(xs, xf, sizeof xs);
      std::memcpy(ys, yf, sizeof ys);
      for (; todo; todo &= todo - 1) {
        const int k = __builtin_ctz(todo);
        out[i + k] = K::scalar(xs[k], ys[k]);
      }
    }
  }
  for (; i < n; ++i) out[i] = K::scalar(x[i], y[i]);
}

// The kernels' own scalar pack. A 32-bit build would split the kernels'
// 64-bit integer work over register pairs and pass each result to the SSE
// registers through memory, where a load of two separate 32-bit stores
// waits for both (a store-forwarding stall, several per call). On an SSE2
// pack that work stays in the vector registers; lane 0 carries the value.
#if defined(__i386__)
constexpr bool kScalarOnPacks = true;
#else
constexpr bool kScalarOnPacks = false;
#endif

// The kernel on one argument: its value, and whether it is hard.
template <class K>
VT_MATH_INLINE double eval_one(double x, bool& hard) {
  if constexpr (kScalarOnPacks) {
    typename Pack<2>::M lanes_hard = {};
    typename Pack<2>::D y = K::template eval<Pack<2>>(Pack<2>::splat(x), lanes_hard);
    hard = (Pack<2>::lanes(lanes_hard) & 1) != 0;
    return y[0];
  } else {
    bool h = false;
    double y = K::template eval<One>(x, h);
    hard = h;
    return y;
  }
}

// The same for a two-argument kernel (the power).
template <class K>
VT_MATH_INLINE double eval_one(double x, double y, bool& hard) {
  if constexpr (kScalarOnPacks) {
    typename Pack<2>::M lanes_hard = {};
    typename Pack<2>::D v = K::template eval<Pack<2>>(Pack<2>::splat(x), Pack<2>::splat(y), lanes_hard);
    hard = (Pack<2>::lanes(lanes_hard) & 1) != 0;
    return v[0];
  } else {
    bool h = false;
    double v = K::template eval<One>(x, y, h);
    hard = h;
    return v;
  }
}

// Scalar entry: the kernel on one lane, the slow path only when it fails.
template <class K, class Slow>
VT_MATH_INLINE float scalar(float x, Slow slow) {
  bool hard = false;
  double y = eval_one<K>(static_cast<double>(x), hard);
  if (__builtin_expect(!hard, 1)) return static_cast<float>(y);
  return slow(x, y);
}

// The widest pack the row forms may use where the processor has it (8, 4
// or 2 lanes); the tests lower it to hold each narrower loop against the
// scalar functions too.
inline int& lanes_allowed() {
  static int lanes = 8;
  return lanes;
}

inline bool have_avx2() {
#if VT_MATH_HAVE_AVX2_ROWS
  static const bool yes = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
  return yes && lanes_allowed() >= 4;
#else
  return false;
#endif
}

inline bool have_avx512() {
#if VT_MATH_HAVE_AVX2_ROWS
  static const bool yes =
      (__builtin_cpu_init(), __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq"));
  return yes && lanes_allowed() >= 8;
#else
  return false;
#endif
}

}  // namespace vt::math::rows

// Defines name_rows(out, in, n) for a kernel: the SSE2 loop everywhere, the
// AVX2 loop where the build and the processor have it.
#if VT_MATH_HAVE_AVX2_ROWS
#include "math/rows_avx512.h"
#define VT_MATH_UNARY_ROWS(name, Kernel)                                                     \
  namespace {                                                                                \
  __attribute__((noinline)) void name##_rows_sse2(float* out, const float* in, std::uint32_t n) { \
    ::vt::math::rows::unary<Kernel, ::vt::math::rows::Pack<2>>(out, in, n);                 \
  }                                                                                          \
  __attribute__((noinline, target("avx2"))) void name##_rows_avx2(float* out, const float* in, \
                                                                  std::uint32_t n) {         \
    ::vt::math::rows::unary<Kernel, ::vt::math::rows::Pack<4>>(out, in, n);                 \
  }                                                                                          \
  }                                                                                          \
  void cr_##name##_rows(float* out, const float* in, std::uint32_t n) {                      \
    if (::vt::math::rows::have_avx512()) ::vt::math::avx512::name##_rows(out, in, n);        \
    else if (::vt::math::rows::have_avx2()) name##_rows_avx2(out, in, n);                    \
    else name##_rows_sse2(out, in, n);                                                       \
  }
#define VT_MATH_BINARY_ROWS(name, Kernel)                                                    \
  namespace {                                                                                \
  __attribute__((noinline)) void name##_rows_sse2(float* out, const float* x, const float* y, \
                                                  std::uint32_t n) {                         \
    ::vt::math::rows::binary<Kernel, ::vt::math::rows::Pack<2>>(out, x, y, n);              \
  }                                                                                          \
  __attribute__((noinline, target("avx2"))) void name##_rows_avx2(                           \
      float* out, const float* x, const float* y, std::uint32_t n) {                         \
    ::vt::math::rows::binary<Kernel, ::vt::math::rows::Pack<4>>(out, x, y, n);              \
  }                                                                                          \
  }                                                                                          \
  void cr_##name##_rows(float* out, const float* x, const float* y, std::uint32_t n) {       \
    if (::vt::math::rows::have_avx512()) ::vt::math::avx512::name##_rows(out, x, y, n);      \
    else if (::vt::math::rows::have_avx2()) name##_rows_avx2(out, x, y, n);                  \
    else name##_rows_sse2(out, x, y, n);                                                     \
  }
#else
#define VT_MATH_UNARY_ROWS(name, Kernel)                                    \
  void cr_##name##_rows(float* out, const float* in, std::uint32_t n) {     \
    ::vt::math::rows::unary<Kernel, ::vt::math::rows::Pack<2>>(out, in, n); \
  }
#define VT_MATH_BINARY_ROWS(name, Kernel)                                              \
  void cr_##name##_rows(float* out, const float* x, const float* y, std::uint32_t n) { \
    ::vt::math::rows::binary<Kernel, ::vt::math::rows::Pack<2>>(out, x, y, n);         \
  }
#endif
