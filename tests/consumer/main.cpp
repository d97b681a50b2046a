#include <cstdio>
#include <cstring>

#include <veltra/support.h>

int main() {
  const char* v = VeltraVersion();
  std::printf("consumer linked against Veltra %s\n", v);
  return std::strcmp(v, VELTRA_VERSION_TEXT) == 0 ? 0 : 1;
}
