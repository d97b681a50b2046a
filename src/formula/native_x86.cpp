// The emitter of machine code for x86: one fixed instruction sequence per
// step of the prepared form, assembled with xbyak.
//
// The function (native.h) runs in four parts:
//  1. the code buffer is compared with the code the function was made
//     from: every operation code, and the operand of every instruction
//     that has one (the bytes evaluation never reads are left out, a change
//     there cannot change a result), and the terminator;
//  2. the value callback, once per variable instruction in code order, its
//     results stored in the block's slots (built-in variables and
//     constants are read from where they are, the object's fields and the
//     slots after the variables);
//  3. the steps: the accumulator is xmm0, values set aside go to a stack
//     area in the function's frame whose depth is known at each step;
//  4. the result's bits returned in eax (rax, edx:eax).
// Float + - * / are done in single precision (for single-precision
// operands the double result rounded once is the same float); the double
// functions of the math library are called through their addresses, the
// rare rules (power, remainder, truncation) through the very functions the
// handlers use. The limit's clamp and the division by zero are taken out of
// line so that the usual path falls straight through.
//
// Registers: x86-64 keeps the slots' address in rbx, the built-in fields'
// in r12, the constants' in r13 and the callback in r14 (callee-saved in
// both conventions; xmm6 and up, saved under Windows, are not used). i686
// addresses the slots and constants absolutely, the fields through esi and
// the callback through edi; arguments go on the stack and results of
// called functions come back in st(0).
#include "formula/native.h"

#include <cmath>
#include <cstddef>
#include <deque>

#include "formula/machine.h"
#include "formula/prepared.h"
#include "formula/value_rules.h"

#if defined(__x86_64__) || defined(__i386__)
#define XBYAK_NO_OP_NAMES
#include <xbyak/xbyak.h>

namespace vt::formula {

namespace {

using Xbyak::Label;
using Xbyak::Operand;
using Xbyak::RegExp;
using Xbyak::Xmm;
using namespace Xbyak::util;

// Constants the code reads; the packed operations need 16-byte alignment.
struct alignas(16) Constants {
  std::uint32_t abs_mask[4];
  std::uint32_t sign_mask[4];
  std::uint32_t true_bits[4];
  float limit[4];
  float one[4];
  float minus_one[4];
  float div_by_zero, minus_div_by_zero;
  double rad, deg;
};
const Constants kConstants = {{0x7FFFFFFFu, 0x7FFFFFFFu, 0x7FFFFFFFu, 0x7FFFFFFFu},
                              {0x80000000u, 0x80000000u, 0x80000000u, 0x80000000u},
                              {1, 1, 1, 1},
                              {kLimit, kLimit, kLimit, kLimit},
                              {1.0f, 1.0f, 1.0f, 1.0f},
                              {-1.0f, -1.0f, -1.0f, -1.0f},
                              kDivByZero,
                              -kDivByZero,
                              kRadPerDeg,
                              kDegPerRad};

// The rules the code calls rather than spelling out.
float call_pow(float a, float b) { return rule_pow(a, b); }
float call_mod(float a, float b) { return rule_mod(a, b); }
float call_trunc(float a) { return rule_trunc(a); }

using DoubleFn = double (*)(double);
const DoubleFn kLog = static_cast<DoubleFn>(std::log), kExp = static_cast<DoubleFn>(std::exp),
               kSinh = static_cast<DoubleFn>(std::sinh), kCosh = static_cast<DoubleFn>(std::cosh),
               kTanh = static_cast<DoubleFn>(std::tanh), kSin = static_cast<DoubleFn>(std::sin),
               kCos = static_cast<DoubleFn>(std::cos), kTan = static_cast<DoubleFn>(std::tan),
               kAtan = static_cast<DoubleFn>(std::atan), kAcos = static_cast<DoubleFn>(std::acos),
               kAsin = static_cast<DoubleFn>(std::asin);

// Step kinds decoded: which operation, and where its operands come from.
#define VT_BINARY_NAME(name, ...) B_##name,
#define VT_UNARY_NAME(name, ...) U_##name,
#define VT_COMPARE_NAME(name, ...) C_##name,
enum Binary { VT_BINARY_STEPS(VT_BINARY_NAME) binary_count };
enum Unary { VT_UNARY_STEPS(VT_UNARY_NAME) unary_count };
enum Compare { VT_COMPARE_STEPS(VT_COMPARE_NAME) compare_count };
#undef VT_BINARY_NAME
#undef VT_UNARY_NAME
#undef VT_COMPARE_NAME
enum Group : std::uint8_t { kBinary, kUnary, kCompareBranch, kOther };
enum BinaryForm { AS, SA, SS, PA, XS2 };
enum UnaryForm { A, S, XS1 };

struct Decoded {
  std::uint8_t group = kOther, form = 0, id = 0;
};
struct DecodeTable {
  Decoded kinds[step_kind_count];
  DecodeTable() {
    int k = 0;
    for (int id = 0; id < binary_count; ++id)
      for (int form = 0; form < 5; ++form) kinds[k++] = {kBinary, static_cast<std::uint8_t>(form), static_cast<std::uint8_t>(id)};
    for (int id = 0; id < unary_count; ++id)
      for (int form = 0; form < 3; ++form) kinds[k++] = {kUnary, static_cast<std::uint8_t>(form), static_cast<std::uint8_t>(id)};
    for (int id = 0; id < compare_count; ++id)
      for (int form = 0; form < 3; ++form)
        kinds[k++] = {kCompareBranch, static_cast<std::uint8_t>(form), static_cast<std::uint8_t>(id)};
  }
};
const DecodeTable kDecode;
static_assert(IF_FLOAT == binary_count * 5 + unary_count * 3 + compare_count * 3, "step kinds in macro order");

#if defined(__x86_64__)
constexpr bool k64 = true;
#else
constexpr bool k64 = false;
#endif
#if defined(_WIN32)
constexpr int kShadow = k64 ? 32 : 0;  // the callee's home area (Windows x64)
#else
constexpr int kShadow = 0;
#endif
// i686: room for the outgoing arguments (two floats or a double) and for
// results stored from st(0).
constexpr int kOutgoing = k64 ? 0 : 16;
constexpr int kSpillBase = kShadow + kOutgoing;
constexpr int kSpillBytes = 4 * kStackCells;
// Frame below the saved registers, keeping calls 16-byte aligned: x86-64
// pushes four registers over the return address, i686 two.
constexpr int kFrame = k64 ? kSpillBase + kSpillBytes + 8 : kSpillBase + kSpillBytes + 4;

class Emitter : public Xbyak::CodeGenerator {
 public:
  Emitter(void* buffer, std::size_t size, const ctlcalc_prepared& p)
      : CodeGenerator(size, buffer), p_(p), targets_(p.length * 4 + 2) {
    setDefaultJmpNEAR(true);
  }

  // False when the steps do not form what the prepared form promises (a
  // set-aside value popped that was never pushed, a branch target reached
  // at another depth): the interpreter then runs the code.
  bool emit(const codeentry* code) {
    prologue();
    check_code(code);
    fetch_variables();
    for (std::uint32_t i = 0;; ++i) {
      const Step& s = p_.steps[i];
      if (!enter_step(i)) return false;
      if (s.kind == END) break;
      if (!step(s)) return false;
      if ((depth_ < 0 && depth_ != kAfterJump) || depth_ > kStackCells) return false;
    }
    epilogue();
    for (Stub& stub : stubs_) out_of_line(stub);
    return !hasUndefinedLabel();
  }

 private:
  enum StubKind { kClamp, kDivisionByZero };
  struct Stub {
    StubKind kind;
    Label entry, back;
  };
  struct Target {
    Label label;
    int depth = -1;  // set aside at a jump here; -1: no jump here yet
    bool used = false;
  };

  // ---- addresses
  RegExp slot(std::uint16_t k) const {
    if (k >= p_.calls && k < p_.calls + p_.builtins) return RegExp(builtins_) + 4 * p_.fetch[k].index;
#if defined(__x86_64__)
    return RegExp(rbx) + 4 * static_cast<std::size_t>(k);
#else
    return RegExp(reinterpret_cast<std::size_t>(p_.slots + k));
#endif
  }
  RegExp constant(std::size_t offset) const {
#if defined(__x86_64__)
    return RegExp(r13) + offset;
#else
    return RegExp(reinterpret_cast<std::size_t>(&kConstants) + offset);
#endif
  }
  RegExp spill(int depth) const { return RegExp(stack_) + (kSpillBase + 4 * depth); }

  // ---- frame
  void prologue() {
#if defined(__x86_64__)
    push(rbx), push(r12), push(r13), push(r14);
    sub(rsp, kFrame);
#if defined(_WIN32)
    const Xbyak::Reg64 &arg_code = rcx, &arg_get = rdx, &arg_builtins = r8;
#else
    const Xbyak::Reg64 &arg_code = rdi, &arg_get = rsi, &arg_builtins = rdx;
#endif
    code_reg_ = &arg_code;
    mov(r14, arg_get);
    mov(r12, arg_builtins);
    mov(rbx, reinterpret_cast<std::size_t>(p_.slots));
    mov(r13, reinterpret_cast<std::size_t>(&kConstants));
#else
    push(esi), push(edi);
    mov(eax, dword[esp + 12]);
    mov(edi, dword[esp + 16]);
    mov(esi, dword[esp + 20]);
    sub(esp, kFrame);
    code_reg_ = &eax;
#endif
  }

  void epilogue() {
    L(exit_);
    movd(eax, xmm0);
    if (!k64) xor_(edx, edx);
    L(leave_);
#if defined(__x86_64__)
    add(rsp, kFrame);
    pop(r14), pop(r13), pop(r12), pop(rbx);
#else
    add(esp, kFrame);
    pop(edi), pop(esi);
#endif
    ret();
    L(changed_);
#if defined(__x86_64__)
    mov(rax, kNativeCodeChanged);
#else
    xor_(eax, eax);
    mov(edx, 1);
#endif
    jmp(leave_);
  }

  // ---- part 1 and 2
  void check_code(const codeentry* code) {
    const RegExp base(*code_reg_);
    for (std::uint32_t i = 0; i <= p_.length; ++i) {
      const std::int32_t op = i < p_.length ? code[i].op : op_null;
      cmp(dword[base + (8 * i + 4)], static_cast<std::uint32_t>(op));
      jne(changed_);
      if (op == op_cfpush || op == op_cbpush || op == op_vfpush || op == op_vbpush) {
        cmp(dword[base + 8 * i], code[i].value.bits);
        jne(changed_);
      }
    }
  }

  void fetch_variables() {
    for (std::uint32_t i = 0; i < p_.calls; ++i) {
      const auto index = static_cast<std::uint32_t>(static_cast<std::int32_t>(p_.fetch[i].index));
      const auto type = static_cast<std::uint32_t>(static_cast<std::int32_t>(p_.fetch[i].type));
#if defined(__x86_64__)
#if defined(_WIN32)
      mov(ecx, index), mov(edx, type);
#else
      mov(edi, index), mov(esi, type);
#endif
      call(r14);
      movss(dword[slot(static_cast<std::uint16_t>(i))], xmm0);
#else
      mov(dword[esp], index), mov(dword[esp + 4], type);
      call(edi);
      fstp(dword[slot(static_cast<std::uint16_t>(i))]);
#endif
    }
  }

  // ---- calls made by the steps: a in xmm0 (b in xmm1), result in xmm0
  void call_address(const void* fn) {
#if defined(__x86_64__)
    mov(rax, reinterpret_cast<std::size_t>(fn));
    call(rax);
#else
    mov(eax, reinterpret_cast<std::size_t>(fn));
    call(eax);
#endif
  }
  void call_double(DoubleFn fn) {
    cvtss2sd(xmm0, xmm0);
    if (!k64) movsd(qword[esp], xmm0);
    call_address(reinterpret_cast<const void*>(fn));
    if (!k64) fstp(qword[esp]), movsd(xmm0, qword[esp]);
    cvtsd2ss(xmm0, xmm0);
  }
  void call_float(float (*fn)(float)) {
    if (!k64) movss(dword[esp], xmm0);
    call_address(reinterpret_cast<const void*>(fn));
    if (!k64) fstp(dword[esp]), movss(xmm0, dword[esp]);
  }
  void call_float(float (*fn)(float, float)) {
    if (!k64) movss(dword[esp], xmm0), movss(dword[esp + 4], xmm1);
    call_address(reinterpret_cast<const void*>(fn));
    if (!k64) fstp(dword[esp]), movss(xmm0, dword[esp]);
  }

  // ---- value rules
  // Magnitudes above the limit become the limit with their sign; NaN fails
  // the unordered test and passes.
  void limit() {
    Stub& s = stub(kClamp);
    movaps(xmm3, xmm0);
    andps(xmm3, xword[constant(offsetof(Constants, abs_mask))]);
    ucomiss(xmm3, dword[constant(offsetof(Constants, limit))]);
    ja(s.entry);
    L(s.back);
  }
  // A Boolean cell of the all-ones mask of a compare.
  void mask_to_boolean(const Xmm& x) { andps(x, xword[constant(offsetof(Constants, true_bits))]); }
  // xmm0 = the low half of eax non-zero ? xmm1 : xmm2
  void select() {
    movzx(eax, ax);
    neg(eax);
    sbb(eax, eax);
    movd(xmm3, eax);
    andps(xmm1, xmm3);
    andnps(xmm3, xmm2);
    orps(xmm1, xmm3);
    movaps(xmm0, xmm1);
  }
  void widen() {
    movd(eax, xmm0);
    movsx(eax, ax);
    movd(xmm0, eax);
  }
  void truth_of_eax(bool want_true) {
    test(ax, ax);
    if (want_true) setne(al);
    else sete(al);
    movzx(eax, al);
  }

  // ---- operands: a into xmm0, b in xmm1 or in memory
  void binary_operands(int form, const Step& s) {
    b_in_register_ = false;
    switch (form) {
      case AS: b_ = slot(s.b); break;
      case SA:
        movaps(xmm1, xmm0);
        movss(xmm0, dword[slot(s.a)]);
        b_in_register_ = true;
        break;
      case SS:
        movss(xmm0, dword[slot(s.a)]);
        b_ = slot(s.b);
        break;
      case PA:
        movaps(xmm1, xmm0);
        movss(xmm0, dword[spill(--depth_)]);
        b_in_register_ = true;
        break;
      default:  // XS
        movss(dword[spill(depth_++)], xmm0);
        movss(xmm0, dword[slot(s.a)]);
        b_ = slot(s.b);
        break;
    }
  }
  template <class F>
  void with_b(F f) {
    if (b_in_register_) f(xmm1);
    else f(dword[b_]);
  }
  void b_to_xmm1() {
    if (!b_in_register_) movss(xmm1, dword[b_]);
    b_in_register_ = true;
  }

  // ---- steps
  bool step(const Step& s) {
    const Decoded d = kDecode.kinds[s.kind];
    switch (d.group) {
      case kBinary:
        binary_operands(d.form, s);
        binary(d.id);
        return true;
      case kUnary:
        if (d.form == S) movss(xmm0, dword[slot(s.a)]);
        if (d.form == XS1) movss(dword[spill(depth_++)], xmm0), movss(xmm0, dword[slot(s.a)]);
        unary(d.id);
        return true;
      case kCompareBranch:
        binary_operands(d.form, s);
        return compare_branch(d.id, s.c);
      default: return other(s);
    }
  }

  void binary(int id) {
    switch (id) {
      case B_PLUS: with_b([&](const Operand& b) { addss(xmm0, b); }), limit(); break;
      case B_MINUS: with_b([&](const Operand& b) { subss(xmm0, b); }), limit(); break;
      case B_MUL: with_b([&](const Operand& b) { mulss(xmm0, b); }), limit(); break;
      case B_DIV: {
        Stub& zero = stub(kDivisionByZero);
        Label divide;
        b_to_xmm1();
        xorps(xmm2, xmm2);
        ucomiss(xmm1, xmm2);
        jp(divide);
        je(zero.entry);
        L(divide);
        divss(xmm0, xmm1);
        limit();
        L(zero.back);
        break;
      }
      case B_POW: b_to_xmm1(), call_float(call_pow); break;
      case B_MOD: b_to_xmm1(), call_float(call_mod); break;
      case B_MIN: b_to_xmm1(), minss(xmm1, xmm0), movaps(xmm0, xmm1); break;  // b < a ? b : a
      case B_MAX: with_b([&](const Operand& b) { maxss(xmm0, b); }); break;  // a > b ? a : b
      case B_GT: b_to_xmm1(), cmpltss(xmm1, xmm0), mask_to_boolean(xmm1), movaps(xmm0, xmm1); break;
      case B_GE: b_to_xmm1(), cmpless(xmm1, xmm0), mask_to_boolean(xmm1), movaps(xmm0, xmm1); break;
      case B_LT: with_b([&](const Operand& b) { cmpltss(xmm0, b); }), mask_to_boolean(xmm0); break;
      case B_LE: with_b([&](const Operand& b) { cmpless(xmm0, b); }), mask_to_boolean(xmm0); break;
      case B_EQ: with_b([&](const Operand& b) { cmpeqss(xmm0, b); }), mask_to_boolean(xmm0); break;
      case B_NE: with_b([&](const Operand& b) { cmpneqss(xmm0, b); }), mask_to_boolean(xmm0); break;
      default: {  // AND, OR, XOR on the cells' low halves
        movd(eax, xmm0);
        if (b_in_register_) movd(ecx, xmm1);
        else mov(ecx, dword[b_]);
        if (id == B_OR) {
          or_(eax, ecx);
          truth_of_eax(true);
        } else {
          test(ax, ax), setne(al);
          test(cx, cx), setne(cl);
          if (id == B_AND) and_(al, cl);
          else xor_(al, cl);
          movzx(eax, al);
        }
        movd(xmm0, eax);
      }
    }
  }

  void unary(int id) {
    switch (id) {
      case U_LOG: call_double(kLog), limit(); break;
      case U_EXP: call_double(kExp), limit(); break;
      case U_SINH: call_double(kSinh), limit(); break;
      case U_COSH: call_double(kCosh), limit(); break;
      case U_TANH: call_double(kTanh); break;
      case U_SIN: call_double(kSin), limit(); break;
      case U_COS: call_double(kCos), limit(); break;
      case U_TAN: call_double(kTan), limit(); break;
      case U_ATAN: call_double(kAtan), limit(); break;
      case U_ACOS: call_double(kAcos); break;
      case U_ASIN: call_double(kAsin); break;
      case U_SQRT: cvtss2sd(xmm0, xmm0), sqrtsd(xmm0, xmm0), cvtsd2ss(xmm0, xmm0), limit(); break;
      case U_ABS: andps(xmm0, xword[constant(offsetof(Constants, abs_mask))]); break;
      case U_TRUNC: call_float(call_trunc); break;
      case U_RAD:
      case U_DEG:
        cvtss2sd(xmm0, xmm0);
        mulsd(xmm0, qword[constant(id == U_RAD ? offsetof(Constants, rad) : offsetof(Constants, deg))]);
        cvtsd2ss(xmm0, xmm0);
        if (id == U_DEG) limit();
        break;
      case U_SGN:  // (0 < a) & 1.0 | (a < 0) & -1.0
        xorps(xmm1, xmm1);
        movaps(xmm2, xmm1);
        cmpltss(xmm2, xmm0);
        andps(xmm2, xword[constant(offsetof(Constants, one))]);
        cmpltss(xmm0, xmm1);
        andps(xmm0, xword[constant(offsetof(Constants, minus_one))]);
        orps(xmm0, xmm2);
        break;
      case U_SQUARE:
      case U_CUBE:  // exact in double, (d * d) * d for the cube
        cvtss2sd(xmm0, xmm0);
        movapd(xmm1, xmm0);
        mulsd(xmm0, xmm0);
        if (id == U_CUBE) mulsd(xmm0, xmm1);
        cvtsd2ss(xmm0, xmm0);
        limit();
        break;
      case U_NEG: xorps(xmm0, xword[constant(offsetof(Constants, sign_mask))]); break;
      case U_NOT: movd(eax, xmm0), truth_of_eax(false), movd(xmm0, eax); break;
      case U_B2F: movd(eax, xmm0), truth_of_eax(true), cvtsi2ss(xmm0, eax); break;
      case U_F2B: xorps(xmm1, xmm1), cmpneqss(xmm0, xmm1), mask_to_boolean(xmm0); break;
      default: widen(); break;  // WIDEN
    }
  }

  // On to the next step when the test holds, else to the target. NaN makes
  // every test but != fail (the unordered flags: ZF, PF and CF all set).
  bool compare_branch(int id, std::uint16_t target) {
    Label& to = jump_to(target);
    switch (id) {
      case C_GT: with_b([&](const Operand& b) { ucomiss(xmm0, b); }), jbe(to); break;
      case C_GE: with_b([&](const Operand& b) { ucomiss(xmm0, b); }), jb(to); break;
      case C_LT: b_to_xmm1(), ucomiss(xmm1, xmm0), jbe(to); break;
      case C_LE: b_to_xmm1(), ucomiss(xmm1, xmm0), jb(to); break;
      case C_EQ: with_b([&](const Operand& b) { ucomiss(xmm0, b); }), jne(to), jp(to); break;
      default: {  // NE
        Label holds;
        with_b([&](const Operand& b) { ucomiss(xmm0, b); });
        jp(holds);
        je(to);
        L(holds);
      }
    }
    return true;
  }

  bool other(const Step& s) {
    switch (s.kind) {
      case IF_FLOAT:
      case IF_BOOL: {
        // The else-value is the topmost: it takes the accumulator when it
        // was computed; a computed value below takes it when nothing above
        // did, else it is popped.
        bool acc_used = false;
        if (s.c == kFromStack) movaps(xmm2, xmm0), acc_used = true;
        else movss(xmm2, dword[slot(s.c)]);
        if (s.b == kFromStack) {
          if (acc_used) movss(xmm1, dword[spill(--depth_)]);
          else movaps(xmm1, xmm0);
          acc_used = true;
        } else {
          movss(xmm1, dword[slot(s.b)]);
        }
        if (s.a == kFromStack) {
          if (acc_used) mov(eax, dword[spill(--depth_)]);
          else movd(eax, xmm0);
        } else {
          mov(eax, dword[slot(s.a)]);
        }
        select();
        if (s.kind == IF_BOOL) widen();
        return true;
      }
      case CHOOSE_FLOAT:
      case CHOOSE_BOOL:
        movd(eax, xmm0);
        movss(xmm1, dword[slot(s.b)]);
        movss(xmm2, dword[slot(s.c)]);
        select();
        if (s.kind == CHOOSE_BOOL) widen();
        return true;
      case BRANCH_ACC:
        movd(eax, xmm0);
        test(ax, ax);
        jz(jump_to(s.c));
        return true;
      case BRANCH_XSLOT: movss(dword[spill(depth_++)], xmm0); [[fallthrough]];
      case BRANCH_SLOT:
        movzx(eax, word[slot(s.a)]);
        test(eax, eax);
        jz(jump_to(s.c));
        return true;
      case JUMP: {
        Label& to = jump_to(s.c);
        jmp(to);
        depth_ = kAfterJump;  // nothing falls through; the next step is a target
        return true;
      }
      case SPILL: movss(dword[spill(depth_++)], xmm0); return true;
      case LOAD: movss(xmm0, dword[slot(s.a)]); return true;
      default: return false;
    }
  }

  // The label of a target step, noting the depth that code arrives with.
  Label& jump_to(std::uint16_t step) {
    Target& t = targets_.at(step);
    if (t.depth == -1) t.depth = depth_;
    t.used = t.used || t.depth == depth_;
    if (t.depth != depth_) bad_ = true;
    return t.label;
  }
  // Places a target's label; false when the depths disagree.
  bool enter_step(std::uint32_t i) {
    if (bad_) return false;
    if (i >= targets_.size()) return false;
    Target& t = targets_[i];
    if (t.depth != -1) {
      if (depth_ == kAfterJump) depth_ = t.depth;
      if (t.depth != depth_) return false;
      L(t.label);
    }
    return depth_ != kAfterJump;
  }

  Stub& stub(StubKind kind) {
    stubs_.emplace_back();
    stubs_.back().kind = kind;
    return stubs_.back();
  }
  void out_of_line(Stub& s) {
    L(s.entry);
    if (s.kind == kClamp) {
      andps(xmm0, xword[constant(offsetof(Constants, sign_mask))]);
      orps(xmm0, xword[constant(offsetof(Constants, limit))]);
    } else {
      // a >= 0 ? largest : -largest; xmm2 still holds 0
      ucomiss(xmm0, xmm2);
      movss(xmm0, dword[constant(offsetof(Constants, div_by_zero))]);
      jae(s.back);
      movss(xmm0, dword[constant(offsetof(Constants, minus_div_by_zero))]);
    }
    jmp(s.back);
  }

  static constexpr int kAfterJump = -2;  // depth_ where no code falls through
  const ctlcalc_prepared& p_;
#if defined(__x86_64__)
  const Xbyak::Reg32e& stack_ = rsp;
  const Xbyak::Reg32e& builtins_ = r12;
#else
  const Xbyak::Reg32e& stack_ = esp;
  const Xbyak::Reg32e& builtins_ = esi;
#endif
  const Xbyak::Reg32e* code_reg_ = nullptr;
  std::deque<Target> targets_;
  std::deque<Stub> stubs_;
  Label exit_, leave_, changed_;
  RegExp b_;
  bool b_in_register_ = false;
  int depth_ = 0;
  bool bad_ = false;
};

}  // namespace

std::size_t native_size_bound(const ctlcalc_prepared& p) {
  std::size_t steps = 1;
  while (p.steps[steps - 1].kind != END) ++steps;
  // generous per-part sizes: the longest step (a choice over popped values
  // with its stubs) stays under 128 bytes
  return 512 + 32 * static_cast<std::size_t>(p.length + 1) + 32 * p.calls + 160 * steps;
}

std::size_t emit_native(void* buffer, std::size_t size, const ctlcalc_prepared& p, const codeentry* code) {
  try {
    Emitter e(buffer, size, p);
    if (!e.emit(code)) return 0;
    return e.getSize();
  } catch (...) {
    return 0;  // too long for the buffer, or out of memory for labels
  }
}

}  // namespace vt::formula

#else

namespace vt::formula {
std::size_t native_size_bound(const ctlcalc_prepared&) { return 0; }
std::size_t emit_native(void*, std::size_t, const ctlcalc_prepared&, const codeentry*) { return 0; }
}  // namespace vt::formula

#endif
