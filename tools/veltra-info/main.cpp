// Prints the library's version and the locale state it read at load: the
// date, time and decimal separators and the order of the date fields.
#include <cstdio>

#include "frame/attach.h"
#include "frame/locale_state.h"
#include "veltra/support.h"

int main() {
  // The program links the library statically: no entry point runs, so it
  // brings the library into its loaded state itself (again, natively).
  vt::frame::attach_for_tests();
  std::printf("Veltra support library %s\n", VeltraVersion());
  std::printf("date separator     \"%s\"\n", GetSep(0));
  std::printf("time separator     \"%s\"\n", GetSep(1));
  std::printf("decimal separator  \"%s\"\n", GetSep(2));
  std::printf("date order         %s\n", vt::frame::date_order());
  char number[] = "3.25";
  std::printf("3.25 in the user's notation: %s\n", lcFloatConv(number));
  return 0;
}
