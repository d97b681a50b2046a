#include "formula/workspace.h"

namespace vt::formula {

ParseState g_parse;

tree_node* NodeArena::make() {
  if (block_ == blocks_.size()) {
    // Owned before the list grows, so that a failing growth frees it.
    std::unique_ptr<tree_node[]> block(new tree_node[kBlockNodes]);
    blocks_.push_back(std::move(block));
  }
  tree_node* n = &blocks_[block_][used_];
  if (++used_ == kBlockNodes) {
    ++block_;
    used_ = 0;
  }
  *n = tree_node{};
  return n;
}

void NodeArena::reset() {
  block_ = 0;
  used_ = 0;
}

void ParseState::begin(std::size_t text_length) {
  nodes.reset();
  for (auto& m : memo) m.assign(text_length + 1, -1);
  entries.clear();
  depth = 0;
  stopped = false;
  stop_offset = 0;
}

}  // namespace vt::formula
