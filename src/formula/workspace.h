// The working memory of one compile: the parse-tree nodes, the memo of
// conditional readings and sums, the scratch buffer for names and numbers
// and the limits that stop a runaway parse. A compile takes one from a shared pool
// (shared_pool.h) for its length and finds it through the calling thread's
// slot (port/thread_slot.h), so compiles on many threads never meet; it is
// reused from compile to compile, so a compile allocates only when a
// formula is larger than any before.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "formula/errors.h"
#include "formula/machine.h"
#include "formula/shared_pool.h"
#include "port/thread_slot.h"
#include "veltra/ctlcalc.h"

namespace vt::formula {

// Nesting of parentheses, function arguments and conditional branches. Each
// level costs the parser a dozen stack frames; 100 levels stay far inside
// the smallest thread stack a caller is likely to use.
constexpr int kMaxNesting = 100;

// Nodes come from blocks that live until the next compile: the parser
// backtracks and shares memoised subtrees between readings, so no node is
// freed on its own.
class NodeArena {
 public:
  tree_node* make();
  void reset();

 private:
  static constexpr std::size_t kBlockNodes = 256;
  std::vector<std::unique_ptr<tree_node[]>> blocks_;
  std::size_t block_ = 0;
  std::size_t used_ = 0;
};

// The parser tries every text as Boolean and then as arithmetic; without a
// memo each nesting level would multiply the work (2.6 times per level).
// The result of a conditional reading (tree, end offset, error code) at a
// text offset depends only on the offset, so it is kept and reused; so is
// a sum's, which the readings of one offset each read again.
struct MemoEntry {
  tree_node* tree;
  std::uint32_t end;
  std::int16_t error;
};

struct ParseState {
  NodeArena nodes;
  std::vector<std::int32_t> memo[3];  // per reading kind: offset -> entry
  std::vector<MemoEntry> entries;
  // The work stack of walk_tree, kept from compile to compile.
  std::vector<std::pair<tree_node**, bool>> walk;
  int depth = 0;
  // A hard limit (nesting, name length) stops the parse: the error is kept
  // and every further reading gives up at once.
  bool stopped = false;
  std::uint32_t stop_offset = 0;
  // A name or number text; a name is handed to the name callback here.
  char scratch[kScratchSize];

  void begin(std::size_t text_length);
};

// The workspace of the compile running on the calling thread. The parser's
// members (and walk_tree) run only inside a compile, which sets it.
inline ParseState& parse_state() {
  return *static_cast<ParseState*>(vt::port::thread_slot(vt::port::ThreadSlot::compile));
}

// The calling thread's compile holds a workspace from the shared pool for
// its length; a compile started from inside a callback gets one of its own
// and the outer compile's comes back after it.
class CompileWorkspace {
 public:
  CompileWorkspace();  // std::bad_alloc when memory is short
  ~CompileWorkspace();
  CompileWorkspace(const CompileWorkspace&) = delete;
  CompileWorkspace& operator=(const CompileWorkspace&) = delete;
  ParseState* operator->() const { return lease_.get(); }

 private:
  SharedPool<ParseState>::Lease lease_;
  void* outer_;
};

// Visits the tree at *root children first (left, middle, right), then the
// node, each with the place that holds it so that a visit may put another
// node there (a child it has already visited). The walk keeps its own stack
// rather than recursing: a long operator chain makes a tree as deep as the
// formula is long, which the parser reads in a loop and no call stack
// should mirror. Stops at the first visit that returns false; returns
// whether every visit returned true.
template <class Visit>
bool walk_tree(tree_node** root, Visit&& visit) {
  auto& work = parse_state().walk;  // (place of a node, children done)
  work.clear();
  work.push_back({root, false});
  while (!work.empty()) {
    auto [at, children_done] = work.back();
    work.pop_back();
    tree_node* n = *at;
    if (!n) continue;
    if (!children_done) {
      work.push_back({at, true});
      work.push_back({&n->right, false});
      work.push_back({&n->middle, false});
      work.push_back({&n->left, false});
    } else if (!visit(at)) {
      return false;
    }
  }
  return true;
}

}  // namespace vt::formula
