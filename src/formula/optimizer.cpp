// The tree optimiser: typing, removal of neutral operands, turning additions
// of negated terms into subtractions, and constant folding with the
// machine's own handlers, so that folded values are bit for bit what the
// evaluation would give.
#include <vector>

#include "formula/machine.h"
#include "formula/opcodes.h"
#include "formula/workspace.h"
#include "veltra/ctlcalc.h"

using namespace vt::formula;

namespace {

bool is_const(const tree_node* n) { return n && (n->op == op_cfpush || n->op == op_cbpush); }
bool is_float(const tree_node* n, float v) { return n && n->op == op_cfpush && n->value.f == v; }
bool is_bool(const tree_node* n, std::uint16_t v) {
  return n && n->op == op_cbpush && static_cast<std::uint16_t>(n->value.bits) == v;
}

void make_bool_const(tree_node* n, std::uint16_t v) {
  n->left = n->middle = n->right = nullptr;
  n->op = op_cbpush;
  n->value.bits = v;
}

}  // namespace

std::int16_t ctlcalc::tree_art(tree_node* node) {
  if (!node) return 1;
  if (node->op == op_ari_if) {
    std::int16_t m = tree_art(node->middle);
    return m == tree_art(node->right) ? m : 0;
  }
  return is_valid_code(node->op) ? kOps[node->op].result_type : 0;
}

operation ctlcalc::getconstop(tree_node* node) {
  return tree_art(node) == ctlcalc_boolean ? op_cbpush : op_cfpush;
}

std::int16_t ctlcalc::_check_tree(tree_node* node) {
  if (!node) return 0;
  std::int16_t own = is_valid_code(node->op) ? kOps[node->op].result_type : 0;
  if (!node->left && !node->right) return own;
  if (node->op == op_ari_if || node->op == op_bari_if)
    return static_cast<std::int16_t>(_check_tree(node->middle) | _check_tree(node->right));
  if (node->op == op_b2f) return own;
  return static_cast<std::int16_t>(_check_tree(node->left) | _check_tree(node->middle) |
                                   _check_tree(node->right));
}

std::int16_t ctlcalc::optimize_tree(tree_node** root) {
  std::int16_t changes = 0;
  _optimize_tree(root, &changes);
  return changes;
}

// Children first (left, middle, right), then the node (walk_tree), so that
// a node sees its operands already simplified and folded.
void ctlcalc::_optimize_tree(tree_node** root, std::int16_t* changes) {
  walk_tree(root, [&](tree_node** at) {
    tree_node* n = *at;
    tree_node* l = n->left;
    tree_node* r = n->right;
    tree_node* replacement = nullptr;
    bool counted = true;
    switch (n->op) {
      case op_plus:
        if (is_float(l, 0.0f)) replacement = r;
        else if (is_float(r, 0.0f)) replacement = l;
        else if (r && r->op == op_unminus) {  // a + (-b) -> a - b
          n->right = r->left;
          n->op = op_minus;
          counted = false;
        } else if (l && l->op == op_unminus) {  // (-a) + b -> b - a
          n->left = r;
          n->right = l->left;
          n->op = op_minus;
          counted = false;
        } else counted = false;
        break;
      case op_minus:
        if (is_float(r, 0.0f)) replacement = l;
        else if (r && r->op == op_unminus) {  // a - (-b) -> a + b
          n->right = r->left;
          n->op = op_plus;
          counted = false;
        } else counted = false;
        break;
      case op_mul:
        if (is_float(l, 1.0f)) replacement = r;
        else if (is_float(r, 1.0f)) replacement = l;
        else counted = false;
        break;
      case op_div:
        if (is_float(r, 1.0f)) replacement = l;
        else counted = false;
        break;
      case op_and:
        if (is_bool(l, 1)) replacement = r;
        else if (is_bool(r, 1)) replacement = l;
        else if (is_bool(l, 0) || is_bool(r, 0)) make_bool_const(n, 0);
        else counted = false;
        break;
      case op_or:
        if (is_bool(l, 0)) replacement = r;
        else if (is_bool(r, 0)) replacement = l;
        else if (is_bool(l, 1) || is_bool(r, 1)) make_bool_const(n, 1);
        else counted = false;
        break;
      default:
        counted = false;
    }
    if (counted) ++*changes;
    if (replacement) {
      *at = replacement;  // already optimised: nothing more happens to it
      return true;
    }

    // Constant folding: all operands constant -> run the handler on them.
    if (!is_const(n->left)) return true;
    if (n->right && !is_const(n->right)) return true;
    if (n->middle && (!n->right || !is_const(n->middle))) return true;
    reset_stack();
    Cell c;
    c.u = n->left->value.bits;
    push_cell(c);
    if (n->middle) {
      c.u = n->middle->value.bits;
      push_cell(c);
    }
    if (n->right) {
      c.u = n->right->value.bits;
      push_cell(c);
    }
    const OpInfo& info = kOps[is_valid_code(n->op) ? n->op : 0];
    (this->*info.handler)();
    operation result_op = getconstop(n);
    n->value.bits = pop_cell().u;
    n->op = result_op;
    n->left = n->middle = n->right = nullptr;
    return true;
  });
}
