// The working memory of one compile: the parse-tree nodes, the memo of
// conditional readings and the limits that stop a runaway parse. Process
// wide like the rest of the engine's state; reused from compile to compile,
// so a compile allocates only when a formula is larger than any before.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "veltra/ctlcalc.h"

namespace vt::formula {

// Nesting of parentheses, function arguments and conditional branches. Each
// level costs the parser a dozen stack frames; 100 levels stay far inside
// the smallest thread stack a caller is likely to use.
constexpr int kMaxNesting = 100;

// Error codes raised by the engine itself beyond the parser's own.
constexpr std::int16_t kErrMissingOperand = 7;
constexpr std::int16_t kErrTooComplex = 12;
constexpr std::int16_t kErrNesting = 14;
constexpr std::int16_t kErrResultType = 27;
constexpr std::int16_t kErrNoMemory = 31;
constexpr std::int16_t kErrNameTooLong = 32;

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
// text offset depends only on the offset, so it is kept and reused.
struct MemoEntry {
  tree_node* tree;
  std::uint32_t end;
  std::int16_t error;
};

struct ParseState {
  NodeArena nodes;
  std::vector<std::int32_t> memo[2];  // per reading kind: offset -> entry
  std::vector<MemoEntry> entries;
  // Work stacks of the tree walks, kept from compile to compile.
  std::vector<std::pair<tree_node**, bool>> optimise_walk;
  std::vector<std::pair<tree_node*, bool>> emit_walk;
  std::vector<const tree_node*> check_walk;
  int depth = 0;
  // A hard limit (nesting, name length) stops the parse: the error is kept
  // and every further reading gives up at once.
  bool stopped = false;
  std::uint32_t stop_offset = 0;

  void begin(std::size_t text_length);
};

extern ParseState g_parse;

}  // namespace vt::formula
