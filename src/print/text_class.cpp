#include "print/text_class.h"

#include "port/char_class.h"

namespace vt::print {

bool is_blank_line(std::string_view line) {
  for (char c : line)
    if (is_visible(c)) return false;
  return true;
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && vt::port::is_space(text.front())) text.remove_prefix(1);
  while (!text.empty() && vt::port::is_space(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace vt::print
