#include "compiled_formula.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "formula/keywords.h"
#include "veltra/ctlcalc.h"
#include "frame/ascii_case.h"

namespace veltra_py {

namespace {

// A formula is at most 4095 bytes; its code fits in far fewer records than
// this (one or two per token).
constexpr std::uint32_t kTextBytes = 4096;
constexpr std::uint32_t kCodeRecords = 4096;
// Variable indices 1000 to 1005 are the engine's built-in x, xl, xh, y, yl,
// yh: the signals of one kind get the indices below.
constexpr std::size_t kMaxSignalsOfAKind = 1000;
constexpr std::int32_t kPushBoolean = 30, kPushFloat = 35;
// Rows per engine call: its count is 32-bit, and a Boolean formula's float
// results go through a small buffer of this many rows.
constexpr std::uint32_t kChunkRows = 1u << 14;

struct NameBook {
  const std::vector<std::string>* booleans;
  std::vector<std::string> floats_seen, booleans_seen;
};

std::int16_t index_of(std::vector<std::string>& seen, const char* name) {
  auto it = std::find(seen.begin(), seen.end(), name);
  if (it != seen.end()) return static_cast<std::int16_t>(it - seen.begin());
  if (seen.size() >= kMaxSignalsOfAKind) return -1;
  seen.emplace_back(name);
  return static_cast<std::int16_t>(seen.size() - 1);
}

// The words of the language (functions, constants, Boolean words and
// operators) are asked for as names first: they are never signals.
bool is_language_word(const char* name) {
  namespace kw = vt::formula;
  const std::size_t length = std::strlen(name);
  for (const char* list : {kw::kKwAnd, kw::kKwOr, kw::kKwXor, kw::kKwNot, kw::kKwConstant, kw::kKwUnary,
                           kw::kKwBinary, kw::kKwBool}) {
    for (const char* word = list; *word;) {
      const char* end = std::strchr(word, ',');
      if (!end) end = word + std::strlen(word);
      if (static_cast<std::size_t>(end - word) == length && vt::frame::ascii_equal_n(name, word, length)) return true;
      word = *end ? end + 1 : end;
    }
  }
  return false;
}

// Every name that is no word of the language is a signal: of the Boolean kind when listed as one, else of
// the float kind. Whether the data holds it is asked at evaluation.
std::int16_t name_of_signal(void* user, const char* name, std::int16_t type) {
  NameBook& book = *static_cast<NameBook*>(user);
  if (is_language_word(name)) return -1;
  const bool listed = std::find(book.booleans->begin(), book.booleans->end(), name) != book.booleans->end();
  if (type == ctlcalc_boolean && listed) return index_of(book.booleans_seen, name);
  if (type == ctlcalc_float && !listed) return index_of(book.floats_seen, name);
  return -1;
}

}  // namespace

CompiledFormula::CompiledFormula(const std::string& text, const std::vector<std::string>& booleans) {
  handle_ = CalcCreate(kTextBytes, kCodeRecords);
  if (!handle_) throw std::bad_alloc();
  if (!CalcSetText(handle_, text.c_str())) {
    CalcDestroy(handle_);
    throw std::length_error("a formula is at most 4095 bytes");
  }
  NameBook book{&booleans, {}, {}};
  // Compiles of distinct handles run at the same time; the error text is
  // the calling thread's until its next compile.
  CalcSetCallbacks(handle_, name_of_signal, nullptr, &book);
  outcome_.ok = CalcCompile(handle_) != 0;
  if (!outcome_.ok) {
    outcome_.error = CalcGetError(handle_);
    outcome_.position = CalcGetErrorPos(handle_);
    outcome_.message = CalcGetErrorText(handle_);
  }
  // The book dies with this constructor: no callback may see it later.
  CalcSetCallbacks(handle_, nullptr, nullptr, nullptr);
  if (!outcome_.ok) return;
  boolean_result_ = CalcGetType(handle_) == ctlcalc_boolean;
  float_count_ = static_cast<std::uint16_t>(book.floats_seen.size());
  boolean_count_ = static_cast<std::uint16_t>(book.booleans_seen.size());
  // The signals are what the code reads, not every name the parser asked
  // about on its way.
  const std::vector<unsigned char> bytes = code();
  for (std::size_t at = 0; at + 8 <= bytes.size(); at += 8) {
    std::int16_t index;
    std::int32_t op;
    std::memcpy(&index, &bytes[at], 2);
    std::memcpy(&op, &bytes[at + 4], 4);
    if (op != kPushBoolean && op != kPushFloat) continue;
    const bool boolean = op == kPushBoolean;
    const std::vector<std::string>& names = boolean ? book.booleans_seen : book.floats_seen;
    if (index < 0 || static_cast<std::size_t>(index) >= names.size()) continue;  // a built-in
    const bool known = std::any_of(signals_.begin(), signals_.end(),
                                   [&](const Signal& s) { return s.boolean == boolean && s.index == index; });
    if (!known) signals_.push_back(Signal{names[index], boolean, index});
  }
}

CompiledFormula::~CompiledFormula() { CalcDestroy(handle_); }

std::vector<unsigned char> CompiledFormula::code() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<unsigned char> bytes(CalcGetCode(handle_, nullptr, 0));
  if (!bytes.empty()) CalcGetCode(handle_, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
  return bytes;
}

bool CompiledFormula::evaluate(const std::vector<const void*>& columns, void* out, std::uint64_t rows) {
  if (!outcome_.ok || columns.size() != signals_.size()) return false;
  // Each column by its engine index; a chunk's pointers are moved along.
  std::vector<const float*> floats(float_count_, nullptr);
  std::vector<const std::int16_t*> booleans(boolean_count_, nullptr);
  for (std::size_t k = 0; k < signals_.size(); ++k) {
    if (signals_[k].boolean)
      booleans[signals_[k].index] = static_cast<const std::int16_t*>(columns[k]);
    else
      floats[signals_[k].index] = static_cast<const float*>(columns[k]);
  }
  std::vector<const float*> f(floats.size());
  std::vector<const std::int16_t*> b(booleans.size());
  float truth_buffer[kChunkRows];
  auto run = [&](float* results, std::uint32_t n) {
    return CalcEvalColumns(handle_, f.data(), static_cast<std::uint32_t>(f.size()), b.data(),
                           static_cast<std::uint32_t>(b.size()), results, n) != 0;
  };

  std::lock_guard<std::mutex> lock(mutex_);
  for (std::uint64_t first = 0; first < rows;) {
    const std::uint32_t n =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(rows - first, boolean_result_ ? kChunkRows : 1u << 30));
    for (std::size_t i = 0; i < f.size(); ++i) f[i] = floats[i] ? floats[i] + first : nullptr;
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = booleans[i] ? booleans[i] + first : nullptr;
    if (!boolean_result_) {
      if (!run(static_cast<float*>(out) + first, n)) return false;
    } else {
      if (!run(truth_buffer, n)) return false;
      // A Boolean formula's result is the float 1 or 0.
      unsigned char* truths = static_cast<unsigned char*>(out) + first;
      for (std::uint32_t r = 0; r < n; ++r) truths[r] = truth_buffer[r] != 0.0f;
    }
    first += n;
  }
  return true;
}

}  // namespace veltra_py
