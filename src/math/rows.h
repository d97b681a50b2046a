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
// register of doubles: every build, i686 included) and Pack<4> (an AVX2
// register, x86-64 builds outside Windows, chosen at run time). A pack is
// exactly one register wide: GCC splits wider vectors but does their
// comparisons lane by lane in scalar code. Kernels
// use only what IEEE 754 rounds exactly (+ - * / sqrt, conversions, integer
// and bit operations) and no fused multiply-add, so the lane width cannot
// change a bit. The AVX2 path stays out of the Windows builds: their
// compiler does not keep 32-byte stack slots aligned.
#pragma once

#include <cstdint>
#include <cstring>

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
  static VT_MATH_INLINE D gather(const double* table, U index) { return table[index]; }
  static VT_MATH_INLINE bool any(M m) { return m; }
  // Float rounding of each lane, back in double: the rounding test compares
  // the roundings of the two ends of a result's error interval.
  static VT_MATH_INLINE D round_float(D x) { return static_cast<double>(static_cast<float>(x)); }
  static VT_MATH_INLINE D abs(D x) { return from_bits(bits(x) & 0x7fffffffffffffffull); }
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
#undef VT_MATH_VECTOR_TYPES

template <int Lanes>
struct Pack {
  static constexpr int L = Lanes;
  using D = typename VectorTypes<Lanes>::D;
  using U = typename VectorTypes<Lanes>::U;
  using I = typename VectorTypes<Lanes>::I;
  using F = typename VectorTypes<Lanes>::F;
  using M = I;  // all ones in a lane that is true
  static VT_MATH_INLINE D splat(double c) { return D{} + c; }
  static VT_MATH_INLINE U bits(D x) { return (U)x; }  // a vector cast keeps the bits
  static VT_MATH_INLINE D from_bits(U u) { return (D)u; }
  static VT_MATH_INLINE D select(M m, D a, D b) { return from_bits((bits(a) & U(m)) | (bits(b) & ~U(m))); }
  static VT_MATH_INLINE D gather(const double* table, U index) {
    D r;
    for (int k = 0; k < L; ++k) r[k] = table[index[k]];
    return r;
  }
  static VT_MATH_INLINE bool any(M m) {
    I acc = m;
    std::int64_t r = 0;
    for (int k = 0; k < L; ++k) r |= acc[k];
    return r != 0;
  }
  static VT_MATH_INLINE D round_float(D x) {
    return __builtin_convertvector(__builtin_convertvector(x, F), D);
  }
  static VT_MATH_INLINE D abs(D x) { return from_bits(bits(x) & 0x7fffffffffffffffull); }
};

// Lanes where the float roundings of lo and hi differ: the exact value lies
// somewhere in [lo, hi] and may round either way.
template <class P>
VT_MATH_INLINE typename P::M ambiguous(typename P::D lo, typename P::D hi) {
  return P::round_float(lo) != P::round_float(hi);
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
    if (__builtin_expect(P::any(hard[0] | hard[1]), 0))
      for (int k = 0; k < 2 * L; ++k)
        if (hard[k / L][k % L]) out[i + k] = K::scalar(xf[k / L][k % L]);
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
    if (__builtin_expect(P::any(hard[0] | hard[1]), 0))
      for (int k = 0; k < 2 * L; ++k)
        if (hard[k / L][k % L]) out[i + k] = K::scalar(xf[k / L][k % L], yf[k / L][k % L]);
  }
  for (; i < n; ++i) out[i] = K::scalar(x[i], y[i]);
}

// Scalar entry: the kernel on one lane, the slow path only when it fails.
template <class K, class Slow>
VT_MATH_INLINE float scalar(float x, Slow slow) {
  bool hard = false;
  double y = K::template eval<One>(static_cast<double>(x), hard);
  if (__builtin_expect(!hard, 1)) return static_cast<float>(y);
  return slow(x, y);
}

// Whether the wide loops may run where the processor has them; the tests
// turn it off to hold the SSE2 loops against the scalar functions too.
inline bool& wide_rows_allowed() {
  static bool allowed = true;
  return allowed;
}

inline bool have_avx2() {
#if VT_MATH_HAVE_AVX2_ROWS
  static const bool yes = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
  return yes && wide_rows_allowed();
#else
  return false;
#endif
}

}  // namespace vt::math::rows

// Defines name_rows(out, in, n) for a kernel: the SSE2 loop everywhere, the
// AVX2 loop where the build and the processor have it.
#if VT_MATH_HAVE_AVX2_ROWS
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
    if (::vt::math::rows::have_avx2()) name##_rows_avx2(out, in, n);                         \
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
    if (::vt::math::rows::have_avx2()) name##_rows_avx2(out, x, y, n);                       \
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
