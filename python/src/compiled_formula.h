// A compiled formula of the Python package: one handle of the engine's C
// API, the names of the signals its code reads, and the lock that lets
// several Python threads call one object (they take turns on it, as the
// engine asks of one handle; distinct objects compile and evaluate at the
// same time).
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "veltra/ctlcalc_c.h"

namespace veltra_py {

struct Signal {
  std::string name;  // code page 1252, as the formula spells it
  bool boolean;
  std::int16_t index;  // the engine's variable index of its kind
};

struct CompileOutcome {
  bool ok = false;
  int error = 0;               // the engine's error code, 0 when ok
  std::uint32_t position = 0;  // byte offset where the compile stopped
  std::string message;         // the engine's German text (code page 1252)
};

class CompiledFormula {
 public:
  // Compiles `text` (code page 1252). A name listed in `booleans` is a
  // Boolean signal, any other name a float signal. Throws std::bad_alloc
  // when the engine gets no memory.
  CompiledFormula(const std::string& text, const std::vector<std::string>& booleans);
  ~CompiledFormula();
  CompiledFormula(const CompiledFormula&) = delete;
  CompiledFormula& operator=(const CompiledFormula&) = delete;

  const CompileOutcome& outcome() const { return outcome_; }
  bool boolean_result() const { return boolean_result_; }
  // The signals the code reads, each once, in the order of first reading.
  const std::vector<Signal>& signals() const { return signals_; }

  // Evaluates `rows` rows. columns[k] holds the rows of signals()[k]: float
  // for a float signal, int16 (0 false, else true) for a Boolean one.
  // A float formula writes float results into `out`, a Boolean one bytes of
  // 0 or 1. Call without Python's lock: it waits for the object's own lock.
  // False when the engine refused the columns (cannot happen for columns
  // matching signals()).
  bool evaluate(const std::vector<const void*>& columns, void* out, std::uint64_t rows);

  // The byte-exact code, for tests that compare it with other callers'.
  std::vector<unsigned char> code() const;

 private:
  CalcHandle* handle_ = nullptr;
  CompileOutcome outcome_;
  bool boolean_result_ = false;
  std::vector<Signal> signals_;
  std::uint16_t float_count_ = 0, boolean_count_ = 0;  // engine indices in use, per kind
  mutable std::mutex mutex_;  // one call at a time on the handle
};

}  // namespace veltra_py
