// Turns checked stack code into the prepared form of prepared.h.
//
// The code is walked once with a stack of operand descriptions instead of
// values: a slot (a variable or a constant, not yet pushed anywhere) or a
// computed result. The topmost computed result is always the one in the
// accumulator; computed results below it were set aside on the evaluation
// stack, in order. An operation whose operands are all slots while the
// accumulator holds a result still needed later sets that result aside
// first (the XS form of the step, or a SPILL step before a conditional).
//
// A conditional whose then- or else-value takes steps of its own is turned
// into a branch: the condition is tested before either value is computed
// and the steps of the value not chosen are jumped over. The variable reads
// of both values still happen (they are all read before the first step);
// the arithmetic skipped has no effect on the result. A conditional between
// two plain operands stays one choosing step.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "formula/code_check.h"
#include "formula/machine.h"
#include "formula/opcodes.h"
#include "formula/prepared.h"

namespace vt::formula {

namespace {

// Step kind of each operation code: the first form of its binary or unary
// step, or none.
struct KindOf {
  std::uint16_t binary[operation_count];
  std::uint16_t unary[operation_count];
  std::uint16_t compare_branch[step_kind_count];  // by comparison step, or 0
  KindOf() : compare_branch() {
    for (int i = 0; i < operation_count; ++i) binary[i] = unary[i] = step_kind_count;
#define VT_COMPARE_MAP(name, test)                      \
  compare_branch[name##_AS] = name##_BRANCH_AS;         \
  compare_branch[name##_SA] = name##_BRANCH_SA;         \
  compare_branch[name##_SS] = name##_BRANCH_SS;
    VT_COMPARE_STEPS(VT_COMPARE_MAP)
#undef VT_COMPARE_MAP
#define VT_BINARY_MAP(name, code, expr) binary[code] = name##_AS;
#define VT_UNARY_MAP(name, code, expr) \
  if (code != op_null) unary[code] = name##_A;
    VT_BINARY_STEPS(VT_BINARY_MAP)
    VT_UNARY_STEPS(VT_UNARY_MAP)
#undef VT_BINARY_MAP
#undef VT_UNARY_MAP
  }
};
const KindOf kKindOf;

// The forms' offsets from a step's first form.
enum : std::uint16_t { kAS = 0, kSA = 1, kSS = 2, kPA = 3, kXSS = 4, kOnAcc = 0, kOnSlot = 1, kXSlot = 2 };

bool has_exact_reciprocal(float k) {
  int e;
  if (!std::isfinite(k) || std::frexp(k, &e) != (k > 0 ? 0.5f : -0.5f)) return false;
  // k = +-2^(e-1); 1/k = +-2^(1-e) must be a normal float
  return 1 - e >= -126 && 1 - e <= 127;
}

std::size_t round8(std::size_t n) { return (n + 7) & ~static_cast<std::size_t>(7); }

// Steps for n instructions: an instruction gives at most two (a conditional
// closed: a load and a widening; a choice: a push and the choice), the
// start of a branch at most two more (a load and a jump), and the end a
// load and END.
std::size_t max_steps(std::uint32_t n) { return 4 * static_cast<std::size_t>(n) + 2; }

// Bytes of a block for n instructions: the copy, the steps, a slot and a
// variable read per instruction, and the walk's marks and open branches.
std::size_t block_size(std::uint32_t n) {
  return round8(sizeof(ctlcalc_prepared)) + round8(n * sizeof(codeentry)) + round8(max_steps(n) * sizeof(Step)) +
         round8(n * sizeof(float)) + round8(n * sizeof(Fetch)) + round8(n) + round8(n * sizeof(std::uint32_t));
}

ctlcalc_prepared* block_for(ctlcalc_prepared* old, std::uint32_t n) {
  if (old && old->room >= n) return old;
  void* raw = std::malloc(block_size(n));
  if (!raw) return nullptr;
  const NativeCode native = old ? old->native : NativeCode{nullptr, kNoPlace};
  std::free(old);
  auto* p = static_cast<ctlcalc_prepared*>(raw);
  p->native = native;
  char* at = static_cast<char*>(raw) + round8(sizeof(ctlcalc_prepared));
  p->room = n;
  p->copy = reinterpret_cast<codeentry*>(at);
  at += round8(n * sizeof(codeentry));
  p->steps = reinterpret_cast<Step*>(at);
  at += round8(max_steps(n) * sizeof(Step));
  p->slots = reinterpret_cast<float*>(at);
  at += round8(n * sizeof(float));
  p->fetch = reinterpret_cast<Fetch*>(at);
  at += round8(n * sizeof(Fetch));
  p->marks = reinterpret_cast<std::uint8_t*>(at);
  at += round8(n);
  p->open_branches = reinterpret_cast<std::uint32_t*>(at);
  return p;
}

// The walk over the code.
class Builder {
 public:
  explicit Builder(ctlcalc_prepared* p) : p_(p) {}

  void variable(const codeentry& e, std::int16_t type) {
    std::int16_t index = e.value.b;
    std::uint32_t at;
    if (is_builtin(index, type)) {
      at = p_->calls + p_->builtins++;
      p_->fetch[at] = {static_cast<std::int16_t>(index - kFirstBuiltinIndex), type};
    } else {
      at = next_call_++;
      p_->fetch[at] = {index, type};
    }
    push(static_cast<std::uint16_t>(at));
  }

  void constant(std::uint32_t bits) {
    std::memcpy(&p_->slots[next_constant_], &bits, 4);
    push(static_cast<std::uint16_t>(next_constant_++));
  }

  void unary(int kind) {
    std::uint16_t x = pop();
    if (x == kFromStack) {
      emit(kind + kOnAcc);
    } else {
      emit(kind + (accumulator_needed_later() ? kXSlot : kOnSlot), x);
    }
    push_result();
  }

  void binary(int kind, std::int32_t op) {
    std::uint16_t b = pop(), a = pop();
    if (b != kFromStack && is_constant(b)) {
      const float k = p_->slots[b];
      if (op == op_pot && (k == 2.0f || k == 3.0f)) {
        push(a);
        unary(k == 2.0f ? SQUARE_A : CUBE_A);
        return;
      }
      // Dividing by a power of two is multiplying by its reciprocal when
      // that is a normal float: the exact result, rounded once, is the same.
      if (op == op_div && has_exact_reciprocal(k)) {
        p_->slots[b] = 1.0f / k;  // the slot serves this instruction only
        kind = MUL_AS;
      }
    }
    if (a == kFromStack && b == kFromStack) {
      emit(kind + kPA);
    } else if (a == kFromStack) {
      emit(kind + kAS, 0, b);
    } else if (b == kFromStack) {
      emit(kind + kSA, a);
    } else {
      emit(kind + (accumulator_needed_later() ? kXSS : kSS), a, b);
    }
    push_result();
  }

  void conditional(int kind) {
    std::uint16_t e = pop(), t = pop(), c = pop();
    if (c == kFromStack && t != kFromStack && e != kFromStack) {
      emit(kind == IF_FLOAT ? CHOOSE_FLOAT : CHOOSE_BOOL, 0, t, e);
    } else {
      if (c != kFromStack && t != kFromStack && e != kFromStack && accumulator_needed_later()) emit(SPILL);
      emit(kind, c, t, e);
    }
    push_result();
  }

  // The condition on top is tested; the then-value's steps follow. A
  // comparison that just computed it tests and branches in one step.
  void open_then() {
    std::uint16_t c = pop();
    if (c == kFromStack && last_is_comparison_) {
      Step& last = p_->steps[steps_ - 1];
      last.kind = kKindOf.compare_branch[last.kind];
      last_is_comparison_ = false;
      acc_holds_ = false;
    } else if (c == kFromStack) {
      emit(BRANCH_ACC);
      acc_holds_ = false;
    } else {
      emit(accumulator_needed_later() ? BRANCH_XSLOT : BRANCH_SLOT, c);
    }
    p_->open_branches[open_++] = steps_ - 1;
  }

  // The then-value is done: into the accumulator, jump past the else-value,
  // whose steps start here.
  void open_else() {
    to_accumulator(pop());
    emit(JUMP);
    set_target(p_->open_branches[open_ - 1], steps_);
    p_->open_branches[open_ - 1] = steps_ - 1;
  }

  void close_conditional(bool boolean) {
    to_accumulator(pop());
    set_target(p_->open_branches[--open_], steps_);
    push_result();
    if (boolean) emit(WIDEN_A);
    last_is_comparison_ = false;  // the result is that of either branch
  }

  void finish() {
    if (std::uint16_t last = pop(); last != kFromStack) emit(LOAD, last);
    emit(END);
  }

  // Slots: the calls, the built-ins, then the constants.
  void start(std::uint32_t calls, std::uint32_t builtins) {
    p_->calls = calls;
    p_->builtins = 0;
    first_constant_ = next_constant_ = calls + builtins;
  }

 private:
  void push(std::uint16_t operand) { stack_[depth_++] = operand; }
  std::uint16_t pop() { return stack_[--depth_]; }

  // The accumulator holds the result on top of the operand stack once an
  // operation ran; it is set aside when an operation over slots comes next.
  void push_result() {
    push(kFromStack);
    acc_holds_ = true;
  }
  // Before an operation over slots only: true when the accumulator holds a
  // result that must be pushed first; it is then free.
  bool accumulator_needed_later() {
    bool needed = acc_holds_;
    acc_holds_ = false;
    return needed;
  }
  bool is_constant(std::uint16_t slot) const { return slot >= first_constant_; }

  // At the end of a branch the value is in the accumulator, which is free
  // there: the walk set aside what it held when the branch began.
  void to_accumulator(std::uint16_t operand) {
    if (operand != kFromStack) emit(LOAD, operand);
    acc_holds_ = false;
  }
  // Branches are made only where every step number fits (kMaxTarget).
  void set_target(std::uint32_t step, std::uint32_t target) {
    p_->steps[step].c = static_cast<std::uint16_t>(target);
  }

  void emit(int kind, std::uint16_t a = 0, std::uint16_t b = 0, std::uint16_t c = 0) {
    p_->steps[steps_++] = {static_cast<std::uint16_t>(kind), a, b, c};
    last_is_comparison_ = kKindOf.compare_branch[kind] != 0;
  }

  ctlcalc_prepared* p_;
  std::uint16_t stack_[kStackCells];
  int depth_ = 0;
  std::uint32_t open_ = 0;
  bool acc_holds_ = false;
  bool last_is_comparison_ = false;
  std::uint32_t steps_ = 0;
  std::uint32_t next_call_ = 0;
  std::uint32_t first_constant_ = 0;
  std::uint32_t next_constant_ = 0;
};

// Marks, per instruction: a then-value or an else-value of a branching
// conditional starts here, or this conditional branches.
enum : std::uint8_t { kThenStarts = 1, kElseStarts = 2, kBranches = 4 };

// Finds the conditionals worth a branch. The first instruction of every
// value on the stack is tracked; at a conditional, its then-value runs from
// that of the second operand and its else-value from that of the third. A
// value of one instruction is a plain operand. A start already marked by
// another conditional keeps this one a choice (well-formed code does not do
// that, but attached code is only checked for its stack balance).
void mark_branches(const codeentry* code, std::uint32_t n, std::uint8_t* marks) {
  std::uint32_t starts[kStackCells];
  int depth = 0;
  for (std::uint32_t i = 0; i < n; ++i) {
    const OpInfo& info = kOps[code[i].op];
    if (!info.pushes) continue;  // the empty instructions
    std::uint32_t start = info.pops ? starts[depth - info.pops] : i;
    if (info.pops == 3) {
      std::uint32_t then_start = starts[depth - 2], else_start = starts[depth - 1];
      bool plain = else_start - then_start == 1 && i - else_start == 1;
      if (!plain && !marks[then_start] && !marks[else_start]) {
        marks[then_start] |= kThenStarts;
        marks[else_start] |= kElseStarts;
        marks[i] |= kBranches;
      }
    }
    depth -= info.pops;
    starts[depth++] = start;
  }
}

}  // namespace

Prepared prepare(ctlcalc_prepared** block, const codeentry* code, std::uint32_t capacity) {
  return prepare(block, code, capacity, check_code(code, capacity));
}

Prepared prepare(ctlcalc_prepared** block, const codeentry* code, std::uint32_t capacity, const CodeShape& shape) {
  if (*block) {  // matches nothing until it is done; its machine code does not run
    (*block)->code = nullptr;
    (*block)->native.entry = nullptr;
  }
  // Ready code keeps its last machine code's piece for make_native; code
  // that will not run as steps gives it back.
  const auto without_steps = [block](Prepared result) {
    if (*block) release_native((*block)->native);
    return result;
  };
  if (!shape.valid) return without_steps(Prepared::invalid);
  const std::uint32_t n = shape.length;
  // Slots are numbered in 16 bits; longer code than a code buffer may hold
  // runs through the handlers.
  if (n > kMaxCodeEntries) return without_steps(Prepared::fallback);
  ctlcalc_prepared* p = block_for(*block, n);
  if (!p) return without_steps(Prepared::fallback);
  *block = p;

  std::uint32_t calls = 0, builtins = 0;
  for (std::uint32_t i = 0; i < n; ++i) {
    if (code[i].op == op_vfpush && is_builtin(code[i].value.b, ctlcalc_float)) ++builtins;
    else if (code[i].op == op_vfpush || code[i].op == op_vbpush) ++calls;
  }
  // Code whose steps could number more than a target can name runs
  // without branches: its conditionals choose between both values.
  std::memset(p->marks, 0, n);
  if (max_steps(n) <= kMaxTarget) mark_branches(code, n, p->marks);
  Builder build(p);
  build.start(calls, builtins);
  for (std::uint32_t i = 0; i < n; ++i) {
    const codeentry& e = code[i];
    const std::int32_t op = e.op;
    if (p->marks[i] & kThenStarts) build.open_then();
    if (p->marks[i] & kElseStarts) build.open_else();
    if (p->marks[i] & kBranches) {
      build.close_conditional(op == op_bari_if);
      continue;
    }
    switch (op) {
      case op_vfpush: build.variable(e, ctlcalc_float); break;
      case op_vbpush: build.variable(e, ctlcalc_boolean); break;
      case op_cfpush: build.constant(e.value.bits); break;
      case op_cbpush:  // the 16-bit Boolean, sign-widened
        build.constant(static_cast<std::uint32_t>(static_cast<std::int32_t>(e.value.b)));
        break;
      case op_ari_if: build.conditional(IF_FLOAT); break;
      case op_bari_if: build.conditional(IF_BOOL); break;
      default:
        if (kKindOf.binary[op] != step_kind_count) build.binary(kKindOf.binary[op], op);
        else if (kKindOf.unary[op] != step_kind_count) build.unary(kKindOf.unary[op]);
        break;  // the empty instructions
    }
  }
  build.finish();
  std::memcpy(p->copy, code, n * sizeof(codeentry));
  p->length = n;
  p->capacity = capacity;
  p->code = code;
  return Prepared::ready;
}

void release(ctlcalc_prepared* p) {
  if (p) release_native(p->native);
  std::free(p);
}

}  // namespace vt::formula
