// The operation table: one line per code with its handler, the operand its
// instruction carries, its result type (1 float, 4 Boolean, 0 none) and the
// number of stack cells it pops. Every instruction but the empty ones pushes
// one cell. The code check, typing, constant folding and the search for
// branching conditionals read their facts from here.
//
// The codes are a stored format: a new operation takes a free code (23, 31,
// 39-45 are reserved) and touches these places, in this order:
//  1. the `operation` enumeration (include/veltra/ctlcalc.h);
//  2. its handler: declared in the class (ctlcalc.h), defined in
//     handlers.cpp, with any rule it shares in value_rules.h (a math
//     function: its line in VT_MATH_FUNCTIONS there);
//  3. the handler's export under Microsoft's name (msvc32/ctlcalc.def;
//     scripts/class-exports.py checks the DLL against the header);
//  4. its line in the table below;
//  5. its line in VT_BINARY_STEPS or VT_UNARY_STEPS (prepared.h), the step
//     that evaluation runs: the fast loop's cases, the mapping from code
//     to step (prepare.cpp) and the column loops (columns.cpp) are
//     generated from those lines. A conditional (3 operands) needs its own
//     step kinds and column loop instead;
//  6. its machine code: a case in native_x86.cpp's switch for its step
//     group (binary, unary or other); those switches name every case and
//     are compiled with -Werror=switch-enum, so a missing one stops the
//     build;
//  7. when it is written in formulas, its keyword in keywords.h and the
//     keyword position's entry in the parser's operation lists (parser.cpp);
//  8. when it has neutral operands worth removing, a rule in optimizer.cpp.
// The differential tests (handlers against the fast loop and the machine
// code) take the new code up by themselves once a formula of the benchmark
// set or corpus uses it. The machine code's check of the code buffer reads
// the operand column: an instruction with an operand has it compared too.
#pragma once

#include <cstdint>

#include "veltra/ctlcalc.h"

namespace vt::formula {

enum class Operand : std::uint8_t { none, float_const, bool_const, variable };

//        code handler        operand                result pops
#define VT_OPCODES(X)                                        \
  X(0,  _null,         Operand::none,        0, 0)           \
  X(1,  _log,          Operand::none,        1, 1)           \
  X(2,  _exp,          Operand::none,        1, 1)           \
  X(3,  _sqrt,         Operand::none,        1, 1)           \
  X(4,  _sinh,         Operand::none,        1, 1)           \
  X(5,  _cosh,         Operand::none,        1, 1)           \
  X(6,  _tanh,         Operand::none,        1, 1)           \
  X(7,  _sin,          Operand::none,        1, 1)           \
  X(8,  _cos,          Operand::none,        1, 1)           \
  X(9,  _tan,          Operand::none,        1, 1)           \
  X(10, _atan,         Operand::none,        1, 1)           \
  X(11, _acos,         Operand::none,        1, 1)           \
  X(12, _asin,         Operand::none,        1, 1)           \
  X(13, _abs,          Operand::none,        1, 1)           \
  X(14, _floor,        Operand::none,        1, 1)           \
  X(15, _rad,          Operand::none,        1, 1)           \
  X(16, _deg,          Operand::none,        1, 1)           \
  X(17, _sgn,          Operand::none,        1, 1)           \
  X(18, _min,          Operand::none,        1, 2)           \
  X(19, _max,          Operand::none,        1, 2)           \
  X(20, _mod,          Operand::none,        1, 2)           \
  X(21, _f2b,          Operand::none,        4, 1)           \
  X(22, _sqr,          Operand::none,        1, 1)           \
  X(23, _null,         Operand::none,        0, 0)           \
  X(24, _ari_if,       Operand::none,        1, 3)           \
  X(25, _bari_if,      Operand::none,        4, 3)           \
  X(26, _and,          Operand::none,        4, 2)           \
  X(27, _or,           Operand::none,        4, 2)           \
  X(28, _xor,          Operand::none,        4, 2)           \
  X(29, _not,          Operand::none,        4, 1)           \
  X(30, _vbpush,       Operand::variable,    4, 0)           \
  X(31, _null,         Operand::none,        0, 0)           \
  X(32, _plus,         Operand::none,        1, 2)           \
  X(33, _mul,          Operand::none,        1, 2)           \
  X(34, _pot,          Operand::none,        1, 2)           \
  X(35, _vfpush,       Operand::variable,    1, 0)           \
  X(36, _cbpush,       Operand::bool_const,  4, 0)           \
  X(37, _cfpush,       Operand::float_const, 1, 0)           \
  X(38, _unminus,      Operand::none,        1, 1)           \
  X(39, _null,         Operand::none,        0, 0)           \
  X(40, _null,         Operand::none,        0, 0)           \
  X(41, _null,         Operand::none,        0, 0)           \
  X(42, _null,         Operand::none,        0, 0)           \
  X(43, _null,         Operand::none,        0, 0)           \
  X(44, _null,         Operand::none,        0, 0)           \
  X(45, _null,         Operand::none,        0, 0)           \
  X(46, _greater,      Operand::none,        4, 2)           \
  X(47, _less,         Operand::none,        4, 2)           \
  X(48, _greaterequal, Operand::none,        4, 2)           \
  X(49, _lessequal,    Operand::none,        4, 2)           \
  X(50, _equal,        Operand::none,        4, 2)           \
  X(51, _unequal,      Operand::none,        4, 2)           \
  X(52, _b2f,          Operand::none,        1, 1)           \
  X(53, _eqnend,       Operand::none,        0, 0)           \
  X(54, _minus,        Operand::none,        1, 2)           \
  X(55, _div,          Operand::none,        1, 2)

struct OpInfo {
  void (ctlcalc::*handler)();
  Operand operand;
  std::uint8_t result_type;
  std::uint8_t pops;
  // 1 for every instruction that leaves a value, 0 for the empty ones
  std::uint8_t pushes;
};

extern const OpInfo kOps[operation_count];

inline bool is_valid_code(std::int32_t op) {
  return op >= 0 && op < operation_count;
}

}  // namespace vt::formula
