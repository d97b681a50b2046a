#include "formula/workspace.h"

namespace vt::formula {

namespace {
SharedPool<ParseState> g_workspaces;
}  // namespace

CompileWorkspace::CompileWorkspace()
    : lease_(g_workspaces.take()), outer_(vt::port::thread_slot(vt::port::ThreadSlot::compile)) {
  vt::port::set_thread_slot(vt::port::ThreadSlot::compile, lease_.get());
}

CompileWorkspace::~CompileWorkspace() { vt::port::set_thread_slot(vt::port::ThreadSlot::compile, outer_); }

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
