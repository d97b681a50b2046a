// The code generator and the read-only inspections of compiled code.
#include <cstdint>
#include <vector>

#include "formula/workspace.h"
#include "veltra/ctlcalc.h"

std::int16_t ctlcalc::compile_tree(tree_node* root) {
  // The capacity counts as a signed 16-bit number; one entry is the
  // terminator.
  std::int16_t maximum = static_cast<std::int16_t>(static_cast<std::int16_t>(codesize & 0xFFFFu) - 1);
  std::int16_t count = 0;
  std::int16_t ok = _compile_tree(root, &count, &maximum);
  codelen = ok ? count : 0;
  if (!ok) error = 12;
  code[codelen].op = op_null;
  return ok;
}

// Reverse Polish order: left, middle, right, then the node. Iterative for
// the same reason as the optimiser. Every node tries to take one entry, so
// the whole emission fails exactly when some node did not fit.
std::int16_t ctlcalc::_compile_tree(tree_node* node, std::int16_t* count, std::int16_t* maximum) {
  auto& work = vt::formula::g_parse.emit_walk;  // (node, children done)
  work.clear();
  work.push_back({node, false});
  std::int16_t ok = 1;
  while (!work.empty()) {
    auto [n, children_done] = work.back();
    work.pop_back();
    if (!n) continue;
    if (!children_done) {
      work.push_back({n, true});
      work.push_back({n->right, false});
      work.push_back({n->middle, false});
      work.push_back({n->left, false});
      continue;
    }
    if (*count >= *maximum) {
      ok = 0;
      continue;
    }
    code[*count].value = n->value;
    code[*count].op = n->op;
    ++*count;
  }
  return ok;
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
