// The emitter of machine code for x86: one fixed instruction sequence per
// step of the prepared form, assembled with xbyak.
//
// The function (native.h) runs in four parts:
//  1. the code buffer is compared with the code the function was made
//     from, the terminator included: x86-64 compares whole records, 16
//     bytes at a time, with a copy in the code's pool; i686 compares every
//     operation code and the operand of every instruction that has one
//     with immediates (the bytes evaluation never reads are left out, a
//     change there cannot change a result);
//  2. the value callback, once per variable instruction in code order, its
//     results stored in the block's slots (built-in variables and
//     constants are read from where they are, the object's fields and the
//     slots after the variables);
//  3. the steps: the accumulator is xmm0, values set aside go to a stack
//     area in the function's frame whose depth is known at each step;
//  4. the result's bits returned in eax (rax, edx:eax).
// Float + - * / are done in single precision (for single-precision
// operands the double result rounded once is the same float); the
// library's math functions are called through their addresses, the rare
// rules (power, remainder, truncation) through the very functions the
// handlers use. The limit's clamp and the division by zero are taken out of
// line so that the usual path falls straight through.
//
// The function needs no callee-saved register: the variables' values and
// the values set aside live in its frame (x86-64 also keeps the callback and
// the built-in fields' address there), constants are read from a pool at
// the start of the code (x86-64, relative to the instruction, so the code
// runs wherever it is copied) or from the block's slots (i686, absolute),
// and the accumulator is the only value held in a register. i686 passes
// arguments on the stack and gets called functions' results in st(0).
#include "formula/native.h"

#include "formula/access.h"

#include <cmath>
#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

#include "formula/machine.h"
#include "formula/opcodes.h"
#include "formula/prepared.h"
#include "formula/shared_pool.h"
#include "formula/value_rules.h"

#if defined(__x86_64__) || defined(__i386__)
#define XBYAK_NO_OP_NAMES
#include <xbyak/xbyak.h>

namespace vt::formula {

namespace {

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
// The decoded fields as the enumerations they hold, for switches that name
// every case (a new operation or form without its case does not compile).
inline Group group_of(const Decoded& d) { return static_cast<Group>(d.group); }
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
constexpr int kVariablesBase = kSpillBase + 4 * kStackCells;
// The variables' values live in the frame; more than this many take the
// interpreter (the frame stays below a page, which Windows needs unprobed).
constexpr std::uint32_t kMaxFrameVariables = 512;

// Conditions of the jumps, the low nibble of their opcodes.
enum Condition : std::uint8_t { kB = 0x2, kAE = 0x3, kE = 0x4, kNE = 0x5, kBE = 0x6, kA = 0x7, kP = 0xA };

// An instruction sequence assembled once with marker values in its 32-bit
// fields (displacements, immediates, jump distances); emitting it again is a
// copy of its bytes and a write of each field. The variable reads and the
// code check repeat one sequence per instruction, so they go this way.
struct Pattern {
  static constexpr std::uint32_t kMarker[4] = {0x5A3C1E01u, 0x5A3C1E02u, 0x5A3C1E03u, 0x5A3C1E04u};
  std::uint8_t bytes[48];
  std::uint8_t size = 0;
  std::uint8_t field[4] = {};

  template <class F>
  explicit Pattern(int fields, F assemble) {
    std::uint8_t buffer[64];
    Xbyak::CodeGenerator a(sizeof buffer, buffer);
    assemble(a);
    size = static_cast<std::uint8_t>(a.getSize());
    std::memcpy(bytes, buffer, size);
    for (int f = 0; f < fields; ++f)
      for (std::uint8_t at = 0; at + 4 <= size; ++at)
        if (std::memcmp(bytes + at, &kMarker[f], 4) == 0) field[f] = at;
  }
};
constexpr std::uint32_t Pattern::kMarker[4];
constexpr std::int32_t kM0 = 0x5A3C1E01, kM1 = 0x5A3C1E02, kM2 = 0x5A3C1E03, kM3 = 0x5A3C1E04;

#if !defined(__x86_64__)
// i686's code check of one field (the code's address in eax): compare, and
// on a difference jump (the distance in the third field).
const Pattern kCheck(3, [](Xbyak::CodeGenerator& a) {
  a.cmp(a.dword[a.eax + kM0], static_cast<std::uint32_t>(kM1));
  a.db(0x0F), a.db(0x85), a.dd(static_cast<std::uint32_t>(kM2));
});
#endif
// One variable read: index and type as the arguments, the callback's
// address at a frame offset, the value stored at another.
const Pattern kFetch(4, [](Xbyak::CodeGenerator& a) {
#if defined(__x86_64__)
#if defined(_WIN32)
  a.mov(a.ecx, static_cast<std::uint32_t>(kM0)), a.mov(a.edx, static_cast<std::uint32_t>(kM1));
#else
  a.mov(a.edi, static_cast<std::uint32_t>(kM0)), a.mov(a.esi, static_cast<std::uint32_t>(kM1));
#endif
  a.call(a.qword[a.rsp + kM2]);
  a.movss(a.dword[a.rsp + kM3], a.xmm0);
#else
  a.mov(a.dword[a.esp], static_cast<std::uint32_t>(kM0)), a.mov(a.dword[a.esp + 4], static_cast<std::uint32_t>(kM1));
  a.call(a.dword[a.esp + kM2]);
  a.fstp(a.dword[a.esp + kM3]);
#endif
});

// A constant of the pool whose address is a pattern's field: relative to
// the instruction's end on x86-64, absolute on i686.
Xbyak::Address constant_at(Xbyak::CodeGenerator& a, const Xbyak::AddressFrame& size, std::int32_t field) {
#if defined(__x86_64__)
  return size[a.rip + field];
#else
  (void)a;
  return size[static_cast<std::size_t>(static_cast<std::uint32_t>(field))];
#endif
}

// The limit after an operation (value_rules.h): the magnitude against the
// limit, the clamp out of line. Fields: the addresses of the mask and of
// the limit (x86-64: distances from the instruction's end), and the jump's.
const Pattern kLimitTest(3, [](Xbyak::CodeGenerator& a) {
  a.movaps(a.xmm3, a.xmm0);
  a.andps(a.xmm3, constant_at(a, a.xword, kM0));
  a.ucomiss(a.xmm3, constant_at(a, a.dword, kM1));
  a.db(0x0F), a.db(0x87), a.dd(static_cast<std::uint32_t>(kM2));
});

// The clamp out of line: the limit with the value's sign, then back (the
// fields as for the test: the two constants, the jump).
const Pattern kClampPattern(3, [](Xbyak::CodeGenerator& a) {
  a.andps(a.xmm0, constant_at(a, a.xword, kM0));
  a.orps(a.xmm0, constant_at(a, a.xword, kM1));
  a.db(0xE9), a.dd(static_cast<std::uint32_t>(kM2));
});

// The frame's set-up: its size, then (x86-64) the callback and the
// built-in fields' address stored in it. Fields: the size, the two
// offsets. The frame and its tail are fixed sequences, so they are copied
// like the patterns above rather than assembled again at each compile.
const Pattern kPrologue(3, [](Xbyak::CodeGenerator& a) {
#if defined(__x86_64__)
  a.sub(a.rsp, static_cast<std::uint32_t>(kM0));
#if defined(_WIN32)
  a.mov(a.qword[a.rsp + kM1], a.r8), a.mov(a.qword[a.rsp + kM2], a.rcx);
#else
  a.mov(a.qword[a.rsp + kM1], a.rdx), a.mov(a.qword[a.rsp + kM2], a.rdi);
#endif
#else
  a.sub(a.esp, static_cast<std::uint32_t>(kM0));
#endif
});

// The result returned and the frame taken down. Field: the frame's size.
const Pattern kEpilogue(1, [](Xbyak::CodeGenerator& a) {
#if defined(__x86_64__)
  a.add(a.rsp, static_cast<std::uint32_t>(kM0));
#else
  a.movss(a.dword[a.esp], a.xmm0);  // a float comes back in st(0)
  a.fld(a.dword[a.esp]);
  a.add(a.esp, static_cast<std::uint32_t>(kM0));
#endif
  a.ret();
});

// Code that changed goes on to the interpreter with the arguments as they
// came (the object first), which prepares it again.
const Pattern kToInterpreter(0, [](Xbyak::CodeGenerator& a) {
  const auto interpret = reinterpret_cast<std::size_t>(&ctlcalc_access::interpret);
#if defined(__x86_64__)
  a.mov(a.rax, interpret);
  a.jmp(a.rax);
#else
  a.mov(a.eax, interpret);
  a.jmp(a.eax);
#endif
});

// An emitter serves compile after compile (its registers and buffer are
// set up once; emissions borrow one from a pool); jumps are patched by hand, so that a compile allocates nothing
// once the vectors have their size.
class Emitter : public Xbyak::CodeGenerator {
 public:
  Emitter(void* buffer, std::size_t size) : CodeGenerator(size, buffer), buffer_(static_cast<std::uint8_t*>(buffer)) {}

  // False when the steps do not form what the prepared form promises (a
  // set-aside value popped that was never pushed, a branch target reached
  // at another depth): the interpreter then runs the code.
  bool emit(const ctlcalc_prepared& p, const codeentry* code, std::size_t* entry) {
    begin(p);
    if (variables_ > kMaxFrameVariables) return false;
    pool(code);
    changed_ = getSize();
    changed_block();
    *entry = getSize();
    check_code(code);
    prologue();
    fetch_variables();
    for (std::uint32_t i = 0;; ++i) {
      const Step& s = p_->steps[i];
      if (!enter_step(i)) return false;
      if (s.kind == END) break;
      if (!step(s)) return false;
      if ((depth_ < 0 && depth_ != kAfterJump) || depth_ > kStackCells) return false;
    }
    epilogue();
    for (const Stub& stub : stubs_) out_of_line(stub);
    return !bad_;  // every jump went to a step that was placed (forward)
  }

 private:
  enum StubKind { kClamp, kDivisionByZero };
  struct Stub {
    StubKind kind;
    std::size_t jump;  // end of the jump into the stub
    std::size_t back;  // where it returns to
  };
  struct Patch {
    std::size_t jump;
    int next;  // the next patch to the same step, or -1
  };
  static constexpr int kAfterJump = -2;   // depth_ where no code falls through
  static constexpr int kNoArrival = -1;   // arrival_ of a step no jump goes to

  void begin(const ctlcalc_prepared& p) {
    resetSize();  // no labels: the jumps are patched by hand
    p_ = &p;
    variables_ = p.calls + p.builtins;
    // Calls stay 16-byte aligned: the return address is the only thing
    // pushed before the frame.
    std::size_t size = kVariablesBase + 4 * variables_;
#if defined(__x86_64__)
    size = (size + 7) / 8 * 8;
    saved_ = size;  // the callback, then the built-in fields' address
    size += 16;
    frame_ = (size + 8 + 15) / 16 * 16 - 8;
#else
    frame_ = (size + 4 + 15) / 16 * 16 - 4;
#endif
    depth_ = 0;
    held_ = kNoSlot;
    bad_ = false;
    placed_ = 0;
    std::size_t steps = 1;
    while (p.steps[steps - 1].kind != END) ++steps;
    arrival_.assign(steps, kNoArrival);
    first_patch_.assign(steps, -1);
    patches_.clear();
    stubs_.clear();
  }

  // Copies a pattern with its fields; returns where it starts.
  std::size_t put(const Pattern& p, std::uint32_t f0, std::uint32_t f1, std::uint32_t f2 = 0, std::uint32_t f3 = 0) {
    const std::size_t at = getSize();
    // All the pattern's room is copied (a fixed size copies fastest); the
    // bytes past its end are written over next.
    setSize(at + sizeof p.bytes);  // throws when the buffer is full
    setSize(at + p.size);
    std::uint8_t* out = buffer_ + at;
    std::memcpy(out, p.bytes, sizeof p.bytes);
    const std::uint32_t f[4] = {f0, f1, f2, f3};
    for (int i = 0; i < 4; ++i)
      if (p.field[i]) std::memcpy(out + p.field[i], &f[i], 4);
    return at;
  }

  // ---- jumps: the opcode with a 32-bit displacement, patched once the
  // target is known; the position returned is the end of the instruction.
  std::size_t jump_forward(Condition c) {
    const std::uint8_t jcc[6] = {0x0F, static_cast<std::uint8_t>(0x80 | c), 0, 0, 0, 0};
    return raw(jcc, sizeof jcc);
  }
  std::size_t jump_forward() {
    const std::uint8_t jmp[5] = {0xE9, 0, 0, 0, 0};
    return raw(jmp, sizeof jmp);
  }
  // Bytes written as they are; returns the end.
  std::size_t raw(const std::uint8_t* bytes, std::size_t n) {
    const std::size_t at = getSize();
    setSize(at + n);  // throws when the buffer is full
    std::memcpy(buffer_ + at, bytes, n);
    return at + n;
  }
  void land(std::size_t jump, std::size_t target) {
    rewrite(jump - 4, static_cast<std::uint32_t>(static_cast<std::int32_t>(target - jump)), 4);
  }
  void land_here(std::size_t jump) { land(jump, getSize()); }
  void jump_back(Condition c, std::size_t target) { land(jump_forward(c), target); }
  void jump_back(std::size_t target) { land(jump_forward(), target); }

  // ---- addresses
  // Slot k: a variable's value in the frame, or a constant (x86-64: in the
  // pool before the code, addressed from the instruction; i686: in the
  // block's slots).
  Xbyak::Address at(std::uint16_t k, const Xbyak::AddressFrame& size) const {
    if (k < variables_) return size[RegExp(stack_) + (kVariablesBase + 4 * static_cast<std::size_t>(k))];
#if defined(__x86_64__)
    return size[rip + static_cast<const void*>(pool_ + sizeof(Constants) + 4 * static_cast<std::size_t>(k - variables_))];
#else
    return size[reinterpret_cast<std::size_t>(p_->slots + k)];
#endif
  }
  Xbyak::Address slot(std::uint16_t k) const { return at(k, dword); }
  Xbyak::Address constant(std::size_t offset, const Xbyak::AddressFrame& size) const {
#if defined(__x86_64__)
    return size[rip + static_cast<const void*>(pool_ + offset)];
#else
    return size[reinterpret_cast<std::size_t>(&kConstants) + offset];
#endif
  }
  Xbyak::Address spill(int depth) const { return dword[RegExp(stack_) + (kSpillBase + 4 * depth)]; }

  // x86-64: the constants the code reads, 16-byte aligned at the start.
  // x86-64 also keeps a copy of the code records there, the terminator's
  // included, followed by 8 zero bytes, for the code check.
  void pool(const codeentry* code) {
#if defined(__x86_64__)
    pool_ = getCode();
    const std::size_t constants = p_->length > variables_ ? 4 * (p_->length - variables_) : 0;
    copy_ = (sizeof(Constants) + constants + 15) / 16 * 16;
    const std::size_t records = 8 * (static_cast<std::size_t>(p_->length) + 1);
    setSize((copy_ + records + 8 + 15) / 16 * 16);
    std::memcpy(buffer_, &kConstants, sizeof(Constants));
    std::memcpy(buffer_ + sizeof(Constants), p_->slots + variables_, constants);
    std::memcpy(buffer_ + copy_, code, records);
    std::memset(buffer_ + copy_ + records, 0, getSize() - copy_ - records);
#endif
  }

  // ---- frame
  void changed_block() { put(kToInterpreter, 0, 0); }
  void prologue() {
    put(kPrologue, static_cast<std::uint32_t>(frame_), static_cast<std::uint32_t>(saved_),
        static_cast<std::uint32_t>(saved_ + 8));
  }
  void epilogue() { put(kEpilogue, static_cast<std::uint32_t>(frame_), 0); }

  // Runs before the prologue: nothing to restore on the way out.
  void check_code(const codeentry* code) {
#if defined(__x86_64__)
    // x86-64: 16 bytes at a time against the copy, one test at the end.
#if defined(_WIN32)
    const RegExp base(rdx);
#else
    const RegExp base(rsi);
#endif
    const std::size_t bytes = 8 * (static_cast<std::size_t>(p_->length) + 1);
    for (std::size_t at = 0; at < bytes; at += 16) {
      const Xmm& x = at ? xmm2 : xmm1;
      if (at + 16 <= bytes) movdqu(x, xword[base + at]);
      else movq(x, qword[base + at]);  // the last record alone; the copy has zeros after it
      pcmpeqb(x, xword[rip + static_cast<const void*>(pool_ + copy_ + at)]);
      if (at) pand(xmm1, xmm2);
    }
    pmovmskb(eax, xmm1);
    cmp(eax, 0xFFFF);
    jump_back(kNE, changed_);
    (void)code;
#else
    mov(eax, dword[esp + 8]);
    const auto check = [&](std::uint32_t offset, std::uint32_t value) {
      const std::size_t end = put(kCheck, offset, value) + kCheck.size;
      const auto distance = static_cast<std::int32_t>(changed_ - end);
      std::memcpy(buffer_ + end - kCheck.size + kCheck.field[2], &distance, 4);
    };
    for (std::uint32_t i = 0; i <= p_->length; ++i) {
      const std::int32_t op = i < p_->length ? code[i].op : op_null;
      check(8 * i + 4, static_cast<std::uint32_t>(op));
      if (kOps[op].operand != vt::formula::Operand::none) check(8 * i, code[i].value.bits);
    }
#endif
  }

  // The callback once per variable instruction in code order, then the
  // built-in fields (the interpreter reads them after the calls too).
  void fetch_variables() {
    for (std::uint32_t i = 0; i < p_->calls; ++i) {
      const auto index = static_cast<std::uint32_t>(static_cast<std::int32_t>(p_->fetch[i].index));
      const auto type = static_cast<std::uint32_t>(static_cast<std::int32_t>(p_->fetch[i].type));
      const auto callback = static_cast<std::uint32_t>(k64 ? saved_ : frame_ + 12);
      put(kFetch, index, type, callback, static_cast<std::uint32_t>(kVariablesBase + 4 * i));
    }
    // x86-64: the last result is still in xmm0 (copying the fields leaves it)
    if (k64 && p_->calls) held_ = static_cast<int>(p_->calls - 1);
    if (!p_->builtins) return;
#if defined(__x86_64__)
    mov(rax, qword[rsp + saved_ + 8]);
#else
    mov(eax, dword[esp + frame_ + 4]);
#endif
    for (std::uint32_t i = p_->calls; i < variables_; ++i) {
      mov(ecx, dword[RegExp(eax_or_rax()) + (builtins_offset() + 4 * p_->fetch[i].index)]);
      mov(slot(static_cast<std::uint16_t>(i)), ecx);
    }
  }
  // Where the object's built-in fields x to yh start.
  static std::size_t builtins_offset() {
    static const std::size_t offset = [] {
      ctlcalc probe;
      return static_cast<std::size_t>(reinterpret_cast<char*>(&probe.x) - reinterpret_cast<char*>(&probe));
    }();
    return offset;
  }
#if defined(__x86_64__)
  static const Xbyak::Reg64& eax_or_rax() { return Xbyak::util::rax; }
#else
  static const Xbyak::Reg32& eax_or_rax() { return Xbyak::util::eax; }
#endif

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
    const Pattern& p = kLimitTest;
    const std::size_t at = put(p, constant_field(p, 0, offsetof(Constants, abs_mask)),
                               constant_field(p, 1, offsetof(Constants, limit)));
    stubs_.push_back({kClamp, at + p.field[2] + 4, at + p.size});
  }
  // The value of a pattern's field that names a constant, for a pattern
  // that is put next: x86-64 the distance from the field's end (the end of
  // its instruction), i686 the address.
  std::uint32_t constant_field(const Pattern& p, int field, std::size_t offset) const {
#if defined(__x86_64__)
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(offset) - static_cast<std::int32_t>(getSize() + p.field[field] + 4));
#else
    return static_cast<std::uint32_t>(reinterpret_cast<std::size_t>(&kConstants) + offset);
#endif
  }
  // A Boolean cell of the all-ones mask of a compare.
  void mask_to_boolean(const Xmm& x) { andps(x, constant(offsetof(Constants, true_bits), xword)); }
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
    switch (static_cast<BinaryForm>(form)) {
      case AS: b_ = s.b; break;
      case SA:
        movaps(xmm1, xmm0);
        movss(xmm0, slot(s.a));
        b_in_register_ = true;
        break;
      case SS:
        if (s.b == held_now_ && s.a != held_now_) {
          movaps(xmm1, xmm0);
          b_in_register_ = true;
        } else {
          b_ = s.b;
        }
        load_a(s.a);
        break;
      case PA:
        movaps(xmm1, xmm0);
        movss(xmm0, spill(--depth_));
        b_in_register_ = true;
        break;
      case XS2:
        movss(spill(depth_++), xmm0);
        movss(xmm0, slot(s.a));
        b_ = s.b;
        break;
    }
  }
  // The first step finds the last variable read still in xmm0 (its value
  // went to the frame too): a load of it would only wait for that store.
  void load_a(std::uint16_t a) {
    if (a != held_now_) movss(xmm0, slot(a));
  }
  template <class F>
  void with_b(F f) {
    if (b_in_register_) f(xmm1);
    else f(slot(b_));
  }
  void b_to_xmm1() {
    if (!b_in_register_) movss(xmm1, slot(b_));
    b_in_register_ = true;
  }

  // ---- steps
  bool step(const Step& s) {
    const Decoded d = kDecode.kinds[s.kind];
    held_now_ = held_;  // xmm0 holds the last variable read only before the first step
    held_ = kNoSlot;
    switch (group_of(d)) {
      case kBinary:
        // A sum or product of a slot and the accumulator is taken the other
        // way round (the same value; only which NaN comes out of two NaN
        // operands differs, and NaN payloads are no part of the rules).
        if (d.form == SA && (d.id == B_PLUS || d.id == B_MUL)) {
          if (d.id == B_PLUS) addss(xmm0, slot(s.a));
          else mulss(xmm0, slot(s.a));
          limit();
          return true;
        }
        binary_operands(d.form, s);
        binary(d.id);
        return true;
      case kUnary:
        if (d.form == S) load_a(s.a);
        if (d.form == XS1) movss(spill(depth_++), xmm0), movss(xmm0, slot(s.a));
        unary(d.id);
        return true;
      case kCompareBranch:
        binary_operands(d.form, s);
        return compare_branch(d.id, s.c);
      case kOther: return other(s);
    }
    return false;
  }

  void binary(int id) {
    switch (static_cast<Binary>(id)) {
      case B_PLUS: with_b([&](const Operand& b) { addss(xmm0, b); }), limit(); break;
      case B_MINUS: with_b([&](const Operand& b) { subss(xmm0, b); }), limit(); break;
      case B_MUL: with_b([&](const Operand& b) { mulss(xmm0, b); }), limit(); break;
      case B_DIV: {
        b_to_xmm1();
        xorps(xmm2, xmm2);
        ucomiss(xmm1, xmm2);
        const std::size_t divide = jump_forward(kP);
        const std::size_t zero = jump_forward(kE);
        land_here(divide);
        divss(xmm0, xmm1);
        limit();
        stubs_.push_back({kDivisionByZero, zero, getSize()});
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
      case B_AND:
      case B_OR:
      case B_XOR: {  // on the cells' low halves
        movd(eax, xmm0);
        if (b_in_register_) movd(ecx, xmm1);
        else mov(ecx, slot(b_));
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
        break;
      }
      case binary_count: break;
    }
  }

  void unary(int id) {
    switch (static_cast<Unary>(id)) {
      // The library's math functions, their NaN made the engine's; a square
      // root is the instruction itself (correctly rounded, and NaN as the
      // rule wants: the default NaN for a negative number, a NaN quieted).
#define VT_MATH_CALL(step, name, limited)                 \
      case U_##step:                                      \
        if (id == U_SQRT) sqrtss(xmm0, xmm0);             \
        else call_float(checked<math::cr_##name>);        \
        if (limited) limit();                             \
        break;
      VT_MATH_FUNCTIONS(VT_MATH_CALL)
#undef VT_MATH_CALL
      case U_ABS: andps(xmm0, constant(offsetof(Constants, abs_mask), xword)); break;
      case U_TRUNC: call_float(call_trunc); break;
      case U_RAD:
      case U_DEG:
        cvtss2sd(xmm0, xmm0);
        mulsd(xmm0, constant(id == U_RAD ? offsetof(Constants, rad) : offsetof(Constants, deg), qword));
        cvtsd2ss(xmm0, xmm0);
        if (id == U_DEG) limit();
        break;
      case U_SGN:  // (0 < a) & 1.0 | (a < 0) & -1.0
        xorps(xmm1, xmm1);
        movaps(xmm2, xmm1);
        cmpltss(xmm2, xmm0);
        andps(xmm2, constant(offsetof(Constants, one), xword));
        cmpltss(xmm0, xmm1);
        andps(xmm0, constant(offsetof(Constants, minus_one), xword));
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
      case U_NEG: xorps(xmm0, constant(offsetof(Constants, sign_mask), xword)); break;
      case U_NOT: movd(eax, xmm0), truth_of_eax(false), movd(xmm0, eax); break;
      case U_B2F: movd(eax, xmm0), truth_of_eax(true), cvtsi2ss(xmm0, eax); break;
      case U_F2B: xorps(xmm1, xmm1), cmpneqss(xmm0, xmm1), mask_to_boolean(xmm0); break;
      case U_WIDEN: widen(); break;
      case unary_count: break;
    }
  }

  // On to the next step when the test holds, else to the target. NaN makes
  // every test but != fail (the unordered flags: ZF, PF and CF all set).
  bool compare_branch(int id, std::uint16_t target) {
    switch (static_cast<Compare>(id)) {
      case C_GT: with_b([&](const Operand& b) { ucomiss(xmm0, b); }), jump_to(kBE, target); break;
      case C_GE: with_b([&](const Operand& b) { ucomiss(xmm0, b); }), jump_to(kB, target); break;
      case C_LT: b_to_xmm1(), ucomiss(xmm1, xmm0), jump_to(kBE, target); break;
      case C_LE: b_to_xmm1(), ucomiss(xmm1, xmm0), jump_to(kB, target); break;
      case C_EQ: with_b([&](const Operand& b) { ucomiss(xmm0, b); }), jump_to(kNE, target), jump_to(kP, target); break;
      case compare_count: return false;
      case C_NE: {
        with_b([&](const Operand& b) { ucomiss(xmm0, b); });
        const std::size_t holds = jump_forward(kP);
        jump_to(kE, target);
        land_here(holds);
      }
    }
    return true;
  }

  bool other(const Step& s) {
    switch (static_cast<StepKind>(s.kind)) {
      case IF_FLOAT:
      case IF_BOOL: {
        // The else-value is the topmost: it takes the accumulator when it
        // was computed; a computed value below takes it when nothing above
        // did, else it is popped.
        bool acc_used = false;
        if (s.c == kFromStack) movaps(xmm2, xmm0), acc_used = true;
        else movss(xmm2, slot(s.c));
        if (s.b == kFromStack) {
          if (acc_used) movss(xmm1, spill(--depth_));
          else movaps(xmm1, xmm0);
          acc_used = true;
        } else {
          movss(xmm1, slot(s.b));
        }
        if (s.a == kFromStack) {
          if (acc_used) mov(eax, spill(--depth_));
          else movd(eax, xmm0);
        } else {
          mov(eax, slot(s.a));
        }
        select();
        if (s.kind == IF_BOOL) widen();
        return true;
      }
      case CHOOSE_FLOAT:
      case CHOOSE_BOOL:
        movd(eax, xmm0);
        movss(xmm1, slot(s.b));
        movss(xmm2, slot(s.c));
        select();
        if (s.kind == CHOOSE_BOOL) widen();
        return true;
      case BRANCH_ACC:
        movd(eax, xmm0);
        test(ax, ax);
        jump_to(kE, s.c);
        return true;
      case BRANCH_XSLOT: movss(spill(depth_++), xmm0); [[fallthrough]];
      case BRANCH_SLOT:
        movzx(eax, at(s.a, word));
        test(eax, eax);
        jump_to(kE, s.c);
        return true;
      case JUMP:
        record_jump(s.c, jump_forward());
        depth_ = kAfterJump;  // nothing falls through; the next step is a target
        return true;
      case SPILL: movss(spill(depth_++), xmm0); return true;
      case LOAD: load_a(s.a); return true;
      // the operations' kinds, decoded by step()
#define VT_BINARY_KIND_CASES(name, ...) case name##_AS: case name##_SA: case name##_SS: case name##_PA: case name##_XS:
#define VT_UNARY_KIND_CASES(name, ...) case name##_A: case name##_S: case name##_XS:
#define VT_COMPARE_KIND_CASES(name, ...) case name##_BRANCH_AS: case name##_BRANCH_SA: case name##_BRANCH_SS:
      VT_BINARY_STEPS(VT_BINARY_KIND_CASES)
      VT_UNARY_STEPS(VT_UNARY_KIND_CASES)
      VT_COMPARE_STEPS(VT_COMPARE_KIND_CASES)
#undef VT_BINARY_KIND_CASES
#undef VT_UNARY_KIND_CASES
#undef VT_COMPARE_KIND_CASES
      case END:  // the loop in emit() stops before it
      case step_kind_count: return false;
    }
    return false;
  }

  // A jump to a step, noting the depth that code arrives there with. Steps
  // only jump forward; the jump is patched when the target is placed.
  void jump_to(Condition c, std::uint16_t step) { record_jump(step, jump_forward(c)); }
  void record_jump(std::uint16_t step, std::size_t jump) {
    if (step >= arrival_.size()) {
      bad_ = true;
      return;
    }
    if (step <= placed_) bad_ = true;  // backward
    if (arrival_[step] == kNoArrival) arrival_[step] = depth_;
    else if (arrival_[step] != depth_) bad_ = true;
    patches_.push_back({jump, first_patch_[step]});
    first_patch_[step] = static_cast<int>(patches_.size() - 1);
  }
  // Places a step: false when the depths disagree.
  bool enter_step(std::uint32_t i) {
    if (bad_) return false;
    if (arrival_[i] != kNoArrival) {
      if (depth_ == kAfterJump) depth_ = arrival_[i];
      if (arrival_[i] != depth_) return false;
    }
    placed_ = i;
    for (int k = first_patch_[i]; k >= 0; k = patches_[k].next) land_here(patches_[k].jump);
    return depth_ != kAfterJump;
  }

  void out_of_line(const Stub& s) {
    land_here(s.jump);
    if (s.kind == kClamp) {
      const Pattern& p = kClampPattern;
      const std::size_t at = put(p, constant_field(p, 0, offsetof(Constants, sign_mask)),
                                 constant_field(p, 1, offsetof(Constants, limit)));
      land(at + p.field[2] + 4, s.back);
      return;
    } else {
      // a >= 0 ? largest : -largest; xmm2 still holds 0
      ucomiss(xmm0, xmm2);
      movss(xmm0, constant(offsetof(Constants, div_by_zero), dword));
      jump_back(kAE, s.back);
      movss(xmm0, constant(offsetof(Constants, minus_div_by_zero), dword));
    }
    jump_back(s.back);
  }

  std::uint8_t* const buffer_;
  const ctlcalc_prepared* p_ = nullptr;
#if defined(__x86_64__)
  const Xbyak::Reg32e& stack_ = rsp;
#else
  const Xbyak::Reg32e& stack_ = esp;
#endif
  std::vector<int> arrival_;          // per step: depth jumps arrive with
  std::vector<int> first_patch_;      // per step: last jump to it, or -1
  std::uint32_t placed_ = 0;          // the step being emitted
  std::vector<Patch> patches_;
  std::vector<Stub> stubs_;
  std::uint16_t b_ = 0;  // b's slot when it is not in xmm1
  static constexpr int kNoSlot = -1;
  int held_ = kNoSlot;      // the slot whose value xmm0 holds, or kNoSlot
  int held_now_ = kNoSlot;  // the same for the step being emitted
  std::uint32_t variables_ = 0;  // slots in the frame: the calls, then the built-ins
  std::size_t frame_ = 0;
  std::size_t changed_ = 0;  // offset of the answer for changed code
  std::size_t saved_ = 0;  // x86-64: the callback and the fields' address in the frame
  const std::uint8_t* pool_ = nullptr;
  std::size_t copy_ = 0;  // x86-64: offset of the code's copy in the pool
  bool b_in_register_ = false;
  int depth_ = 0;
  bool bad_ = false;
};

}  // namespace

namespace {

// Bytes the function for p surely fits in: the longest step (a choice over
// popped values, with its out-of-line part) stays under 160 bytes.
std::size_t size_bound(const ctlcalc_prepared& p) {
  std::size_t steps = 1;
  while (p.steps[steps - 1].kind != END) ++steps;
  return 512 + 32 * static_cast<std::size_t>(p.length + 1) + 32 * p.calls + 160 * steps;
}

}  // namespace

// An emitter and the buffer it writes into. One is lent to each emission,
// so that compiles on many threads emit at once; it is set up again only
// when a function needs more room than it has.
struct EmitterWorkspace {
  std::vector<unsigned char> buffer;
  std::unique_ptr<Emitter> emitter;
};

namespace {
SharedPool<EmitterWorkspace> g_emitters;
}  // namespace

void GiveBackEmitter::operator()(EmitterWorkspace* workspace) const noexcept {
  g_emitters.give(std::unique_ptr<EmitterWorkspace>(workspace));
}

bool emit_native(const ctlcalc_prepared& p, const codeentry* code, Emitted* out) {
  const std::size_t bound = size_bound(p);
  try {
    std::unique_ptr<EmitterWorkspace, GiveBackEmitter> lease(g_emitters.take().release());
    EmitterWorkspace& w = *lease;
    if (!w.emitter || w.buffer.size() < bound) {
      w.emitter.reset();
      w.buffer.resize(bound < 65536 ? 65536 : bound);
      w.emitter = std::make_unique<Emitter>(w.buffer.data(), w.buffer.size());
    }
    std::size_t entry;
    if (!w.emitter->emit(p, code, &entry)) return false;
    out->bytes = w.emitter->getCode();
    out->length = w.emitter->getSize();
    out->entry = entry;
    out->workspace = std::move(lease);
    return true;
  } catch (...) {
    return false;  // out of memory
  }
}

}  // namespace vt::formula

#else

namespace vt::formula {
struct EmitterWorkspace {};
void GiveBackEmitter::operator()(EmitterWorkspace* workspace) const noexcept { delete workspace; }
bool emit_native(const ctlcalc_prepared&, const codeentry*, Emitted*) { return false; }
}  // namespace vt::formula

#endif
