// Text conversions at the tool's edges: the formula engine reads and writes
// code page 1252, the terminal and the files speak UTF-8, and messages must
// show whatever bytes a file holds without sending control codes.
#pragma once

#include <string>

namespace vtcalc {

// Code page 1252 (the engine's error texts) to UTF-8; the texts only use the
// Latin-1 part of it.
std::string to_utf8(const std::string& s);

// UTF-8 names and formulas to code page 1252, the engine's text. Characters
// outside Latin-1 stay as their bytes: they match no name.
std::string to_cp1252(const std::string& s);

// `s` in double quotes for a message, control bytes (and a quote) escaped
// as \xNN, cut after 60 bytes with "...".
std::string quoted(const char* s, std::size_t n);
inline std::string quoted(const std::string& s) { return quoted(s.data(), s.size()); }

}  // namespace vtcalc
