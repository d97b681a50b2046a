/* Veltra support library: the formula engine class ctlcalc and its code records.
 *
 * A formula is one expression over named signals («sin(x)*2 + (t > 10 ? 1 : 0)»,
 * «Pumpe_ein und nicht Störung»). The caller gives a ctlcalc object a text
 * buffer, a code buffer and callbacks that map names to variable indices and
 * indices to values; compile() turns the text into code, eval() runs it.
 * Compiled code is a stored format: an array of 8-byte codeentry records that
 * callers may keep and attach again with setcode(). For evaluation each
 * object keeps its own prepared form of the code in one heap block, and
 * machine code made from it (made by compile, or by the first eval of
 * attached code, and again whenever the code in the buffer has changed);
 * eval itself allocates nothing. setnative(0) keeps an object on the
 * interpreter. The class layout is that of earlier versions.
 *
 * Threads: distinct objects may compile, eval, evalcolumns and geterrorstr
 * at the same time on any number of threads; nothing of one call is shared
 * with a call on another object. One object used from two threads at once
 * (also through objects copied from it, which share its buffers) is the
 * caller's to serialise: the library takes no lock for it. Callbacks run on
 * the calling thread and must not compile or evaluate a formula. The
 * operation handlers work on an evaluation stack of the calling thread;
 * eval and evalcolumns keep theirs to each call and leave it alone.
 *
 * The 32-bit DLL exports every member under g++'s name and also under the
 * name and conventions of Microsoft's compiler (constructors returning
 * this), so that programs built with either compiler can use the class,
 * except the two private members noted below. */
#ifndef VELTRA_CTLCALC_H
#define VELTRA_CTLCALC_H

#include "veltra/export.h"

#ifdef __cplusplus
#include <cstdint>

/* Operation codes. The numbers are stored in compiled code: never renumber.
 * The handler, operand kind and result type of every code are listed in one
 * table in the library's sources (formula/opcodes.h). */
enum operation : std::int32_t {
  op_null = 0, op_log = 1, op_exp = 2, op_sqrt = 3, op_sinh = 4, op_cosh = 5,
  op_tanh = 6, op_sin = 7, op_cos = 8, op_tan = 9, op_atan = 10, op_acos = 11,
  op_asin = 12, op_abs = 13, op_floor = 14, op_rad = 15, op_deg = 16, op_sgn = 17,
  op_min = 18, op_max = 19, op_mod = 20, op_f2b = 21, op_sqr = 22, op_reserved23 = 23,
  op_ari_if = 24, op_bari_if = 25, op_and = 26, op_or = 27, op_xor = 28, op_not = 29,
  op_vbpush = 30, op_compare = 31, op_plus = 32, op_mul = 33, op_pot = 34,
  op_vfpush = 35, op_cbpush = 36, op_cfpush = 37, op_unminus = 38,
  op_greater = 46, op_less = 47, op_greaterequal = 48, op_lessequal = 49,
  op_equal = 50, op_unequal = 51, op_b2f = 52, op_eqnend = 53, op_minus = 54,
  op_div = 55
};

/* Number of operation codes (0 to 55). */
const int operation_count = 56;

/* The two value types: of a compiled formula (gettype), of a variable (the
 * callbacks' type argument) and, as bits, of the allowed-types mask. */
const std::int16_t ctlcalc_float = 1;
const std::int16_t ctlcalc_boolean = 4;

/* Bit of the type mask (settype, setnative) that keeps an object's
 * evaluation on the interpreter. Without it, eval runs machine code that
 * the object makes for its formula when the code is compiled or first
 * evaluated (x86 and x86-64 builds, where the system gives executable
 * memory); the interpreter runs otherwise. Both give the same bits and
 * call the value callback alike; the bit is for hosts that forbid code
 * made at run time, and for comparing the two. */
const std::int16_t ctlcalc_interpret = 0x100;

/* A value of either kind in 4 bytes: a float, or a Boolean in the low 16 bits
 * (0 false, anything else true). */
union rvalue {
  float f;
  std::int16_t b;
  std::uint32_t bits;
};

/* One instruction of compiled code, 8 bytes little-endian: the operand
 * (float for code 37; signed 16-bit variable index in bytes 0-1 for codes 30
 * and 35; 16-bit Boolean in bytes 0-1 for code 36; 0 otherwise), then the
 * 32-bit operation code. A code array ends with an entry whose op is 0. */
struct codeentry {
  rvalue value;
  operation op;
};
static_assert(sizeof(codeentry) == 8, "codeentry is a stored 8-byte record");

/* One node of a parse tree; lives only during a compile. */
struct tree_node {
  tree_node* left;
  tree_node* middle;
  tree_node* right;
  rvalue value;
  operation op;
};

/* Name callback: (name, type 1 float or 4 Boolean) -> variable index, -1 when
 * the name is unknown for that type. Called during compile only. */
typedef std::int16_t (*ctlcalc_getname)(const char* name, std::int16_t type);
/* Value callback: (index, type) -> value; for type 4 the Boolean is in the
 * low 16 bits of the returned 4 bytes. Called once per variable instruction. */
typedef float (*ctlcalc_getvalue)(std::int16_t index, std::int16_t type);
/* Value setter: kept with the object, never called by the library. */
typedef void (*ctlcalc_setvalue)(std::int16_t index, std::int16_t type, rvalue& value);

struct ctlcalc_prepared;

class VELTRA_API ctlcalc {
 public:
  /* No buffers; then init(). */
  ctlcalc();
  /* Stores the buffers, then init(): the text and the code are emptied. */
  ctlcalc(char* text, codeentry* code, std::uint32_t textsize, std::uint32_t codesize);
  /* Frees the prepared form; the buffers stay the caller's. */
  ~ctlcalc();
  /* Copies every field: both objects then share buffers and callbacks (each
   * keeps its own prepared form). */
  ctlcalc& operator=(const ctlcalc& other);
  ctlcalc(const ctlcalc& other);

  /* Stores the four values; nothing else changes. */
  void init(char* text, codeentry* code, std::uint32_t textsize, std::uint32_t codesize);
  /* Empties text and code, clears the error and the owner, installs the
   * default callbacks, allows both value types (mask 5). */
  void init();

  /* With null returns the text buffer, else copies the text into buf (which
   * must hold it) and returns buf. */
  char* gettext(char* buf = nullptr);
  /* Copies the text into the text buffer and zero-fills the rest; a text
   * too long is cut to textsize - 1 bytes (the buffer stays terminated);
   * null empties it. Does not invalidate the code. */
  void settext(const char* text);
  /* Attaches a text buffer; its contents are not changed. */
  void settext(char* buffer, std::uint32_t size);
  /* Attaches a code buffer of `capacity` entries; stored code in it is ready
   * for eval (it is checked before it runs; code that fails the check
   * evaluates to 0.0). Code changed in place is noticed and checked again. */
  void setcode(codeentry* code, std::uint32_t capacity);
  /* Installs the callbacks; a null one is replaced by its default. */
  void setfunctions(ctlcalc_getname getname, ctlcalc_getvalue getvalue, ctlcalc_setvalue setvalue);

  /* Value type of the last compiled formula: 1 float, 4 Boolean (kept by
   * an empty formula or a failed compile). */
  std::int16_t gettype();
  /* Allowed value types: bit 1 (or 2) float, bit 4 Boolean; default 5. A
   * formula whose result type is not allowed fails with error 27. */
  void settype(std::int16_t types);
  /* Machine code on (1, the default after init()) or off (0): sets or
   * clears ctlcalc_interpret in the type mask. settype replaces the whole
   * mask, this bit included. */
  void setnative(std::int16_t on);
  /* 1 for every operation. */
  std::int16_t isvalidop(operation op);
  /* The owner window, kept for the caller; the library does not use it. */
  void setowner(void* owner);
  void* getowner();

  /* Compiles the text into the code buffer: 1 on success (an empty or blank
   * text gives empty code), 0 with error code and position set. Error 12 when
   * the code does not fit or needs more than 128 stack cells, 14 when the
   * nesting is too deep, 32 when a name or number exceeds 255 characters. */
  std::int16_t compile();
  /* Evaluates the code: 0.0 for empty code or code that fails the check. */
  float eval();
  /* Evaluates the code over `rows` rows at once, reading the variables from
   * columns instead of the value callback: float variable i of row r is
   * floats[i][r], Boolean variable i is booleans[i][r] (0 false, anything
   * else true; it reads as the 4 bytes of a Boolean constant of that 16-bit
   * value, sign-widened), the built-in variables are the object's fields.
   * results[r] gets the bits eval() returns for row r when the value
   * callback gives those values. Each column read holds `rows` values;
   * columns of variables the code does not read may be null. Returns 1 when the results are written (0.0 throughout for
   * empty or invalid code; nothing for 0 rows), 0 with nothing written when
   * results is null or the code reads a variable whose index is negative,
   * not below float_count (boolean_count for a Boolean) or whose column is
   * null. results may be one of the float columns but must not overlap any
   * column otherwise. Calls no callback and allocates nothing; runs blocks
   * of rows with SIMD arithmetic across rows. */
  std::int16_t evalcolumns(const float* const* floats, std::uint32_t float_count, const std::int16_t* const* booleans,
                           std::uint32_t boolean_count, float* results, std::uint32_t rows);

  /* 1 when there is a code buffer and its code is not empty. */
  std::int16_t is_valid();
  /* Empties the code (eval then gives 0.0); no effect without a buffer. */
  void invalidate();
  /* Current error code, 0 for none (texts: geterrorstr). */
  std::int16_t geterror();
  /* Sets the error code; a negative code is ignored. */
  void seterror(std::int16_t code);
  /* Byte offset in the text where the last compile stopped. */
  std::uint32_t geterrorpos();
  /* German text of the error code (empty when the code has none), in a
   * buffer of the calling thread, valid until that thread's next compile or
   * geterrorstr. */
  const char* geterrorstr();

  /* Length of a code array in entries with its terminator (own code when
   * null; 0 without code). */
  std::uint32_t getcodelen(const codeentry* code = nullptr);
  /* 8 times getcodelen. */
  std::uint32_t getcodesize(const codeentry* code = nullptr);
  /* Adds the variable indices read by the code to a list ended by -1;
   * 0 when the list is full. */
  std::int16_t getcalclist(std::int16_t* list, std::int16_t capacity);
  /* 1 when the code reads the variable `index`. */
  std::int16_t findsignal(std::int16_t index);

  /* Operation handlers: the reference semantics of each operation code.
   * Each pops its operands from the calling thread's evaluation stack and
   * pushes its result; on an empty stack an operand reads as 0 and on a
   * full one the result is dropped, so no call can reach past the stack. */
  void _null();
  void _log();
  void _exp();
  void _sqrt();
  void _sinh();
  void _cosh();
  void _tanh();
  void _sin();
  void _cos();
  void _tan();
  void _atan();
  void _acos();
  void _asin();
  void _abs();
  void _floor();
  void _rad();
  void _deg();
  void _sgn();
  void _min();
  void _max();
  void _mod();
  void _f2b();
  void _sqr();
  void _ari_if();
  void _bari_if();
  void _and();
  void _or();
  void _xor();
  void _not();
  void _vbpush();
  void _plus();
  void _mul();
  void _pot();
  void _vfpush();
  void _cbpush();
  void _cfpush();
  void _unminus();
  void _greater();
  void _less();
  void _greaterequal();
  void _lessequal();
  void _equal();
  void _unequal();
  void _b2f();
  void _eqnend();
  void _minus();
  void _div();

 protected:
  /* Parser. */
  tree_node* build_tree();
  char nextchar(char** p);
  char* name(char** p);
  std::int16_t parse(char* pos, const char* list, char** end = nullptr);
  tree_node* newnode(tree_node** left, operation op);
  void delete_tree(tree_node* node);
  tree_node* assign();
  tree_node* expr();
  tree_node* ari_if();
  tree_node* bari_if();
  tree_node* and_();
  tree_node* or_();
  tree_node* xor_();
  tree_node* bexpr();
  tree_node* bsign();
  tree_node* bfactor();
  tree_node* bvar();
  tree_node* comp();
  tree_node* sum();
  tree_node* prod();
  tree_node* pot();
  tree_node* sign();
  tree_node* factor();
  tree_node* var();
  tree_node* unfunc();
  tree_node* bifunc();
  tree_node* constant();
  tree_node* bconstant();
  std::int16_t _gnf(const char* name, std::int16_t type);

  /* Optimiser and code generator. */
  std::int16_t tree_art(tree_node* node);
  operation getconstop(tree_node* node);
  std::int16_t _check_tree(tree_node* node);
  std::int16_t optimize_tree(tree_node** root);
  void _optimize_tree(tree_node** node, std::int16_t* changes);
  std::int16_t compile_tree(tree_node* root);
  std::int16_t _compile_tree(tree_node* node, std::int16_t* count, std::int16_t* maximum);

  /* Value of a variable at evaluation time. */
  float _gvf(std::int16_t index, std::int16_t type);

  char* text;

 public:
  /* Built-in float variables, indices 1000 to 1005; set by the owner, never
   * written by the library. */
  float x, xl, xh, y, yl, yh;

 protected:
  std::int16_t types;
  std::int16_t type;
  char* cursor;
  std::int16_t codelen;
  std::int16_t error;
  std::uint32_t errorpos;
  codeentry* code;
  std::uint32_t textsize;
  std::uint32_t codesize;
  void* owner;
  ctlcalc_getvalue getvalue;
  ctlcalc_getname getname;
  ctlcalc_setvalue setvalue;

 private:
  /* left_chain and conditional_values take a pointer to a member function,
   * which the two compilers represent differently (8 bytes, address and
   * adjustment, in g++'s ABI; 4 bytes in Microsoft's for this class): they
   * are the parser's own and exported under g++'s names only. */

  /* The code prepared for evaluation, with a copy of the code it came
   * from; owned by the object, made again whenever the code differs. */
  ctlcalc_prepared* prepared;

  /* Sets the error code unless a hard limit already stopped the parse. */
  void set_parse_error(std::int16_t code);
  tree_node* memoized(int kind);
  tree_node* conditional_values(tree_node* c, operation op, tree_node* (ctlcalc::*value)(), char* start);
  tree_node* variable_node(std::int16_t type, operation op);
  tree_node* function_call(const char* keywords, const operation* ops, int arguments);
  tree_node* left_chain(tree_node* (ctlcalc::*operand)(), const char* keywords, const operation* ops);
  tree_node* ari_if_uncached();
  tree_node* bari_if_uncached();
  std::int16_t compile_parsed(tree_node* tree);

  friend struct ctlcalc_access;
};

#endif /* __cplusplus */

#endif
