// Keyword lists of the formula language: comma-separated, tried left to
// right, matched without regard to ASCII letter case. The position of the
// matching keyword (from 1) selects the operation. The lists lie one after
// another in one array, each ended by its '\0', so that the place of a
// list in it names the list: the scanner finds a list's set of first
// characters from the list's address, without a search (scanner.cpp).
#pragma once

#include <cstddef>

#include "port/char_class.h"

namespace vt::formula {

inline constexpr char kKeywordText[] =
    "&,and,und\0"
    "|,or,oder\0"
    "^,xor,xoder\0"
    "!,not,nicht\0"
    "<=,<,==,>=,>,!=\0"
    "+,-\0"
    "*,/\0"
    "^\0"
    "pi,e\0"
    "ln,exp,sqrt,sinh,cosh,tanh,sin,cos,tan,atan,acos,asin,abs,int,rad,deg,sgn,sqr\0"
    "min,max,mod\0"
    "low,false,off,aus,high,true,on,ein";  // the first four are false, the last four true
constexpr int kKeywordLists = 12;

// The offset of the list numbered `list` (from 0) in kKeywordText.
constexpr std::size_t keyword_list_at(int list) {
  std::size_t at = 0;
  for (; list > 0; --list)
    while (kKeywordText[at++] != '\0') {
    }
  return at;
}
static_assert(keyword_list_at(kKeywordLists) == sizeof kKeywordText, "the count of the lists");

inline constexpr const char* kKwAnd = kKeywordText + keyword_list_at(0);
inline constexpr const char* kKwOr = kKeywordText + keyword_list_at(1);
inline constexpr const char* kKwXor = kKeywordText + keyword_list_at(2);
inline constexpr const char* kKwNot = kKeywordText + keyword_list_at(3);
inline constexpr const char* kKwCompare = kKeywordText + keyword_list_at(4);
inline constexpr const char* kKwSum = kKeywordText + keyword_list_at(5);
inline constexpr const char* kKwProduct = kKeywordText + keyword_list_at(6);
inline constexpr const char* kKwPower = kKeywordText + keyword_list_at(7);
inline constexpr const char* kKwConstant = kKeywordText + keyword_list_at(8);
inline constexpr const char* kKwUnary = kKeywordText + keyword_list_at(9);
inline constexpr const char* kKwBinary = kKeywordText + keyword_list_at(10);
inline constexpr const char* kKwBool = kKeywordText + keyword_list_at(11);
constexpr int kFirstTrueKeyword = 5;

// Built-in float variables of the object, indices 1000 + position.
constexpr const char* kBuiltinNames[] = {"x", "xl", "xh", "y", "yl", "yh"};
constexpr int kBuiltinCount = 6;
constexpr int kFirstBuiltinIndex = 1000;

// "pi" and "e" as the single-precision values the language has always used.
constexpr float kPi = 3.1415927f;
constexpr float kE = 2.7182817f;

// Name characters; the text is code page 1252, whose German letters count
// as letters of names. Digits, white space and case folding are the
// library's ASCII ones (port/char_class.h, frame/ascii_case.h).
inline bool is_name_start(unsigned char c) {
  return vt::port::is_letter(static_cast<char>(c)) || c == '_' || c == 0xE4 || c == 0xFC || c == 0xF6 ||
         c == 0xC4 || c == 0xDC || c == 0xD6 || c == 0xDF;
}
inline bool is_name_char(unsigned char c) {
  return is_name_start(c) || vt::port::is_digit(static_cast<char>(c)) || c == '.';
}

}  // namespace vt::formula
