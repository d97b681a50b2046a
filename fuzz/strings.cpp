// Fuzz target for the string functions that scan text. The input is split
// at 0xFF bytes into a text, a pattern and a third part; NUL bytes end a
// part early, as they would in C strings. Buffers are heap blocks of the
// exact size, so that any write past them is caught.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "veltra/strings.h"

namespace {

std::vector<std::string> split(const uint8_t* data, size_t size) {
  std::vector<std::string> parts(3);
  size_t k = 0;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0xFF && k < 2) {
      ++k;
      continue;
    }
    parts[k] += static_cast<char>(data[i]);
  }
  for (auto& p : parts) p = std::string(p.c_str());
  return parts;
}

// A heap copy of text in a block of exactly `size` bytes.
struct Block {
  Block(const std::string& text, size_t size) : bytes(new char[size]) {
    std::memset(bytes, 'Z', size);
    std::memcpy(bytes, text.c_str(), std::min(size, text.size() + 1));
  }
  ~Block() { delete[] bytes; }
  char* bytes;
};

void check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> part = split(data, size);
  const std::string& text = part[0];
  const std::string& pattern = part[1];
  const std::string& third = part[2];

  {
    Block b(text, text.size() + 1);
    size_t total = 0;
    for (char* t = strtoks(b.bytes, pattern.c_str()); t; t = strtoks(nullptr, pattern.c_str())) {
      check(t >= b.bytes && t <= b.bytes + text.size());
      total += std::strlen(t) + 1;
    }
    check(total <= text.size() + 1);
  }
  {
    Block b(text, text.size() + 1);
    char* hit = strchrex(b.bytes, pattern.empty() ? ',' : pattern[0], third.c_str());
    check(!hit || (hit >= b.bytes && hit < b.bytes + text.size()));
  }
  strmatch(text.c_str(), pattern.c_str());
  {
    Block b(text, text.size() + 1);
    strfind(b.bytes, pattern.c_str(), third.empty() ? 0 : third[0]);
  }
  if (!pattern.empty()) {
    // Room for the worst growth: every character starts an occurrence.
    Block b(text, text.size() * (third.size() + 1) + 1);
    strsubst(b.bytes, pattern.c_str(), third.c_str());
  }
  {
    const size_t room = text.size() + 1 + (third.empty() ? 0 : static_cast<uint8_t>(third[0]) % 64);
    Block b(text, room);
    strcrlf(b.bytes, static_cast<int>(room));
    check(std::strlen(b.bytes) < room);
  }
  {
    // Any size: the escaping never writes past it. With room for the
    // worst case and no backslash, the round trip gives the text back.
    const size_t small = 1 + (pattern.empty() ? 0 : static_cast<uint8_t>(pattern[0]) % 16);
    Block cut(std::string(), small);
    strtoinistr(cut.bytes, text.c_str(), static_cast<int>(small));
    Block back(std::string(), small);
    inistrtostr(back.bytes, text.c_str(), static_cast<int>(small));

    std::string plain;
    for (char c : text)
      if (c != '\\') plain += c;
    const size_t line_size = 4 * plain.size() + 2;
    Block line(std::string(), line_size);
    check(strtoinistr(line.bytes, plain.c_str(), static_cast<int>(line_size)) == line.bytes);
    Block restored(std::string(), plain.size() + 1);
    const int n = inistrtostr(restored.bytes, line.bytes, static_cast<int>(plain.size() + 1));
    check(n == static_cast<int>(plain.size()) && plain == restored.bytes);
  }
  return 0;
}
