// The library's string table for builds without Windows resources. The
// texts come from the same list that the resource compiler reads
// (strings.inc, UTF-8); LoadStringA hands out code page 1252 bytes, so each
// lookup converts the two-byte UTF-8 forms of U+00A0..U+00FF to single bytes.
#include <cstring>

#include "port/strings.h"

namespace {

struct Entry {
  unsigned id;
  const char* text;
};

#define VSTR(id, text) {id, text},
const Entry kTable[] = {
#include "resources/strings.inc"
};
#undef VSTR

const char* find(unsigned id) {
  for (const Entry& e : kTable)
    if (e.id == id) return e.text;
  return nullptr;
}

}  // namespace

namespace vt::port {

int load_module_string(void* module, unsigned id, char* buf, int size) {
  if (!buf || size < 1) return 0;
  buf[0] = '\0';
  const char* s = module ? nullptr : find(id);
  if (!s) return 0;
  int n = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s); *p && n < size - 1; ++p) {
    unsigned c = *p;
    if ((c & 0xE0) == 0xC0 && (p[1] & 0xC0) == 0x80) {
      c = ((c & 0x1F) << 6) | (p[1] & 0x3F);
      ++p;
    }
    buf[n++] = static_cast<char>(c);
  }
  buf[n] = '\0';
  return n;
}

int load_string(unsigned id, char* buf, int size) {
  return load_module_string(nullptr, id, buf, size);
}

}  // namespace vt::port
