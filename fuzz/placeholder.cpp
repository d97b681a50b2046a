// Path placeholders on arbitrary names and project folders (the input split
// at its first zero byte): reduction in a buffer with exactly the room it may
// need, expansion into exactly the working size, and in place with the same
// answer.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/placeholder.h"
#include "veltra/placeholder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  size_t cut = input.find('\0');
  std::string name = input.substr(0, cut);
  std::string project = cut == std::string::npos ? "" : input.substr(cut + 1).c_str();
  const char* exe = "C:\\Prog\\Veltra\\app.exe";
  if (name.size() >= VELTRA_EXPANDED_NAME_BYTES) return 0;

  char* reduced = static_cast<char*>(std::malloc(name.size() + 9));  // grows by 8 at most
  std::memcpy(reduced, name.c_str(), name.size() + 1);
  vt::config::reduce_file_name(reduced, project.c_str(), exe);

  char* out = static_cast<char*>(std::malloc(VELTRA_EXPANDED_NAME_BYTES));
  int ok = vt::config::expand_file_name(out, reduced, project.c_str(), exe);
  if (!ok && out[0] != '\0') std::abort();
  // In place gives the same answer.
  size_t len = std::strlen(reduced);
  char* same = static_cast<char*>(
      std::malloc(len < VELTRA_EXPANDED_NAME_BYTES ? VELTRA_EXPANDED_NAME_BYTES : len + 1));
  std::strcpy(same, reduced);
  if (vt::config::expand_file_name(same, same, project.c_str(), exe) != ok ||
      std::strcmp(same, out) != 0)
    std::abort();
  std::free(same);
  std::free(out);
  std::free(reduced);
  return 0;
}
