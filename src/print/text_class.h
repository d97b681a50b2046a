// Character classes of the print layouts.
#pragma once

#include <string>
#include <string_view>

namespace vt::print {

// Visible characters are 0x21..0x7E and every character above 127 (code
// page 1252 letters are text); blanks, tabs and other control characters
// are not.
inline bool is_visible(char c) {
  auto u = static_cast<unsigned char>(c);
  return (u > 0x20 && u < 0x7F) || u > 0x7F;
}

// A gap between columns is made of blanks and tabs.
inline bool is_gap(char c) { return c == ' ' || c == '\t'; }

// A line without any visible character.
bool is_blank_line(std::string_view line);

// The text without leading and trailing white space (blank and 9..13).
std::string_view trim(std::string_view text);

}  // namespace vt::print
