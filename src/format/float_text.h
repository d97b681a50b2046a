// Values as text under a format word, and back.
#pragma once

#include "format/format_word.h"

namespace vt::format {

constexpr int kReprBlank = 2;
constexpr int kReprDashes = 3;
constexpr int kReprHashes = 4;

// The smallest buffer FormatFloat may be given, whatever the word.
constexpr std::size_t kMinFloatBuffer = 80;
// A decimal text of this many characters or more is too long for its field
// and is shown in exponent notation instead.
constexpr int kDecimalTextLimit = 79;

// Writes value (or the placeholder chosen by representation) under w. out
// holds at least kMinFloatBuffer, width + 1 and decimals + 18 bytes.
char* format_float(char* out, Word w, double value, int representation);

// Reads a value under format (a 16-bit word); text is changed in place.
double scan_float(char* text, int format, int* error);

}  // namespace vt::format
