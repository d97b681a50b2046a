#include "config/win32/text_or_id.h"

#include <cstdint>

#include "config/regitem_rules.h"
#include "port/strings.h"

namespace vt::config {

std::string text_or_id(HINSTANCE module, const char* field) {
  const auto value = reinterpret_cast<std::uintptr_t>(field);
  switch (classify_text_or_id(value)) {
    case TextOrId::none:
      return {};
    case TextOrId::string_id: {
      char buf[kTextOrIdChars + 1];
      vt::port::load_module_string(module, static_cast<unsigned>(value), buf, sizeof buf);
      return buf;
    }
    case TextOrId::address:
      break;
  }
  // The address comes from the caller's record and may be anything: read it
  // through the memory manager, which reports unreadable bytes instead of
  // faulting, one byte at a time so that a text ending just before an
  // unreadable page is still read whole.
  std::string out;
  HANDLE self = GetCurrentProcess();
  while (out.size() < kTextOrIdChars) {
    char c;
    SIZE_T got = 0;
    if (!ReadProcessMemory(self, field + out.size(), &c, 1, &got) || got != 1) return {};
    if (c == '\0') break;
    out += c;
  }
  return out;
}

}  // namespace vt::config
