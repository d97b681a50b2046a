// The lexical side of the parser: white space, names, keywords, numbers and
// the resolution of names to variable indices.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "formula/keywords.h"
#include "frame/ascii_case.h"
#include "port/char_class.h"
#include "formula/machine.h"
#include "formula/value_rules.h"
#include "formula/workspace.h"
#include "veltra/ctlcalc.h"

using namespace vt::formula;
using vt::frame::ascii_lower;
using vt::port::is_digit;
using vt::port::is_space;

namespace {

// Longest name or number text: the scratch buffer with its terminator.
constexpr int kMaxTokenLength = kScratchSize - 1;

bool equals_folded(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (ascii_lower(static_cast<unsigned char>(*a)) != ascii_lower(static_cast<unsigned char>(*b)))
      return false;
  return *a == *b;
}

// The first characters of a keyword list's keywords as a bit set: most
// tries of a list meet text that no keyword of it starts with, and are
// turned away without walking the list.
struct FirstChars {
  std::uint32_t bits[8] = {};
  bool may_start(unsigned char c) const { return (bits[c >> 5] >> (c & 31)) & 1u; }
};

constexpr FirstChars first_chars_of(const char* list) {
  FirstChars f;
  for (const char* kw = list; *kw;) {
    if (*kw == ',') return {{~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u}};  // an empty keyword matches anything
    const auto c = static_cast<unsigned char>(*kw);
    f.bits[c >> 5] |= 1u << (c & 31);
    while (*kw && *kw != ',') ++kw;
    if (*kw) ++kw;
  }
  return f;
}

// The sets of the language's lists (keywords.h), and for every offset in
// their text the list that starts there (its number + 1, 0 where none
// does). Made by the compiler: nothing to set up, and compiles on many
// threads only read it.
struct LanguageSets {
  FirstChars set[kKeywordLists];
  std::uint8_t list_at[sizeof kKeywordText] = {};
  constexpr LanguageSets() {
    for (int list = 0; list < kKeywordLists; ++list) {
      const std::size_t at = keyword_list_at(list);
      list_at[at] = static_cast<std::uint8_t>(list + 1);
      set[list] = first_chars_of(kKeywordText + at);
    }
  }
};
constexpr LanguageSets kLanguageSets;

// The set of one of the language's lists, found by the list's place in
// their text; null for any other list (a derived class may parse lists of
// its own), which is walked without one.
const FirstChars* language_set(const char* list) {
  const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(list) - reinterpret_cast<std::uintptr_t>(kKeywordText);
  if (at >= sizeof kKeywordText || kLanguageSets.list_at[at] == 0) return nullptr;
  return &kLanguageSets.set[kLanguageSets.list_at[at] - 1];
}

constexpr bool builtins_start_with_x_or_y() {
  for (const char* name : kBuiltinNames)
    if (name[0] != 'x' && name[0] != 'y') return false;
  return true;
}
static_assert(builtins_start_with_x_or_y(), "_gnf tries the built-in names only for names starting so");

}  // namespace

char ctlcalc::nextchar(char** p) {
  while (is_space(**p)) ++*p;
  return **p;
}

char* ctlcalc::name(char** p) {
  nextchar(p);
  const unsigned char* s = reinterpret_cast<const unsigned char*>(*p);
  if (!is_name_start(*s)) return nullptr;
  ParseState& ps = parse_state();
  int n = 0;
  while (is_name_char(s[n])) {
    if (n == kMaxTokenLength) {
      // Too long for the scratch buffer: refuse the whole formula here.
      set_parse_error(kErrNameTooLong);
      ps.stopped = true;
      ps.stop_offset = static_cast<std::uint32_t>(*p - text);
      return nullptr;
    }
    ps.scratch[n] = static_cast<char>(s[n]);
    ++n;
  }
  ps.scratch[n] = '\0';
  *p += n;
  return ps.scratch;
}

std::int16_t ctlcalc::parse(char* pos, const char* list, char** end) {
  while (is_space(*pos)) ++pos;
  const unsigned char* text_at = reinterpret_cast<const unsigned char*>(pos);
  const FirstChars* first = language_set(list);
  if (first && !first->may_start(ascii_lower(text_at[0]))) return 0;
  std::int16_t index = 1;
  for (const char* kw = list;; ++index) {
    std::size_t n = 0;
    while (kw[n] && kw[n] != ',' && ascii_lower(text_at[n]) == static_cast<unsigned char>(kw[n])) ++n;
    bool whole = kw[n] == ',' || kw[n] == '\0';
    // A word keyword must not run on into a longer name ("sinx", "pie").
    if (whole && is_name_start(static_cast<unsigned char>(*kw)) && is_name_char(text_at[n])) whole = false;
    if (whole) {
      if (end) *end = pos + n;
      return index;
    }
    while (kw[n] && kw[n] != ',') ++n;
    if (!kw[n]) return 0;
    kw += n + 1;
  }
}

std::int16_t ctlcalc::_gnf(const char* nm, std::int16_t t) {
  // The built-in names all start with x or y.
  const unsigned char first = ascii_lower(static_cast<unsigned char>(*nm));
  if (t == ctlcalc_float && (first == 'x' || first == 'y'))
    for (int i = 0; i < kBuiltinCount; ++i)
      if (equals_folded(nm, kBuiltinNames[i])) return static_cast<std::int16_t>(kFirstBuiltinIndex + i);
  return getname(nm, t);
}

tree_node* ctlcalc::constant() {
  if (!(types & 3)) return nullptr;
  nextchar(&cursor);
  char* start = cursor;
  ParseState& ps = parse_state();
  char* const scratch = ps.scratch;
  int n = 0;
  bool digits = false;
  // Copies one character into the scratch buffer; false when it is full.
  auto take = [&]() {
    if (n == kMaxTokenLength) return false;
    scratch[n++] = *cursor++;
    return true;
  };
  bool fits = true;
  if (*cursor == '+' || *cursor == '-') fits = take();
  while (fits && is_digit(*cursor)) fits = take(), digits = true;
  if (fits && *cursor == '.') {
    fits = take();
    while (fits && is_digit(*cursor)) fits = take(), digits = true;
  }
  bool negative_exponent = false;
  if (fits && (*cursor == 'e' || *cursor == 'E')) {
    if (n == 0) {
      set_parse_error(kErrUnknownName);
      return nullptr;
    }
    fits = take();
    if (fits && (*cursor == '+' || *cursor == '-')) {
      negative_exponent = *cursor == '-';
      fits = take();
    }
    if (fits && !is_digit(*cursor)) {
      set_parse_error(kErrBadConstant);
      return nullptr;
    }
    while (fits && is_digit(*cursor)) fits = take();
  }
  if (!fits) {
    set_parse_error(kErrNameTooLong);
    ps.stopped = true;
    ps.stop_offset = static_cast<std::uint32_t>(start - text);
    return nullptr;
  }
  if (n == 0) return nullptr;
  if (!digits) {
    set_parse_error(kErrBadConstant);
    return nullptr;
  }
  scratch[n] = '\0';
  // from_chars reads "." as the decimal point in every locale; it takes no
  // leading "+".
  const char* first = scratch[0] == '+' ? scratch + 1 : scratch;
  double d = 0.0;
  auto r = std::from_chars(first, scratch + n, d);
  if (r.ec == std::errc::result_out_of_range) {
    bool negative = *first == '-';
    d = negative_exponent ? 0.0 : static_cast<double>(kLimit) * 2;
    if (negative) d = -d;
  }
  tree_node* node = newnode(nullptr, op_cfpush);
  node->value.f = round_limit(d);
  set_parse_error(kErrNone);
  return node;
}
