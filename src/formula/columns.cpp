// Whole columns at once (ctlcalc::evalcolumns): the object's code run over
// many rows, with the variables' values read from arrays instead of the
// value callback.
//
// The rows go in blocks. Within a block the stack code is run once, each
// stack cell holding the values of all the block's rows: an instruction
// becomes one loop over the block, so its dispatch is paid once per block
// rather than once per row, and + - * / (with the limit), the comparisons,
// the Boolean operations and the choices of a conditional run as SIMD
// loops across rows. A float variable's cell points straight into its
// column. The math functions run as the library's row forms over the
// block (math/crmath.h: the same bits as the scalar functions the handlers
// call), followed by the engine's NaN and limit rules as SIMD loops.
//
// The loops are made from the step lines of prepared.h, so every row gets
// the bits the fast loop (and so the handlers) give it: single-precision
// + - * / round exactly as the double result rounded once. Conditionals
// compute both values for every row and then choose; the value not chosen
// has no effect, as for the handlers.
//
// No heap memory: the cells live in one fixed buffer on the stack, and the
// rows of a block shrink as the code needs more cells.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "formula/code_check.h"
#include "formula/machine.h"
#include "formula/opcodes.h"
#include "formula/prepared.h"
#include "formula/value_rules.h"
#include "port/fp_state.h"
#include "veltra/ctlcalc.h"

using namespace vt::formula;

namespace {

// Floats of the cell buffer (32 KiB of stack). Each stack cell has two
// blocks, so that an operation never writes the block it reads.
constexpr std::uint32_t kBufferFloats = 8192;
// Rows of a block: at most kMaxBlockRows, a multiple of kRowStep.
constexpr std::uint32_t kMaxBlockRows = 256;
constexpr std::uint32_t kRowStep = 8;
static_assert(2 * (kStackCells + 1) * kRowStep <= kBufferFloats, "the deepest code gets a block of kRowStep rows");

using Unary = void (*)(float* __restrict out, const float* __restrict in, std::uint32_t n);
using Binary = void (*)(float* __restrict out, const float* __restrict left, const float* __restrict right,
                        std::uint32_t n);
using BinaryK = void (*)(float* __restrict out, const float* __restrict left, float right, std::uint32_t n);

// The loops, made from the step lines. There the names limit and rule_div
// stand for the rules' branch-free forms (value_rules.h), which the
// compiler turns into SIMD code.
namespace lanes {
using namespace vt::formula;
inline float limit(float v) { return limit_lanes(v); }
inline float rule_div(float a, float b) { return rule_div_lanes(a, b); }

// A binary loop has a second form for a constant right operand, which
// then needs no block of its own.
// (The math functions' and the power's loops are replaced by block forms
// below.)
#define VT_BINARY_LOOP(name, code, expr)                                                                     \
  [[maybe_unused]] void name##_rows(float* __restrict out, const float* __restrict left, const float* __restrict right,       \
                   std::uint32_t n) {                                                                        \
    for (std::uint32_t i = 0; i < n; ++i) {                                                                  \
      const float a = left[i], b = right[i];                                                                 \
      out[i] = (expr);                                                                                       \
    }                                                                                                        \
  }                                                                                                          \
  void name##_rows_k(float* __restrict out, const float* __restrict left, const float b, std::uint32_t n) {  \
    for (std::uint32_t i = 0; i < n; ++i) {                                                                  \
      const float a = left[i];                                                                               \
      out[i] = (expr);                                                                                       \
    }                                                                                                        \
  }
#define VT_UNARY_LOOP(name, code, expr)                                                   \
  [[maybe_unused]] void name##_rows(float* __restrict out, const float* __restrict in, std::uint32_t n) { \
    for (std::uint32_t i = 0; i < n; ++i) {                                               \
      const float a = in[i];                                                              \
      out[i] = (expr);                                                                    \
    }                                                                                     \
  }
VT_BINARY_STEPS(VT_BINARY_LOOP)
VT_UNARY_STEPS(VT_UNARY_LOOP)
#undef VT_BINARY_LOOP
#undef VT_UNARY_LOOP

// The engine's rules over a block of a math function's results: its NaN
// (value_rules.h), then the limit where the function has one.
template <bool kLimited>
void function_rules(float* __restrict out, const float* __restrict in, std::uint32_t n) {
  for (std::uint32_t i = 0; i < n; ++i) {
    const float r = function_nan_lanes(out[i], in[i]);
    out[i] = kLimited ? limit_lanes(r) : r;
  }
}

// A math function over a block: the library's row form, then the rules.
#define VT_MATH_LOOP(step, name, limited)                                                   \
  void math_##step##_rows(float* __restrict out, const float* __restrict in, std::uint32_t n) { \
    vt::math::cr_##name##_rows(out, in, n);                                                   \
    function_rules<limited>(out, in, n);                                                    \
  }
VT_MATH_FUNCTIONS(VT_MATH_LOOP)
#undef VT_MATH_LOOP

// The power over a block: the library's two-array form, then the NaN rule
// of either operand and the limit. Squares and cubes need no detour: the
// library's power is correctly rounded, as they are.
void pow_rows(float* __restrict out, const float* __restrict left, const float* __restrict right, std::uint32_t n) {
  vt::math::cr_pow_rows(out, left, right, n);
  for (std::uint32_t i = 0; i < n; ++i) {
    out[i] = limit_lanes(function_nan_lanes(out[i], left[i], right[i]));
  }
}
void pow_rows_k(float* __restrict out, const float* __restrict left, const float b, std::uint32_t n) {
  float right[kMaxBlockRows];
  for (std::uint32_t done = 0; done < n; done += kMaxBlockRows) {
    const std::uint32_t m = std::min(kMaxBlockRows, n - done);
    std::fill(right, right + m, b);
    pow_rows(out + done, left + done, right, m);
  }
}
// The power by 1.5 as the rule's shortcut, a * sqrt(a) (value_rules.h), as
// a SIMD loop; the rare negative bases and NaN then go to the rule itself.
void three_halves_rows(float* __restrict out, const float* __restrict in, std::uint32_t n) {
  std::uint32_t others = 0;
  for (std::uint32_t i = 0; i < n; ++i) {
    const double d = in[i] >= 0.0f ? in[i] : 0.0f;
    out[i] = limit_lanes(static_cast<float>(d * std::sqrt(d)));
    others |= !(in[i] >= 0.0f);
  }
  if (others)
    for (std::uint32_t i = 0; i < n; ++i)
      if (!(in[i] >= 0.0f)) out[i] = rule_pow(in[i], 1.5f);
}
}  // namespace lanes

// The operation code of each unary step, by the step's place in its list.
#define VT_UNARY_ID(name, code, expr) U_##name,
enum UnaryStep { VT_UNARY_STEPS(VT_UNARY_ID) unary_step_count };
#undef VT_UNARY_ID
#define VT_UNARY_CODE(name, code, expr) code,
constexpr int kUnaryCode[unary_step_count] = {VT_UNARY_STEPS(VT_UNARY_CODE)};
#undef VT_UNARY_CODE

// The loops by operation code; null for codes without one of that arity.
struct Loops {
  std::array<Unary, operation_count> unary{};
  std::array<Binary, operation_count> binary{};
  std::array<BinaryK, operation_count> binary_k{};
};
constexpr Loops make_loops() {
  Loops t;
#define VT_BINARY_ENTRY(name, code, expr) \
  t.binary[code] = lanes::name##_rows;     \
  t.binary_k[code] = lanes::name##_rows_k;
#define VT_UNARY_ENTRY(name, code, expr) \
  if (code != op_null) t.unary[code] = lanes::name##_rows;
  VT_BINARY_STEPS(VT_BINARY_ENTRY)
  VT_UNARY_STEPS(VT_UNARY_ENTRY)
#undef VT_BINARY_ENTRY
#undef VT_UNARY_ENTRY
  // The math functions and the power go by blocks instead (lanes above).
#define VT_MATH_ENTRY(step, name, limited) t.unary[kUnaryCode[U_##step]] = lanes::math_##step##_rows;
  VT_MATH_FUNCTIONS(VT_MATH_ENTRY)
#undef VT_MATH_ENTRY
  t.binary[op_pot] = lanes::pow_rows;
  t.binary_k[op_pot] = lanes::pow_rows_k;
  return t;
}
constexpr Loops kLoops = make_loops();

// The choice of a conditional, bit for bit: the chosen value's 4 bytes, or
// for a Boolean conditional its sign-widened low half. Both values are
// read and masked, which a SIMD loop can do.
template <bool kBoolean>
void choose_rows(float* __restrict out, const float* __restrict c, const float* __restrict t,
                 const float* __restrict e, std::uint32_t n) {
  for (std::uint32_t i = 0; i < n; ++i) {
    const std::uint32_t mask = 0u - static_cast<std::uint32_t>(truth(c[i]));
    const float v = bits_float((float_bits(t[i]) & mask) | (float_bits(e[i]) & ~mask));
    out[i] = kBoolean ? widen_boolean(v) : v;
  }
}

void fill_rows(float* out, std::uint32_t bits, std::uint32_t n) {
  const float v = bits_float(bits);
  for (std::uint32_t i = 0; i < n; ++i) out[i] = v;
}

// A Boolean column's values as the cells a Boolean constant of the same
// 16-bit value pushes.
void boolean_rows(float* __restrict out, const std::int16_t* __restrict in, std::uint32_t n) {
  for (std::uint32_t i = 0; i < n; ++i) out[i] = bits_float(static_cast<std::uint32_t>(static_cast<std::int32_t>(in[i])));
}

struct Columns {
  const float* const* floats;
  std::uint32_t float_count;
  const std::int16_t* const* booleans;
  std::uint32_t boolean_count;
};

// Every variable the code reads has its column (or is a built-in).
bool has_every_column(const codeentry* code, std::uint32_t length, const Columns& in) {
  for (std::uint32_t i = 0; i < length; ++i) {
    const std::int32_t op = code[i].op;
    const std::int16_t index = code[i].value.b;
    if (op == op_vfpush && !is_builtin(index, ctlcalc_float) &&
        (index < 0 || static_cast<std::uint32_t>(index) >= in.float_count || !in.floats || !in.floats[index]))
      return false;
    if (op == op_vbpush &&
        (index < 0 || static_cast<std::uint32_t>(index) >= in.boolean_count || !in.booleans || !in.booleans[index]))
      return false;
  }
  return true;
}

// True when `results` is one of the float columns the code reads.
bool results_are_read(const codeentry* code, std::uint32_t length, const Columns& in, const float* results) {
  for (std::uint32_t i = 0; i < length; ++i)
    if (code[i].op == op_vfpush && !is_builtin(code[i].value.b, ctlcalc_float) && in.floats[code[i].value.b] == results)
      return true;
  return false;
}

// The last instruction that leaves a value: the one that makes the result.
std::uint32_t last_result(const codeentry* code, std::uint32_t length) {
  std::uint32_t last = 0;
  for (std::uint32_t i = 0; i < length; ++i)
    if (kOps[code[i].op].pushes) last = i;
  return last;
}

// One block of rows through the stack code. Stack cell d holds a block of
// values (values_[d]: into a column, or one of the two blocks of the buffer
// that belong to cell d, so that an operation never writes the block it
// reads) or a constant, which is filled into a block only when an
// operation needs it as one.
class BlockRun {
 public:
  BlockRun(float* buffer, std::uint32_t block_rows) : buffer_(buffer), rows_(block_rows) {}

  // Runs the block of n rows from first_row; the instruction at `last`
  // writes into `out` when out is not null. Returns the result's values.
  const float* run(const ctlcalc& calc, const codeentry* code, std::uint32_t length, const Columns& in,
                   std::uint32_t first_row, std::uint32_t n, std::uint32_t last, float* out) {
    n_ = n;
    int depth = 0;
    for (std::uint32_t i = 0; i < length; ++i) {
      const codeentry& e = code[i];
      float* const target = i == last ? out : nullptr;
      switch (e.op) {
        case op_vfpush:
          if (is_builtin(e.value.b, ctlcalc_float)) {
            set_constant(depth++, float_bits(calc.*kBuiltinFields[e.value.b - kFirstBuiltinIndex]));
          } else {
            constant_[depth] = false;
            values_[depth++] = in.floats[e.value.b] + first_row;
          }
          break;
        case op_vbpush:
          boolean_rows(result_block(depth, target), in.booleans[e.value.b] + first_row, n);
          ++depth;
          break;
        case op_cfpush: set_constant(depth++, e.value.bits); break;
        case op_cbpush:  // the 16-bit value, sign-widened
          set_constant(depth++, static_cast<std::uint32_t>(std::int32_t{e.value.b}));
          break;
        case op_ari_if:
        case op_bari_if: {
          depth -= 2;
          const float *c = block_of(depth - 1), *t = block_of(depth), *f = block_of(depth + 1);
          (e.op == op_ari_if ? choose_rows<false> : choose_rows<true>)(result_block(depth - 1, target), c, t, f, n);
          break;
        }
        case op_pot:
          // A power by the constant 2 or 3 is a square or a cube, as in
          // the prepared form: a multiplication instead of a pow call.
          if (constant_[depth - 1] && (const_[depth - 1] == float_bits(2.0f) || const_[depth - 1] == float_bits(3.0f))) {
            --depth;
            const float* a = block_of(depth - 1);
            (const_[depth] == float_bits(2.0f) ? lanes::SQUARE_rows : lanes::CUBE_rows)(
                result_block(depth - 1, target), a, n);
            break;
          }
          if (constant_[depth - 1] && const_[depth - 1] == float_bits(1.5f)) {
            --depth;
            const float* a = block_of(depth - 1);
            lanes::three_halves_rows(result_block(depth - 1, target), a, n);
            break;
          }
          [[fallthrough]];
        default:
          if (const Binary f = kLoops.binary[e.op]) {
            --depth;
            const float* a = block_of(depth - 1);
            if (constant_[depth]) {
              kLoops.binary_k[e.op](result_block(depth - 1, target), a, bits_float(const_[depth]), n);
            } else {
              const float* b = block_of(depth);
              f(result_block(depth - 1, target), a, b, n);
            }
          } else if (const Unary g = kLoops.unary[e.op]) {
            const float* a = block_of(depth - 1);
            g(result_block(depth - 1, target), a, n);
          }
          break;  // the empty instructions
      }
    }
    return block_of(0);
  }

 private:
  float* block(int cell, int k) const { return buffer_ + (2 * static_cast<std::uint32_t>(cell) + k) * rows_; }

  void set_constant(int cell, std::uint32_t bits) {
    constant_[cell] = true;
    const_[cell] = bits;
  }
  // The values of a cell as a block; a constant is filled in now.
  const float* block_of(int cell) {
    if (constant_[cell]) {
      fill_rows(block(cell, 0), const_[cell], n_);
      values_[cell] = block(cell, 0);
      constant_[cell] = false;
    }
    return values_[cell];
  }
  // Where an operation puts the new values of a cell (the target, or the
  // cell's block that its operands are not in), which it then holds. Call
  // after taking the operands' blocks.
  float* result_block(int cell, float* target) {
    float* out = target ? target : values_[cell] == block(cell, 0) ? block(cell, 1) : block(cell, 0);
    constant_[cell] = false;
    values_[cell] = out;
    return out;
  }

  float* buffer_;
  std::uint32_t rows_;
  std::uint32_t n_ = 0;
  const float* values_[kStackCells];
  std::uint32_t const_[kStackCells];
  bool constant_[kStackCells];
};

}  // namespace

std::int16_t ctlcalc::evalcolumns(const float* const* floats, std::uint32_t float_count,
                                  const std::int16_t* const* booleans, std::uint32_t boolean_count,
                                  float* results, std::uint32_t rows) {
  vt::port::FpGuard fp;
  if (rows == 0) return 1;
  if (!results) return 0;
  // Empty code, or code that fails the check, gives 0.0 as eval does.
  const CodeShape shape = code && codesize && code[0].op != op_null ? check_code(code, codesize) : CodeShape{};
  if (!shape.valid) {
    std::fill(results, results + rows, 0.0f);
    return 1;
  }
  const Columns in{floats, float_count, booleans, boolean_count};
  if (!has_every_column(code, shape.length, in)) return 0;

  float buffer[kBufferFloats];
  const std::uint32_t cells = static_cast<std::uint32_t>(shape.max_depth);
  const std::uint32_t block_rows = std::min(kMaxBlockRows, kBufferFloats / (2 * cells) / kRowStep * kRowStep);
  BlockRun run(buffer, block_rows);
  // The operation that makes the result writes it in place, unless the
  // results are a column it may read.
  const std::uint32_t last = last_result(code, shape.length);
  const bool direct = !results_are_read(code, shape.length, in, results);
  for (std::uint32_t first = 0, n; first < rows; first += n) {  // never past rows: no wrap at 2^32
    n = std::min(block_rows, rows - first);
    const float* result = run.run(*this, code, shape.length, in, first, n, last, direct ? results + first : nullptr);
    if (result != results + first) std::memmove(results + first, result, n * sizeof(float));
  }
  return 1;
}
