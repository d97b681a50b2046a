// Keyword lists of the formula language: comma-separated, tried left to
// right, matched without regard to ASCII letter case. The position of the
// matching keyword (from 1) selects the operation. Each list is one array
// of the program (an inline variable), so its address names it: the
// scanner keeps a set of first characters per list by that address.
#pragma once

#include "port/char_class.h"

namespace vt::formula {

inline constexpr char kKwAnd[] = "&,and,und";
inline constexpr char kKwOr[] = "|,or,oder";
inline constexpr char kKwXor[] = "^,xor,xoder";
inline constexpr char kKwNot[] = "!,not,nicht";
inline constexpr char kKwCompare[] = "<=,<,==,>=,>,!=";
inline constexpr char kKwSum[] = "+,-";
inline constexpr char kKwProduct[] = "*,/";
inline constexpr char kKwPower[] = "^";
inline constexpr char kKwConstant[] = "pi,e";
inline constexpr char kKwUnary[] =
    "ln,exp,sqrt,sinh,cosh,tanh,sin,cos,tan,atan,acos,asin,abs,int,rad,deg,sgn,sqr";
inline constexpr char kKwBinary[] = "min,max,mod";
// The first four are false, the last four true.
inline constexpr char kKwBool[] = "low,false,off,aus,high,true,on,ein";
constexpr int kFirstTrueKeyword = 5;

// Every list above, for the scanner's table of first characters.
inline constexpr const char* kKeywordLists[] = {kKwAnd,   kKwOr,       kKwXor,   kKwNot,    kKwCompare,
                                                kKwSum,   kKwProduct,  kKwPower, kKwConstant, kKwUnary,
                                                kKwBinary, kKwBool};

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
