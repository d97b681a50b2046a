// Prints the library's version and the locale state it read at load.
#include <cstdio>

#include "veltra/support.h"

int main() {
  std::printf("Veltra support library %s\n", VeltraVersion());
  return 0;
}
