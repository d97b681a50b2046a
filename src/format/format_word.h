// The format word: its bits, the plain-form reduction, and the conversions
// between a word and its mask text.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vt::format {

constexpr int kWidthMask = 0x007F;
constexpr int kBinary = 0x0080;
constexpr int kHex = 0x0100;
constexpr int kTime = 0x0200;
constexpr int kLeadingZeros = 0x0400;
constexpr int kDateTime = kTime | kLeadingZeros;
constexpr int kExponent = 0x0800;
constexpr int kPlain = 0x8000;

// Field bits of the date/time selection (in the width bits).
constexpr int kFieldSeconds = 0x01;
constexpr int kFieldMinutes = 0x02;
constexpr int kFieldHours = 0x04;
constexpr int kFieldDay = 0x08;
constexpr int kFieldMonth = 0x10;
constexpr int kFieldYear = 0x20;
constexpr int kFieldWeekday = 0x40;

// An exponent such as "E+003" takes five characters of the field width.
constexpr int kExponentChars = 5;
// The width a duration mask "hh:mm:ss" stands for: room for "99999d " too.
constexpr int kDurationWidth = 17;
// Plain-form date/time values are shown as plain decimals of this width.
constexpr int kPlainDateTimeWidth = 11;
// Masks read by ScanFormat are at most this wide.
constexpr int kMaxScannedWidth = 32;
// FormatStr's static buffer, terminator included.
constexpr std::size_t kMaskBufferSize = 80;

inline bool is_date_time(int format) { return (format & kDateTime) == kDateTime; }

// A format word and its count of decimals.
struct Word {
  int format;
  int decimals;
};

// The word as callers pass it: the 16 bits of the format without sign
// extension, and a negative count of decimals taken as none.
inline Word make_word(int16_t format, int16_t decimals) {
  return {static_cast<uint16_t>(format), decimals > 0 ? decimals : 0};
}

// The plain form (bit 0x8000) reduced to the word actually used: a date/time
// selection becomes a plain decimal of width 11 without decimals, a binary
// or hexadecimal word a plain decimal of the same width, anything else loses
// only its leading zeros. Words without bit 0x8000 are returned unchanged.
Word reduce_plain(Word w);

// Writes the mask of w into out (size bytes, size >= 1), cut to fit, and
// terminates it. Returns the length written.
std::size_t write_mask(Word w, char* out, std::size_t size);

// Reads a mask text; false when it is not a valid mask of an allowed form.
bool scan_mask(const char* text, int allowed, Word* out);

}  // namespace vt::format
