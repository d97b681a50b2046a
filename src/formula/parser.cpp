// The recursive-descent parser. Every formula is read first as a Boolean
// expression and then as an arithmetic one; productions backtrack by
// putting the cursor back. The error code is one field: failing steps set
// it and every successful leaf clears it, so the code left at the end is the
// one set after the last successful leaf.
#include "formula/keywords.h"
#include "formula/machine.h"
#include "formula/workspace.h"
#include "veltra/ctlcalc.h"

using namespace vt::formula;

namespace {

// The readings kept in the memo (workspace.h): the two conditional
// readings, and sums. A sum at an offset is read up to three times: by the
// Boolean reading's comparison, by the arithmetic reading's test for a
// condition, and as the arithmetic reading itself.
enum Reading { kArithmetic = 0, kBoolean = 1, kSum = 2 };

// Comparison keyword position (from 1) to its operation.
const operation kCompareOps[] = {op_lessequal, op_less, op_equal, op_greaterequal, op_greater,
                                 op_unequal};
// Function keyword positions (from 1) to their operations.
const operation kUnaryOps[] = {op_log,  op_exp,  op_sqrt, op_sinh, op_cosh,  op_tanh, op_sin, op_cos, op_tan,
                               op_atan, op_acos, op_asin, op_abs,  op_floor, op_rad,  op_deg, op_sgn, op_sqr};
const operation kBinaryOps[] = {op_min, op_max, op_mod};

}  // namespace

void ctlcalc::set_parse_error(std::int16_t code) {
  if (!parse_state().stopped) error = code;
}

tree_node* ctlcalc::newnode(tree_node** left, operation op) {
  tree_node* n = parse_state().nodes.make();
  n->left = left ? *left : nullptr;
  n->op = op;
  return n;
}

// Nodes belong to the compile's arena and go when the next compile starts.
void ctlcalc::delete_tree(tree_node*) {}

tree_node* ctlcalc::build_tree() {
  if (nextchar(&cursor) == '\0') return nullptr;
  tree_node* t = assign();
  if (error == 0 && nextchar(&cursor) != '\0') set_parse_error(kErrSyntax);
  return t;
}

tree_node* ctlcalc::assign() { return expr(); }

tree_node* ctlcalc::expr() {
  tree_node* t = bari_if();
  return t ? t : ari_if();
}

tree_node* ctlcalc::ari_if() { return memoized(kArithmetic); }
tree_node* ctlcalc::bari_if() { return memoized(kBoolean); }

namespace {

// A reading of `kind` at the cursor's offset: the one kept in the memo
// (its tree, end and error), else `read` runs it, and its result is kept
// unless a hard limit stopped the parse.
template <class Read>
tree_node* remembered(ParseState& ps, int kind, char* text, char*& cursor, std::int16_t& error, Read&& read) {
  const std::uint32_t at = static_cast<std::uint32_t>(cursor - text);
  if (const std::int32_t slot = ps.memo[kind][at]; slot >= 0) {
    const MemoEntry& e = ps.entries[slot];
    cursor = text + e.end;
    error = e.error;
    return e.tree;
  }
  tree_node* t = read();
  if (!ps.stopped) {
    ps.memo[kind][at] = static_cast<std::int32_t>(ps.entries.size());
    ps.entries.push_back({t, static_cast<std::uint32_t>(cursor - text), error});
  }
  return t;
}

}  // namespace

tree_node* ctlcalc::memoized(int kind) {
  ParseState& ps = parse_state();
  if (ps.stopped) return nullptr;
  return remembered(ps, kind, text, cursor, error, [&]() -> tree_node* {
    if (ps.depth == kMaxNesting) {
      set_parse_error(kErrNesting);
      ps.stopped = true;
      ps.stop_offset = static_cast<std::uint32_t>(cursor - text);
      return nullptr;
    }
    ++ps.depth;
    tree_node* t = kind == kBoolean ? bari_if_uncached() : ari_if_uncached();
    --ps.depth;
    return t;
  });
}

// After "condition ?": the then-value, ":" and the else-value, each read by
// `value`. A missing value gives up the whole reading from `start`.
tree_node* ctlcalc::conditional_values(tree_node* c, operation op, tree_node* (ctlcalc::*value)(), char* start) {
  ++cursor;  // the '?'
  tree_node* n = newnode(&c, op);
  n->middle = (this->*value)();
  if (!n->middle) {
    set_parse_error(kErrMissingOperand);
    cursor = start;
    return nullptr;
  }
  if (nextchar(&cursor) != ':') {
    set_parse_error(kErrMissingColon);
    return n;
  }
  ++cursor;
  n->right = (this->*value)();
  if (!n->right) {
    set_parse_error(kErrMissingOperand);
    cursor = start;
    return nullptr;
  }
  return n;
}

tree_node* ctlcalc::bari_if_uncached() {
  char* start = cursor;
  tree_node* c = and_();
  if (!c) {
    cursor = start;
    return nullptr;
  }
  if (nextchar(&cursor) != '?') return c;
  return conditional_values(c, op_bari_if, &ctlcalc::bari_if, start);
}

tree_node* ctlcalc::ari_if_uncached() {
  char* start = cursor;
  tree_node* c = and_();
  if (c && nextchar(&cursor) == '?') return conditional_values(c, op_ari_if, &ctlcalc::ari_if, start);
  cursor = start;
  return sum();
}

// Operations of the left-associative levels, by the position of the
// matching keyword in the level's list.
constexpr operation kAndOps[] = {op_and, op_and, op_and};
constexpr operation kOrOps[] = {op_or, op_or, op_or};
constexpr operation kXorOps[] = {op_xor, op_xor, op_xor};
constexpr operation kSumOps[] = {op_plus, op_minus};
constexpr operation kProductOps[] = {op_mul, op_div};
constexpr operation kPowerOps[] = {op_pot};

// The Boolean levels, sums, products and powers share one shape: operands
// of the next level joined left to right by the level's keywords.
tree_node* ctlcalc::left_chain(tree_node* (ctlcalc::*operand)(), const char* keywords, const operation* ops) {
  tree_node* l = (this->*operand)();
  if (!l) return nullptr;
  while (int k = parse(cursor, keywords, &cursor)) {
    tree_node* n = newnode(&l, ops[k - 1]);
    if (!(n->right = (this->*operand)())) {
      set_parse_error(kErrMissingOperand);
      return nullptr;
    }
    l = n;
  }
  return l;
}

tree_node* ctlcalc::and_() { return left_chain(&ctlcalc::or_, kKwAnd, kAndOps); }
tree_node* ctlcalc::or_() { return left_chain(&ctlcalc::xor_, kKwOr, kOrOps); }
tree_node* ctlcalc::xor_() { return left_chain(&ctlcalc::bexpr, kKwXor, kXorOps); }

tree_node* ctlcalc::bexpr() {
  tree_node* t = bsign();
  return t ? t : comp();
}

tree_node* ctlcalc::bsign() {
  if (!parse(cursor, kKwNot, &cursor)) return bfactor();
  tree_node* n = newnode(nullptr, op_not);
  if (!(n->left = bfactor())) set_parse_error(kErrMissingOperand);
  return n;
}

tree_node* ctlcalc::bfactor() {
  char* start = cursor;
  tree_node* t;
  if (nextchar(&cursor) == '(') {
    ++cursor;
    t = bari_if();
    if (t && nextchar(&cursor) != ')') {
      set_parse_error(kErrMissingParen);
      return t;
    }
    if (t) ++cursor;
  } else {
    t = bvar();
    if (!t) t = bconstant();
  }
  if (!t) cursor = start;
  return t;
}

// A name that the name callback knows for `type` becomes a push of its
// index; the cursor moves past the name only then.
tree_node* ctlcalc::variable_node(std::int16_t type, operation op) {
  char* p = cursor;
  char* nm = name(&p);
  if (!nm) return nullptr;
  std::int16_t index = _gnf(nm, type);
  if (index == -1) return nullptr;
  tree_node* n = newnode(nullptr, op);
  n->value.bits = static_cast<std::uint16_t>(index);
  cursor = p;
  set_parse_error(kErrNone);
  return n;
}

tree_node* ctlcalc::bvar() { return (types & ctlcalc_boolean) ? variable_node(ctlcalc_boolean, op_vbpush) : nullptr; }

tree_node* ctlcalc::comp() {
  char* start = cursor;
  tree_node* l = sum();
  if (!l) return nullptr;
  int k = parse(cursor, kKwCompare, &cursor);
  if (!k) {
    cursor = start;
    return nullptr;
  }
  tree_node* n = newnode(&l, kCompareOps[k - 1]);
  if (!(n->right = sum())) {
    set_parse_error(kErrMissingOperand);
    return nullptr;
  }
  return n;
}

// A sum's result depends on its offset alone, like a conditional
// reading's: it is kept too (not once the parse is stopped, as readings
// then give up).
tree_node* ctlcalc::sum() {
  ParseState& ps = parse_state();
  const auto read = [this] { return left_chain(&ctlcalc::prod, kKwSum, kSumOps); };
  return ps.stopped ? read() : remembered(ps, kSum, text, cursor, error, read);
}

tree_node* ctlcalc::prod() { return left_chain(&ctlcalc::pot, kKwProduct, kProductOps); }

tree_node* ctlcalc::pot() { return left_chain(&ctlcalc::sign, kKwPower, kPowerOps); }

tree_node* ctlcalc::sign() {
  int k = parse(cursor, kKwSum, &cursor);
  if (k != 2) return factor();
  tree_node* n = newnode(nullptr, op_unminus);
  if (!(n->left = factor())) set_parse_error(kErrMissingOperand);
  return n;
}

tree_node* ctlcalc::factor() {
  tree_node* t = nullptr;
  if (nextchar(&cursor) == '(') {
    ++cursor;
    t = ari_if();
    if (nextchar(&cursor) != ')') {
      set_parse_error(kErrMissingParen);
      return t;
    }
    ++cursor;
  } else {
    t = var();
    if (!t && (t = bvar())) t = newnode(&t, op_b2f);
    if (!t) t = unfunc();
    if (!t) t = bifunc();
    if (!t) {
      if (int k = parse(cursor, kKwConstant, &cursor)) {
        t = newnode(nullptr, op_cfpush);
        t->value.f = k == 1 ? kPi : kE;
        set_parse_error(kErrNone);
      }
    }
  }
  if (!t && !(t = constant())) set_parse_error(kErrUnknownName);
  return t;
}

tree_node* ctlcalc::var() { return (types & 3) ? variable_node(ctlcalc_float, op_vfpush) : nullptr; }

// A function keyword, "(", its arguments separated by ",", and ")". Without
// "(" or with an argument missing, the whole call is given up.
tree_node* ctlcalc::function_call(const char* keywords, const operation* ops, int arguments) {
  char* start = cursor;
  char* end;
  int k = parse(cursor, keywords, &end);
  if (!k) return nullptr;
  if (*end != '(') {
    set_parse_error(kErrCallWithoutParen);
    cursor = start;
    return nullptr;
  }
  tree_node* n = newnode(nullptr, ops[k - 1]);
  cursor = end + 1;
  for (int i = 0; i < arguments; ++i) {
    if (i > 0) {
      if (nextchar(&cursor) != ',') {
        set_parse_error(kErrMissingComma);
        return n;
      }
      ++cursor;
    }
    tree_node* argument = ari_if();
    if (!argument) {
      set_parse_error(kErrMissingOperand);
      cursor = start;
      return nullptr;
    }
    (i == 0 ? n->left : n->right) = argument;
  }
  if (nextchar(&cursor) != ')') {
    set_parse_error(kErrMissingParen);
    return n;
  }
  ++cursor;
  set_parse_error(kErrNone);
  return n;
}

tree_node* ctlcalc::unfunc() { return function_call(kKwUnary, kUnaryOps, 1); }
tree_node* ctlcalc::bifunc() { return function_call(kKwBinary, kBinaryOps, 2); }

tree_node* ctlcalc::bconstant() {
  if (!(types & 4)) return nullptr;
  int k = parse(cursor, kKwBool, &cursor);
  if (!k) {
    set_parse_error(kErrUnknownName);
    return nullptr;
  }
  tree_node* n = newnode(nullptr, op_cbpush);
  n->value.bits = k >= kFirstTrueKeyword ? 1u : 0u;
  set_parse_error(kErrNone);
  return n;
}
