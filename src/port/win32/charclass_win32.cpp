#include <windows.h>

#include "port/charclass.h"

namespace vt::port {

// CharLowerA folds a single character passed in the low word of its
// pointer argument.
unsigned char char_lower(unsigned char c) {
  return static_cast<unsigned char>(
      reinterpret_cast<ULONG_PTR>(CharLowerA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(c)))));
}

bool char_is_alnum(unsigned char c) { return IsCharAlphaNumericA(static_cast<CHAR>(c)) != FALSE; }

}  // namespace vt::port
