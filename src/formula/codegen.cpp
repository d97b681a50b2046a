// The code generator and the read-only inspections of compiled code.
#include <cstdint>
#include <vector>

#include "formula/code_check.h"
#include "formula/workspace.h"
#include "veltra/ctlcalc.h"

std::int16_t ctlcalc::compile_tree(tree_node* root) {
  // One entry of the buffer is the terminator.
  const std::uint32_t capacity = codesize < vt::formula::kMaxCodeEntries ? codesize : vt::formula::kMaxCodeEntries;
  std::int16_t maximum = static_cast<std::int16_t>(capacity - 1);
  std::int16_t count = 0;
  std::int16_t ok = _compile_tree(root, &count, &maximum);
  codelen = ok ? count : 0;
  if (!ok) error = vt::formula::kErrTooComplex;
  code[codelen].op = op_null;
  return ok;
}

// Reverse Polish order: left, middle, right, then the node. Fails when a
// node does not fit.
std::int16_t ctlcalc::_compile_tree(tree_node* node, std::int16_t* count, std::int16_t* maximum) {
  return vt::formula::walk_tree(&node, [&](tree_node** at) {
    if (*count >= *maximum) return false;
    code[*count].value = (*at)->value;
    code[*count].op = (*at)->op;
    ++*count;
    return true;
  }) ? 1 : 0;
}

std::uint32_t ctlcalc::getcodelen(const codeentry* c) {
  if (!c) c = code;
  if (!c) return 0;
  // The object's own buffer is never read past its capacity, even when
  // stored code in it lacks the terminator.
  std::uint32_t bound = (c == code && codesize) ? codesize : UINT32_MAX;
  std::uint32_t n = 0;
  while (n < bound && c[n].op != op_null) ++n;
  return n < bound ? n + 1 : bound;
}

std::uint32_t ctlcalc::getcodesize(const codeentry* c) { return 8 * getcodelen(c); }

std::int16_t ctlcalc::getcalclist(std::int16_t* list, std::int16_t capacity) {
  if (!code) return 1;
  if (!list || capacity <= 0) return 0;
  std::int16_t n = 0;
  while (n < capacity && list[n] != -1) ++n;
  if (n >= capacity) return 0;
  std::uint32_t len = getcodelen(code);
  for (const codeentry* c = code; c < code + len && c->op != op_null; ++c) {
    if (c->op != op_vfpush && c->op != op_vbpush) continue;
    if (n >= capacity - 1) return 0;
    bool known = false;
    for (std::int16_t i = 0; i < n && !known; ++i) known = list[i] == c->value.b;
    if (!known) list[n++] = c->value.b;
  }
  list[n] = -1;
  return 1;
}

std::int16_t ctlcalc::findsignal(std::int16_t index) {
  if (!code) return 0;
  std::uint32_t len = getcodelen(code);
  for (const codeentry* c = code; c < code + len && c->op != op_null; ++c)
    if ((c->op == op_vfpush || c->op == op_vbpush) && c->value.b == index) return 1;
  return 0;
}
