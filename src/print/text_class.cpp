#include "print/text_class.h"

namespace vt::print {

bool is_blank_line(std::string_view line) {
  for (char c : line)
    if (is_visible(c)) return false;
  return true;
}

static bool is_space(char c) { return c == ' ' || (c >= 9 && c <= 13); }

std::string_view trim(std::string_view text) {
  while (!text.empty() && is_space(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_space(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace vt::print
